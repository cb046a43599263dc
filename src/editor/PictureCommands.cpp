#include "editor/PictureCommands.h"

#include "editor/DialogService.h"
#include "editor/FileChoice.h"
#include "editor/Picture.h"
#include "editor/PictureOutput.h"
#include "editor/QtText.h"
#include "persistence/Files.h"

namespace zedro {

QImage PictureCommands::Picture() {
  Window().RedrawUnmarked();
  // The diagram, without the part of the bitmap that only fills the window.
  return Window().SurfaceImage().copy(0, 0, Doc().Surface.Width, Doc().Surface.Height);
}

void PictureCommands::PictureToClipboard() {
  CopyPictureToClipboard(Picture());
  Window().Redraw();
}

void PictureCommands::SavePicture() {
  QImage picture = Picture();
  TFileRequest request;
  request.caption = "Bild speichern";
  request.filter = PictureFilter();
  request.defaultExt = "BMP";
  request.initialDir = Doc().ProjectDir;
  int chosenFilter = kFilterBmp;
  request.chosenFilter = &chosenFilter;
  std::string path = Dialogs().SaveFileName(request);
  if (!path.empty()) {
    path = WithDefaultExtension(path, PictureExtension(chosenFilter));
    if (!FileExists(path) ||
        Dialogs().Message(MsgKind::Warning, ReplaceQuestion(path), MsgButtons::YesNo) == MsgResult::Yes) {
      std::string error;
      if (!SaveDiagramPicture(Doc(), picture, path, ChoosePicture(path, chosenFilter), &error))
        Dialogs().Message(MsgKind::Error, "Das Bild kann nicht in die Datei '" + path +
                                              "' geschrieben werden.\n" + error);
    }
  }
  Window().Redraw();
}

void PictureCommands::PrintPicture() {
  Picture();
  Dialogs().PrintPicture(DiagramPrintJob(Doc(), S(Window().windowTitle())));
  Window().Redraw();
}

}  // namespace zedro
