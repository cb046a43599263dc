#include "editor/RelationshipCommands.h"

#include "editor/ConnectionPicking.h"
#include "editor/DialogService.h"
#include "editor/Forms.h"
#include "model/MemberCode.h"
#include "model/Win1252.h"

namespace zedro {

using picking::ClassNameOf;

// ---- picking ---------------------------------------------------------------------------

void RelationshipCommands::VererbungClick() {
  picking::StartPicking(Window(), "Vererbung",
                        "WELCHE Klasse ist..   Bitte Randpunkt der Nachfolgerklasse mit "
                        "Handsymbol anklicken.");
}

void RelationshipCommands::AggregationClick() {
  picking::StartPicking(Window(), "Aggregation",
                        "HAT-Beziehung/Aggregation - Bitte Randpunkt der besitzenden Klasse mit "
                        "Handsymbol anklicken.");
}

void RelationshipCommands::AssoziationClick() {
  picking::StartPicking(Window(), "Assoziation",
                        "KENNT-Beziehung/Assoziation - Bitte Randpunkt der kennenden Klasse mit "
                        "Handsymbol anklicken.");
}

void RelationshipCommands::KlasseISTClick() { picking::StartPickingOnCurrent(Window(), "Vererbung"); }
void RelationshipCommands::KlasseHATClick() {
  picking::StartPickingOnCurrent(Window(), "Aggregation");
}
void RelationshipCommands::KlasseKENNTClick() {
  picking::StartPickingOnCurrent(Window(), "Assoziation");
}

// ---- the attributes of a HAT or KENNT --------------------------------------------------

void RelationshipCommands::AttributwaehlenClick() {
  TConnection* c = Window().SelectedConnection;
  if (!picking::IsListed(Window(), c) || !c->StartBox || !c->StartBox->UMLClass) return;
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
  Window().Redraw();
}

bool RelationshipCommands::NewAttributeForConnection(TUMLClass& cls) {
  TConnection* c = Window().SelectedConnection;
  const std::string target = ClassNameOf(c->EndBox);
  TAttributeForm form(Dialogs());
  form.Caption = W("Neues Attribute für eine Objektbeziehung festlegen");
  form.ClassLabel = "Klasse : " + cls.Name;
  form.Visibility = CodeOf(TVisibility::Protected);
  form.Name = (c->Kind == TConnectionKind::Hat ? "hat" : "kennt") + target;
  form.Type = target;
  form.DeleteVisible = false;
  Dialogs().RunDialog(form);
  if (form.Result != kResultOk) return false;
  auto attribute = std::make_unique<TAttribute>(
      form.Name, form.Type, FromCode<TVisibility>(form.Visibility), form.Documentation);
  const int language = Window().Language();
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

// ---- deleting --------------------------------------------------------------------------

void RelationshipCommands::deleteConnectionClick() {
  picking::ToggleDeletion(Window(), "deleteConnection",
                          W("Bitte Anfangs- oder Endpunkt der zu löschenden Beziehung mit "
                            "Handsymbol anklicken."));
}

void RelationshipCommands::beziehungLoeschenClick() {
  TConnection* c = Window().SelectedConnection;
  if (picking::IsListed(Window(), c)) {
    picking::MarkRed(Window(), *c);
    if (Dialogs().Message(MsgKind::Confirmation, picking::DeleteQuestion(c->Kind),
                          MsgButtons::YesNo) == MsgResult::Yes)
      picking::RemoveConnection(Window(), c);
  }
  Window().ClearStatus();
  picking::Untick(Window(), {"deleteConnection"});
  Window().Redraw();
}

// ---- font, colour and route of a connection --------------------------------------------

void RelationshipCommands::SchriftAendernClick() {
  TConnection* c = Window().SelectedConnection;
  if (!picking::IsListed(Window(), c)) return;
  c->CoOptions->Font.Color = c->Color;
  TFontSpec font = c->CoOptions->Font;
  if (!Dialogs().ChooseFont(font, FontEffects::NotOffered)) return;
  c->CoOptions->Font = font;
  c->Color = font.Color;
  Window().Redraw();
}

void RelationshipCommands::CoFarbenAendernClick() {
  TConnection* c = Window().SelectedConnection;
  if (!picking::IsListed(Window(), c)) return;
  TColor color = c->Color;
  if (Dialogs().ChooseColor(color)) {
    c->Color = color;
    c->CoOptions->Font.Color = color;
    c->Paint();
  }
  Window().Redraw();
}

void RelationshipCommands::LinienzugWaehlenClick() {
  TConnection* c = Window().SelectedConnection;
  if (!picking::IsListed(Window(), c)) return;
  c->ChooseLineShape();
  Window().Redraw();
}

}  // namespace zedro
