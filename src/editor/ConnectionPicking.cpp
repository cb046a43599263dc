#include "editor/ConnectionPicking.h"

#include <QAction>

#include "editor/DialogService.h"
#include "editor/TFChild.h"
#include "model/Win1252.h"

namespace zedro::picking {

namespace {
const char* const kNoCurrentClass = "Es ist keine aktuelle Klasse angewählt.";
}  // namespace

// ---- tick marks ------------------------------------------------------------------------

bool IsTicked(const TFChild& window, const char* item) {
  const QAction* a = window.Item(item);
  return a && a->isChecked();
}

void Tick(TFChild& window, const char* item) {
  if (QAction* a = window.Item(item)) a->setChecked(true);
}

void ToggleTick(TFChild& window, const char* item) {
  if (QAction* a = window.Item(item)) a->setChecked(!a->isChecked());
}

void Untick(TFChild& window, std::initializer_list<const char*> items) {
  for (const char* item : items)
    if (QAction* a = window.Item(item)) a->setChecked(false);
}

TConnectionKind TickedKind(const TFChild& window) {
  if (IsTicked(window, "Vererbung")) return TConnectionKind::Ist;
  if (IsTicked(window, "Aggregation")) return TConnectionKind::Hat;
  if (IsTicked(window, "Assoziation")) return TConnectionKind::Kennt;
  if (IsTicked(window, "Auftrag")) return TConnectionKind::Auftrag;
  if (IsTicked(window, "Anfrage")) return TConnectionKind::Anfrage;
  return TConnectionKind::ClassInfo;
}

// ---- the starts of the commands --------------------------------------------------------

namespace {

enum class Toggled { NoCurrentClass, Off, On };

// The common start of the ticked commands: without a current class a warning, and the
// item stays unticked; else the item's tick changes.
Toggled ToggleCommandItem(TFChild& window, const char* item) {
  if (!window.Doc().CurrentClass) {
    window.Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    Untick(window, {item});
    return Toggled::NoCurrentClass;
  }
  ToggleTick(window, item);
  return IsTicked(window, item) ? Toggled::On : Toggled::Off;
}

}  // namespace

void StartPicking(TFChild& window, const char* item, const std::string& prompt) {
  const Toggled toggled = ToggleCommandItem(window, item);
  if (toggled == Toggled::NoCurrentClass) return;
  if (toggled == Toggled::Off) {
    window.Mode = EditMode::Idle;
    window.Redraw();
    window.ClearStatus();
    return;
  }
  for (const char* other : kPickingItems)
    if (std::string(other) != item) Untick(window, {other});
  window.Mode = EditMode::PickFirstPoint;
  window.FirstBoxIndex = -1;
  MarkBorderPoints(window, kClRed);
  window.SetStatus(prompt);
}

void StartPickingOnCurrent(TFChild& window, const char* item) {
  DiagramDocument& d = window.Doc();
  if (!d.CurrentClass || !d.CurrentBox || !d.DrawClasses.Contains(d.CurrentBox)) {
    window.Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    Untick(window, {"Vererbung"});
    window.Mode = EditMode::Idle;
    return;
  }
  for (const char* other : kPickingItems)
    if (std::string(other) != item) Untick(window, {other});
  Tick(window, item);
  window.Mode = EditMode::PickFirstPointOnCurrent;
  d.CurrentBox->DrawBorderPoints(kClRed, 2);
  window.ShowCanvas();
  window.SetStatus("Bitte einen Randpunkt dieser Klasse mit Handsymbol anklicken.");
}

void ToggleDeletion(TFChild& window, const char* item, const std::string& prompt) {
  const Toggled toggled = ToggleCommandItem(window, item);
  if (toggled == Toggled::NoCurrentClass) return;
  if (toggled == Toggled::Off) {
    window.ClearStatus();
    window.Mode = EditMode::Idle;
    window.Redraw();
    return;
  }
  for (const char* other : {"Vererbung", "Aggregation", "Assoziation", "Auftrag", "Anfrage",
                            "BotschaftLoeschen", "deleteConnection"})
    if (std::string(other) != item) Untick(window, {other});
  window.SetStatus(prompt);
  window.Mode = EditMode::DeleteConnection;
  MarkBorderPoints(window, kClRed);
}

// ---- markers ---------------------------------------------------------------------------

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

// ---- deleting --------------------------------------------------------------------------

std::string ClassNameOf(const TUMLDrawClass* box) {
  return box && box->UMLClass ? box->UMLClass->Name : std::string();
}

std::string DeleteQuestion(TConnectionKind kind) {
  switch (kind) {
    case TConnectionKind::Auftrag:
      return W("Möchten Sie den rot markierten Auftrag wirklich löschen?");
    case TConnectionKind::Anfrage:
      return W("Möchten Sie die rot markierte Anfrage wirklich löschen?");
    case TConnectionKind::Ist:
      return W("Möchten Sie die rot markierte IST-Beziehung wirklich löschen?");
    case TConnectionKind::Hat:
      return W("Möchten Sie die rot markierte HAT-Beziehung wirklich löschen?");
    case TConnectionKind::Kennt:
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

}  // namespace zedro::picking
