// Writes diagram files in the layouts of earlier versions, for the reader's tests.
#pragma once

#include <string>
#include <vector>

#include "persistence/ValueStream.h"

namespace zedro::testing {

struct OldAttribute {
  std::string name, type;
  int visibility = 0;
  std::vector<std::string> doc;
  int readIndex = -1;
};

struct OldMethod {
  std::string name, parameterText;                              // parameters below 175
  std::vector<std::pair<std::string, std::string>> parameters;  // 175 and later
  std::string result;
  int kind = 1;
  bool isAbstract = false;
  std::vector<std::string> code, directives;
};

struct OldClass {
  std::string name;
  int kind = 0;  // 1 abstract, 2 library
  std::vector<std::string> doc, interfaceUses;
  std::vector<OldAttribute> attributes;
  std::vector<OldMethod> methods;
};

struct OldBox {
  int left = 10, top = 10, right = 100, bottom = 60;
  std::string sourceFile;
  OldClass cls;
};

struct OldConnection {
  int kind = 1, color = 0;
  int startBox = 0, startPoint = 1, endBox = 1, endPoint = 1;
  int startX = 0, startY = 0, endX = 0, endY = 0;  // versions up to 140
  int method = -1;
  std::vector<int> attributes;
  std::string startText, endText;
  std::vector<std::string> textLines;
};

struct OldSubBox {
  int classIndex = 0;
  bool isObject = false;
  std::string objectName;
  std::vector<std::string> values;
};

struct OldSub {
  std::string name;
  std::vector<OldSubBox> boxes;
};

struct OldDiagram {
  int filter = 0;  // visibility filter of versions 135 to 150
  std::vector<OldBox> boxes;
  std::vector<OldConnection> connections;
  std::vector<std::vector<std::string>> infoBoxes;
  std::vector<OldSub> subs;
};

std::string WriteOldDiagram(const OldDiagram& d, int v);

}  // namespace zedro::testing
