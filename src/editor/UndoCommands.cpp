#include "editor/UndoCommands.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

#include "editor/AccessKeys.h"
#include "editor/QtText.h"
#include "editor/TFChild.h"
#include "editor/TFClassInspector.h"
#include "editor/TMainForm.h"
#include "editor/UndoHistory.h"
#include "model/Win1252.h"

namespace zedro {

TUndoCommands::TUndoCommands(TMainForm& form) : QObject(&form), form_(form) {
  setObjectName("UndoCommands");
  QStyle* st = form.style();
  UndoItem = new QAction(Q(W("&Rückgängig")), form.Edit1);
  UndoItem->setObjectName("UndoItem");
  UndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  UndoItem->setIcon(st->standardIcon(QStyle::SP_ArrowBack));
  UndoItem->setToolTip(Q(W("Rückgängig")));
  UndoItem->setStatusTip(Q(W("Den letzten Schritt zurücknehmen")));
  RedoItem = new QAction("&Wiederholen", form.Edit1);
  RedoItem->setObjectName("RedoItem");
  RedoItem->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  RedoItem->setIcon(st->standardIcon(QStyle::SP_ArrowForward));
  RedoItem->setToolTip("Wiederholen");
  RedoItem->setStatusTip(Q(W("Den zurückgenommenen Schritt wieder ausführen")));

  // At the top of "Bearbeiten"; the frame's items keep their order below.
  QAction* first = form.Edit1->actions().isEmpty() ? nullptr : form.Edit1->actions().first();
  form.Edit1->insertAction(first, UndoItem);
  form.Edit1->insertAction(first, RedoItem);
  form.Edit1->insertSeparator(first);
  // In the tool bar in front of the class commands.
  if (form.ToolBar2) {
    QAction* before = nullptr;
    for (QAction* a : form.ToolBar2->actions())
      if (a->objectName() == "DeleteItem") before = a;
    form.ToolBar2->insertAction(before, UndoItem);
    form.ToolBar2->insertAction(before, RedoItem);
    form.ToolBar2->insertSeparator(before);
  }

  // Run once the menu or key press has been dealt with: a restore rebuilds windows.
  connect(UndoItem, &QAction::triggered, this, [this] {
    if (UndoHistory* h = ActiveHistory()) h->UndoLater();
  });
  connect(RedoItem, &QAction::triggered, this, [this] {
    if (UndoHistory* h = ActiveHistory()) h->RedoLater();
  });

  // The class inspector's buttons and its member dialogs.
  if (auto* inspector = dynamic_cast<TFClassInspector*>(form.ClassInspector())) {
    const std::pair<QPushButton*, std::string> buttons[] = {
        {inspector->BtNewAttribute, W("Attribut hinzufügen")},
        {inspector->BtNewMethod, W("Methode hinzufügen")},
        {inspector->BtOverrideMethod, W("Methode überschreiben")},
        {inspector->BtChangeName, W("Name oder Art der Klasse ändern")},
        {inspector->BtDoku, W("Beschreibung der Klasse ändern")}};
    for (const auto& [button, name] : buttons)
      if (button)
        connect(button, &QPushButton::pressed, this, [this, step = name] { NameStepOfActive(step); });
    if (inspector->TVclass)
      connect(inspector->TVclass, &QTreeWidget::itemPressed, this,
              [this] { NameStepOfActive(W("Klasse ändern")); });
  }
  Refresh();
}

UndoHistory* TUndoCommands::ActiveHistory() const {
  TFChild* active = form_.ActiveChild();
  return active ? UndoHistory::Of(*active) : nullptr;
}

void TUndoCommands::NameStepOfActive(const std::string& name) {
  if (UndoHistory* h = ActiveHistory()) h->NameStep(name);
}

void TUndoCommands::Refresh() {
  UndoHistory* h = ActiveHistory();
  const bool canUndo = h && h->CanUndo();
  const bool canRedo = h && h->CanRedo();
  // The access keys stay on the first letters.
  QString undo = Q(h ? h->UndoCaption() : W("Rückgängig")).replace('&', "&&");
  QString redo = Q(h ? h->RedoCaption() : std::string("Wiederholen")).replace('&', "&&");
  undo.insert(0, '&');
  redo.insert(0, '&');
  UndoItem->setText(undo);
  UndoItem->setEnabled(canUndo);
  RedoItem->setText(redo);
  RedoItem->setEnabled(canRedo);
  UndoItem->setToolTip(PlainCaption(undo));
  RedoItem->setToolTip(PlainCaption(redo));
}

}  // namespace zedro
