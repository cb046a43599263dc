#include "editor/MessageCommands.h"

#include "editor/ConnectionPicking.h"
#include "editor/DialogService.h"
#include "editor/Forms.h"
#include "model/Win1252.h"

namespace zedro {

using picking::ClassNameOf;

// ---- picking ---------------------------------------------------------------------------

void MessageCommands::AuftragClick() {
  picking::StartPicking(Window(), "Auftrag",
                        "AUFTRAG - Bitte Randpunkt der sendenden Klasse mit Handsymbol anklicken.");
}

void MessageCommands::AnfrageClick() {
  picking::StartPicking(Window(), "Anfrage",
                        "ANFRAGE - Bitte Randpunkt der fragenden Klasse mit Handsymbol anklicken.");
}

void MessageCommands::erteiltAUFTRAGanClick() {
  picking::StartPickingOnCurrent(Window(), "Auftrag");
}
void MessageCommands::StelltAnfrageanClick() {
  picking::StartPickingOnCurrent(Window(), "Anfrage");
}

// ---- the method of a message -----------------------------------------------------------

void MessageCommands::MethodewaehlenClick() {
  TConnection* c = Window().SelectedConnection;
  if (!picking::IsListed(Window(), c) || !c->EndBox || !c->EndBox->UMLClass) return;
  TMethod* saved = c->Method;
  TUMLClass* cls = c->EndBox->UMLClass;
  for (;;) {
    TChooseMethodForm form(Dialogs());
    form.Caption = W("Methode der Klasse '") + cls->Name + W("' wählen!");
    const int count = cls->Methods.Count();
    for (const TMethod* m : cls->Methods.Items)
      form.Items.push_back(m->MethodSignature(Window().Language()));
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
  Window().Redraw();
}

void MessageCommands::NewMethodForMessage(TUMLClass& cls) {
  TConnection* c = Window().SelectedConnection;
  TMethodForm form(Dialogs());
  form.Access = CodeOf(TVisibility::Public);
  if (c->Kind == TConnectionKind::Anfrage) {
    form.SetKind(CodeOf(TMethodKind::Function));
    form.ResultType = c->StartText;
    form.Name = c->EndText;
  } else {
    form.SetKind(CodeOf(TMethodKind::Procedure));
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
  method->Visibility = FromCode<TVisibility>(form.Access);
  method->Kind = FromCode<TMethodKind>(form.Kind);
  method->Parameters = form.Parameters;
  method->IsClassMethod = form.IsClassMethod;
  method->IsAbstract = form.IsAbstract;
  method->IsFinal = form.IsFinal;
  c->Method = cls.AddMethod(std::move(method));
}

// ---- deleting and texts ----------------------------------------------------------------

void MessageCommands::BotschaftLoeschenClick() {
  picking::ToggleDeletion(Window(), "BotschaftLoeschen",
                          W("Bitte Anfangs- oder Endpunkt der zu löschenden Botschaft mit "
                            "Handsymbol anklicken."));
}

void MessageCommands::beziehungBearbeitenClick() {
  TConnection* c = Window().SelectedConnection;
  if (!picking::IsListed(Window(), c)) return;
  if (c->Kind == TConnectionKind::Anfrage)
    c->TextBox->Edit("Anfrage an Klasse " + ClassNameOf(c->EndBox));
  else
    c->AskTexts();
  Window().Redraw();
}

}  // namespace zedro
