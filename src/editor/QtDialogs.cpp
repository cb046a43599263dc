#include "editor/QtDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "editor/CoOptionsForm.h"
#include "editor/DialogService.h"
#include "editor/Forms.h"
#include "editor/QtCoOptionsDialog.h"
#include "editor/QtCodeViewers.h"
#include "editor/QtText.h"
#include "model/Win1252.h"

namespace zedro {

// ---- base ------------------------------------------------------------------------------

FormDialog::FormDialog(TDialogForm& form, IDialogService& dialogs, QWidget* parent)
    : QDialog(parent), form_(form), dialogs_(dialogs) {
  setObjectName(form.TypeName());
  setWindowTitle(Q(form.Caption));
}

void FormDialog::ApplySizing(DialogSizing sizing) {
  QSize design = testAttribute(Qt::WA_Resized) ? size().expandedTo(sizeHint()) : sizeHint();
  TSizing s = ApplySizingRule(design.width(), design.height(), dialogs_.ScreenWidth(),
                              dialogs_.ScreenPpi(), sizing == DialogSizing::Shrinking);
  if (s.scalePercent != 100) {
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * s.scalePercent / 100.0);
    setFont(f);
  }
  setSizeGripEnabled(true);
  resize(s.width, s.height);
}

void FormDialog::reject() {
  form_.CloseBox();
  done(form_.Result);
}

void FormDialog::KeepOnScreen() {
  QRect g = frameGeometry();
  TScreenRect r = zedro::KeepOnScreen({g.left(), g.top(), g.width(), g.height()},
                                      dialogs_.ScreenWidth(), dialogs_.ScreenHeight());
  if (r.left != g.left() || r.top != g.top()) move(r.left, r.top);
}

void FormDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (onScreen_ && event->type() == QEvent::ActivationChange && isActiveWindow()) KeepOnScreen();
}

void FormDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (onScreen_) KeepOnScreen();
}

