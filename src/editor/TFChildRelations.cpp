// The commands that the mouse completes: relationships (IST, HAT, KENNT) and messages
// (Auftrag, Anfrage) with the choice of the attribute or method they stand for, their
// deletion, the connection context menu's commands, and the new class.
#include <QAction>
#include <QStatusBar>

#include "diagram/Placement.h"
#include "editor/DialogService.h"
#include "editor/Forms.h"
#include "editor/TFChild.h"
#include "editor/TFChildMouseSupport.h"
#include "editor/TMainForm.h"
#include "model/MemberCode.h"
#include "model/ParameterScanner.h"
#include "model/Win1252.h"

namespace zedro {

// ---- helpers ---------------------------------------------------------------------------

namespace mouse {

bool IsTicked(const TFChild& window, const char* item) {
  const QAction* a = window.Item(item);
  return a && a->isChecked();
}

void Tick(TFChild& window, const char* item, bool on) {
  if (QAction* a = window.Item(item)) a->setChecked(on);
}

void Untick(TFChild& window, std::initializer_list<const char*> items) {
  for (const char* item : items) Tick(window, item, false);
}

TConnectionKind TickedKind(const TFChild& window) {
  if (IsTicked(window, "Vererbung")) return kIst;
  if (IsTicked(window, "Aggregation")) return kHat;
  if (IsTicked(window, "Assoziation")) return kKennt;
  if (IsTicked(window, "Auftrag")) return kAuftrag;
  if (IsTicked(window, "Anfrage")) return kAnfrage;
  return kClassInfo;
}

void MarkBorderPoints(TFChild& window, TColor color, const TUMLDrawClass* except) {
  for (TUMLDrawClass* box : window.Doc().DrawClasses.Items)
    if (box != except) box->DrawBorderPoints(color, 2);
  window.ShowCanvas();
}

void MarkRed(TFChild& window, TConnection& connection) {
  Canvas* c = window.Doc().Surface.canvas;
  if (!c) return;
  c->SetPenStyle(PenStyle::Dash);
  const TColor color = connection.Color;
  connection.Color = kClRed;
  c->SetPenWidth(2);
  connection.Paint();
  connection.Color = color;
  c->SetPenStyle(PenStyle::Solid);
  c->SetPenColor(kClBlack);
  c->SetPenWidth(1);
  window.ShowCanvas();
}

std::string DeleteQuestion(TConnectionKind kind) {
  switch (kind) {
    case kAuftrag:
      return W("Möchten Sie den rot markierten Auftrag wirklich löschen?");
    case kAnfrage:
      return W("Möchten Sie die rot markierte Anfrage wirklich löschen?");
    case kIst:
      return W("Möchten Sie die rot markierte IST-Beziehung wirklich löschen?");
    case kHat:
      return W("Möchten Sie die rot markierte HAT-Beziehung wirklich löschen?");
    case kKennt:
      return W("Möchten Sie die rot markierte KENNT-Beziehung wirklich löschen?");
    default:
      return W("Möchten Sie die rot markierte InfoBox wirklich löschen?");
  }
}

bool IsListed(const TFChild& window, const TConnection* connection) {
  return connection && window.Doc().Connections.IndexOf(connection) >= 0;
}

void RemoveConnection(TFChild& window, TConnection* connection) {
  if (window.SelectedConnection == connection) window.SelectedConnection = nullptr;
  if (window.NewConnection == connection) window.NewConnection = nullptr;
  if (window.DraggedBox == connection->TextBox) window.DraggedBox = nullptr;
  window.Doc().DeleteConnection(connection);
}

}  // namespace mouse

namespace {

const char* const kNoCurrentClass = "Es ist keine aktuelle Klasse angewählt.";

std::string ClassNameOf(const TUMLDrawClass* box) {
  return box && box->UMLClass ? box->UMLClass->Name : std::string();
}

}  // namespace

// ---- new class -------------------------------------------------------------------------

void TFChild::newClassClick() {
  if (!IsMainDiagram()) {
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
  FormActivate();
  d.Saved = false;
}

// ---- relationships ---------------------------------------------------------------------

void TFChild::StartPicking(const char* item, const std::string& prompt) {
  if (!Doc().CurrentClass) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    mouse::Tick(*this, item, false);
    return;
  }
  mouse::Tick(*this, item, !mouse::IsTicked(*this, item));
  if (!mouse::IsTicked(*this, item)) {
    Mode = EditMode::Idle;
    Redraw(true);
    StatusBar->clearMessage();
    return;
  }
  for (const char* other : {"Vererbung", "Aggregation", "Assoziation", "Auftrag", "Anfrage"})
    if (std::string(other) != item) mouse::Tick(*this, other, false);
  Mode = EditMode::PickFirstPoint;
  FirstBoxIndex = -1;
  mouse::MarkBorderPoints(*this, kClRed);
  SetStatus(prompt);
}

void TFChild::StartPickingOnCurrent(const char* item) {
  DiagramDocument& d = Doc();
  if (!d.CurrentClass || !d.CurrentBox || !d.DrawClasses.Contains(d.CurrentBox)) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    mouse::Tick(*this, "Vererbung", false);
    Mode = EditMode::Idle;
    return;
  }
  for (const char* other : {"Vererbung", "Aggregation", "Assoziation", "Auftrag", "Anfrage"})
    mouse::Tick(*this, other, std::string(other) == item);
  Mode = EditMode::PickFirstPointOnCurrent;
  d.CurrentBox->DrawBorderPoints(kClRed, 2);
  ShowCanvas();
  SetStatus("Bitte einen Randpunkt dieser Klasse mit Handsymbol anklicken.");
}

