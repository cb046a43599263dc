// The data, checks and results of the editor's modal dialogs, without any window. The Qt
// dialogs show and edit a form; the scripted dialog service of the tests presses its
// buttons directly. A form is open while Result is 0; a button with a result code closes
// it by setting Result, a refused button leaves it open after its message.
#pragma once

#include <string>
#include <vector>

#include "diagram/Options.h"
#include "model/MemberCode.h"
#include "model/ObjectValues.h"
#include "model/UMLClass.h"
#include "persistence/StoredCodes.h"

namespace zedro {

class IMessages;
class IDialogService;

// Result codes shared by all dialogs.
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;
constexpr int kResultNew = 4;
constexpr int kResultNone = 5;
constexpr int kResultDelete = 7;

class TDialogForm {
 public:
  explicit TDialogForm(IMessages& messages) : messages_(messages) {}
  virtual ~TDialogForm() = default;
  TDialogForm(const TDialogForm&) = delete;
  TDialogForm& operator=(const TDialogForm&) = delete;

  // The dialog type's name, for example "TFAttributeDialog".
  virtual const char* TypeName() const = 0;
  bool IsOpen() const { return Result == 0; }
  void Close(int code) { Result = code; }
  // Closed without a button of its own (close box, Escape): the platform's cancel code.
  void CloseBox() { Result = kResultCancel; }
  IMessages& Messages() { return messages_; }

  std::string Caption;
  int Result = 0;

 protected:
  // IsIdentifier with its own message.
  bool IsIdentifier(const std::string& name);
  IMessages& messages_;
};

// TFAttributeDialog: an attribute's name, type, visibility, documentation and the read and
// write methods that go with it.
class TAttributeForm : public TDialogForm {
 public:
  using TDialogForm::TDialogForm;
  const char* TypeName() const override { return "TFAttributeDialog"; }

  void PressOk();
  void PressCancel();
  void PressDelete() { Close(kResultDelete); }
  // Ticking checks the attribute name and proposes "Gib"/"Setze" + name; unticking hides
  // and empties the name field.
  void SetReadChecked(bool checked);
  void SetWriteChecked(bool checked);

  std::string ClassLabel;
  std::string Name;
  std::string Type;
  int Visibility = CodeOf(TVisibility::Protected);
  StringList Documentation;
  std::string ReadCaption = "Lese-Anfrage erzeugen";
  bool ReadChecked = false;
  bool ReadNameVisible = false;
  std::string ReadName;
  std::string WriteCaption = "Schreib-Auftrag erzeugen";
  bool WriteChecked = false;
  bool WriteNameVisible = false;
  std::string WriteName;
  bool DeleteVisible = true;

 private:
  bool CheckNameForMethod(bool& checked);
};

// TFParameterDialog: one parameter's name and type.
class TParameterForm : public TDialogForm {
 public:
  explicit TParameterForm(IMessages& messages) : TDialogForm(messages) { Caption = "Parameter"; }
  const char* TypeName() const override { return "TFParameterDialog"; }
  // Stores only when both fields hold something; otherwise closes as cancelled.
  void PressOk();
  void PressCancel() { Close(kResultCancel); }

  std::string Name;
  std::string Type;
};

// TFCodeDialog: the code lines of a method under its heading.
class TCodeForm : public TDialogForm {
 public:
  explicit TCodeForm(IMessages& messages) : TDialogForm(messages) { Caption = "Code bearbeiten"; }
  const char* TypeName() const override { return "TFCodeDialog"; }
  void PressOk() { Close(kResultOk); }
  void PressCancel() { Close(kResultCancel); }

  std::string Heading = "PROCEDURE";
  StringList Lines;
};

// TFMethodDialog: a method's name, result, visibility, kind, flags, parameters,
// documentation and code.
class TMethodForm : public TDialogForm {
 public:
  using TDialogForm::TDialogForm;
  const char* TypeName() const override { return "TFMethodDialog"; }

  void PressOk();
  void PressCancel();
  void PressDelete() { Close(kResultDelete); }
  // "Anfrage" shows the result field; every other kind hides and empties it.
  void SetKind(int kind);