namespace {

QPushButton* Button(const std::string& caption, QWidget* parent) {
  return new QPushButton(Q(caption), parent);
}

QStringList ToLines(const StringList& lines) {
  QStringList out;
  for (const std::string& l : lines) out << Q(l);
  return out;
}

StringList FromText(const QString& text) {
  StringList out;
  if (text.isEmpty()) return out;
  for (const QString& l : text.split('\n')) out.push_back(S(l));
  return out;
}

// A group of radio buttons whose checked index is read and written as an int (-1: none).
class RadioGroup {
 public:
  RadioGroup(const std::string& title, const std::vector<std::string>& items, int columns,
             QWidget* parent)
      : box(new QGroupBox(Q(title), parent)), group(new QButtonGroup(box)) {
    auto* grid = new QGridLayout(box);
    for (size_t i = 0; i < items.size(); ++i) {
      auto* rb = new QRadioButton(Q(items[i]), box);
      group->addButton(rb, static_cast<int>(i));
      grid->addWidget(rb, static_cast<int>(i) / columns, static_cast<int>(i) % columns);
    }
  }
  int Index() const { return group->checkedId(); }
  void SetIndex(int i) {
    if (QAbstractButton* b = group->button(i)) {
      b->setChecked(true);
    } else {
      group->setExclusive(false);
      for (QAbstractButton* x : group->buttons()) x->setChecked(false);
      group->setExclusive(true);
    }
  }
  QGroupBox* box;
  QButtonGroup* group;
};

// ---- attribute -------------------------------------------------------------------------

class AttributeDialog : public FormDialog {
 public:
  AttributeDialog(TAttributeForm& f, IDialogService& d, QWidget* p) : FormDialog(f, d, p), f_(f) {
    auto* layout = new QGridLayout(this);
    classLabel_ = new QLabel(this);
    layout->addWidget(classLabel_, 0, 0, 1, 2);
    layout->addWidget(new QLabel("Name des Attributes", this), 1, 0);
    name_ = new QLineEdit(this);
    name_->setObjectName("EdAttributeName");
    layout->addWidget(name_, 1, 1);
    layout->addWidget(new QLabel("Typ des Attributes", this), 2, 0);
    type_ = new QLineEdit(this);
    type_->setObjectName("EdAttributType");
    layout->addWidget(type_, 2, 1);
    access_ = std::make_unique<RadioGroup>(
        "Zugriffsrecht", std::vector<std::string>{"private", "protected", "public", "published"}, 4,
        this);
    layout->addWidget(access_->box, 3, 0, 1, 2);
    layout->addWidget(new QLabel("Dokumentation", this), 4, 0, 1, 2);
    doku_ = new QPlainTextEdit(this);
    doku_->setObjectName("MemoDoku");
    layout->addWidget(doku_, 5, 0, 1, 2);
    read_ = new QCheckBox(this);
    read_->setObjectName("CBRead");
    readName_ = new QLineEdit(this);
    readName_->setObjectName("EdRead");
    write_ = new QCheckBox(this);
    write_->setObjectName("CBWrite");
    writeName_ = new QLineEdit(this);
    writeName_->setObjectName("EdWrite");
    layout->addWidget(read_, 6, 0);
    layout->addWidget(readName_, 6, 1);
    layout->addWidget(write_, 7, 0);
    layout->addWidget(writeName_, 7, 1);
    auto* buttons = new QHBoxLayout();
    QPushButton* ok = Button("&OK", this);
    ok->setDefault(true);
    QPushButton* cancel = Button("&Abbruch", this);
    del_ = Button(W("Attribut löschen"), this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(del_);
    layout->addLayout(buttons, 8, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { Press([this] { f_.PressCancel(); }); });
    connect(del_, &QPushButton::clicked, this, [this] { Press([this] { f_.PressDelete(); }); });
    connect(read_, &QCheckBox::clicked, this,
            [this](bool on) { Press([this, on] { f_.SetReadChecked(on); }); });
    connect(write_, &QCheckBox::clicked, this,
            [this](bool on) { Press([this, on] { f_.SetWriteChecked(on); }); });
    Load();
  }

 protected:
  void Load() override {
    classLabel_->setText(Q(f_.ClassLabel));
    name_->setText(Q(f_.Name));
    type_->setText(Q(f_.Type));
    access_->SetIndex(f_.Visibility);
    if (S(doku_->toPlainText()) != Join(f_.Documentation))
      doku_->setPlainText(ToLines(f_.Documentation).join('\n'));
    read_->setText(Q(f_.ReadCaption));
    read_->setChecked(f_.ReadChecked);
    readName_->setText(Q(f_.ReadName));
    readName_->setVisible(f_.ReadNameVisible || f_.ReadChecked);
    write_->setText(Q(f_.WriteCaption));
    write_->setChecked(f_.WriteChecked);
    writeName_->setText(Q(f_.WriteName));
    writeName_->setVisible(f_.WriteNameVisible || f_.WriteChecked);
    del_->setVisible(f_.DeleteVisible);
  }
  void Store() override {
    f_.Name = S(name_->text());
    f_.Type = S(type_->text());
    f_.Visibility = access_->Index();
    f_.Documentation = FromText(doku_->toPlainText());
    f_.ReadName = S(readName_->text());
    f_.WriteName = S(writeName_->text());
  }

 private:
  static std::string Join(const StringList& lines) {
    std::string s;
    for (size_t i = 0; i < lines.size(); ++i) s += (i ? "\n" : "") + lines[i];
    return s;
  }
  TAttributeForm& f_;
  QLabel* classLabel_;
  QLineEdit *name_, *type_, *readName_, *writeName_;
  std::unique_ptr<RadioGroup> access_;
  QPlainTextEdit* doku_;
  QCheckBox *read_, *write_;
  QPushButton* del_;
};

// ---- parameter -------------------------------------------------------------------------

class ParameterDialog : public FormDialog {
 public:
  ParameterDialog(TParameterForm& f, IDialogService& d, QWidget* p) : FormDialog(f, d, p), f_(f) {
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Name", this), 0, 0);
    name_ = new QLineEdit(Q(f.Name), this);
    name_->setObjectName("edName");
    layout->addWidget(name_, 0, 1);
    layout->addWidget(new QLabel("Typ", this), 1, 0);
    type_ = new QLineEdit(Q(f.Type), this);
    type_->setObjectName("edTyp");
    layout->addWidget(type_, 1, 1);
    QPushButton* ok = Button("OK", this);
    ok->setDefault(true);
    QPushButton* cancel = Button("Abbrechen", this);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { Press([this] { f_.PressCancel(); }); });
  }

 protected:
  void Store() override {
    f_.Name = S(name_->text());
    f_.Type = S(type_->text());
  }