void TFChild::VererbungClick() {
  StartPicking("Vererbung",
               "WELCHE Klasse ist..   Bitte Randpunkt der Nachfolgerklasse mit Handsymbol "
               "anklicken.");
}

void TFChild::AggregationClick() {
  StartPicking("Aggregation",
               "HAT-Beziehung/Aggregation - Bitte Randpunkt der besitzenden Klasse mit "
               "Handsymbol anklicken.");
}

void TFChild::AssoziationClick() {
  StartPicking("Assoziation",
               "KENNT-Beziehung/Assoziation - Bitte Randpunkt der kennenden Klasse mit "
               "Handsymbol anklicken.");
}

void TFChild::KlasseISTClick() { StartPickingOnCurrent("Vererbung"); }
void TFChild::KlasseHATClick() { StartPickingOnCurrent("Aggregation"); }
void TFChild::KlasseKENNTClick() { StartPickingOnCurrent("Assoziation"); }

void TFChild::AttributwaehlenClick() {
  TConnection* c = SelectedConnection;
  if (!mouse::IsListed(*this, c) || !c->StartBox || !c->StartBox->UMLClass) return;
  TUMLClass* cls = c->StartBox->UMLClass;
  for (;;) {
    TChooseAttributeForm form(Dialogs());
    form.Caption = W("Attribut der Klasse '") + cls->Name + W("' wählen!");
    form.MultiSelect = true;
    const int count = cls->Attributes.Count();
    for (TAttribute* a : cls->Attributes.Items) {
      form.Items.push_back(a->Name);
      form.SelectedItems.push_back(c->Attributes.Contains(a));
    }
    if (cls->Parent) {
      form.Items.push_back(W("Attribut der Vorgängerklasse wählen"));
      form.SelectedItems.push_back(false);
    }
    for (int i = 0; i < count && form.Focused < 0; ++i)
      if (form.SelectedItems[static_cast<size_t>(i)]) form.Focused = i;
    Dialogs().RunDialog(form);
    switch (form.Result) {
      case kResultOk:
        if (cls->Parent && form.Focused == count) {
          cls = cls->Parent;
          continue;
        }
        c->Attributes.Clear();
        for (int i = 0; i < count; ++i)
          if (static_cast<size_t>(i) < form.SelectedItems.size() &&
              form.SelectedItems[static_cast<size_t>(i)])
            c->Attributes.Append(cls->Attributes.At(i));
        break;
      case kResultNew:
        NewAttributeForConnection(*cls);
        continue;
      case kResultNone:
        c->Attributes.Clear();
        break;
      case kResultCancel:
        break;
      default:
        Dialogs().Message(MsgKind::Warning, W("Fehler beim Wählen des Attributs"));
        break;
    }
    break;
  }
  Redraw(true);
}

