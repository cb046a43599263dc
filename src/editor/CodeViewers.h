// The viewers of generated code and of the class documentation, as forms: the text they
// show, their captions and what their buttons do. The Qt dialogs (QtCodeViewers.h) show
// them; the scripted dialog service of the tests presses their buttons directly.
#pragma once

#include <string>

#include "codegen/ClassDocumentation.h"
#include "diagram/ElementLists.h"
#include "editor/Forms.h"
#include "model/Win1252.h"

namespace zedro {

class TFChild;
class TUMLDrawClass;

// TFDokuCodeAnzeige: a heading label above a read-only text, the button "Schließen" and a
// save button, which does nothing here; the derived viewers give it its action.
class TFDokuCodeAnzeige : public TDialogForm {
 public:
  // window: the diagram window the viewer was opened from (its project directory is
  // where saving starts). box: the box whose class is shown.
  TFDokuCodeAnzeige(TFChild& window, TUMLDrawClass* box, const TConnectionList& connections);
  const char* TypeName() const override { return "TFDokuCodeAnzeige"; }

  // "Schließen": closes without saving.
  void PressClose() { Close(kResultCancel); }
  virtual void PressSave() {}

  std::string Label;
  StringList Lines;
  std::string CloseCaption = W("Schließen");
  std::string SaveCaption = "Speichern";
  bool SaveIsDefault = false;
  // Set by saving a unit: the text is taken as plain text, without formatting.
  bool PlainText = false;
  TUMLDrawClass* Box;
  TConnectionList Connections;

 protected:
  // Asks for the file; the chosen path with the extension added when it had none, or
  // empty when the dialog was cancelled.
  std::string AskFileName(const std::string& fileName, const std::string& extension,
                          const std::string& filter);
  TFChild& window_;
};

// TFDelphiExport: saves the shown text as a Pascal unit with its heading line.
class TFDelphiExport : public TFDokuCodeAnzeige {
 public:
  using TFDokuCodeAnzeige::TFDokuCodeAnzeige;
  const char* TypeName() const override { return "TFDelphiExport"; }
  void PressSave() override;
};

// TFJavaExport: saves the shown text exactly as it stands.
class TFJavaExport : public TFDokuCodeAnzeige {
 public:
  using TFDokuCodeAnzeige::TFDokuCodeAnzeige;
  const char* TypeName() const override { return "TFJavaExport"; }
  void PressSave() override;
};

// TFDokuExport: the documentation of the box's class with its fonts, saved as RTF.
class TFDokuExport : public TFDokuCodeAnzeige {
 public:
  using TFDokuCodeAnzeige::TFDokuCodeAnzeige;
  const char* TypeName() const override { return "TFDokuExport"; }
  // Fills DocLines (and Lines with their texts) from the class and the connections.
  void Build();
  void PressSave() override;

  TDocLines DocLines;
};

}  // namespace zedro
