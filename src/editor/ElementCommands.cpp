#include "editor/ElementCommands.h"

#include <cstdlib>
#include <vector>

#include "diagram/Placement.h"
#include "editor/CoOptionsForm.h"
#include "editor/ConnectionPicking.h"
#include "editor/DialogService.h"
#include "editor/Forms.h"
#include "editor/MemberEditor.h"
#include "editor/TMainForm.h"
#include "model/ParameterScanner.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

const char* const kNoCurrentClass = "Es ist keine aktuelle Klasse angewählt.";

}  // namespace

// ---- new class -------------------------------------------------------------------------

void ElementCommands::newClassClick() {
  if (!Window().IsMainDiagram()) {
    Dialogs().Message(MsgKind::Warning,
                      W("Neue Klassen können nur im Hauptdiagramm eingefügt werden"));
    return;
  }
  // Asked until a valid name or nothing is given; an invalid name is offered again for
  // correction. Cancelling ends the command (taking the previous answer instead would
  // create a second class of that name).
  std::string name = NewClassName;
  for (;;) {
    if (!Dialogs().InputBox("Neue Klasse", W("Bitte Namen für die Klasse eingeben:"), name)) return;
    if (name.empty()) return;
    TParameterScanner scanner(name, Dialogs());
    if (scanner.IsIdentifier()) break;
  }
  NewClassName = name;
  DiagramDocument& d = Doc();
  TUMLDrawClass* box = d.AddClassBox(std::make_unique<TUMLClass>(name), 50, 50);
  PlaceClear(d, *box);
  d.CurrentClass = box->UMLClass;
  d.CurrentBox = box;
  MainForm().ShowClassInInspector(d.CurrentClass);
  Window().FormActivate();
  d.Saved = false;
}

// ---- deleting boxes --------------------------------------------------------------------

void ElementCommands::DeleteClassClick() {
  DiagramDocument& d = Doc();
  if (!d.CurrentClass) {
    Dialogs().Message(MsgKind::Warning, W("Es ist keine aktuelle Klasse angewählt!"));
    return;
  }
  TUMLDrawClass* box = d.CurrentBox;
  if (d.DrawClasses.Count() == 0 || !box || !d.DrawClasses.Contains(box)) return;
  const std::string question =
      box->IsObjectBox()
          ? W("Möchten Sie das Object ->'") + static_cast<TUMLDrawObject*>(box)->ObjectName +
                W("'<- wirklich löschen?")
          : W("Möchten Sie die Klasse ->'") + box->UMLClass->Name + W("'<- wirklich löschen?");
  const TPoint at = Window().PopupPos;
  if (Dialogs().MessageAt(MsgKind::Confirmation, question, MsgButtons::YesNo, at.X, at.Y) !=
      MsgResult::Yes)
    return;
  DeleteBox(box);
}

void ElementCommands::DeleteBox(TUMLDrawClass* box) {
  DiagramDocument& d = Doc();
  if (!box || !d.DrawClasses.Contains(box)) return;
  TUMLClass* cls = box->UMLClass;
  const bool main = d.IsMainDiagram;
  if (main && !d.SubDiagrams.empty() && !ConfirmDeletingFromMainDiagram(cls)) return;
  RemoveConnectionsAt(box);
  if (main && cls) ForgetClassEverywhere(box, cls);
  ForgetBox(box);
  d.DrawClasses.Remove(box);
  while (d.Selection.Contains(box)) d.Selection.Remove(box);
  d.Surface.Destroy(box);

  const int n = d.DrawClasses.Count();
  d.CurrentBox = n > 0 ? d.DrawClasses.At(n - 1) : nullptr;
  d.CurrentClass = d.CurrentBox ? d.CurrentBox->UMLClass : nullptr;
  MainForm().ShowClassInInspector(d.CurrentClass);
  Window().Redraw();
}

