// The diagram as a picture: on the clipboard, in a file and on the printer. The picture is
// the drawing without markers, cut to the diagram's size.
#pragma once

#include <QImage>

#include "editor/CommandArea.h"

namespace zedro {

class PictureCommands : public CommandArea {
 public:
  using CommandArea::CommandArea;

  // The surface picture without markers (for the clipboard, files and the printer).
  QImage Picture();
  void PictureToClipboard();
  void SavePicture();
  void PrintPicture();
};

}  // namespace zedro
