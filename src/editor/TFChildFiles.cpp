// The window side of reading and saving a diagram file, and the project directory.
#include <QString>

#include "editor/Autosave.h"
#include "editor/DialogService.h"
#include "editor/FileChoice.h"
#include "editor/QtText.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "editor/UndoHistory.h"
#include "editor/WindowMessages.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"
#include "persistence/ValueStream.h"

namespace zedro {

namespace {

// The messages of a load. The stream's error alone names no file and cannot say what
// becomes of the window, so it is held back until the load has ended.
class LoadMessages : public WindowMessages {
 public:
  using WindowMessages::WindowMessages;
  MsgResult Message(MsgKind kind, const std::string& text, MsgButtons buttons) override {
    if (kind == MsgKind::Error && (text == StreamReadErrorText() || text == InvalidValueText())) {
      streamError = text;
      return MsgResult::Ok;
    }
    return WindowMessages::Message(kind, text, buttons);
  }
  std::string streamError;
};

// "Fahrzeuge.urd" -> "Fahrzeuge_gerettet.urd": what a damaged file's diagram is saved as.
std::string RescueName(const std::string& path) {
  std::string name = FileNamePart(path);
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  return stem + "_gerettet.urd";
}

bool SameFile(const std::string& a, const std::string& b) {
  return !a.empty() && !b.empty() && LinkTarget(a) == LinkTarget(b);
}

const char* const kSaveFromSubDiagram =
    "         Speichern aus einem Unterdiagramm heraus!\n\n"
    "Soll das Hauptdiagramm mit allen Unterdiagrammen gespeichert werden ?";

}  // namespace

TFChild::LoadOutcome TFChild::LoadDiagram(const std::string& path) {
  LoadOptions options;
  options.languageOfMainWindow = main_.LanguageOfMainWindow;
  int fileLanguage = 0;
  options.switchLanguage = [&fileLanguage](int language) { fileLanguage = language; };
  options.subDiagramCreated = [this](DiagramDocument& sub) { AttachSubWindow(sub); };
  LoadMessages messages(*this);
  // The caption first: the messages of the load name the diagram.
  setWindowTitle(Q(FileNamePart(path)));
  LoadResult result = LoadDiagramFile(*doc_, path, messages, options);
  const bool nothingRead = doc_->DrawClasses.Count() == 0 && doc_->Connections.Count() == 0 &&
                           doc_->InfoBoxes.Count() == 0 && doc_->SubDiagrams.empty();
  // A file that broke off (not one refused for its version, nor one that could not be
  // opened, which have had their messages).
  const bool broken = !result.completed && (!messages.streamError.empty() || result.version >= 134);
  const std::string reason =
      messages.streamError.empty() ? std::string() : " (" + messages.streamError + ")";
  if (!result.completed && nothingRead) {
    if (broken)
      Dialogs().Message(MsgKind::Error, "Die Datei '" + path + W("' ist beschädigt") + reason +
                                            W(" und enthält nichts, was sich lesen ließ.\n\n"
                                              "Sie wurde nicht geöffnet."));
    return LoadOutcome::Failed;
  }
  if (!result.completed) {
    DamagedFile = path;
    Dialogs().Message(MsgKind::Error,
                      "Die Datei '" + path + W("' ist beschädigt oder unvollständig") + reason +
                          W(".\n\nWas sich lesen ließ, wird angezeigt. Die Datei selbst bleibt "
                            "unverändert: Beim Speichern fragt Zedro nach einem neuen "
                            "Dateinamen."));
  }
  if (fileLanguage != 0) SwitchLanguage(fileLanguage == 2 ? 2 : 1);
  setWindowTitle(Q(FileNamePart(doc_->FileName)));
  main_.ShowClassInInspector(doc_->CurrentClass);
  for (TFChild* sub : subWindows_) {
    sub->Redraw();
    sub->Doc().Saved = true;
  }
  Redraw();
  doc_->Saved = true;
  if (UndoHistory* history = UndoHistory::Of(*this)) history->Restart();
  return result.completed ? LoadOutcome::Complete : LoadOutcome::Damaged;
}

bool TFChild::WriteFile(const std::string& path) {
  const bool written = WriteDiagramFile(*doc_, path, Dialogs());
  setWindowTitle(Q(FileNamePart(doc_->FileName)));
  if (written) {
    if (UndoHistory* history = UndoHistory::Of(*this)) history->MarkSaved();
    DamagedFile.clear();
    main_.Autosave().Forget(*this);
  }
  return written;
}

void TFChild::SaveDiagramm() {
  if (!doc_->IsMainDiagram) {
    if (Dialogs().Message(MsgKind::Confirmation, kSaveFromSubDiagram, MsgButtons::YesNo) ==
            MsgResult::Yes &&
        mainDiagram_)
      mainDiagram_->SaveDiagramm();
    return;
  }
  // A diagram without a file of its own (new, or read from a damaged file) asks for one.
  if (!doc_->HasFileName) {
    SaveDiagrammAs();
    return;
  }
  WriteFile(doc_->FileName);
}

void TFChild::SaveDiagrammAs() {
  if (!doc_->IsMainDiagram) {
    if (Dialogs().Message(MsgKind::Confirmation, kSaveFromSubDiagram, MsgButtons::YesNo) ==
            MsgResult::Yes &&
        mainDiagram_)
      mainDiagram_->SaveDiagrammAs();
    return;
  }
  TFileRequest request;
  request.caption = "Diagramm speichern unter";
  request.filter = "Beziehungsdiagramme|*.urd|Alle Dateien|*.*";
  request.defaultExt = "urd";
  request.initialDir = doc_->ProjectDir;
  request.fileName = DamagedFile.empty() ? FileNamePart(doc_->FileName) : RescueName(DamagedFile);
  std::string path = Dialogs().SaveFileName(request);
  if (path.empty()) return;
  path = WithDefaultExtension(path, "urd");
  if (SameFile(path, DamagedFile)) {
    if (Dialogs().Message(MsgKind::Warning,
                          "Die Datei '" + path +
                              W("' ist beschädigt und wurde nur teilweise gelesen.\n\n"
                                "Soll sie wirklich durch das Gelesene ersetzt werden? Was "
                                "nicht gelesen werden konnte, geht dann verloren."),
                          MsgButtons::YesNo) != MsgResult::Yes)
      return;
  } else if (FileExists(path) && Dialogs().Message(MsgKind::Warning, ReplaceQuestion(path),
                                                   MsgButtons::YesNo) != MsgResult::Yes) {
    return;
  }
  if (!WriteFile(path)) return;
  SetProjectDirectory(DirectoryPart(path));
  doc_->Saved = true;
}

void TFChild::SetProjectDirectory(const std::string& directory) {
  if (text::EqualsIgnoreCase(directory, doc_->ProjectDir)) return;
  if (!doc_->ProjectDir.empty())
    Dialogs().Message(MsgKind::Warning, "Projektverzeichnis wurde gewechselt !!", MsgButtons::Yes);
  else
    Dialogs().Message(MsgKind::Information,
                      W("Zedro hat sich ein Verzeichnis für das Projekt gemerkt."),
                      MsgButtons::Yes);
  doc_->SetProjectDir(directory);
  ClearStatus();
  SetStatus("Verzeichnis: " + doc_->ProjectDir);
}

}  // namespace zedro
