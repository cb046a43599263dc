// "Klassen aus Ordner importieren" (class menu of a main diagram): every class of the
// units or Java sources of a folder as new, laid-out boxes of the diagram.
#pragma once

#include <string>

namespace zedro {

class TFChild;

// Asks for the folder (starting in the project directory), then imports it.
void ImportClassFolderClick(TFChild& window);
// Imports the folder: units in a Delphi diagram, Java sources in a Java diagram. Refused
// outside a main diagram. The folder becomes the project directory; a summary follows.
void ImportClassFolder(TFChild& window, const std::string& dir);

}  // namespace zedro
