// What the relationship and message commands and the mouse share while a connection is
// picked or deleted: the tick marks of the command items (which also tell the mouse what
// is being picked), the red markers, and taking a connection out of the diagram.
#pragma once

#include <initializer_list>
#include <string>

#include "diagram/ConnectionKind.h"
#include "diagram/Font.h"

namespace zedro {

class TConnection;
class TFChild;
class TUMLDrawClass;

namespace picking {

// The command items that pick a new connection.
inline constexpr const char* kPickingItems[] = {"Vererbung", "Aggregation", "Assoziation",
                                               "Auftrag", "Anfrage"};

bool IsTicked(const TFChild& window, const char* item);
void Tick(TFChild& window, const char* item);
void ToggleTick(TFChild& window, const char* item);
void Untick(TFChild& window, std::initializer_list<const char*> items);
// The connection kind of the ticked command item (IST, HAT, KENNT, Auftrag, Anfrage in this
// order); 0 when none is ticked.
TConnectionKind TickedKind(const TFChild& window);

// The start of a picking command (the item's own tick toggles): the first border point on
// any box is asked for with the prompt. Without a current class it refuses.
void StartPicking(TFChild& window, const char* item, const std::string& prompt);
// The start of a picking command that begins at the current box (the item is ticked).
void StartPickingOnCurrent(TFChild& window, const char* item);
// The start and the end of deleting connections by clicking an end (the item toggles).
void ToggleDeletion(TFChild& window, const char* item, const std::string& prompt);

// Marks the border points of every box but `except` (size 2) and shows them.
void MarkBorderPoints(TFChild& window, TColor color, const TUMLDrawClass* except = nullptr);
// Paints the connection dashed, red and 2 pixels wide, and shows it.
void MarkRed(TFChild& window, TConnection& connection);

// The name of the box's class, empty for none (the titles and texts of the commands).
std::string ClassNameOf(const TUMLDrawClass* box);

// The question before a connection of that kind is deleted.
std::string DeleteQuestion(TConnectionKind kind);
// True while the connection is one of the window's connections.
bool IsListed(const TFChild& window, const TConnection* connection);
// Takes the connection out of the diagram (an IST also takes the start class's Parent)
// and frees it; the window forgets every reference to it.
void RemoveConnection(TFChild& window, TConnection* connection);

}  // namespace picking
}  // namespace zedro
