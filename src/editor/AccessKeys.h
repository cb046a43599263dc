// Access keys of menus: the letter after "&" in a caption, pressed with Alt in the menu bar
// or alone in an open menu. The captions stay as they are; "&" is only the marker.
#pragma once

#include <QList>
#include <QString>

class QAction;
class QMenu;

namespace zedro {

// The caption as shown: without its marker, "&&" standing for one "&".
QString PlainCaption(const QString& text);
// The access key of a caption (lower case), or a null character when it has none.
QChar AccessKeyOf(const QString& text);
// Gives every visible entry without an access key one that no other entry of the list has
// (hidden entries keep theirs reserved): the first free letter or digit that starts a word
// of the caption, else any free letter or digit of it. Marks already set stay.
void AssignAccessKeys(const QList<QAction*>& entries);
// The same for a menu's items; its submenus get theirs too.
void AssignAccessKeys(QMenu* menu);

}  // namespace zedro
