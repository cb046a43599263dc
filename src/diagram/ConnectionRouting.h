// Border points for connections between boxes that already have their places (boxes laid
// out by the program): each connection gets the route, among the straight and the
// one-bend routes between points facing each other, that crosses the fewest other boxes
// and is shortest; lines that would share a border point are then moved apart.
#pragma once

#include <vector>

namespace zedro {

class TConnection;
class TUMLDrawClass;

// Sets StartPoint, EndPoint and LineShape of the connection from the geometry (Left, Top,
// Right, Bottom) of its boxes; the other boxes given are kept clear where possible. A
// connection from a box to itself is left alone.
void AttachFacingBorderPoints(TConnection& connection,
                              const std::vector<TUMLDrawClass*>& obstacles = {});

// Ends of these connections that share a border point are moved apart to neighbouring
// points of the same side, in the order of the boxes they come from, so that no two
// lines lie on top of each other. Only the IST lines that meet at their ancestor keep
// sharing the point: they end in one arrow head.
void SeparateSharedBorderPoints(const std::vector<TConnection*>& connections);

}  // namespace zedro
