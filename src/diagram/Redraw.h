// The full redraw of a diagram: the surface is cleared and every box, connection and free
// note is painted again in list order; the surface grows when the drawing does not fit.
#pragma once

namespace zedro {

class DiagramDocument;
class IMessages;

// The surface never grows beyond this many pixels in either direction, whatever the
// coordinates in a (possibly damaged) diagram say.
constexpr int kMaxSurfaceExtent = 10000;
// Space kept right of and below the drawing when the surface grows.
constexpr int kSurfaceMargin = 50;
// Boxes and free notes are kept at least this far from the left and top edges.
constexpr int kMinElementLeft = 3;
constexpr int kMinElementTop = 3;

// Whether a redraw marks the current box with its border points.
enum class CurrentBoxMark { Shown, Hidden };

// Redraws the document on its surface's canvas (nothing happens without one). The canvas is
// sized to the surface's bitmap (the diagram, or the window's visible area when that is
// larger). The surface grows to hold every box, note and connection with its route, head
// and texts. Free notes are kept inside the left and top edges. With
// the mark shown the current box shows its border points in black; selected boxes always
// show theirs in blue, and the selection rectangle is drawn in not-xor grey. The status
// line, when a message sink is given, shows "Verzeichnis: " + ProjectDir. Marks the
// document as changed. Returns true when the surface grew (it never shrinks); the
// drawing on the grown surface is then complete.
bool Redraw(DiagramDocument& doc, CurrentBoxMark mark, IMessages* status = nullptr);

}  // namespace zedro