 private:
  TParameterForm& f_;
  QLineEdit *name_, *type_;
};

// ---- code ------------------------------------------------------------------------------

class CodeDialog : public FormDialog {
 public:
  CodeDialog(TCodeForm& f, IDialogService& d, QWidget* p) : FormDialog(f, d, p), f_(f) {
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    auto* gl = new QVBoxLayout(group);
    auto* head = new QLabel(Q(f.Heading), group);
    head->setObjectName("LbHead");
    gl->addWidget(head);
    layout->addWidget(group);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("MemoCode");
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setPlainText(ToLines(f.Lines).join('\n'));
    layout->addWidget(memo_, 1);
    auto* buttons = new QHBoxLayout();
    QPushButton* ok = Button("OK", this);
    QPushButton* cancel = Button("Abbrechen", this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { Press([this] { f_.PressCancel(); }); });
    resize(520, 380);
    ApplySizing(DialogSizing::Shrinking);
  }

 protected:
  void Store() override { f_.Lines = FromText(memo_->toPlainText()); }

 private:
  TCodeForm& f_;
  QPlainTextEdit* memo_;
};

// ---- method ----------------------------------------------------------------------------

class MethodDialog : public FormDialog {
 public:
  MethodDialog(TMethodForm& f, IDialogService& d, QWidget* p) : FormDialog(f, d, p), f_(f) {
    auto* layout = new QGridLayout(this);
    classLabel_ = new QLabel(this);
    layout->addWidget(classLabel_, 0, 0, 1, 3);
    layout->addWidget(new QLabel("Name der Methode", this), 1, 0);
    name_ = new QLineEdit(this);
    name_->setObjectName("EdMethodName");
    layout->addWidget(name_, 1, 1, 1, 2);
    resultLabel_ = new QLabel("Ergebnistyp", this);
    layout->addWidget(resultLabel_, 2, 0);
    result_ = new QLineEdit(this);
    result_->setObjectName("EdResult");
    layout->addWidget(result_, 2, 1, 1, 2);
    access_ = std::make_unique<RadioGroup>(
        "Zugriffsrecht", std::vector<std::string>{"private", "protected", "public", "published"}, 1,
        this);
    access_->box->setObjectName("RgAccess");
    kind_ = std::make_unique<RadioGroup>(
        "Art der Methode",
        std::vector<std::string>{"Construktor", "Auftrag", "Anfrage", "Destruktor"}, 1, this);
    kind_->box->setObjectName("RgSorte");
    layout->addWidget(access_->box, 3, 0);
    layout->addWidget(kind_->box, 3, 1);
    auto* flags = new QVBoxLayout();
    classMethod_ = new QCheckBox("Klassenmethode", this);
    classMethod_->setObjectName("cbKlassenmethode");
    abstract_ = new QCheckBox("abstrakt", this);
    abstract_->setObjectName("cbAbstrakt");
    final_ = new QCheckBox("final", this);
    final_->setObjectName("cbFinal");
    flags->addWidget(classMethod_);
    flags->addWidget(abstract_);
    flags->addWidget(final_);
    flags->addStretch();
    layout->addLayout(flags, 3, 2);
    layout->addWidget(new QLabel("Parameter", this), 4, 0, 1, 3);
    params_ = new QListWidget(this);
    params_->setObjectName("lbParameter");
    layout->addWidget(params_, 5, 0, 1, 2);
    auto* pb = new QVBoxLayout();
    QPushButton* pNew = Button("neu", this);
    QPushButton* pEdit = Button("bearbeite", this);
    QPushButton* pDel = Button("entferne", this);
    QPushButton* pUp = Button("<", this);
    QPushButton* pDown = Button(">", this);
    for (QPushButton* b : {pNew, pEdit, pDel, pUp, pDown}) pb->addWidget(b);
    layout->addLayout(pb, 5, 2);
    layout->addWidget(new QLabel("Dokumentation", this), 6, 0, 1, 3);
    doku_ = new QPlainTextEdit(this);
    doku_->setObjectName("MemoDoku");
    layout->addWidget(doku_, 7, 0, 1, 3);
    auto* buttons = new QHBoxLayout();
    QPushButton* code = Button("Code bearbeiten", this);
    code->setObjectName("BtCode");
    QPushButton* ok = Button("OK", this);
    ok->setDefault(true);
    QPushButton* cancel = Button("Abbrechen", this);
    del_ = Button(W("Methode löschen"), this);
    for (QPushButton* b : {code, ok, cancel, del_}) buttons->addWidget(b);
    layout->addLayout(buttons, 8, 0, 1, 3);

    connect(ok, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { Press([this] { f_.PressCancel(); }); });
    connect(del_, &QPushButton::clicked, this, [this] { Press([this] { f_.PressDelete(); }); });
    connect(code, &QPushButton::clicked, this,
            [this] { Press([this] { f_.EditCode(dialogs_); }); });
    connect(kind_->group, &QButtonGroup::idClicked, this,
            [this](int id) { Press([this, id] { f_.SetKind(id); }); });
    connect(pNew, &QPushButton::clicked, this,
            [this] { Press([this] { f_.NewParameter(dialogs_); }); });
    connect(pEdit, &QPushButton::clicked, this,
            [this] { Press([this] { f_.EditParameter(dialogs_); }); });
    connect(pDel, &QPushButton::clicked, this, [this] { Press([this] { f_.RemoveParameter(); }); });
    connect(pUp, &QPushButton::clicked, this, [this] { Press([this] { f_.MoveParameterUp(); }); });
    connect(pDown, &QPushButton::clicked, this,
            [this] { Press([this] { f_.MoveParameterDown(); }); });
    doku_->setPlainText(ToLines(f.Documentation).join('\n'));
    Load();
  }