bool ElementCommands::ConfirmDeletingFromMainDiagram(const TUMLClass* cls) {
  const TPoint at = Window().PopupPos;
  return Dialogs().MessageAt(MsgKind::Confirmation,
                             W("Sie möchten eine Klasse in einem Hauptdiagramm mit "
                               "Unterdiagrammen löschen!\n\nMöchten Sie die Klasse ->'") +
                                 (cls ? cls->Name : std::string()) +
                                 W("'<- ganz sicher löschen?"),
                             MsgButtons::YesNo, at.X, at.Y) == MsgResult::Yes;
}

void ElementCommands::RemoveConnectionsAt(const TUMLDrawClass* box) {
  std::vector<TConnection*> doomed;
  for (TConnection* c : Doc().Connections.Items)
    if (c->StartBox == box || c->EndBox == box) doomed.push_back(c);
  for (TConnection* c : doomed) picking::RemoveConnection(Window(), c);
}

void ElementCommands::ForgetClassEverywhere(const TUMLDrawClass* box, TUMLClass* cls) {
  DiagramDocument& d = Doc();
  // The boxes of the class in the sub-diagrams go first: the class goes with this box.
  const std::vector<TFChild*> subs = Window().SubDiagramWindows();
  for (TFChild* sub : subs) {
    std::vector<TUMLDrawClass*> shown;
    for (TUMLDrawClass* b : sub->Doc().DrawClasses.Items)
      if (b->UMLClass == cls) shown.push_back(b);
    for (TUMLDrawClass* b : shown) sub->Elements().DeleteBox(b);
  }
  for (TUMLDrawClass* b : d.DrawClasses.Items)
    if (b != box && b->UMLClass && b->UMLClass->Parent == cls) b->UMLClass->Parent = nullptr;
  // Relationships and messages of subclasses may stand for members inherited from the
  // class (chosen through the parent-class entry); those members go with it.
  auto forgetMembers = [cls](DiagramDocument& doc) {
    for (TAttribute* a : cls->Attributes.Items) doc.Connections.RemoveAttributeEverywhere(a);
    for (TConnection* c : doc.Connections.Items)
      if (c->Method && cls->Methods.Contains(c->Method)) c->Method = nullptr;
  };
  forgetMembers(d);
  for (auto& sub : d.SubDiagrams) forgetMembers(*sub);
  d.CurrentClass = nullptr;
}

void ElementCommands::ForgetBox(const TUMLDrawClass* box) {
  TFChild& w = Window();
  MainForm().ForgetClipboardBox(box);
  if (w.ReattachBox == box) w.ReattachBox = nullptr;
  if (w.NewObjectBox == box) w.NewObjectBox = nullptr;
  // A pick or drag that started on a box refers to positions that are no longer valid.
  switch (w.Mode) {
    case EditMode::PickSecondPoint:
    case EditMode::PickFirstPointOnCurrent:
    case EditMode::MoveStartEnd:
    case EditMode::MoveTargetEnd:
    case EditMode::MoveBox:
    case EditMode::MoveSelection:
      w.Mode = EditMode::Idle;
      w.FirstBoxIndex = w.SecondBoxIndex = -1;
      break;
    default:
      break;
  }
}

// ---- objects ---------------------------------------------------------------------------

