// Copy and paste of classes through the frame's clipboard, and class files. The clipboard
// holds references to boxes that stay in their diagrams: pasting into a main diagram
// copies the class into a new one, pasting into a sub-diagram shows the same class again.
#include <QAction>

#include "diagram/Placement.h"
#include "editor/DialogService.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

const char* const kClassFileFilter = "UML-Klassen (*.umc)|*.umc|Alle Dateien (*.*)|*.*";

}  // namespace

void TFChild::KlassekopierenClick() {
  if (doc_->Surface.ComponentCount() == 0) return;
  main_.ClipboardBoxes.Clear();
  if (doc_->Selection.Count() == 0) {
    if (!doc_->CurrentClass || !doc_->CurrentBox) {
      Dialogs().Message(MsgKind::Warning, W("Es ist keine aktuelle Klasse angewählt"));
      return;
    }
    main_.ClipboardBox = doc_->CurrentBox;
  } else {
    for (TUMLDrawClass* box : doc_->Selection.Items) main_.ClipboardBoxes.Add(box);
  }
  if (QAction* paste = main_.Item("PasteItem")) paste->setEnabled(true);
}

void TFChild::KlasseEinfuegenClick() {
  TMainForm& m = main_;
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

void TFChild::PasteBox(const TUMLDrawClass& source) {
  if (!source.UMLClass) return;
  if (doc_->IsMainDiagram) {
    // A new, independent class that takes over the copied class's content.
    TUMLDrawClass* box = doc_->AddClassBox(std::make_unique<TUMLClass>("dummy"), 50, 50);
    box->Assign(source, doc_->Purger());
    PlaceClear(*doc_, *box);
    doc_->CurrentBox = box;
    doc_->CurrentClass = box->UMLClass;
  } else {
    TUMLClass* cls = source.UMLClass;
    if (doc_->MainDocument().DrawClasses.IndexOfClass(cls) < 0) {
      Dialogs().Message(MsgKind::Warning, W("Klassen aus anderen Diagrammen müssen erst ins "
                                            "Hauptdiagramm geladen werden!"));
      return;
    }
    if (source.IsObjectBox()) {
      const auto& from = static_cast<const TUMLDrawObject&>(source);
      TUMLDrawObject* object = doc_->AddObjectBox(cls, 50, 50);
      object->Assign(source, doc_->Purger());
      object->Values.Rebuild(&cls->Attributes);
      for (int i = 0; i < object->Values.Count() && i < from.Values.Count(); ++i)
        object->Values.Item(i).Value = from.Values.ValueAt(i);
      object->ObjectName = from.ObjectName;
      PlaceClear(*doc_, *object);
      doc_->CurrentBox = object;
    } else {
      TUMLDrawClass* box = doc_->AddBoxForClass(cls, 50, 50);
      box->Assign(source, doc_->Purger());
      PlaceClear(*doc_, *box);
      doc_->CurrentBox = box;
    }
    doc_->CurrentClass = cls;
  }
  main_.ShowClassInInspector(doc_->CurrentClass);
  Redraw(true);
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

void TFChild::LadeObjectClick() {
  if (!doc_->IsMainDiagram) {
    Dialogs().Message(MsgKind::Warning,
                      W("Neue Klassen können nur im Hauptdiagramm geladen werden"));
    return;
  }
  TFileRequest request = ClassFileRequest("Klasse aus Datei laden", doc_->ProjectDir);
  const std::string path = Dialogs().OpenFileName(request);
  if (path.empty()) return;
  std::unique_ptr<TUMLClass> cls = ReadClassFile(path, Dialogs());
  if (!cls) return;
  TUMLDrawClass* box = doc_->AddClassBox(std::move(cls), 50, 50);
  PlaceClear(*doc_, *box);
  doc_->CurrentBox = box;
  doc_->CurrentClass = box->UMLClass;
  Redraw(true);
  main_.ShowClassInInspector(doc_->CurrentClass);
}

void TFChild::KlasseSpeichernClick() {
  TUMLClass* cls = doc_->CurrentClass;
  if (!cls) {
    Dialogs().Message(MsgKind::Warning, W("Es ist keine aktuelle Klasse angewählt."));
    return;
  }
  TFileRequest request = ClassFileRequest("Klasse als Datei speichern", doc_->ProjectDir);
  request.fileName = cls->Name + ".umc";
  std::string path = Dialogs().SaveFileName(request);
  if (path.empty()) return;
  const std::string name = FileNamePart(path);
  if (!name.empty() && name.find('.') == std::string::npos) path += ".umc";
  if (FileExists(path) &&
      Dialogs().Message(
          MsgKind::Warning,
          "Die Datei '" + path + "' existiert schon !   ...    Soll sie ersetzt werden ?",
          MsgButtons::YesNo) != MsgResult::Yes)
    return;
  WriteClassFile(*cls, path, Dialogs());
}

}  // namespace zedro
