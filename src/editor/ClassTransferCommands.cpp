#include "editor/ClassTransferCommands.h"

#include <QAction>

#include "diagram/Placement.h"
#include "editor/DialogService.h"
#include "editor/FileChoice.h"
#include "editor/TMainForm.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

const char* const kClassFileFilter = "UML-Klassen (*.umc)|*.umc|Alle Dateien (*.*)|*.*";

}  // namespace

void ClassTransferCommands::KlassekopierenClick() {
  if (Doc().Surface.ComponentCount() == 0) return;
  MainForm().ClipboardBoxes.Clear();
  if (Doc().Selection.Count() == 0) {
    if (!Doc().CurrentClass || !Doc().CurrentBox) {
      Dialogs().Message(MsgKind::Warning, W("Es ist keine aktuelle Klasse angewählt"));
      return;
    }
    MainForm().ClipboardBox = Doc().CurrentBox;
  } else {
    for (TUMLDrawClass* box : Doc().Selection.Items) MainForm().ClipboardBoxes.Add(box);
  }
  if (QAction* paste = MainForm().Item("PasteItem")) paste->setEnabled(true);
}

void ClassTransferCommands::KlasseEinfuegenClick() {
  TMainForm& m = MainForm();
  if (m.ClipboardBoxes.Count() > 0) {
    const std::vector<TUMLDrawClass*> boxes = m.ClipboardBoxes.Items;
    for (const TUMLDrawClass* box : boxes) PasteBox(*box);
    return;
  }
  // The frame's placeholder box (no surface) stands for "nothing copied yet".
  if (m.ClipboardBox && m.ClipboardBox->Image) {
    PasteBox(*m.ClipboardBox);
    return;
  }
  Dialogs().Message(MsgKind::Information,
                    W("Einfügen einer Klasse/eines Objektes ist nicht möglich.\n"
                      "  Bitte kopieren Sie erst eine Klasse/ein Objekt."));
}

void ClassTransferCommands::PasteBox(const TUMLDrawClass& source) {
  if (!source.UMLClass) return;
  if (Doc().IsMainDiagram) {
    // A new, independent class that takes over the copied class's content.
    TUMLDrawClass* box = Doc().AddClassBox(std::make_unique<TUMLClass>("dummy"), 50, 50);
    box->Assign(source, Doc().Purger());
    PlaceClear(Doc(), *box);
    Doc().CurrentBox = box;
    Doc().CurrentClass = box->UMLClass;
  } else {
    TUMLClass* cls = source.UMLClass;
    if (Doc().MainDocument().DrawClasses.IndexOfClass(cls) < 0) {
      Dialogs().Message(MsgKind::Warning, W("Klassen aus anderen Diagrammen müssen erst ins "
                                            "Hauptdiagramm geladen werden!"));
      return;
    }
    if (source.IsObjectBox()) {
      const auto& from = static_cast<const TUMLDrawObject&>(source);
      TUMLDrawObject* object = Doc().AddObjectBox(cls, 50, 50);
      object->Assign(source, Doc().Purger());
      object->Values.Rebuild(&cls->Attributes);
      for (int i = 0; i < object->Values.Count() && i < from.Values.Count(); ++i)
        object->Values.Item(i).Value = from.Values.ValueAt(i);
      object->ObjectName = from.ObjectName;
      PlaceClear(Doc(), *object);
      Doc().CurrentBox = object;
    } else {
      TUMLDrawClass* box = Doc().AddBoxForClass(cls, 50, 50);
      box->Assign(source, Doc().Purger());
      PlaceClear(Doc(), *box);
      Doc().CurrentBox = box;
    }
    Doc().CurrentClass = cls;
  }
  MainForm().ShowClassInInspector(Doc().CurrentClass);
  Window().Redraw();
}

// ---- class files -----------------------------------------------------------------------

namespace {
TFileRequest ClassFileRequest(const char* caption, const std::string& projectDir) {
  TFileRequest request;
  request.caption = caption;
  request.filter = kClassFileFilter;
  request.defaultExt = "umc";
  request.initialDir = projectDir;
  return request;
}
}  // namespace

void ClassTransferCommands::LadeObjectClick() {
  if (!Doc().IsMainDiagram) {
    Dialogs().Message(MsgKind::Warning,
                      W("Neue Klassen können nur im Hauptdiagramm geladen werden"));
    return;
  }
  TFileRequest request = ClassFileRequest("Klasse aus Datei laden", Doc().ProjectDir);
  const std::string path = Dialogs().OpenFileName(request);
  if (path.empty()) return;
  std::unique_ptr<TUMLClass> cls = ReadClassFile(path, Dialogs());
  if (!cls) return;
  TUMLDrawClass* box = Doc().AddClassBox(std::move(cls), 50, 50);
  PlaceClear(Doc(), *box);
  Doc().CurrentBox = box;
  Doc().CurrentClass = box->UMLClass;
  Window().Redraw();
  MainForm().ShowClassInInspector(Doc().CurrentClass);
}

void ClassTransferCommands::KlasseSpeichernClick() {
  TUMLClass* cls = Doc().CurrentClass;
  if (!cls) {
    Dialogs().Message(MsgKind::Warning, W("Es ist keine aktuelle Klasse angewählt."));
    return;
  }
  TFileRequest request = ClassFileRequest("Klasse als Datei speichern", Doc().ProjectDir);
  request.fileName = cls->Name + ".umc";
  std::string path = Dialogs().SaveFileName(request);
  if (path.empty()) return;
  path = WithDefaultExtension(path, "umc");
  if (FileExists(path) &&
      Dialogs().Message(MsgKind::Warning, ReplaceQuestion(path), MsgButtons::YesNo) !=
          MsgResult::Yes)
    return;
  WriteClassFile(*cls, path, Dialogs());
}

}  // namespace zedro
