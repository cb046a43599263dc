// The drawing surface of a diagram: it owns every element drawn on it and counts its
// components (boxes, info boxes, connection text boxes and connection font sets).
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace zedro {

class Canvas;
class DiagramDocument;
class IDiagramDialogs;
class MemberColourIndex;

class TComponent {
 public:
  TComponent() = default;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  virtual ~TComponent() = default;
  // Connections live on the surface too but are not counted as components.
  virtual bool CountsAsComponent() const { return true; }
};

class DrawingSurface {
 public:
  explicit DrawingSurface(DiagramDocument* document = nullptr) : Document(document) {}
  DrawingSurface(const DrawingSurface&) = delete;
  DrawingSurface& operator=(const DrawingSurface&) = delete;

  template <class T>
  T* Adopt(std::unique_ptr<T> element) {
    T* raw = element.get();
    if (raw->CountsAsComponent()) ++componentCount_;
    owned_.push_back(std::move(element));
    return raw;
  }
  // Frees an element owned by this surface; unknown pointers are ignored.
  void Destroy(const TComponent* element);
  void DestroyAll();
  bool Owns(const TComponent* element) const;
  int ComponentCount() const { return componentCount_; }

  DiagramDocument* Document;
  Canvas* canvas = nullptr;            // set by whoever paints on the surface
  IDiagramDialogs* dialogs = nullptr;  // the creation dialogs of connections and notes
  // Set by the redraw while it paints the boxes: the connections that colour members.
  const MemberColourIndex* memberColours = nullptr;
  // The diagram's size: it starts at 505 x 385 and grows with the drawing; pictures of
  // the diagram (files, clipboard, printer) have this size.
  int Width = 505;
  int Height = 385;
  // The visible area of the window that shows the surface (0 without a window). The
  // bitmap drawn on is at least this large, so that the whole window is drawing area.
  int ViewWidth = 0;
  int ViewHeight = 0;
  int BitmapWidth() const { return Width > ViewWidth ? Width : ViewWidth; }
  int BitmapHeight() const { return Height > ViewHeight ? Height : ViewHeight; }

 private:
  std::vector<std::unique_ptr<TComponent>> owned_;
  int componentCount_ = 0;
};

}  // namespace zedro
