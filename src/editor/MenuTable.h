// Menus built from tables. Every item of the diagram window's menus and context menus and
// of the frame's menus is one row: {object name, caption, shortcut, hint, handler, flags}.
// A grep for a caption finds its row, and the row names the command the item runs.
#pragma once

class QAction;
class QMenu;

namespace zedro {

// What a row says besides its caption.
enum MenuFlag : unsigned {
  // The item carries a tick that its command sets itself (Qt's own toggle is taken back).
  kTicked = 1u << 0,
  // A heading of a context menu: shown greyed, never chosen.
  kTitle = 1u << 1,
  kHidden = 1u << 2,    // hidden until a command shows it
  kDisabled = 1u << 3,  // disabled until a command enables it
  // Shown only while the diagram is in that language.
  kJavaOnly = 1u << 4,
  kDelphiOnly = 1u << 5,
  // Kept in its place in a sub-diagram's menu, but hidden there.
  kHiddenInSubDiagram = 1u << 6,
  // The row belongs to the menus of main diagrams only, or of sub-diagrams only.
  kMainDiagramRow = 1u << 7,
  kSubDiagramRow = 1u << 8,
  // A separator line; a name lets commands find it.
  kSeparator = 1u << 9,
  // A submenu: the row's name is the submenu's, its item is named name + "Item".
  kSubmenu = 1u << 10,
};

template <class Target>
struct MenuRow {
  const char* name;
  const char* caption;   // as shown, UTF-8 in the source; access keys are added when shown
  const char* shortcut;  // a key sequence such as "Ctrl+S"; "" for none
  const char* hint;      // "short|long": tool tip and status bar text; "" for none
  void (*handler)(Target&);  // nullptr: the item runs nothing (titles, placeholders)
  unsigned flags;
};

template <class Target>
constexpr MenuRow<Target> SeparatorRow(unsigned flags = 0, const char* name = "") {
  return {name, "", "", "", nullptr, flags | kSeparator};
}

// Whether a row is built into the menus of a main diagram or of a sub-diagram.
constexpr bool RowBelongsTo(unsigned flags, bool mainDiagram) {
  return !(flags & (mainDiagram ? kSubDiagramRow : kMainDiagramRow));
}

// Adds the item of a row to the menu with its caption (converted from the source's UTF-8),
// shortcut, hint, tick and state; connecting it is the caller's part.
QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                     const char* hint, unsigned flags);
template <class Target>
QAction* AddMenuItem(QMenu* menu, const MenuRow<Target>& row) {
  return AddMenuItem(menu, row.name, row.caption, row.shortcut, row.hint, row.flags);
}

// Whether an item with these flags is shown in that language (1 Delphi, 2 Java) and kind of
// diagram.
bool ShownFor(unsigned flags, int language, bool mainDiagram);

}  // namespace zedro