bool TFChild::NewAttributeForConnection(TUMLClass& cls) {
  TConnection* c = SelectedConnection;
  const std::string target = ClassNameOf(c->EndBox);
  TAttributeForm form(Dialogs());
  form.Caption = W("Neues Attribute für eine Objektbeziehung festlegen");
  form.ClassLabel = "Klasse : " + cls.Name;
  form.Visibility = CodeOf(kProtected);
  form.Name = (c->Kind == kHat ? "hat" : "kennt") + target;
  form.Type = target;
  form.DeleteVisible = false;
  Dialogs().RunDialog(form);
  if (form.Result != kResultOk) return false;
  auto attribute = std::make_unique<TAttribute>(
      form.Name, form.Type, static_cast<TVisibility>(form.Visibility), form.Documentation);
  const int language = Language();
  if (form.ReadChecked)
    attribute->ReadMethod =
        cls.AddMethod(MakeReadQuery(form.ReadName, form.Name, form.Type, language,
                                      TReadQueryFor::NewAttribute));
  if (form.WriteChecked)
    attribute->WriteMethod =
        cls.AddMethod(MakeWriteCommand(form.WriteName, form.Name, form.Type, language));
  c->Attributes.Add(cls.AddAttribute(std::move(attribute)));
  return true;
}

void TFChild::ToggleDeletion(const char* item, const std::string& prompt) {
  if (!Doc().CurrentClass) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    mouse::Tick(*this, item, false);
    return;
  }
  mouse::Tick(*this, item, !mouse::IsTicked(*this, item));
  if (!mouse::IsTicked(*this, item)) {
    StatusBar->clearMessage();
    Mode = EditMode::Idle;
    Redraw(true);
    return;
  }
  for (const char* other : {"Vererbung", "Aggregation", "Assoziation", "Auftrag", "Anfrage",
                            "BotschaftLoeschen", "deleteConnection"})
    if (std::string(other) != item) mouse::Tick(*this, other, false);
  SetStatus(prompt);
  Mode = EditMode::DeleteConnection;
  mouse::MarkBorderPoints(*this, kClRed);
}

void TFChild::deleteConnectionClick() {
  ToggleDeletion("deleteConnection",
                 W("Bitte Anfangs- oder Endpunkt der zu löschenden Beziehung mit Handsymbol "
                   "anklicken."));
}

void TFChild::beziehungLoeschenClick() {
  TConnection* c = SelectedConnection;
  if (mouse::IsListed(*this, c)) {
    mouse::MarkRed(*this, *c);
    if (Dialogs().Message(MsgKind::Confirmation, mouse::DeleteQuestion(c->Kind),
                          MsgButtons::YesNo) == MsgResult::Yes)
      mouse::RemoveConnection(*this, c);
  }
  StatusBar->clearMessage();
  mouse::Tick(*this, "deleteConnection", false);
  Redraw(true);
}

// ---- messages --------------------------------------------------------------------------

void TFChild::AuftragClick() {
  StartPicking("Auftrag",
               "AUFTRAG - Bitte Randpunkt der sendenden Klasse mit Handsymbol anklicken.");
}

void TFChild::AnfrageClick() {
  StartPicking("Anfrage",
               "ANFRAGE - Bitte Randpunkt der fragenden Klasse mit Handsymbol anklicken.");
}

void TFChild::erteiltAUFTRAGanClick() { StartPickingOnCurrent("Auftrag"); }
void TFChild::StelltAnfrageanClick() { StartPickingOnCurrent("Anfrage"); }