  // The parameter buttons. The parameter dialog is shown through the service.
  void NewParameter(IDialogService& dialogs);
  void EditParameter(IDialogService& dialogs);
  void RemoveParameter();
  void MoveParameterUp();
  void MoveParameterDown();
  // The list entry of a parameter (its display text in the active notation).
  std::string ParameterEntry(int index) const;

  // The code dialog's heading, for example "FUNCTION Konto.Stand(a: Integer):Integer;".
  std::string CodeHeading() const;
  // "Code bearbeiten": edits *Code in the code dialog; OK replaces it at once.
  void EditCode(IDialogService& dialogs);

  std::string ClassName;  // for the code heading
  std::string ClassLabel;
  std::string Name;
  std::string ResultType;
  bool ResultVisible = false;
  int Access = CodeOf(TVisibility::Protected);
  int Kind = CodeOf(TMethodKind::Procedure);
  bool IsClassMethod = false;
  bool IsAbstract = false;
  bool IsFinal = false;
  std::vector<TParameter> Parameters;
  int SelectedParameter = -1;
  StringList Documentation;
  StringList* Code = nullptr;  // the method's code, edited in place
  bool DeleteVisible = true;
};

// TFClassnameDialog: a class's name and kind (0 normal, 1 abstract, 2 library class).
class TClassnameForm : public TDialogForm {
 public:
  explicit TClassnameForm(IMessages& messages) : TDialogForm(messages) {
    Caption = "Klassenname und Art";
  }
  const char* TypeName() const override { return "TFClassnameDialog"; }
  void PressOk();
  void PressCancel() { Close(kResultCancel); }

  std::string Name;
  int Kind = 0;
};

// TFChooseLine: long or short dashes for a relationship's route.
class TChooseLineForm : public TDialogForm {
 public:
  explicit TChooseLineForm(IMessages& messages);
  const char* TypeName() const override { return "TFChooseLine"; }
  void PressOk() { CloseBox(); }

  bool LongDash = true;
};

// TFConnectionText: the multiplicity text of a relationship.
class TConnectionTextForm : public TDialogForm {
 public:
  explicit TConnectionTextForm(IMessages& messages);
  const char* TypeName() const override { return "TFConnectionText"; }
  void PressOk() { CloseBox(); }

  std::string TopLeft = "Ein Objekt der Klasse ";
  std::string TopRight;
  std::string Middle;
  std::string BottomLeft = "wieviele Objekte der Klasse";
  std::string BottomRight;
  std::string Text;
};

// TFInfoBox: the lines of a note.
class TInfoBoxForm : public TDialogForm {
 public:
  using TDialogForm::TDialogForm;
  const char* TypeName() const override { return "TFInfoBox"; }
  void PressOk() { Close(kResultOk); }
  void PressCancel() { Close(kResultCancel); }

  StringList Lines;
};

// TFChooseMethod and TFChooseAttribute: a list with "new", "ok", "cancel" and "none".
class TChooseMethodForm : public TDialogForm {
 public:
  explicit TChooseMethodForm(IMessages& messages);
  const char* TypeName() const override { return "TFChooseMethod"; }
  void PressNew() { Close(kResultNew); }
  void PressOk();
  void PressCancel() { Close(kResultCancel); }
  void PressNone() { Close(kResultNone); }

  std::vector<std::string> Items;
  int Selected = -1;
};

class TChooseAttributeForm : public TDialogForm {
 public:
  explicit TChooseAttributeForm(IMessages& messages);
  const char* TypeName() const override { return "TFChooseAttribute"; }
  void PressNew() { Close(kResultNew); }
  void PressOk();
  void PressCancel() { Close(kResultCancel); }
  void PressNone() { Close(kResultNone); }
  // Selects an entry (adding to the selection when the list is multi-selecting) and
  // focuses it.
  void Select(int index);

  std::vector<std::string> Items;
  bool MultiSelect = false;
  std::vector<bool> SelectedItems;  // one flag per entry
  int Focused = -1;
};

// TFormChooseClass: a class to read or insert.
class TChooseClassForm : public TDialogForm {
 public:
  explicit TChooseClassForm(IMessages& messages);
  const char* TypeName() const override { return "TFormChooseClass"; }
  void PressOk();
  void PressCancel() { Close(kResultCancel); }