void ElementCommands::ObjektEinfuegenClick() {
  DiagramDocument& d = Doc();
  TFChild& w = Window();
  if (d.IsMainDiagram) return;
  const DiagramDocument& main = d.MainDocument();
  TChooseClassForm choose(Dialogs());
  choose.Caption = W("Zu welcher Klasse soll das Object gehören? !");
  choose.OkCaption = W("Objekt aus gewählter Klasse einfügen ");
  choose.CancelCaption = "abbrechen";
  choose.Placed = true;
  choose.Left = w.PopupPos.X;
  choose.Top = w.PopupPos.Y;
  for (const TUMLDrawClass* b : main.DrawClasses.Items)
    choose.Items.push_back(b->UMLClass ? b->UMLClass->Name : std::string());
  Dialogs().RunDialog(choose);
  if (choose.Result != kResultOk || choose.Selected < 0 ||
      choose.Selected >= main.DrawClasses.Count())
    return;
  TUMLClass* cls = main.DrawClasses.At(choose.Selected)->UMLClass;
  if (!cls) return;

  w.NewObjectBox =
      TUMLDrawObject::Create(w.ClickPos.X, w.ClickPos.Y, &d.Connections, &d.Surface, cls);
  TChangeObjectForm values(Dialogs());
  values.Fill(w.NewObjectBox->Values);
  values.ClassLabel = "Klasse: " + cls->Name;
  values.ObjectName = cls->Name;
  Dialogs().RunDialog(values);
  if (values.Result != kResultOk) {
    d.Surface.Destroy(w.NewObjectBox);
    w.NewObjectBox = nullptr;
    return;
  }
  w.NewObjectBox->ObjectName = values.ObjectName;
  d.DrawClasses.Add(w.NewObjectBox);
  // The new object is the current box, so that the class shown and the box agree.
  d.CurrentBox = w.NewObjectBox;
  d.CurrentClass = cls;
  w.NewObjectBox = nullptr;
  MainForm().ShowClassInInspector(cls);
  w.Redraw();
}

void ElementCommands::Wertbelegungaendern1Click() {
  DiagramDocument& d = Doc();
  TUMLDrawClass* box = d.CurrentBox;
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
    d.CurrentClass = cls;
    MainForm().ShowClassInInspector(cls);
    Window().Redraw();
    return;
  }
  // Values typed before "Abbrechen" stay; the diagram then counts as changed.
  for (int i = 0; i < object->Values.Count(); ++i)
    if (object->Values.ValueAt(i) != before[static_cast<size_t>(i)]) {
      Window().Redraw();
      return;
    }
}

// ---- notes -----------------------------------------------------------------------------

void ElementCommands::InfoBoxEinfuegenClick() {
  DiagramDocument& d = Doc();
  TInfoBox* box = TInfoBox::Create(50, 50, &d.Surface);
  Window().DraggedBox = box;
  const TFontSpec& defaults = d.ConnectionOptions.Font;
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
  PlaceClear(d, *box);
  d.InfoBoxes.Add(box);
  box->Repaint();
  Window().Redraw();
}

int ElementCommands::ClassNoteOffsetY(int lineCount, int fontHeight) {
  return -lineCount * (std::abs(fontHeight) + 1) - 10;
}

void ElementCommands::InfozueinerKlasseeinfgen1Click() {
  DiagramDocument& d = Doc();
  TUMLDrawClass* box = d.CurrentBox;
  if (!d.CurrentClass || !box || !d.DrawClasses.Contains(box)) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  TConnection* note =
      TConnection::Create(box, box, 1, 1, TConnectionKind::ClassInfo, &d.DrawClasses, &d.Surface);
  note->TextBox->Edit("Informationen zur Klasse: " + d.CurrentClass->Name);
  note->TextOffsetY = ClassNoteOffsetY(static_cast<int>(note->TextBox->Lines.size()),
                                       note->CoOptions->Font.Height());
  d.Connections.Add(note);
  Window().Redraw();
}

void ElementCommands::InfoBoxInhaltAendernClick() {
  TInfoBox* box = Window().DraggedBox;
  if (!box) return;
  box->Edit(W("InfoBox: Texte ändern"));
  Window().Redraw();
}

void ElementCommands::InfoBoxSchrifttypAendernClick() {
  TInfoBox* box = Window().DraggedBox;
  if (!box) return;
  if (Dialogs().ChooseFont(*box->FontDialog, FontEffects::NotOffered)) Window().Redraw();
}

void ElementCommands::InfoBoxFarbeAendernClick() {
  TInfoBox* box = Window().DraggedBox;
  if (!box) return;
  TColor color = box->FontDialog->Color;
  if (Dialogs().ChooseColor(color)) box->FontDialog->Color = color;
  Window().Redraw();
}

