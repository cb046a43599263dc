// Commands that create, change and delete classes, objects and notes, the project
// directory, and the display options. The sub-diagram commands and the class transfer
// are in TFChildSubDiagrams.cpp and TFChildClassTransfer.cpp.
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <algorithm>
#include <cstdlib>

#include "diagram/Placement.h"
#include "editor/CoOptionsForm.h"
#include "editor/DialogService.h"
#include "editor/Forms.h"
#include "editor/QtText.h"
#include "editor/SurfaceView.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "editor/canvas/QtCanvas.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

const char* const kNoCurrentClass = "Es ist keine aktuelle Klasse angewählt.";

}  // namespace

void TFChild::WireElementCommands() {
  auto wire = [this](const char* name, void (TFChild::*command)()) {
    if (QAction* a = Item(name))
      connect(a, &QAction::triggered, this, [this, command] { (this->*command)(); });
  };
  wire("DeleteClassItem", &TFChild::DeleteClassClick);
  wire("loeschen", &TFChild::DeleteClassClick);
  wire("Klassekopieren1", &TFChild::KlassekopierenClick);
  wire("Klasseeinfgen1", &TFChild::KlasseEinfuegenClick);
  wire("Wertbelegungndern1", &TFChild::Wertbelegungaendern1Click);
  wire("MiKlassenDarstellungAendern", &TFChild::MiKlassenDarstellungAendernClick);
  wire("Klassendarstellungndern1", &TFChild::MiKlassenDarstellungAendernClick);
  wire("AlleKlassendarstellungenAendern", &TFChild::AlleKlassendarstellungenAendernClick);
  wire("SchriftallerBeziehungenAendern", &TFChild::SchriftallerBeziehungenAendernClick);
  wire("InfoBoxEinfuegen", &TFChild::InfoBoxEinfuegenClick);
  wire("InfozueinerKlasseeinfgen1", &TFChild::InfozueinerKlasseeinfgen1Click);
  wire("InfoBoxzurKlasseeinfgen1", &TFChild::InfozueinerKlasseeinfgen1Click);
  wire("InfoBoxzurKlasseeinfgen2", &TFChild::InfozueinerKlasseeinfgen1Click);
  wire("InfoBoxInhaltAendern", &TFChild::InfoBoxInhaltAendernClick);
  wire("InfoBoxSchrifttypAendern", &TFChild::InfoBoxSchrifttypAendernClick);
  wire("Farbendern1", &TFChild::InfoBoxFarbeAendernClick);
  wire("InfoBoxLoeschen", &TFChild::InfoBoxLoeschenClick);
  wire("Verzeichnisndern1", &TFChild::VerzeichnisaendernClick);
  wire("erzeugeUnterdiagramm", &TFChild::erzeugeUnterdiagrammClick);

  // Class files, offered in the class menu of main diagrams.
  if (doc_->IsMainDiagram) {
    Klasse1->addSeparator();
    AddItem(Klasse1, "KlasseSpeichern1", "Klasse als Datei speichern ...");
    AddItem(Klasse1, "KlasseLaden1", "Klasse aus Datei laden ...");
    wire("KlasseSpeichern1", &TFChild::KlasseSpeichernClick);
    wire("KlasseLaden1", &TFChild::LadeObjectClick);
  }

  // The frame's delete, copy and paste commands act on the active window.
  main_.onDeleteClass = [](TFChild& c) { c.DeleteClassClick(); };
  main_.onCopyClass = [](TFChild& c) { c.KlassekopierenClick(); };
  main_.onPasteClass = [](TFChild& c) { c.KlasseEinfuegenClick(); };

  // A sub-diagram window gets its entries in the main diagram's submenus.
  if (mainDiagram_) {
    const QString caption = Q(doc_->FileName).replace('&', "&&");
    TFChild* main = mainDiagram_;
    QPointer<TFChild> self(this);
    DeleteEntry = new QAction(caption, this);
    RenameEntry = new QAction(caption, this);
    if (QMenu* m = main->Menu("Unterdiagrammloeschen")) m->addAction(DeleteEntry);
    if (QMenu* m = main->Menu("NamenAendern1")) m->addAction(RenameEntry);
    connect(DeleteEntry, &QAction::triggered, main, [main, self] {
      if (self) main->DeleteSubDiagram(self);
    });
    connect(RenameEntry, &QAction::triggered, main, [main, self] {
      if (self) main->RenameSubDiagram(self);
    });
  }
}

