#include "editor/MenuTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QString>

namespace zedro {

QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                     const char* hint, unsigned flags) {
  QAction* item = nullptr;
  if (flags & kSeparator) {
    item = menu->addSeparator();
  } else if (flags & kSubmenu) {
    QMenu* sub = menu->addMenu(QString::fromUtf8(caption));
    sub->setObjectName(name);
    item = sub->menuAction();
    item->setObjectName(QString(name) + "Item");
  } else {
    item = menu->addAction(QString::fromUtf8(caption));
  }
  if (!(flags & kSubmenu)) item->setObjectName(name);
  if (shortcut && *shortcut) item->setShortcut(QKeySequence(shortcut));
  if (hint && *hint) {
    // "short|long": the short text is the tool tip, the long one goes to the status bar.
    const QString text = QString::fromUtf8(hint);
    const qsizetype bar = text.indexOf('|');
    item->setToolTip(bar < 0 ? text : text.left(bar));
    item->setStatusTip(bar < 0 ? text : text.mid(bar + 1));
  }
  if (flags & kTicked) item->setCheckable(true);
  if (flags & (kTitle | kDisabled)) item->setEnabled(false);
  if (flags & kHidden) item->setVisible(false);
  return item;
}

bool ShownFor(unsigned flags, int language, bool mainDiagram) {
  if ((flags & kHiddenInSubDiagram) && !mainDiagram) return false;
  if (flags & kJavaOnly) return language == 2;
  if (flags & kDelphiOnly) return language != 2;
  return !(flags & kHidden);
}

}  // namespace zedro