 protected:
  void Load() override {
    classLabel_->setText(Q(f_.ClassLabel));
    name_->setText(Q(f_.Name));
    result_->setText(Q(f_.ResultType));
    result_->setVisible(f_.ResultVisible);
    resultLabel_->setVisible(f_.ResultVisible);
    access_->SetIndex(f_.Access);
    kind_->SetIndex(f_.Kind);
    classMethod_->setChecked(f_.IsClassMethod);
    abstract_->setChecked(f_.IsAbstract);
    final_->setChecked(f_.IsFinal);
    params_->clear();
    for (int i = 0; i < static_cast<int>(f_.Parameters.size()); ++i)
      params_->addItem(Q(f_.ParameterEntry(i)));
    params_->setCurrentRow(f_.SelectedParameter);
    del_->setVisible(f_.DeleteVisible);
  }
  void Store() override {
    f_.Name = S(name_->text());
    f_.ResultType = S(result_->text());
    f_.Access = access_->Index();
    f_.Kind = kind_->Index() < 0 ? f_.Kind : kind_->Index();
    f_.IsClassMethod = classMethod_->isChecked();
    f_.IsAbstract = abstract_->isChecked();
    f_.IsFinal = final_->isChecked();
    f_.SelectedParameter = params_->currentRow();
    f_.Documentation = FromText(doku_->toPlainText());
  }

 private:
  TMethodForm& f_;
  QLabel *classLabel_, *resultLabel_;
  QLineEdit *name_, *result_;
  std::unique_ptr<RadioGroup> access_, kind_;
  QCheckBox *classMethod_, *abstract_, *final_;
  QListWidget* params_;
  QPlainTextEdit* doku_;
  QPushButton* del_;
};

// ---- class name ------------------------------------------------------------------------

class ClassnameDialog : public FormDialog {
 public:
  ClassnameDialog(TClassnameForm& f, IDialogService& d, QWidget* p) : FormDialog(f, d, p), f_(f) {
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("(Neuer) Name der Klasse :  ", this), 0, 0);
    name_ = new QLineEdit(Q(f.Name), this);
    name_->setObjectName("EdClName");
    layout->addWidget(name_, 0, 1);
    kind_ = std::make_unique<RadioGroup>(
        "Art der Klasse", std::vector<std::string>{"normal", "abstrakt", "Bibliotheksklasse"}, 3,
        this);
    kind_->box->setObjectName("RgClSorte");
    kind_->SetIndex(f.Kind);
    layout->addWidget(kind_->box, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout();
    QPushButton* ok = Button("ok", this);
    ok->setDefault(true);
    QPushButton* cancel = Button("Abbruch", this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { Press([this] { f_.PressCancel(); }); });
    ApplySizing(DialogSizing::Shrinking);
    EnableOnScreenRule();
  }

 protected:
  void Store() override {
    f_.Name = S(name_->text());
    f_.Kind = kind_->Index();
  }

 private:
  TClassnameForm& f_;
  QLineEdit* name_;
  std::unique_ptr<RadioGroup> kind_;
};

// ---- line, texts, note -----------------------------------------------------------------

class ChooseLineDialog : public FormDialog {
 public:
  ChooseLineDialog(TChooseLineForm& f, IDialogService& d, QWidget* p) : FormDialog(f, d, p), f_(f) {
    auto* layout = new QVBoxLayout(this);
    group_ = std::make_unique<RadioGroup>(
        "", std::vector<std::string>{"lang gestrichelt", "kurz gestrichelt"}, 1, this);
    group_->box->setObjectName("RadioGroup1");
    group_->SetIndex(f.LongDash ? 0 : 1);
    layout->addWidget(group_->box);
    QPushButton* ok = Button("OK", this);
    ok->setDefault(true);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    ApplySizing(DialogSizing::Fixed);
    EnableOnScreenRule();
  }

