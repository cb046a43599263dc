// The modal dialogs that diagram elements open themselves while they are created or
// edited. The editor shows real dialogs; tests answer from a script.
#pragma once

#include <string>

#include "model/UMLClass.h"

namespace zedro {

class IDiagramDialogs {
 public:
  virtual ~IDiagramDialogs() = default;
  // TFInfoBox: a multi-line text field prefilled with the lines. True when the user chose
  // "So übernehmen"; the lines then hold the dialog's text.
  virtual bool EditInfoBox(const std::string& caption, StringList& lines) = 0;
  // TFConnectionText: the text of the field, whichever way the dialog was closed.
  struct ConnectionTextRequest {
    std::string caption;
    std::string topLeft = "Ein Objekt der Klasse ";
    std::string topRight;
    std::string middle;
    std::string bottomLeft = "wieviele Objekte der Klasse";
    std::string bottomRight;
    std::string text;
  };
  virtual std::string ConnectionText(const ConnectionTextRequest& request) = 0;
  // TFChooseLine: true when "lang gestrichelt" is ticked on closing.
  virtual bool ChooseLongDash() = 0;
};

}  // namespace zedro