void TFChild::MethodewaehlenClick() {
  TConnection* c = SelectedConnection;
  if (!mouse::IsListed(*this, c) || !c->EndBox || !c->EndBox->UMLClass) return;
  TMethod* saved = c->Method;
  TUMLClass* cls = c->EndBox->UMLClass;
  for (;;) {
    TChooseMethodForm form(Dialogs());
    form.Caption = W("Methode der Klasse '") + cls->Name + W("' wählen!");
    const int count = cls->Methods.Count();
    for (const TMethod* m : cls->Methods.Items)
      form.Items.push_back(m->MethodSignature(Language()));
    form.Selected = cls->Methods.IndexOf(c->Method);
    if (cls->Parent) form.Items.push_back(W("Methode der Vorgängerklasse auswählen"));
    Dialogs().RunDialog(form);
    switch (form.Result) {
      case kResultOk:
        if (cls->Parent && form.Selected == count) {
          cls = cls->Parent;
          continue;
        }
        if (form.Selected >= 0 && form.Selected < count) c->Method = cls->Methods.At(form.Selected);
        break;
      case kResultNew:
        NewMethodForMessage(*cls);
        break;
      case kResultNone:
        c->Method = nullptr;
        break;
      case kResultCancel:
        c->Method = saved;
        break;
      default:
        Dialogs().Message(MsgKind::Warning, W("Fehler beim Wählen der Methode"));
        break;
    }
    break;
  }
  Redraw(true);
}

void TFChild::NewMethodForMessage(TUMLClass& cls) {
  TConnection* c = SelectedConnection;
  TMethodForm form(Dialogs());
  form.Access = CodeOf(kPublic);
  if (c->Kind == kAnfrage) {
    form.SetKind(CodeOf(kFunction));
    form.ResultType = c->StartText;
    form.Name = c->EndText;
  } else {
    form.SetKind(CodeOf(kProcedure));
    form.Name = c->TextBox->Lines.empty() ? std::string() : c->TextBox->Lines.front();
  }
  form.DeleteVisible = false;
  form.Caption = W("Neue Methode für eine Botschaft erstellen");
  form.ClassLabel = cls.Name;
  form.ClassName = cls.Name;
  auto method = std::make_unique<TMethod>();
  form.Code = &method->Code;
  Dialogs().RunDialog(form);
  if (form.Result != kResultOk) return;
  method->Name = form.Name;
  method->ResultType = form.ResultType;
  method->Documentation = form.Documentation;
  method->Visibility = static_cast<TVisibility>(form.Access);
  method->Kind = static_cast<TMethodKind>(form.Kind);
  method->Parameters = form.Parameters;
  method->IsClassMethod = form.IsClassMethod;
  method->IsAbstract = form.IsAbstract;
  method->IsFinal = form.IsFinal;
  c->Method = cls.AddMethod(std::move(method));
}

void TFChild::BotschaftLoeschenClick() {
  ToggleDeletion("BotschaftLoeschen",
                 W("Bitte Anfangs- oder Endpunkt der zu löschenden Botschaft mit Handsymbol "
                   "anklicken."));
}

void TFChild::beziehungBearbeitenClick() {
  TConnection* c = SelectedConnection;
  if (!mouse::IsListed(*this, c)) return;
  if (c->Kind == kAnfrage)
    c->TextBox->Edit("Anfrage an Klasse " + ClassNameOf(c->EndBox));
  else
    c->AskTexts();
  Redraw(true);
}

// ---- font, colour and route of a connection --------------------------------------------

void TFChild::SchriftAendernClick() {
  TConnection* c = SelectedConnection;
  if (!mouse::IsListed(*this, c)) return;
  c->CoOptions->Font.Color = c->Color;
  TFontSpec font = c->CoOptions->Font;
  if (!Dialogs().ChooseFont(font, false)) return;
  c->CoOptions->Font = font;
  c->Color = font.Color;
  Redraw(true);
}

void TFChild::CoFarbenAendernClick() {
  TConnection* c = SelectedConnection;
  if (!mouse::IsListed(*this, c)) return;
  TColor color = c->Color;
  if (Dialogs().ChooseColor(color)) {
    c->Color = color;
    c->CoOptions->Font.Color = color;
    c->Paint();
  }
  Redraw(true);
}

void TFChild::LinienzugWaehlenClick() {
  TConnection* c = SelectedConnection;
  if (!mouse::IsListed(*this, c)) return;
  c->ChooseLineShape();
  Redraw(true);
}

}  // namespace zedro