 protected:
  void Store() override { f_.LongDash = group_->Index() != 1; }
  void reject() override {
    Store();
    FormDialog::reject();
  }

 private:
  TChooseLineForm& f_;
  std::unique_ptr<RadioGroup> group_;
};

class ConnectionTextDialog : public FormDialog {
 public:
  ConnectionTextDialog(TConnectionTextForm& f, IDialogService& d, QWidget* p)
      : FormDialog(f, d, p), f_(f) {
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(Q(f.TopLeft), this), 0, 0);
    layout->addWidget(new QLabel(Q(f.TopRight), this), 0, 1);
    layout->addWidget(new QLabel(Q(f.Middle), this), 1, 0, 1, 2);
    layout->addWidget(new QLabel(Q(f.BottomLeft), this), 2, 0);
    layout->addWidget(new QLabel(Q(f.BottomRight), this), 2, 1);
    text_ = new QLineEdit(Q(f.Text), this);
    text_->setObjectName("EdText");
    layout->addWidget(text_, 3, 0, 1, 2);
    QPushButton* ok = Button(W("Übernehmen"), this);
    ok->setDefault(true);
    layout->addWidget(ok, 4, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    EnableOnScreenRule();
  }

 protected:
  void Store() override { f_.Text = S(text_->text()); }
  void reject() override {
    Store();
    FormDialog::reject();
  }

 private:
  TConnectionTextForm& f_;
  QLineEdit* text_;
};

// A memo with an OK and a cancel button (notes and class descriptions).
class MemoDialog : public FormDialog {
 public:
  MemoDialog(TDialogForm& f, IDialogService& d, QWidget* p, StringList& lines,
             const std::string& okCaption, std::function<void()> ok, std::function<void()> cancel,
             const std::string& label = {}, const std::string& hint = {})
      : FormDialog(f, d, p), lines_(lines) {
    auto* layout = new QVBoxLayout(this);
    if (!label.empty()) {
      auto* l = new QLabel(Q(label), this);
      l->setObjectName("LbClassName");
      layout->addWidget(l);
    }
    if (!hint.empty()) layout->addWidget(new QLabel(Q(hint), this));
    memo_ = new QPlainTextEdit(this);
    memo_->setPlainText(ToLines(lines).join('\n'));
    layout->addWidget(memo_, 1);
    auto* buttons = new QHBoxLayout();
    QPushButton* okButton = Button(okCaption, this);
    QPushButton* cancelButton = Button("Abbrechen", this);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    connect(okButton, &QPushButton::clicked, this, [this, ok] { Press(ok); });
    connect(cancelButton, &QPushButton::clicked, this, [this, cancel] { Press(cancel); });
    resize(420, 300);
    ApplySizing(DialogSizing::Fixed);
  }

 protected:
  void Store() override { lines_ = FromText(memo_->toPlainText()); }

 private:
  StringList& lines_;
  QPlainTextEdit* memo_;
};

// ---- choices ---------------------------------------------------------------------------

class ChooseListDialog : public FormDialog {
 public:
  // buttons: caption and press function, in order; the button at okButton confirms the
  // choice: it is the default button (Return) and a double click on an entry presses it.
  ChooseListDialog(TDialogForm& f, IDialogService& d, QWidget* p,
                   const std::vector<std::string>& items, bool multi, const char* listName,
                   std::vector<std::pair<std::string, std::function<void()>>> buttons,
                   std::function<void(QListWidget*)> store, int selected, DialogSizing sizing,
                   int okButton)
      : FormDialog(f, d, p), store_(std::move(store)) {
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(listName);
    if (multi) list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const std::string& s : items) list_->addItem(Q(s));
    if (selected >= 0 && selected < list_->count()) list_->setCurrentRow(selected);
    layout->addWidget(list_, 1);
    auto* row = new QHBoxLayout();
    for (size_t i = 0; i < buttons.size(); ++i) {
      QPushButton* b = Button(buttons[i].first, this);
      auto fn = buttons[i].second;
      connect(b, &QPushButton::clicked, this, [this, fn] { Press(fn); });
      row->addWidget(b);
      // Return confirms the choice, unless another button has the focus.
      if (static_cast<int>(i) == okButton) {
        b->setDefault(true);
        connect(list_, &QListWidget::itemDoubleClicked, b, &QPushButton::click);
      }
    }
    layout->addLayout(row);
    resize(420, 300);
    ApplySizing(sizing);
    EnableOnScreenRule();
  }