// ---- deleting boxes --------------------------------------------------------------------

void TFChild::DeleteClassClick() {
  if (!doc_->CurrentClass) {
    Dialogs().Message(MsgKind::Warning, W("Es ist keine aktuelle Klasse angewählt!"));
    return;
  }
  TUMLDrawClass* box = doc_->CurrentBox;
  if (doc_->DrawClasses.Count() == 0 || !box || !doc_->DrawClasses.Contains(box)) return;
  const std::string question =
      box->IsObjectBox()
          ? W("Möchten Sie das Object ->'") + static_cast<TUMLDrawObject*>(box)->ObjectName +
                W("'<- wirklich löschen?")
          : W("Möchten Sie die Klasse ->'") + box->UMLClass->Name + W("'<- wirklich löschen?");
  if (Dialogs().MessageAt(MsgKind::Confirmation, question, MsgButtons::YesNo, PopupPos.X,
                          PopupPos.Y) != MsgResult::Yes)
    return;
  DeleteBox(box);
}

void TFChild::DeleteBox(TUMLDrawClass* box) {
  if (!box || !doc_->DrawClasses.Contains(box)) return;
  TUMLClass* cls = box->UMLClass;
  const bool main = doc_->IsMainDiagram;
  if (main && !doc_->SubDiagrams.empty() &&
      Dialogs().MessageAt(MsgKind::Confirmation,
                          W("Sie möchten eine Klasse in einem Hauptdiagramm mit Unterdiagrammen "
                            "löschen!\n\nMöchten Sie die Klasse ->'") +
                              (cls ? cls->Name : std::string()) + W("'<- ganz sicher löschen?"),
                          MsgButtons::YesNo, PopupPos.X, PopupPos.Y) != MsgResult::Yes)
    return;

  // Every connection that touches the box goes, with the window's references to it.
  std::vector<TConnection*> doomed;
  for (TConnection* c : doc_->Connections.Items)
    if (c->StartBox == box || c->EndBox == box) doomed.push_back(c);
  for (TConnection* c : doomed) {
    if (SelectedConnection == c) SelectedConnection = nullptr;
    if (NewConnection == c) NewConnection = nullptr;
    if (DraggedBox == c->TextBox) DraggedBox = nullptr;
    doc_->DeleteConnection(c);
  }

  if (main && cls) {
    // The boxes of the class in the sub-diagrams go first: the class goes with this box.
    std::vector<TFChild*> subs = subWindows_;
    for (TFChild* sub : subs) {
      std::vector<TUMLDrawClass*> shown;
      for (TUMLDrawClass* b : sub->Doc().DrawClasses.Items)
        if (b->UMLClass == cls) shown.push_back(b);
      for (TUMLDrawClass* b : shown) sub->DeleteBox(b);
    }
    for (TUMLDrawClass* b : doc_->DrawClasses.Items)
      if (b != box && b->UMLClass && b->UMLClass->Parent == cls) b->UMLClass->Parent = nullptr;
    // Relationships and messages of subclasses may stand for members inherited from the
    // class (chosen through the parent-class entry); those members go with it.
    auto forgetMembers = [cls](DiagramDocument& d) {
      for (TAttribute* a : cls->Attributes.Items) d.Connections.RemoveAttributeEverywhere(a);
      for (TConnection* c : d.Connections.Items)
        if (c->Method && cls->Methods.Contains(c->Method)) c->Method = nullptr;
    };
    forgetMembers(*doc_);
    for (auto& sub : doc_->SubDiagrams) forgetMembers(*sub);
    doc_->CurrentClass = nullptr;
  }

  main_.ForgetClipboardBox(box);
  if (ReattachBox == box) ReattachBox = nullptr;
  if (NewObjectBox == box) NewObjectBox = nullptr;
  // A pick or drag that started on a box refers to positions that are no longer valid.
  switch (Mode) {
    case EditMode::PickSecondPoint:
    case EditMode::PickFirstPointOnCurrent:
    case EditMode::MoveStartEnd:
    case EditMode::MoveTargetEnd:
    case EditMode::MoveBox:
    case EditMode::MoveSelection:
      Mode = EditMode::Idle;
      FirstBoxIndex = SecondBoxIndex = -1;
      break;
    default:
      break;
  }
  doc_->DrawClasses.Remove(box);
  while (doc_->Selection.Contains(box)) doc_->Selection.Remove(box);
  doc_->Surface.Destroy(box);

  const int n = doc_->DrawClasses.Count();
  doc_->CurrentBox = n > 0 ? doc_->DrawClasses.At(n - 1) : nullptr;
  doc_->CurrentClass = doc_->CurrentBox ? doc_->CurrentBox->UMLClass : nullptr;
  main_.ShowClassInInspector(doc_->CurrentClass);
  Redraw(true);
}

