#include "editor/QtFontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "diagram/Canvas.h"
#include "editor/QtText.h"

namespace zedro {

namespace {

const char* const kOtherColorText = "Weitere Farben ...";

QCheckBox* Option(const char* caption, const char* name, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setChecked(checked);
  return box;
}

// A small square of the colour, for the colour list.
QIcon Swatch(QColor color) {
  QPixmap swatch(14, 14);
  swatch.fill(color);
  return QIcon(swatch);
}

QColor ToQColor(TColor color) {
  const TColor c = ResolveColor(color);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace

const std::vector<FontDialog::NamedColor>& FontDialog::NamedColors() {
  static const std::vector<NamedColor> colors = {
      {"Schwarz", RGB(0, 0, 0)},         {"Kastanienbraun", RGB(128, 0, 0)},
      {"Grün", RGB(0, 128, 0)},          {"Oliv", RGB(128, 128, 0)},
      {"Marineblau", RGB(0, 0, 128)},    {"Violett", RGB(128, 0, 128)},
      {"Blaugrün", RGB(0, 128, 128)},    {"Grau", RGB(128, 128, 128)},
      {"Silber", RGB(192, 192, 192)},    {"Rot", RGB(255, 0, 0)},
      {"Hellgrün", RGB(0, 255, 0)},      {"Gelb", RGB(255, 255, 0)},
      {"Blau", RGB(0, 0, 255)},          {"Fuchsia", RGB(255, 0, 255)},
      {"Aqua", RGB(0, 255, 255)},        {"Weiß", RGB(255, 255, 255)},
  };
  return colors;
}

FontDialog::FontDialog(const TFontSpec& font, bool withEffects,
                       std::function<bool(TColor&)> chooseColor, QWidget* parent)
    : QDialog(parent),
      initial_(font),
      withEffects_(withEffects),
      chooseColor_(std::move(chooseColor)),
      chosenColor_(font.Color) {
  setObjectName("FontDialog");
  setWindowTitle("Schrift");
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout();
  grid->addWidget(new QLabel("Schriftart:", this), 0, 0);
  grid->addWidget(new QLabel("Schriftgrad:", this), 0, 1);
  name_ = new QComboBox(this);
  name_->setObjectName("FontName");
  name_->setEditable(true);
  name_->setInsertPolicy(QComboBox::NoInsert);
  name_->addItems(QFontDatabase::families());
  // A font the machine lacks keeps its name: it is drawn with a substitute.
  name_->setCurrentText(Q(font.Name));
  grid->addWidget(name_, 1, 0);
  size_ = new QComboBox(this);
  size_->setObjectName("FontSize");
  size_->setEditable(true);
  size_->setInsertPolicy(QComboBox::NoInsert);
  for (int s : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
    size_->addItem(QString::number(s));
  size_->setValidator(new QIntValidator(1, 999, size_));
  size_->setCurrentText(QString::number(font.Size));
  grid->addWidget(size_, 1, 1);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);

  auto* style = new QGroupBox("Schriftschnitt", this);
  auto* styleRow = new QHBoxLayout(style);
  bold_ = Option("Fett", "FontBold", font.Bold, style);
  italic_ = Option("Kursiv", "FontItalic", font.Italic, style);
  styleRow->addWidget(bold_);
  styleRow->addWidget(italic_);
  styleRow->addStretch();
  layout->addWidget(style);

  if (withEffects_) {
    effects_ = new QGroupBox("Effekte", this);
    effects_->setObjectName("FontEffects");
    auto* eg = new QGridLayout(effects_);
    eg->addWidget(new QLabel("Farbe:", effects_), 0, 0);
    color_ = new QComboBox(effects_);
    color_->setObjectName("FontColor");
    color_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const NamedColor& c : NamedColors())
      color_->addItem(Swatch(ToQColor(c.color)), QString::fromUtf8(c.name), c.color);
    // The entry that opens the colour dialog carries no colour.
    if (chooseColor_) color_->addItem(QString::fromUtf8(kOtherColorText));
    eg->addWidget(color_, 0, 1);
    underline_ = Option("Unterstrichen", "FontUnderline", font.Underline, effects_);
    strikeOut_ = Option("Durchgestrichen", "FontStrikeOut", font.StrikeOut, effects_);
    eg->addWidget(underline_, 1, 0, 1, 2);
    eg->addWidget(strikeOut_, 2, 0, 1, 2);
    layout->addWidget(effects_);
    SetColor(font.Color);
    connect(color_, &QComboBox::activated, this, [this](int index) {
      const QVariant data = color_->itemData(index);
      if (data.isValid())
        SetColor(data.toInt());
      else
        ChooseOtherColor();
    });
    connect(underline_, &QCheckBox::toggled, this, [this] { UpdateSample(); });
    connect(strikeOut_, &QCheckBox::toggled, this, [this] { UpdateSample(); });
  }

  auto* sampleBox = new QGroupBox("Beispiel", this);
  auto* sampleLayout = new QVBoxLayout(sampleBox);
  sample_ = new QLabel(QString::fromUtf8("AaBbÄäÖöÜüß 123"), sampleBox);
  sample_->setObjectName("FontSample");
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setMinimumHeight(48);
  sampleLayout->addWidget(sample_);
  layout->addWidget(sampleBox);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("FontOk");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Abbrechen", this);
  cancel->setObjectName("FontCancel");
  cancel->setAutoDefault(false);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  connect(name_, &QComboBox::currentTextChanged, this, [this] { UpdateSample(); });
  connect(size_, &QComboBox::currentTextChanged, this, [this] { UpdateSample(); });
  connect(bold_, &QCheckBox::toggled, this, [this] { UpdateSample(); });
  connect(italic_, &QCheckBox::toggled, this, [this] { UpdateSample(); });
  UpdateSample();
}

void FontDialog::SetColor(TColor color) {
  chosenColor_ = color;
  if (color_) {
    int index = color_->findData(color);
    if (index < 0) {
      // A colour without a name (also the system's text colour) gets an entry of its own
      // at the top, replacing an earlier one.
      if (ownColorEntry_) color_->removeItem(0);
      color_->insertItem(0, Swatch(ToQColor(color)),
                         color < 0 ? QString("Standard (Textfarbe)") : QString("Eigene Farbe"),
                         color);
      ownColorEntry_ = true;
      index = 0;
    }
    color_->setCurrentIndex(index);
  }
  UpdateSample();
}

void FontDialog::ChooseOtherColor() {
  TColor chosen = chosenColor_;
  if (!chooseColor_ || !chooseColor_(chosen)) chosen = chosenColor_;  // cancelled
  SetColor(chosen);
}

TFontSpec FontDialog::Font() const {
  TFontSpec f = initial_;
  const QString name = name_->currentText().trimmed();
  if (!name.isEmpty()) f.Name = S(name);
  const int size = size_->currentText().toInt();
  if (size > 0) f.Size = size;
  f.Bold = bold_->isChecked();
  f.Italic = italic_->isChecked();
  if (withEffects_) {
    f.Color = chosenColor_;
    f.Underline = underline_->isChecked();
    f.StrikeOut = strikeOut_->isChecked();
  }
  return f;
}

void FontDialog::UpdateSample() {
  if (!sample_) return;
  const TFontSpec f = Font();
  QFont font(Q(f.Name));
  font.setPointSize(f.Size);
  font.setBold(f.Bold);
  font.setItalic(f.Italic);
  font.setUnderline(f.Underline);
  font.setStrikeOut(f.StrikeOut);
  sample_->setFont(font);
  QPalette p = sample_->palette();
  p.setColor(QPalette::WindowText, ToQColor(f.Color));
  sample_->setPalette(p);
}

}  // namespace zedro