 protected:
  void Store() override { store_(list_); }

 private:
  std::function<void(QListWidget*)> store_;
  QListWidget* list_;
};

// ---- object ----------------------------------------------------------------------------

// The value cells hand every keystroke to the object at once, not only the finished edit.
class LiveValueDelegate : public QStyledItemDelegate {
 public:
  LiveValueDelegate(std::function<void(int, const QString&)> edited, QObject* parent)
      : QStyledItemDelegate(parent), edited_(std::move(edited)) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      const int row = index.row();
      auto edited = edited_;
      connect(line, &QLineEdit::textEdited, line,
              [edited, row](const QString& text) { edited(row, text); });
    }
    return editor;
  }

 private:
  std::function<void(int, const QString&)> edited_;
};

class ChangeObjectDialog : public FormDialog {
 public:
  ChangeObjectDialog(TChangeObjectForm& f, IDialogService& d, QWidget* p)
      : FormDialog(f, d, p), f_(f) {
    resize(420, 360);
    nameLabel_ = new QLabel("Names des Objektes", this);
    nameLabel_->setGeometry(kMargin, 10, 130, 22);
    name_ = new QLineEdit(Q(f.ObjectName), this);
    name_->setObjectName("EdObjektName");
    classLabel_ = new QLabel(Q(f.ClassLabel), this);
    classLabel_->setObjectName("LbKlasse");
    hint_ = new QLabel("Bitte hier die Attribute mit aktuellen: Werten belegen", this);
    grid_ = new QTableWidget(f.RowCount(), 2, this);
    grid_->setObjectName("SGAnzeige");
    grid_->setHorizontalHeaderLabels({"Attribute", "Werte"});
    grid_->verticalHeader()->hide();
    for (int r = 0; r < f.RowCount(); ++r) {
      auto* a = new QTableWidgetItem(Q(f.AttributeName(r)));
      a->setFlags(a->flags() & ~Qt::ItemIsEditable);
      grid_->setItem(r, 0, a);
      grid_->setItem(r, 1, new QTableWidgetItem(Q(f.Value(r))));
    }
    // Every edited value goes into the object at once, while it is typed.
    connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
      if (column == 1) f_.SetValue(row, S(grid_->item(row, 1)->text()));
    });
    grid_->setItemDelegateForColumn(
        1, new LiveValueDelegate(
               [this](int row, const QString& text) { f_.SetValue(row, S(text)); }, grid_));
    ok_ = Button(W("So übernehmen"), this);
    cancel_ = Button("Abbrechen", this);
    connect(ok_, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    connect(cancel_, &QPushButton::clicked, this, [this] { Press([this] { f_.PressCancel(); }); });
    setSizeGripEnabled(true);
    Arrange();
  }

 protected:
  void Store() override { f_.ObjectName = S(name_->text()); }
  void resizeEvent(QResizeEvent* event) override {
    FormDialog::resizeEvent(event);
    Arrange();
  }

 private:
  static constexpr int kMargin = 10;
  void Arrange() {
    const int nameLeft = kMargin + 140;
    TChangeObjectLayout l = LayoutChangeObject(width(), height(), kMargin, 90, 28, nameLeft);
    name_->setGeometry(nameLeft, 10, l.nameFieldWidth, 22);
    classLabel_->setGeometry(kMargin, 38, l.gridWidth, 20);
    hint_->setGeometry(kMargin, 62, l.gridWidth, 20);
    grid_->setGeometry(l.gridLeft, l.gridTop, l.gridWidth, l.gridHeight);
    grid_->setColumnWidth(0, l.columnWidth);
    grid_->setColumnWidth(1, l.columnWidth);
    ok_->setGeometry(l.okLeft, l.buttonTop, l.buttonWidth, 28);
    cancel_->setGeometry(l.cancelLeft, l.buttonTop, l.buttonWidth, 28);
  }
  TChangeObjectForm& f_;
  QLabel *nameLabel_, *classLabel_, *hint_;
  QLineEdit* name_;
  QTableWidget* grid_;
  QPushButton *ok_, *cancel_;
};

// ---- project directory -----------------------------------------------------------------