  std::vector<std::string> Items;
  int Selected = -1;
  std::string OkCaption = "Diese Klasse einlesen";
  std::string CancelCaption = "wird programmiert";
  // Where the dialog's top-left corner goes on the screen; centred when not placed.
  bool Placed = false;
  int Left = 0, Top = 0;
};

// TFClassDoku: the description of a class.
class TClassDokuForm : public TDialogForm {
 public:
  explicit TClassDokuForm(IMessages& messages) : TDialogForm(messages) {
    Caption = "Beschreibung der Klasse";
  }
  const char* TypeName() const override { return "TFClassDoku"; }
  void PressOk() { Close(kResultOk); }
  void PressCancel() { Close(kResultCancel); }

  std::string ClassLabel;
  StringList Lines;
};

// TFChangeObject: an object's name and the values of its attributes. Editing a value
// writes into the object's value entry at once; cancelling does not undo it.
class TChangeObjectForm : public TDialogForm {
 public:
  explicit TChangeObjectForm(IMessages& messages);
  const char* TypeName() const override { return "TFChangeObject"; }
  void PressOk() { Close(kResultOk); }
  void PressCancel() { Close(kResultCancel); }

  // One row per value, in list order; the header row is not part of Rows.
  void Fill(TObjectAttributeList& values);
  int RowCount() const { return static_cast<int>(rows_.size()); }
  std::string AttributeName(int row) const;
  std::string Value(int row) const;
  void SetValue(int row, const std::string& text);

  std::string ObjectName;
  std::string ClassLabel;

 private:
  struct Row {
    std::string attribute;
    TObjectAttributeList* list;
    int index;
  };
  std::vector<Row> rows_;
};

// The layout of TFChangeObject for a client area: both buttons 10 pixels above the bottom
// and side by side, the grid above them, both columns half the grid.
struct TChangeObjectLayout {
  int buttonTop, buttonWidth, okLeft, cancelLeft;
  int gridLeft, gridTop, gridWidth, gridHeight, columnWidth;
  int nameFieldWidth;  // from the field's left edge to the grid's right margin
};
TChangeObjectLayout LayoutChangeObject(int clientWidth, int clientHeight, int leftMargin,
                                       int gridTop, int buttonHeight, int nameFieldLeft);

// TFChangeDirectory: the project directory, optionally with a new sub-directory.
class TChangeDirectoryForm : public TDialogForm {
 public:
  explicit TChangeDirectoryForm(IMessages& messages);
  const char* TypeName() const override { return "TFChangeDirectory"; }
  void SetListDirectory(const std::string& directory);
  void SetSubDirectory(const std::string& name);
  void PressOk();
  void PressCancel() { Close(kResultCancel); }

  std::string ListDirectory;
  std::string SubDirectory;
  std::string Directory;  // the field "Name des Verzeichnisses "
  std::string ChosenPath;

 private:
  void Update();
};

// TFOptions shown as a dialog: the groups are the settings themselves, so changes stay
// in effect however the dialog is closed. "OK" and a chosen font close it with OK.
class TOptionsForm : public TDialogForm {
 public:
  TOptionsForm(IMessages& messages, TFOptions& options) : TDialogForm(messages), Options(options) {
    Caption = "Darstellungsoptionen";
  }
  const char* TypeName() const override { return "TFOptions"; }
  void PressOk() { Close(kResultOk); }
  // "Schrift ändern" with a font chosen.
  void FontChosen(const TFontSpec& font) {
    Options.Font = font;
    Close(kResultOk);
  }

  TFOptions& Options;
};

// The common sizing rule of the dialogs. W is the screen width, ppi its pixels per inch;
// shrinking dialogs (class name, code, class choice, directory) also adapt to narrow
// screens. ScalePercent 100 means that nothing is scaled.
struct TSizing {
  int width;
  int height;
  int scalePercent;
  bool anchorTopLeft;
};
TSizing ApplySizingRule(int designWidth, int designHeight, int screenWidth, int ppi,
                        bool shrinking);

// The common on-screen rule: a rectangle moved back inside the screen.
struct TScreenRect {
  int left, top, width, height;
};
TScreenRect KeepOnScreen(TScreenRect r, int screenWidth, int screenHeight);

// Where a picture of BW x BH is printed on a page of PW x PH device pixels.
TScreenRect PrintRect(int pageWidth, int pageHeight, int bitmapWidth, int bitmapHeight);

}  // namespace zedro
