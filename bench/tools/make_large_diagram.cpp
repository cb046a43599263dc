// Writes a large diagram for measuring zedro-cli in a fresh process:
//   zedro_make_large_diagram OUT.urd [CLASSES [ATTRIBUTES METHODS CONNECTIONS_PER_CLASS]]
// Without the numbers it writes the 50,000-class diagram of the benchmarks.
#include <cstdlib>
#include <iostream>

#include "LargeDiagram.h"
#include "model/Notation.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3 && argc != 6) {
    std::cerr << "usage: zedro_make_large_diagram OUT.urd [CLASSES [ATTRIBUTES METHODS "
                 "CONNECTIONS_PER_CLASS]]\n";
    return 2;
  }
  zedro::bench::LargeDiagramShape shape = zedro::bench::FiftyThousandClasses();
  if (argc >= 3) shape.classes = std::atoi(argv[2]);
  if (argc == 6) {
    shape.attributes = std::atoi(argv[3]);
    shape.methods = std::atoi(argv[4]);
    shape.connectionsPerClass = std::atoi(argv[5]);
  }
  zedro::NotationScope notation(1);
  auto doc = zedro::bench::MakeLargeDiagram(shape);
  std::string error;
  if (!zedro::WriteFileAtomically(argv[1], zedro::DiagramToBytes(*doc), &error)) {
    std::cerr << error << "\n";
    return 1;
  }
  return 0;
}