class ChangeDirectoryDialog : public FormDialog {
 public:
  ChangeDirectoryDialog(TChangeDirectoryForm& f, IDialogService& d, QWidget* p)
      : FormDialog(f, d, p), f_(f) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Laufwerk:", this));
    drives_ = new QComboBox(this);
    drives_->setObjectName("DriveComboBox1");
    for (const QFileInfo& drive : QDir::drives()) drives_->addItem(drive.absoluteFilePath());
    drives_->addItem(QDir::homePath());
    layout->addWidget(drives_);
    layout->addWidget(new QLabel(Q(W("Verzeichnis (bitte mit Doppelklick auswählen)")), this));
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QDir::rootPath());
    tree_ = new QTreeView(this);
    tree_->setObjectName("DirectoryListBox1");
    tree_->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c) tree_->hideColumn(c);
    tree_->setHeaderHidden(true);
    layout->addWidget(tree_, 1);
    layout->addWidget(new QLabel("Name des Verzeichnisses ", this));
    dir_ = new QLineEdit(this);
    dir_->setObjectName("EdVerzeichnis");
    layout->addWidget(dir_);
    layout->addWidget(new QLabel("eventuell Name eines Unterverzeichnisses ", this));
    sub_ = new QLineEdit(Q(f.SubDirectory), this);
    sub_->setObjectName("EdUnterverzeichnis");
    layout->addWidget(sub_);
    auto* buttons = new QHBoxLayout();
    QPushButton* ok = Button("OK", this);
    QPushButton* cancel = Button("Abbrechen", this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    QString start = f.ListDirectory.empty() ? QDir::currentPath() : Q(f.ListDirectory);
    tree_->setCurrentIndex(model_->index(start));
    tree_->scrollTo(model_->index(start));
    f_.SetListDirectory(S(start));
    dir_->setText(Q(f_.Directory));
    auto choose = [this](const QModelIndex& index) {
      f_.SetListDirectory(S(model_->filePath(index)));
      dir_->setText(Q(f_.Directory));
    };
    connect(tree_, &QTreeView::doubleClicked, this, choose);
    connect(tree_, &QTreeView::clicked, this, choose);
    connect(drives_, &QComboBox::currentTextChanged, this, [this](const QString& path) {
      tree_->setCurrentIndex(model_->index(path));
      f_.SetListDirectory(S(path));
      dir_->setText(Q(f_.Directory));
    });
    connect(sub_, &QLineEdit::textChanged, this, [this](const QString& text) {
      f_.SetSubDirectory(S(text));
      dir_->setText(Q(f_.Directory));
    });
    connect(ok, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { Press([this] { f_.PressCancel(); }); });
    resize(460, 480);
    ApplySizing(DialogSizing::Shrinking);
  }

 protected:
  void Store() override { f_.Directory = S(dir_->text()); }

 private:
  TChangeDirectoryForm& f_;
  QComboBox* drives_;
  QFileSystemModel* model_;
  QTreeView* tree_;
  QLineEdit *dir_, *sub_;
};

// ---- display options -------------------------------------------------------------------

class OptionsDialog : public FormDialog {
 public:
  OptionsDialog(TOptionsForm& f, IDialogService& d, QWidget* p) : FormDialog(f, d, p), f_(f) {
    auto* layout = new QVBoxLayout(this);
    QPushButton* font = Button(W("Schrift ändern"), this);
    layout->addWidget(font);
    auto group = [this, layout](const std::string& title, std::vector<std::string> items,
                                auto& value) {
      using Setting = std::remove_reference_t<decltype(value)>;
      groups_.push_back(
          std::make_unique<RadioGroup>(title, items, static_cast<int>(items.size()), this));
      RadioGroup* g = groups_.back().get();
      g->SetIndex(CodeOf(value));
      Setting* target = &value;
      // The groups are the settings: every change is in effect at once.
      connect(g->group, &QButtonGroup::idClicked, this,
              [target](int id) { *target = FromCode<Setting>(id); });
      layout->addWidget(g->box);
    };
    TFOptions& o = f.Options;
    group("Breite der Klassendarstellung", {"normal", "schmal", "ohne Parameter usw."}, o.RGWidth);
    group("Zugriffsrechte anzeigen", {"ja", "nein"}, o.RGShowAc);
    group("Methodenart anzeigen", {"ja", "nein"}, o.RGShowKindOfM);
    group("published anzeigen", {"ja", "nein"}, o.RgPublished);
    group("public anzeigen", {"ja", "nein"}, o.RgPublic);
    group("protected anzeigen", {"ja", "nein"}, o.RgProtected);
    group("private anzeigen", {"ja", "nein"}, o.RgPrivate);
    QPushButton* ok = Button("OK", this);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, [this] { Press([this] { f_.PressOk(); }); });
    connect(font, &QPushButton::clicked, this, [this] {
      TFontSpec chosen = f_.Options.Font;
      if (dialogs_.ChooseFont(chosen, FontEffects::Offered)) Press([this, chosen] { f_.FontChosen(chosen); });
    });
    ApplySizing(DialogSizing::Fixed);
    EnableOnScreenRule();
  }

 private:
  TOptionsForm& f_;
  std::vector<std::unique_ptr<RadioGroup>> groups_;
};

}  // namespace

