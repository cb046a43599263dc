#include "editor/QtCodeViewers.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/CodeViewers.h"
#include "editor/DialogService.h"
#include "editor/QtDialogs.h"
#include "editor/QtText.h"

namespace zedro {

namespace {

QFont FixedPitchFont() {
  QFont font("Courier New", 10);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  // Where Courier New is missing, the system's own fixed-pitch font stands in.
  if (!QFontInfo(font).fixedPitch()) {
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(10);
    return fixed;
  }
  return font;
}

QTextCharFormat CharFormat(const TFontSpec& spec) {
  QTextCharFormat format;
  format.setFontFamilies({Q(spec.Name.empty() ? std::string("Arial") : spec.Name)});
  format.setFontPointSize(spec.Size > 0 ? spec.Size : 10);
  format.setFontWeight(spec.Bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(spec.Italic);
  format.setFontUnderline(spec.Underline);
  const TColor c = spec.Color < 0 ? 0 : spec.Color;
  format.setForeground(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
  return format;
}

class CodeViewerDialog : public FormDialog {
 public:
  CodeViewerDialog(TFDokuCodeAnzeige& f, IDialogService& d, QWidget* p) : FormDialog(f, d, p) {
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(Q(f.Label), this);
    label->setObjectName("Label1");
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    layout->addWidget(label);

    if (auto* doku = dynamic_cast<TFDokuExport*>(&f)) {
      auto* rich = new QTextEdit(this);
      rich->setObjectName("RichEdit1");
      rich->setReadOnly(true);
      rich->setLineWrapMode(QTextEdit::NoWrap);
      rich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      rich->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      QTextCursor cursor(rich->document());
      bool first = true;
      for (const TDocLine& line : doku->DocLines) {
        const QTextCharFormat format = CharFormat(line.Font);
        if (first)
          cursor.setCharFormat(format);
        else
          cursor.insertBlock(QTextBlockFormat(), format);
        first = false;
        cursor.insertText(Q(line.Text), format);
      }
      rich->moveCursor(QTextCursor::Start);
      layout->addWidget(rich, 1);
    } else {
      auto* memo = new QPlainTextEdit(this);
      memo->setObjectName("Memo1");
      memo->setReadOnly(true);
      memo->setLineWrapMode(QPlainTextEdit::NoWrap);
      memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      memo->setFont(FixedPitchFont());
      QStringList lines;
      for (const std::string& l : f.Lines) lines << Q(l);
      memo->setPlainText(lines.join('\n'));
      layout->addWidget(memo, 1);
    }

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* save = new QPushButton(Q(f.SaveCaption), this);
    save->setObjectName("BtnSpeichern");
    auto* close = new QPushButton(Q(f.CloseCaption), this);
    close->setObjectName("BtnSchliessen");
    buttons->addWidget(save);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    save->setAutoDefault(f.SaveIsDefault);
    save->setDefault(f.SaveIsDefault);
    close->setAutoDefault(!f.SaveIsDefault);
    connect(save, &QPushButton::clicked, this, [this, &f] { Press([&f] { f.PressSave(); }); });
    connect(close, &QPushButton::clicked, this, [this, &f] { Press([&f] { f.PressClose(); }); });

    // A large part of the screen: generated units are long and wide.
    resize(std::min(760, dialogs_.ScreenWidth() * 9 / 10),
           std::min(620, dialogs_.ScreenHeight() * 85 / 100));
    setSizeGripEnabled(true);
    EnableOnScreenRule();
  }
};

}  // namespace

QDialog* CreateViewerDialog(TDialogForm& form, IDialogService& dialogs, QWidget* parent) {
  if (auto* f = dynamic_cast<TFDokuCodeAnzeige*>(&form))
    return new CodeViewerDialog(*f, dialogs, parent);
  return nullptr;
}

}  // namespace zedro