void ElementCommands::InfoBoxLoeschenClick() {
  DiagramDocument& d = Doc();
  TInfoBox* box = Window().DraggedBox;
  // Only free notes are deleted here; the text box of a connection goes with it.
  if (!box || d.InfoBoxes.IndexOf(box) < 0) return;
  const TColor color = box->FontDialog->Color;
  box->FontDialog->Color = kClRed;
  box->PaintFramed();
  Window().ShowCanvas();
  if (Dialogs().Message(MsgKind::Confirmation,
                        W("Wollen Sie die markierte Infobox wirklich löschen?"),
                        MsgButtons::YesNo) == MsgResult::Yes) {
    d.InfoBoxes.Remove(box);
    box->Erase();
    d.Surface.Destroy(box);
    Window().DraggedBox = nullptr;
  } else {
    box->FontDialog->Color = color;
    box->PaintFramed();
  }
  Window().ClearStatus();
  Window().Redraw();
}

// ---- project directory -----------------------------------------------------------------

void ElementCommands::VerzeichnisaendernClick() {
  TChangeDirectoryForm form(Dialogs());
  form.SetListDirectory(Doc().ProjectDir);
  Dialogs().RunDialog(form);
  if (form.Result != kResultOk || form.ChosenPath.empty()) return;
  // The project directory always ends with a separator (file names are appended to it).
  std::string dir = form.ChosenPath;
  if (dir.back() != '/' && dir.back() != '\\') dir += '/';
  if (DirectoryExists(dir)) {
    Window().SetProjectDirectory(dir);
  } else if (!CreateDirectory(dir)) {
    Dialogs().Message(MsgKind::Warning, "Das neue Verzeichnis kann nicht erstellt werden");
  }
}

// ---- display options -------------------------------------------------------------------

void ElementCommands::MiKlassenDarstellungAendernClick() {
  TUMLDrawClass* box = Doc().CurrentBox;
  if (!box || !Doc().DrawClasses.Contains(box)) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  TOptionsForm form(Dialogs(), box->Options);
  Dialogs().RunDialog(form);
  if (form.Result == kResultOk) MainForm().RedrawAllDiagrams();
  Window().Redraw();
}

void ElementCommands::AlleKlassendarstellungenAendernClick() {
  DiagramDocument& d = Doc();
  TOptionsForm form(Dialogs(), d.ClassOptions);
  Dialogs().RunDialog(form);
  if (form.Result == kResultOk) {
    MainForm().RedrawAllDiagrams();
    for (TUMLDrawClass* box : d.DrawClasses.Items) box->Options.Assign(d.ClassOptions);
  }
  Window().Redraw();
}

void ElementCommands::SchriftallerBeziehungenAendernClick() {
  DiagramDocument& d = Doc();
  TCoOptionsForm form(Dialogs(), d.ConnectionOptions);
  Dialogs().RunDialog(form);
  if (form.Result != kResultOk) return;
  MainForm().RedrawAllDiagrams();
  for (TConnection* c : d.Connections.Items) c->CoOptions->Assign(d.ConnectionOptions);
  Window().Redraw();
}

// ---- the class inspector ---------------------------------------------------------------

void ElementCommands::AttributhinzufuegenClick() {
  MemberEditor(MainForm()).NewAttribute(Doc().CurrentClass);
}

void ElementCommands::MethodeHinzufuegenClick() {
  MemberEditor(MainForm()).NewMethod(Doc().CurrentClass);
}

void ElementCommands::MethodeueberschreibenClick() {
  MemberEditor(MainForm()).OverrideMethod(Doc().CurrentClass);
}

void ElementCommands::NameoderArtAendernClick() {
  MemberEditor(MainForm()).ChangeNameAndKind(Doc().CurrentClass);
}

void ElementCommands::BeschreibungAendernClick() {
  MemberEditor(MainForm()).ChangeDescription(Doc().CurrentClass);
}

void ElementCommands::Klassensinspectorzeigen1Click() { MainForm().ShowInspectorWindow(); }

}  // namespace zedro