QDialog* CreateFormDialog(TDialogForm& form, IDialogService& d, QWidget* parent) {
  if (QDialog* viewer = CreateViewerDialog(form, d, parent)) return viewer;
  if (auto* f = dynamic_cast<TAttributeForm*>(&form)) return new AttributeDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TMethodForm*>(&form)) return new MethodDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TParameterForm*>(&form)) return new ParameterDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TCodeForm*>(&form)) return new CodeDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TClassnameForm*>(&form)) return new ClassnameDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TChooseLineForm*>(&form)) return new ChooseLineDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TConnectionTextForm*>(&form))
    return new ConnectionTextDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TInfoBoxForm*>(&form))
    return new MemoDialog(
        form, d, parent, f->Lines, W("So übernehmen"), [f] { f->PressOk(); },
        [f] { f->PressCancel(); });
  if (auto* f = dynamic_cast<TClassDokuForm*>(&form))
    return new MemoDialog(
        form, d, parent, f->Lines, "OK", [f] { f->PressOk(); }, [f] { f->PressCancel(); },
        f->ClassLabel, "Detailangaben zu den Attributen und Methoden jeweils dort vermerken.");
  if (auto* f = dynamic_cast<TChooseMethodForm*>(&form)) {
    auto* dlg = new ChooseListDialog(
        form, d, parent, f->Items, false, "LBMethoden",
        {{"NeueMethode", [f] { f->PressNew(); }},
         {W("So Übernehmen"), [f] { f->PressOk(); }},
         {"Abbruch", [f] { f->PressCancel(); }},
         {"keine Methode zuordnen", [f] { f->PressNone(); }}},
        [f](QListWidget* l) {
          f->Selected = l->currentItem() && l->currentItem()->isSelected() ? l->currentRow() : -1;
        },
        f->Selected, DialogSizing::Fixed, 1);
    return dlg;
  }
  if (auto* f = dynamic_cast<TChooseAttributeForm*>(&form)) {
    auto* dlg = new ChooseListDialog(
        form, d, parent, f->Items, f->MultiSelect, "LBAttributes",
        {{"Neues Attribut", [f] { f->PressNew(); }},
         {W("So Übernehmen"), [f] { f->PressOk(); }},
         {"Abbruch", [f] { f->PressCancel(); }},
         {"kein Attribut zuordnen", [f] { f->PressNone(); }}},
        [f](QListWidget* l) {
          f->SelectedItems.assign(f->Items.size(), false);
          for (int i = 0; i < l->count(); ++i)
            f->SelectedItems[static_cast<size_t>(i)] = l->item(i)->isSelected();
          f->Focused = l->currentRow();
        },
        f->Focused, DialogSizing::Fixed, 1);
    // Entries the caller preselected (the attributes a relationship already stands for).
    if (auto* list = dlg->findChild<QListWidget*>("LBAttributes"))
      for (int i = 0; i < list->count() && i < static_cast<int>(f->SelectedItems.size()); ++i)
        if (f->SelectedItems[static_cast<size_t>(i)]) list->item(i)->setSelected(true);
    return dlg;
  }
  if (auto* f = dynamic_cast<TChooseClassForm*>(&form)) {
    auto* dlg = new ChooseListDialog(
        form, d, parent, f->Items, false, "LBClasses",
        {{f->OkCaption, [f] { f->PressOk(); }}, {f->CancelCaption, [f] { f->PressCancel(); }}},
        [f](QListWidget* l) {
          f->Selected = l->currentItem() && l->currentItem()->isSelected() ? l->currentRow() : -1;
        },
        f->Selected, DialogSizing::Shrinking, 0);
    if (f->Placed) dlg->move(f->Left, f->Top);
    return dlg;
  }
  if (auto* f = dynamic_cast<TChangeObjectForm*>(&form))
    return new ChangeObjectDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TChangeDirectoryForm*>(&form))
    return new ChangeDirectoryDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TOptionsForm*>(&form)) return new OptionsDialog(*f, d, parent);
  if (auto* f = dynamic_cast<TCoOptionsForm*>(&form)) return CreateCoOptionsDialog(*f, d, parent);
  return nullptr;
}

}  // namespace zedro
