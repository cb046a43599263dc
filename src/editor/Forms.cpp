#include "editor/Forms.h"

#include <cmath>
#include <utility>

#include "editor/DialogService.h"
#include "model/Messages.h"
#include "model/ParameterScanner.h"
#include "model/Win1252.h"

namespace zedro {

bool TDialogForm::IsIdentifier(const std::string& name) {
  TParameterScanner scanner(name, messages_);
  return scanner.IsIdentifier();
}

namespace {
bool Blank(const std::string& s) { return text::Trim(s).empty(); }
}  // namespace

// ---- attribute -------------------------------------------------------------------------

void TAttributeForm::PressOk() {
  if (Blank(Name) || Blank(Type)) {
    messages_.Message(MsgKind::Plain, "Es ist keine Name oder kein Typ des Attributes eingegeben!");
    return;
  }
  if (!IsIdentifier(Name)) return;
  Close(kResultOk);
}

void TAttributeForm::PressCancel() {
  Name.clear();
  Close(kResultCancel);
}

bool TAttributeForm::CheckNameForMethod(bool& checked) {
  // An empty name passes the scanner but cannot name a method either.
  if (Blank(Name) || !IsIdentifier(Name)) {
    messages_.Message(MsgKind::Warning,
                      W("Der Name des Attributes ist kein zulässiger Bezeichner!\n"
                        "Bitte erst den Namen des Attributes ändern!"));
    checked = false;
    return false;
  }
  checked = true;
  return true;
}

void TAttributeForm::SetReadChecked(bool checked) {
  if (!checked) {
    ReadChecked = false;
    ReadNameVisible = false;
    ReadName.clear();
    return;
  }
  if (CheckNameForMethod(ReadChecked)) {
    ReadNameVisible = true;
    ReadName = "Gib" + CapitalizedName(Name);
  }
}

void TAttributeForm::SetWriteChecked(bool checked) {
  if (!checked) {
    WriteChecked = false;
    WriteNameVisible = false;
    WriteName.clear();
    return;
  }
  if (CheckNameForMethod(WriteChecked)) {
    WriteNameVisible = true;
    WriteName = "Setze" + CapitalizedName(Name);
  }
}

// ---- parameter -------------------------------------------------------------------------

void TParameterForm::PressOk() { Close(!Blank(Name) && !Blank(Type) ? kResultOk : kResultCancel); }

// ---- method ----------------------------------------------------------------------------

void TMethodForm::PressOk() {
  if (Kind == CodeOf(TMethodKind::Function) && Blank(ResultType)) {
    messages_.Message(MsgKind::Plain, "Es ist kein Ergebnistyp der Anfrage angegeben!");
    return;
  }
  if (Blank(Name)) {
    messages_.Message(MsgKind::Plain, "Es ist kein Name der Methode angegeben!");
    return;
  }
  if (!IsIdentifier(Name)) return;
  Close(kResultOk);
}

void TMethodForm::PressCancel() {
  Name.clear();
  Close(kResultCancel);
}

void TMethodForm::SetKind(int kind) {
  Kind = kind;
  ResultVisible = kind == CodeOf(TMethodKind::Function);
  if (!ResultVisible) ResultType.clear();
}

void TMethodForm::NewParameter(IDialogService& dialogs) {
  TParameterForm form(messages_);
  dialogs.RunDialog(form);
  if (form.Result != kResultOk) return;
  Parameters.emplace_back(form.Name, form.Type);
  SelectedParameter = static_cast<int>(Parameters.size()) - 1;
}

void TMethodForm::EditParameter(IDialogService& dialogs) {
  if (SelectedParameter < 0 || SelectedParameter >= static_cast<int>(Parameters.size())) return;
  TParameter& p = Parameters[static_cast<size_t>(SelectedParameter)];
  TParameterForm form(messages_);
  form.Name = p.Name;
  form.Type = p.TypeName;
  dialogs.RunDialog(form);
  if (form.Result != kResultOk) return;
  p.Name = form.Name;
  p.TypeName = form.Type;
}

void TMethodForm::RemoveParameter() {
  if (SelectedParameter < 0 || SelectedParameter >= static_cast<int>(Parameters.size())) return;
  Parameters.erase(Parameters.begin() + SelectedParameter);
  SelectedParameter = -1;
}

void TMethodForm::MoveParameterUp() {
  if (SelectedParameter < 1 || SelectedParameter >= static_cast<int>(Parameters.size())) return;
  std::swap(Parameters[static_cast<size_t>(SelectedParameter)],
            Parameters[static_cast<size_t>(SelectedParameter - 1)]);
  --SelectedParameter;
}

void TMethodForm::MoveParameterDown() {
  if (SelectedParameter < 0 || SelectedParameter + 1 >= static_cast<int>(Parameters.size())) return;
  std::swap(Parameters[static_cast<size_t>(SelectedParameter)],
            Parameters[static_cast<size_t>(SelectedParameter + 1)]);
  ++SelectedParameter;
}

std::string TMethodForm::ParameterEntry(int index) const {
  return Parameters[static_cast<size_t>(index)].DisplayText();
}

std::string TMethodForm::CodeHeading() const {
  static const char* const kKeywords[] = {"CONSTRUCTOR ", "PROCEDURE ", "FUNCTION ",
                                          "DESTRUCTOR "};
  std::string h = (Kind >= 0 && Kind <= 3) ? kKeywords[Kind] : "PROCEDURE ";
  h += ClassName + "." + Name;
  if (!Parameters.empty()) {
    h += "(";
    for (size_t i = 0; i < Parameters.size(); ++i) {
      if (i) h += "; ";
      h += ParameterEntry(static_cast<int>(i));
    }
    h += ")";
  }
  h += Kind == CodeOf(TMethodKind::Function) ? ":" + ResultType + ";" : ";";
  return h;
}

void TMethodForm::EditCode(IDialogService& dialogs) {
  if (!Code) return;
  TCodeForm form(messages_);
  form.Heading = CodeHeading();
  form.Lines = *Code;
  dialogs.RunDialog(form);
  if (form.Result == kResultOk) *Code = form.Lines;
}

// ---- class name ------------------------------------------------------------------------

void TClassnameForm::PressOk() {
  if (Blank(Name)) {
    messages_.Message(MsgKind::Plain, W("Es ist keine Name für die Klasse eingegeben"));
    return;
  }
  if (!IsIdentifier(Name)) return;
  Close(kResultOk);
}

// ---- choices ---------------------------------------------------------------------------

TChooseLineForm::TChooseLineForm(IMessages& messages) : TDialogForm(messages) {
  Caption = W("Bitte Linie auswählen");
}

TConnectionTextForm::TConnectionTextForm(IMessages& messages) : TDialogForm(messages) {
  Caption = W("Wieviele Objekte ...? (Kardinalitäten)");
}

TChooseMethodForm::TChooseMethodForm(IMessages& messages) : TDialogForm(messages) {
  Caption = W("Methode auswählen");
}

TChooseAttributeForm::TChooseAttributeForm(IMessages& messages) : TDialogForm(messages) {
  Caption = W("Attribut auswählen");
}

void TChooseMethodForm::PressOk() {
  if (Selected < 0 || Selected >= static_cast<int>(Items.size())) {
    messages_.Message(MsgKind::Plain, W("Es ist keine Methode gewählt worden !"));
    return;
  }
  Close(kResultOk);
}

void TChooseAttributeForm::Select(int index) {
  if (index < 0 || index >= static_cast<int>(Items.size())) return;
  SelectedItems.resize(Items.size(), false);
  if (!MultiSelect) SelectedItems.assign(Items.size(), false);
  SelectedItems[static_cast<size_t>(index)] = true;
  Focused = index;
}

void TChooseAttributeForm::PressOk() {
  if (Focused < 0 || Focused >= static_cast<int>(Items.size())) {
    messages_.Message(MsgKind::Plain, W("Es ist keine Attribut gewählt worden !"));
    return;
  }
  Close(kResultOk);
}

TChooseClassForm::TChooseClassForm(IMessages& messages) : TDialogForm(messages) {
  Caption = W("Bitte Klasse auswählen !");
}

void TChooseClassForm::PressOk() {
  if (Selected < 0 || Selected >= static_cast<int>(Items.size())) {
    messages_.Message(MsgKind::Information, W("Es ist keine Klasse angewählt!"));
    return;
  }
  Close(kResultOk);
}

// ---- object ----------------------------------------------------------------------------

TChangeObjectForm::TChangeObjectForm(IMessages& messages) : TDialogForm(messages) {
  Caption = "Anlegen eines neuen Objektes";
}

void TChangeObjectForm::Fill(TObjectAttributeList& values) {
  rows_.clear();
  for (int i = 0; i < values.Count(); ++i) {
    const TAttribute* a = values.AttributeAt(i);
    rows_.push_back({a ? a->Name : std::string(), &values, i});
  }
}

std::string TChangeObjectForm::AttributeName(int row) const {
  return rows_[static_cast<size_t>(row)].attribute;
}

std::string TChangeObjectForm::Value(int row) const {
  const Row& r = rows_[static_cast<size_t>(row)];
  return r.index < r.list->Count() ? r.list->ValueAt(r.index) : std::string();
}

void TChangeObjectForm::SetValue(int row, const std::string& text) {
  if (row < 0 || row >= RowCount()) return;
  Row& r = rows_[static_cast<size_t>(row)];
  if (r.index < r.list->Count()) r.list->Item(r.index).Value = text;
}

TChangeObjectLayout LayoutChangeObject(int clientWidth, int clientHeight, int leftMargin,
                                       int gridTop, int buttonHeight, int nameFieldLeft) {
  TChangeObjectLayout l{};
  l.buttonTop = clientHeight - 10 - buttonHeight;
  l.buttonWidth = (clientWidth - 2 * leftMargin - 10) / 2;
  l.okLeft = leftMargin;
  l.cancelLeft = leftMargin + l.buttonWidth + 10;
  l.gridLeft = leftMargin;
  l.gridTop = gridTop;
  l.gridWidth = clientWidth - 2 * leftMargin;
  l.gridHeight = l.buttonTop - 10 - gridTop;
  if (l.gridHeight < 0) l.gridHeight = 0;
  l.columnWidth = l.gridWidth / 2;
  l.nameFieldWidth = leftMargin + l.gridWidth - nameFieldLeft;
  return l;
}

// ---- project directory -----------------------------------------------------------------

TChangeDirectoryForm::TChangeDirectoryForm(IMessages& messages) : TDialogForm(messages) {
  Caption = W("Projektverzeichnis auswählen / anlegen");
}

void TChangeDirectoryForm::Update() {
  Directory = ListDirectory;
  if (!SubDirectory.empty()) {
    std::string base = ListDirectory;
    if (!base.empty() && base.back() != '/') base += '/';
    Directory = base + SubDirectory + "/";
  }
}

void TChangeDirectoryForm::SetListDirectory(const std::string& directory) {
  ListDirectory = directory;
  Update();
}

void TChangeDirectoryForm::SetSubDirectory(const std::string& name) {
  SubDirectory = name;
  Update();
}

void TChangeDirectoryForm::PressOk() {
  ChosenPath = Directory;
  Close(kResultOk);
}

// ---- sizing ----------------------------------------------------------------------------

TSizing ApplySizingRule(int designWidth, int designHeight, int screenWidth, int ppi,
                        bool shrinking) {
  TSizing s{designWidth, designHeight, 100, false};
  const int d = ppi - 96;
  const double dpiFactor = ppi / 96.0;
  const double f = screenWidth / 1024.0;
  auto times = [](int v, double factor) { return static_cast<int>(std::lround(v * factor)); };
  if (screenWidth > 1024 || (screenWidth == 1024 && d >= 1)) s.anchorTopLeft = true;
  if (screenWidth >= 1024 && d >= 1) {
    s.width = times(designWidth, dpiFactor);
    s.height = times(designHeight, dpiFactor);
  } else if (screenWidth > 1024) {
    s.width = times(designWidth, f);
    s.height = times(designHeight, f);
    s.scalePercent = static_cast<int>(std::lround(f * 100));
  } else if (shrinking) {
    if (d < 1) {
      s.width = times(designWidth, f);
      s.height = times(designHeight, f);
    }
    s.scalePercent = static_cast<int>(std::lround(f * 100));
  }
  return s;
}

TScreenRect KeepOnScreen(TScreenRect r, int screenWidth, int screenHeight) {
  if (r.left < 0) r.left = 0;
  if (r.left + r.width > screenWidth) r.left = screenWidth - r.width;
  if (r.top < 0) r.top = 0;
  if (r.top + r.height > screenHeight) r.top = screenHeight - r.height;
  return r;
}

TScreenRect PrintRect(int pageWidth, int pageHeight, int bitmapWidth, int bitmapHeight) {
  TScreenRect r{};
  if (bitmapWidth <= 0 || bitmapHeight <= 0) return r;
  if (pageHeight > pageWidth) {
    r.width = pageWidth - 200;
    r.height = static_cast<int>(
        std::lround(static_cast<double>(pageWidth - 200) / bitmapWidth * bitmapHeight));
  } else {
    r.height = pageHeight - 200;
    r.width = static_cast<int>(
        std::lround(static_cast<double>(pageHeight - 200) / bitmapHeight * bitmapWidth));
  }
  r.left = (pageWidth - r.width) / 2;
  r.top = (pageHeight - r.height) / 2;
  return r;
}

}  // namespace zedro
