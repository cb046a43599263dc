#include "editor/CodeViewers.h"

#include "codegen/ExportSupport.h"
#include "diagram/ClassBox.h"
#include "diagram/DiagramDocument.h"
#include "editor/DialogService.h"
#include "editor/TFChild.h"

namespace zedro {

TFDokuCodeAnzeige::TFDokuCodeAnzeige(TFChild& window, TUMLDrawClass* box,
                                     const TConnectionList& connections)
    : TDialogForm(window.Dialogs()), Box(box), window_(window) {
  Connections.AddAll(connections);
}

std::string TFDokuCodeAnzeige::AskFileName(const std::string& fileName,
                                           const std::string& extension,
                                           const std::string& filter) {
  TFileRequest request;
  request.caption = "Speichern unter";
  request.filter = filter;
  request.defaultExt = extension;
  request.initialDir = window_.Doc().ProjectDir;
  request.fileName = fileName;
  std::string path = window_.Dialogs().SaveFileName(request);
  const std::string name = FileNamePart(path);
  if (!name.empty() && name.find('.') == std::string::npos) path += "." + extension;
  return path;
}

namespace {

// The name the save dialog proposes: the box's own file when it fits the language,
// otherwise the default name; a unit is never offered under a Java file's name.
std::string ProposedName(const TUMLDrawClass& box, int language) {
  const std::string own = FileNamePart(box.SourceFileName);
  if (!own.empty() && ExportFileName(box, language) == own) return own;
  if (!box.UMLClass) return {};
  return language == 2 ? DefaultJavaFileName(*box.UMLClass) : DefaultPascalFileName(*box.UMLClass);
}

}  // namespace

void TFDelphiExport::PressSave() {
  bool saved = false;
  if (Box && Box->UMLClass) {
    PlainText = true;
    const std::string path = AskFileName(ProposedName(*Box, 1), "pas", "Pascal Dateien|*.pas");
    saved = !path.empty() && SaveGeneratedSource(window_.Doc(), *Box, path, Lines, 1,
                                                 window_.Dialogs()) == SaveOutcome::Saved;
    if (saved) window_.SetProjectDirectory(DirectoryPart(path));
  }
  Close(saved ? kResultOk : kResultCancel);
}

void TFJavaExport::PressSave() {
  bool saved = false;
  if (Box && Box->UMLClass) {
    PlainText = true;
    const std::string path = AskFileName(ProposedName(*Box, 2), "java", "Java Dateien|*.java");
    saved = !path.empty() && SaveGeneratedSource(window_.Doc(), *Box, path, Lines, 2,
                                                 window_.Dialogs()) == SaveOutcome::Saved;
    if (saved) window_.SetProjectDirectory(DirectoryPart(path));
  }
  Close(saved ? kResultOk : kResultCancel);
}

void TFDokuExport::Build() {
  DocLines.clear();
  Lines.clear();
  if (!Box || !Box->UMLClass) return;
  DocLines = BuildClassDocumentation(*Box->UMLClass, Connections);
  for (const TDocLine& line : DocLines) Lines.push_back(line.Text);
}

void TFDokuExport::PressSave() {
  bool saved = false;
  if (Box && Box->UMLClass) {
    const std::string path =
        AskFileName(DocumentationFileName(*Box->UMLClass), "rtf", "RichText Dateien|*.rtf");
    saved = !path.empty() &&
            SaveDocumentationAsked(path, DocLines, window_.Dialogs()) == SaveOutcome::Saved;
  }
  Close(saved ? kResultOk : kResultCancel);
}

}  // namespace zedro
