// The operating system's reasons why a file could not be read or written, in German.
#pragma once

#include <string>

namespace zedro {

// A German sentence for an errno value: the usual file errors by name, any other by its
// number. Windows-1252 text.
std::string SystemErrorText(int errorNumber);

}  // namespace zedro
