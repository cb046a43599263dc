// Class boxes and object boxes: the drawn form of a class (or of one object of a class)
// in one diagram, with 44 numbered border points for connections.
#pragma once

#include <memory>
#include <string>

#include "diagram/BorderSide.h"
#include "diagram/Component.h"
#include "diagram/Options.h"
#include "model/ObjectValues.h"
#include "model/UMLClass.h"

namespace zedro {

class TConnectionList;

class TUMLDrawClass : public TComponent {
 public:
  // Left = X + n and Top = Y + n, where n is the number of components the surface owns
  // with this box included; without a surface Left = Top = 50.
  TUMLDrawClass(int x, int y, TConnectionList* connections, DrawingSurface* image,
                TUMLClass* umlClass);
  // Creates the box on (and owned by) the surface.
  static TUMLDrawClass* Create(int x, int y, TConnectionList* connections, DrawingSurface* image,
                               TUMLClass* umlClass);

  virtual bool IsObjectBox() const { return false; }

  // Copies another box: brings this box's class up to date from the source's class when
  // they differ, then takes position (+3, +4), source file data and options.
  void Assign(const TUMLDrawClass& source, const AttributePurge& purge);
  virtual void Paint();
  void DrawBorderPoints(TColor color, int radius);
  void MoveBy(int dx, int dy);
  // The class box record of a main diagram.
  virtual void Load(ValueReader& reader, int version);
  virtual void Save(ValueWriter& writer) const;
  // Strictly inside the frame.
  bool ContainsPoint(int x, int y) const { return Left < x && x < Right && Top < y && y < Bottom; }
  // The number (1..44) of the first border point nearer than 4 pixels, or -1.
  int BorderPointAt(int x, int y) const;
  int BorderPointX(int index) const;
  int BorderPointY(int index) const;
  // The side a border point lies on, and its position 1..N along that side.
  TBorderSide SideOfBorderPoint(int index) const;
  int PositionOnSide(int index) const;
  // The number of the border point at that position (1..N) of the side.
  int BorderPointOn(TBorderSide side, int position) const;

  // A box of a main diagram owns the class it shows.
  void OwnClass(std::unique_ptr<TUMLClass> cls) {
    ownedClass_ = std::move(cls);
    UMLClass = ownedClass_.get();
  }
  bool OwnsClass() const { return ownedClass_ != nullptr; }

  int BorderPointsPerSide = 11;
  std::int32_t SourceFileAge = -1;
  int Left = 50;
  int Right = 0;
  int Top = 50;
  int Bottom = 0;
  std::string SourceFileName;
  // The directory the source file was written to or read from (kept in memory only; the
  // diagram file stores the name alone). Empty: the project directory of the diagram.
  std::string SourceDirectory;
  TFOptions Options;
  DrawingSurface* Image;
  TConnectionList* Connections;
  TUMLClass* UMLClass;

 protected:
  std::unique_ptr<TUMLClass> ownedClass_;
};

class TUMLDrawObject : public TUMLDrawClass {
 public:
  // A class box with the object defaults: no visibility symbols, every filter "nein",
  // width "ohne Parameter usw.", dark blue font; one value "-" per attribute.
  TUMLDrawObject(int x, int y, TConnectionList* connections, DrawingSurface* image,
                 TUMLClass* umlClass);
  static TUMLDrawObject* Create(int x, int y, TConnectionList* connections, DrawingSurface* image,
                                TUMLClass* umlClass);

  bool IsObjectBox() const override { return true; }
  void Paint() override;
  // The object record: ObjectName, edges, class record, values, options. No diagram file
  // uses it (sub-diagrams store objects in their own record).
  void Load(ValueReader& reader, int version) override;
  void Save(ValueWriter& writer) const override;

  std::string ObjectName;
  TObjectAttributeList Values;
};

}  // namespace zedro