// ---- objects ---------------------------------------------------------------------------

void TFChild::ObjektEinfuegenClick() {
  if (doc_->IsMainDiagram) return;
  const DiagramDocument& main = doc_->MainDocument();
  TChooseClassForm choose(Dialogs());
  choose.Caption = W("Zu welcher Klasse soll das Object gehören? !");
  choose.OkCaption = W("Objekt aus gewählter Klasse einfügen ");
  choose.CancelCaption = "abbrechen";
  choose.Placed = true;
  choose.Left = PopupPos.X;
  choose.Top = PopupPos.Y;
  for (const TUMLDrawClass* b : main.DrawClasses.Items)
    choose.Items.push_back(b->UMLClass ? b->UMLClass->Name : std::string());
  Dialogs().RunDialog(choose);
  if (choose.Result != kResultOk || choose.Selected < 0 ||
      choose.Selected >= main.DrawClasses.Count())
    return;
  TUMLClass* cls = main.DrawClasses.At(choose.Selected)->UMLClass;
  if (!cls) return;

  NewObjectBox =
      TUMLDrawObject::Create(ClickPos.X, ClickPos.Y, &doc_->Connections, &doc_->Surface, cls);
  TChangeObjectForm values(Dialogs());
  values.Fill(NewObjectBox->Values);
  values.ClassLabel = "Klasse: " + cls->Name;
  values.ObjectName = cls->Name;
  Dialogs().RunDialog(values);
  if (values.Result != kResultOk) {
    doc_->Surface.Destroy(NewObjectBox);
    NewObjectBox = nullptr;
    return;
  }
  NewObjectBox->ObjectName = values.ObjectName;
  doc_->DrawClasses.Add(NewObjectBox);
  // The new object is the current box, so that the class shown and the box agree.
  doc_->CurrentBox = NewObjectBox;
  doc_->CurrentClass = cls;
  NewObjectBox = nullptr;
  main_.ShowClassInInspector(cls);
  Redraw(true);
}

void TFChild::Wertbelegungaendern1Click() {
  TUMLDrawClass* box = doc_->CurrentBox;
  if (!box || !box->IsObjectBox() || !box->UMLClass) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  auto* object = static_cast<TUMLDrawObject*>(box);
  TUMLClass* cls = object->UMLClass;
  object->Values.Rebuild(&cls->Attributes);
  std::vector<std::string> before;
  for (int i = 0; i < object->Values.Count(); ++i) before.push_back(object->Values.ValueAt(i));

  TChangeObjectForm form(Dialogs());
  form.Fill(object->Values);
  form.ClassLabel = "Klasse: " + cls->Name;
  form.ObjectName = object->ObjectName;
  Dialogs().RunDialog(form);
  if (form.Result == kResultOk) {
    object->ObjectName = form.ObjectName;
    doc_->CurrentClass = cls;
    main_.ShowClassInInspector(cls);
    Redraw(true);
    return;
  }
  // Values typed before "Abbrechen" stay; the diagram then counts as changed.
  for (int i = 0; i < object->Values.Count(); ++i)
    if (object->Values.ValueAt(i) != before[static_cast<size_t>(i)]) {
      Redraw(true);
      return;
    }
}

// ---- notes -----------------------------------------------------------------------------

void TFChild::InfoBoxEinfuegenClick() {
  TInfoBox* box = TInfoBox::Create(50, 50, &doc_->Surface);
  DraggedBox = box;
  const TFontSpec& defaults = doc_->ConnectionOptions.Font;
  TFontSpec font = *box->FontDialog;
  font.Name = defaults.Name;
  font.Color = defaults.Color;
  font.Bold = defaults.Bold;
  font.Italic = defaults.Italic;
  font.Underline = defaults.Underline;
  font.StrikeOut = defaults.StrikeOut;
  font.Size = defaults.Size + 1;
  *box->FontDialog = font;
  box->Edit("Neue InfoBox: Text eingeben");
  PlaceClear(*doc_, *box);
  doc_->InfoBoxes.Add(box);
  box->Repaint();
  Redraw(true);
}

int TFChild::ClassNoteOffsetY(int lineCount, int fontHeight) {
  return -lineCount * (std::abs(fontHeight) + 1) - 10;
}

