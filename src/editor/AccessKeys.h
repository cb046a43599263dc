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
// Gives the visible entries without a key of their own caption one that no other visible
// entry of the list has, as many as the letters allow: preferably a letter that starts a
// word of the caption, else any letter or digit of it. Keys chosen earlier are chosen
// anew (entries may have been shown or hidden since); keys written into a caption stay.
void AssignAccessKeys(const QList<QAction*>& entries);
// The same for a menu's items; its submenus get theirs too.
void AssignAccessKeys(QMenu* menu);

}  // namespace zedro
