#include "editor/FolderImportCommand.h"

#include <QApplication>
#include <algorithm>

#include "editor/Autosave.h"
#include "editor/DialogService.h"
#include "editor/RoundTripCommands.h"
#include "editor/RoundTripSupport.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "import/FolderImport.h"
#include "model/Win1252.h"

#ifdef ZEDRO_HAVE_LAYOUT
#include "layout/GraphLayout.h"
#endif

namespace zedro {
namespace {

class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

GraphLayoutFunction GraphLayout() {
#ifdef ZEDRO_HAVE_LAYOUT
  return [](const std::vector<layout::Node>& nodes, const std::vector<layout::Edge>& edges,
            std::vector<layout::Position>& positions, std::string& error) {
    return layout::LayOutGraph(nodes, edges, positions, error);
  };
#else
  return {};
#endif
}

}  // namespace

void ImportClassFolderClick(TFChild& window) {
  if (window.RoundTrip().RefuseImportOutsideMainDiagram()) return;
  TFileRequest request;
  request.caption = "Klassen aus Ordner importieren";
  request.initialDir = window.Doc().ProjectDir;
  const std::string dir = window.Dialogs().DirectoryName(request);
  if (!dir.empty()) ImportClassFolder(window, dir);
}

void ImportClassFolder(TFChild& window, const std::string& dir) {
  if (window.RoundTrip().RefuseImportOutsideMainDiagram()) return;
  // The diagram as it was stays recoverable, as before every import.
  window.MainForm().Autosave().SaveNow(window);
  DiagramDocument& doc = window.Doc();
  FolderImportResult result;
  {
    BusyCursor busy;
    WatchTimerPause pause(window);
    WindowMessages messages(window);
    result = ImportClassFolder(doc, dir, doc.Language == 2 ? 2 : 1, GraphLayout(), messages);
  }
  if (!result.boxes.empty()) {
    window.SetProjectDirectory(dir.back() == '/' ? dir : dir + "/");
    window.Redraw();
    window.MainForm().ShowClassInInspector(doc.CurrentClass);
    // The new boxes come into view from their top-left corner.
    int left = result.boxes.front()->Left, top = result.boxes.front()->Top;
    for (const TUMLDrawClass* box : result.boxes) {
      left = std::min(left, box->Left);
      top = std::min(top, box->Top);
    }
    window.ScrollTo({left - 20, top - 20});
  }
  window.Dialogs().Message(result.boxes.empty() ? MsgKind::Warning : MsgKind::Information,
                           FolderImportSummary(result, dir));
}

}  // namespace zedro
