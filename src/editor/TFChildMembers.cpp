// The diagram window's commands that hand the current class to the class inspector's
// operations: new attribute, new method, override, name and kind, description.
#include <QAction>

#include "editor/MemberEditor.h"
#include "editor/TFChild.h"

namespace zedro {

void TFChild::WireMemberCommands() {
  auto wire = [this](const char* name, void (TFChild::*command)()) {
    if (QAction* item = Item(name))
      connect(item, &QAction::triggered, this, [this, command] { (this->*command)(); });
  };
  wire("Attributhinzufuegen", &TFChild::AttributhinzufuegenClick);
  wire("MethodeHinzufuegen", &TFChild::MethodeHinzufuegenClick);
  wire("Methodeberschreiben1", &TFChild::MethodeueberschreibenClick);
  wire("NameoderArtAendern", &TFChild::NameoderArtAendernClick);
  wire("BeschreibungAendern", &TFChild::BeschreibungAendernClick);
}

void TFChild::AttributhinzufuegenClick() {
  MemberEditor(MainForm()).NewAttribute(Doc().CurrentClass);
}

void TFChild::MethodeHinzufuegenClick() { MemberEditor(MainForm()).NewMethod(Doc().CurrentClass); }

void TFChild::MethodeueberschreibenClick() {
  MemberEditor(MainForm()).OverrideMethod(Doc().CurrentClass);
}

void TFChild::NameoderArtAendernClick() {
  MemberEditor(MainForm()).ChangeNameAndKind(Doc().CurrentClass);
}

void TFChild::BeschreibungAendernClick() {
  MemberEditor(MainForm()).ChangeDescription(Doc().CurrentClass);
}

}  // namespace zedro
