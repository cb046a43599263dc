#include "support/OldFileWriter.h"

#include <initializer_list>

namespace zedro::testing {
namespace {

void Ints(ValueWriter& w, std::initializer_list<int> values) {
  for (int v : values) w.WriteInteger(v);
}

void Font(ValueWriter& w) {
  w.WriteString("MS Sans Serif");
  Ints(w, {8, static_cast<int>(0x80000008u)});
  for (int i = 0; i < 3; ++i) w.WriteBoolean(false);
}

void Options(ValueWriter& w, int v, int filter) {
  Font(w);
  if (v == 134) return w.WriteBoolean(true);
  Ints(w, {1, 0});  // width, show access
  if (v > 183) w.WriteInteger(0);
  if (v < 151) return w.WriteInteger(filter);
  Ints(w, {0, 0, 0, 0});
}

void Class(ValueWriter& w, int cv, const OldClass& c) {
  if (cv >= 140) w.WriteInteger(cv);
  if (cv < 175) {
    w.WriteInteger(c.kind);
    w.WriteString(c.name);
  } else {
    w.WriteString(c.name);
    w.WriteBoolean(c.kind == 1);
    if (cv > 180) w.WriteBoolean(c.kind == 2);
  }
  w.WriteStrings(c.doc);
  if (cv > 136) w.WriteStrings(c.interfaceUses);
  if (cv > 170) w.WriteStrings({});  // implementation uses
  Ints(w, {static_cast<int>(c.attributes.size()), static_cast<int>(c.methods.size())});
  for (const OldAttribute& a : c.attributes) {
    w.WriteString(a.name), w.WriteString(a.type), w.WriteInteger(a.visibility);
    cv < 175 ? w.WriteString(a.doc.empty() ? "" : a.doc[0]) : w.WriteStrings(a.doc);
    if (cv > 172) Ints(w, {a.readIndex, -1});
  }
  for (const OldMethod& m : c.methods) {
    w.WriteString(m.name);
    if (cv < 175) w.WriteString(m.parameterText);
    w.WriteString(m.result);
    w.WriteInteger(2);  // public
    if (cv > 140) w.WriteInteger(m.kind);
    if (cv >= 175) {
      for (bool b : {false, m.isAbstract, false}) w.WriteBoolean(b);
      w.WriteInteger(static_cast<int>(m.parameters.size()));
      for (const auto& [name, type] : m.parameters) w.WriteString(name), w.WriteString(type);
    }
    w.WriteStrings({});
    if (cv > 136) w.WriteStrings(m.code);
    if (cv > 136 && cv < 175) w.WriteStrings(m.directives);
  }
}

void Connection(ValueWriter& w, int v, const OldConnection& c) {
  Ints(w, {c.kind, 0});
  if (v > 141) w.WriteInteger(c.color);
  if (v > 140) {
    Ints(w, {c.startBox, c.startPoint, c.endBox});
    if (v > 142) w.WriteInteger(c.method);
    if (v >= 183) {
      w.WriteInteger(static_cast<int>(c.attributes.size()));
      for (int a : c.attributes) w.WriteInteger(a);
    } else if (v > 142) {
      w.WriteInteger(c.attributes.empty() ? -1 : c.attributes[0]);
    }
    w.WriteInteger(c.endPoint);
  } else {
    Ints(w, {c.startX, c.startY, c.endX, c.endY});
  }
  w.WriteString(c.startText);
  w.WriteString(c.endText);
  if (v >= 161) {
    Ints(w, {1, 2, 3, 4});
    w.WriteStrings(c.textLines);
    Font(w);
  }
  if (v >= 151) Ints(w, {0, 0});
  if (v > 141) Font(w);
}

}  // namespace

std::string WriteOldDiagram(const OldDiagram& d, int v) {
  ValueWriter w;
  w.WriteInteger(v);
  if (v > 181) w.WriteInteger(1);  // the language
  Options(w, v, d.filter);
  if (v > 141) Font(w);
  Ints(w, {static_cast<int>(d.boxes.size()), static_cast<int>(d.connections.size())});
  if (v > 150) w.WriteInteger(static_cast<int>(d.infoBoxes.size()));
  for (const OldBox& b : d.boxes) {
    Ints(w, {b.left, b.top, b.right, b.bottom});
    if (v > 170) {
      w.WriteString(b.sourceFile);
      w.WriteInteger(-1);
    }
    Class(w, v, b.cls);
    if (v > 141) Options(w, v, d.filter);
  }
  for (const OldConnection& c : d.connections) Connection(w, v, c);
  for (const auto& lines : v > 150 ? d.infoBoxes : decltype(d.infoBoxes){}) {
    Ints(w, {5, 6, 7, 8});
    w.WriteStrings(lines);
    Font(w);
  }
  if (v <= 153) return w.Bytes();
  w.WriteInteger(static_cast<int>(d.subs.size()));
  for (const OldSub& s : d.subs) {
    if (v > 170) w.WriteString(s.name);
    Options(w, v, d.filter);
    Font(w);
    Ints(w, {static_cast<int>(s.boxes.size()), 0, 0});
    for (const OldSubBox& b : s.boxes) {
      Ints(w, {20, 20, 80, 50, b.classIndex});
      if (v >= 176) w.WriteBoolean(b.isObject);
      if (b.isObject && v >= 176) w.WriteString(b.objectName), w.WriteStrings(b.values);
      Options(w, v, d.filter);
    }
  }
  return w.Bytes();
}

}  // namespace zedro::testing
