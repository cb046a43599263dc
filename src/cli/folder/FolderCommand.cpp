// The folder module of zedro-cli, for import-folder: every class of a folder of Pascal
// units or Java sources as one laid-out main diagram. It lays out with Graphviz and
// measures the boxes with Qt's fonts, neither of which zedro-cli itself loads.
#include <cstdlib>
#include <iostream>
#include <memory>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/ModuleInterface.h"
#include "diagram/DiagramDocument.h"
#include "diagram/Redraw.h"
#include "import/FolderImport.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

#ifdef ZEDRO_HAVE_LAYOUT
#include "layout/GraphLayout.h"
#endif
#ifdef ZEDRO_HAVE_QTCANVAS
#include <QGuiApplication>

#include "editor/canvas/QtCanvas.h"
#endif

namespace zedro::cli {
namespace {

constexpr const char* kUsage = "zedro-cli import-folder DIR OUT.urd [--pascal|--java]";

// The boxes are measured with the fonts the editor draws with, where this program can
// draw; otherwise the core's fixed text metrics are used.
class MeasuringCanvas {
 public:
  MeasuringCanvas() {
#ifdef ZEDRO_HAVE_QTCANVAS
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
      if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << msg.toStdString() << "\n";
    });
    static int argc = 1;
    static char name[] = "zedro-cli";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
    canvas_ = std::make_unique<QtCanvas>(505, 385);
#endif
  }
  Canvas* Get() {
#ifdef ZEDRO_HAVE_QTCANVAS
    return canvas_.get();
#else
    return nullptr;
#endif
  }

 private:
#ifdef ZEDRO_HAVE_QTCANVAS
  std::unique_ptr<QGuiApplication> app_;
  std::unique_ptr<QtCanvas> canvas_;
#endif
};

int ImportFolder(const Args& args) {
  if (args.size() != 2 && args.size() != 3) return Usage(kUsage);
  const std::string dir = Arg(args[0]);
  int language = 0;
  if (args.size() == 3) {
    if (args[2] == "--pascal")
      language = 1;
    else if (args[2] == "--java")
      language = 2;
    else
      return Usage(kUsage);
  }
  StderrMessages messages;
  if (!DirectoryExists(dir)) {
    messages.Message(MsgKind::Error, "Den Ordner '" + dir + "' gibt es nicht.", MsgButtons::Ok);
    return kExitStopped;
  }
  if (language == 0) language = FolderLanguage(dir);

  NotationScope notation(language);
  DiagramDocument doc;
  doc.Language = language;
  doc.ProjectDir = dir.back() == '/' ? dir : dir + "/";
  MeasuringCanvas measure;
  doc.Surface.canvas = measure.Get();
  GraphLayoutFunction layOut;
#ifdef ZEDRO_HAVE_LAYOUT
  layOut = [](const std::vector<layout::Node>& nodes, const std::vector<layout::Edge>& edges,
              std::vector<layout::Position>& positions, std::string& error) {
    return layout::LayOutGraph(nodes, edges, positions, error);
  };
#endif
  const FolderImportResult result = ImportClassFolder(doc, dir, language, layOut, messages);
  const bool imported = !result.boxes.empty();
  if (imported && doc.Surface.canvas) Redraw(doc, CurrentBoxMark::Hidden);
  doc.Surface.canvas = nullptr;
  for (const std::string& note : result.notes) messages.Message(MsgKind::Information, note);
  messages.Message(imported ? MsgKind::Information : MsgKind::Error,
                   FolderImportSummary(result, dir, 0), MsgButtons::Ok);
  if (!result.layoutError.empty())
    messages.Message(MsgKind::Warning, result.layoutError, MsgButtons::Ok);
  if (!imported) return kExitStopped;
  return WriteDiagramFile(doc, Arg(args[1]), messages) ? kExitOk : kExitStopped;
}

}  // namespace
}  // namespace zedro::cli

ZEDRO_MODULE_EXPORT const int zedro_cli_module_interface = zedro::cli::kModuleInterfaceVersion;

ZEDRO_MODULE_EXPORT int zedro_cli_module_run(const zedro::cli::ModuleCall* call) {
  using namespace zedro::cli;
  if (!call || call->interfaceVersion != kModuleInterfaceVersion) return kExitUsage;
  const Args args(call->argv, call->argv + call->argc);
  if (std::string(call->command) == "import-folder") return ImportFolder(args);
  return Usage(kUsage);
}