void TFChild::InfozueinerKlasseeinfgen1Click() {
  TUMLDrawClass* box = doc_->CurrentBox;
  if (!doc_->CurrentClass || !box || !doc_->DrawClasses.Contains(box)) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  TConnection* note =
      TConnection::Create(box, box, 1, 1, kClassInfo, &doc_->DrawClasses, &doc_->Surface);
  note->TextBox->Edit("Informationen zur Klasse: " + doc_->CurrentClass->Name);
  note->TextOffsetY = ClassNoteOffsetY(static_cast<int>(note->TextBox->Lines.size()),
                                       note->CoOptions->Font.Height());
  doc_->Connections.Add(note);
  Redraw(true);
}

// The info box commands act on the note clicked last.
void TFChild::InfoBoxInhaltAendernClick() {
  if (!DraggedBox) return;
  DraggedBox->Edit(W("InfoBox: Texte ändern"));
  Redraw(true);
}

void TFChild::InfoBoxSchrifttypAendernClick() {
  if (!DraggedBox) return;
  if (Dialogs().ChooseFont(*DraggedBox->FontDialog, false)) Redraw(true);
}

void TFChild::InfoBoxFarbeAendernClick() {
  if (!DraggedBox) return;
  TColor color = DraggedBox->FontDialog->Color;
  if (Dialogs().ChooseColor(color)) DraggedBox->FontDialog->Color = color;
  Redraw(true);
}

void TFChild::InfoBoxLoeschenClick() {
  TInfoBox* box = DraggedBox;
  // Only free notes are deleted here; the text box of a connection goes with it.
  if (!box || doc_->InfoBoxes.IndexOf(box) < 0) return;
  const TColor color = box->FontDialog->Color;
  box->FontDialog->Color = kClRed;
  box->Paint(true);
  if (canvas_) ImClassDiagramm->ShowPicture(*canvas_);
  if (Dialogs().Message(MsgKind::Confirmation,
                        W("Wollen Sie die markierte Infobox wirklich löschen?"),
                        MsgButtons::YesNo) == MsgResult::Yes) {
    doc_->InfoBoxes.Remove(box);
    box->Erase();
    doc_->Surface.Destroy(box);
    DraggedBox = nullptr;
  } else {
    box->FontDialog->Color = color;
    box->Paint(true);
  }
  StatusBar->clearMessage();
  Redraw(true);
}

// ---- project directory -----------------------------------------------------------------

void TFChild::VerzeichnisaendernClick() {
  TChangeDirectoryForm form(Dialogs());
  form.SetListDirectory(doc_->ProjectDir);
  Dialogs().RunDialog(form);
  if (form.Result != kResultOk || form.ChosenPath.empty()) return;
  // The project directory always ends with a separator (file names are appended to it).
  std::string dir = form.ChosenPath;
  if (dir.back() != '/' && dir.back() != '\\') dir += '/';
  if (DirectoryExists(dir)) {
    SetProjectDirectory(dir);
  } else if (!CreateDirectory(dir)) {
    Dialogs().Message(MsgKind::Warning, "Das neue Verzeichnis kann nicht erstellt werden");
  }
}

// ---- display options -------------------------------------------------------------------

void TFChild::MiKlassenDarstellungAendernClick() {
  TUMLDrawClass* box = doc_->CurrentBox;
  if (!box || !doc_->DrawClasses.Contains(box)) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  TOptionsForm form(Dialogs(), box->Options);
  Dialogs().RunDialog(form);
  if (form.Result == kResultOk) main_.RedrawAllDiagrams();
  Redraw(true);
}

void TFChild::AlleKlassendarstellungenAendernClick() {
  TOptionsForm form(Dialogs(), doc_->ClassOptions);
  Dialogs().RunDialog(form);
  if (form.Result == kResultOk) {
    main_.RedrawAllDiagrams();
    for (TUMLDrawClass* box : doc_->DrawClasses.Items) box->Options.Assign(doc_->ClassOptions);
  }
  Redraw(true);
}

void TFChild::SchriftallerBeziehungenAendernClick() {
  TCoOptionsForm form(Dialogs(), doc_->ConnectionOptions);
  Dialogs().RunDialog(form);
  if (form.Result != kResultOk) return;
  main_.RedrawAllDiagrams();
  for (TConnection* c : doc_->Connections.Items) c->CoOptions->Assign(doc_->ConnectionOptions);
  Redraw(true);
}

}  // namespace zedro
