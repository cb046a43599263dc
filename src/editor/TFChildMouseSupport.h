// Helpers shared by the mouse state machine of the diagram window and its relationship
// and message commands: the tick marks of the command items, the red markers and the
// removal of a connection.
#pragma once

#include <initializer_list>
#include <string>

#include "diagram/ConnectionKind.h"
#include "diagram/Font.h"

namespace zedro {

class TConnection;
class TFChild;
class TUMLDrawClass;

namespace mouse {

bool IsTicked(const TFChild& window, const char* item);
void Tick(TFChild& window, const char* item, bool on);
void Untick(TFChild& window, std::initializer_list<const char*> items);
// The connection kind of the ticked command item (IST, HAT, KENNT, Auftrag, Anfrage in this
// order); 0 when none is ticked.
TConnectionKind TickedKind(const TFChild& window);

// Marks the border points of every box but `except` (size 2) and shows them.
void MarkBorderPoints(TFChild& window, TColor color, const TUMLDrawClass* except = nullptr);
// Paints the connection dashed, red and 2 pixels wide, and shows it.
void MarkRed(TFChild& window, TConnection& connection);

// The question before a connection of that kind is deleted.
std::string DeleteQuestion(TConnectionKind kind);
// True while the connection is one of the window's connections.
bool IsListed(const TFChild& window, const TConnection* connection);
// Takes the connection out of the diagram (an IST also takes the start class's Parent)
// and frees it; the window forgets every reference to it.
void RemoveConnection(TFChild& window, TConnection* connection);

}  // namespace mouse
}  // namespace zedro
