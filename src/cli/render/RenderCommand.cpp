// The render module of zedro-cli: the picture of a diagram (or of one of its sub-diagrams)
// as PNG, BMP, SVG or PDF, with the geometry of every element after painting as JSON on
// stdout. It draws with Qt, which zedro-cli itself does not load.
#include <QGuiApplication>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/ModuleInterface.h"
#include "diagram/DiagramDocument.h"
#include "diagram/Redraw.h"
#include "editor/canvas/DiagramPicture.h"
#include "model/Win1252.h"

namespace zedro::cli {
namespace {

constexpr const char* kUsage =
    "zedro-cli render FILE.urd OUT.svg|OUT.pdf|OUT.png|OUT.bmp [--scale N] [--sub N]";
// Raster pictures larger than this factor are no use on any screen or paper.
constexpr int kMaxScale = 16;

void WriteRect(Json& j, int left, int top, int right, int bottom) {
  j.Field("Left", left).Field("Top", top).Field("Right", right).Field("Bottom", bottom);
}

void WriteGeometry(Json& j, const DiagramDocument& doc) {
  j.BeginObject();
  j.Field("Width", doc.Surface.Width).Field("Height", doc.Surface.Height);
  j.Key("DrawClasses").BeginArray();
  for (const TUMLDrawClass* box : doc.DrawClasses.Items) {
    j.BeginObject();
    j.Field("Class", box->UMLClass ? box->UMLClass->Name : std::string());
    WriteRect(j, box->Left, box->Top, box->Right, box->Bottom);
    j.EndObject();
  }
  j.EndArray();
  j.Key("Connections").BeginArray();
  for (const TConnection* c : doc.Connections.Items) {
    j.BeginObject();
    j.Field("Kind", c->Kind);
    j.Field("StartX", c->StartX).Field("StartY", c->StartY);
    j.Field("EndX", c->EndX).Field("EndY", c->EndY);
    j.Field("StartSide", c->StartSide).Field("EndSide", c->EndSide);
    j.Key("TextBox").BeginObject();
    WriteRect(j, c->TextBox->Left, c->TextBox->Top, c->TextBox->Right, c->TextBox->Bottom);
    j.EndObject();
    j.EndObject();
  }
  j.EndArray();
  j.Key("InfoBoxes").BeginArray();
  for (const TInfoBox* box : doc.InfoBoxes.Items) {
    j.BeginObject();
    WriteRect(j, box->Left, box->Top, box->Right, box->Bottom);
    j.EndObject();
  }
  j.EndArray();
  j.EndObject();
}

// The boxes that the picture does not hold in full: the surface grows no further than
// kMaxSurfaceExtent, and nothing is drawn left of or above its corner.
std::vector<std::string> BoxesOutside(const DiagramDocument& doc) {
  std::vector<std::string> names;
  for (const TUMLDrawClass* box : doc.DrawClasses.Items) {
    if (box->Left >= 0 && box->Top >= 0 && box->Right <= doc.Surface.Width &&
        box->Bottom <= doc.Surface.Height)
      continue;
    std::string name = box->UMLClass ? box->UMLClass->Name : std::string();
    if (box->IsObjectBox())
      name = static_cast<const TUMLDrawObject*>(box)->ObjectName + ": " + name;
    names.push_back(name);
  }
  return names;
}

std::string OutsideMessage(const std::vector<std::string>& names) {
  constexpr size_t kNamed = 30;
  const std::string limit = text::IntToStr(kMaxSurfaceExtent);
  std::string list;
  for (size_t i = 0; i < names.size() && i < kNamed; ++i) list += (i ? ", " : "") + names[i];
  if (names.size() > kNamed)
    list += " und " + text::IntToStr(static_cast<long long>(names.size() - kNamed)) + " weitere";
  return W("Ein Bild ist höchstens ") + limit + " x " + limit +
         W(" Pixel groß. Ganz oder teilweise außerhalb des Bildes liegen und fehlen darin: ") +
         list + ".";
}

int Render(const Args& args) {
  // FILE.urd and OUT, with the options anywhere, each at most once.
  std::vector<std::string> files;
  int sub = 0, scale = 1;
  bool haveSub = false, haveScale = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--sub" && args[i] != "--scale") {
      files.push_back(args[i]);
      continue;
    }
    const int value = i + 1 < args.size() ? text::StrToIntDef(args[i + 1], -1) : -1;
    if (args[i] == "--sub" && !haveSub && value >= 1) {
      sub = value;
      haveSub = true;
    } else if (args[i] == "--scale" && !haveScale && value >= 1 && value <= kMaxScale) {
      scale = value;
      haveScale = true;
    } else {
      return Usage(kUsage);
    }
    ++i;
  }
  if (files.size() != 2) return Usage(kUsage);
  const std::string& out = files[1];
  const std::optional<PictureType> type = PictureTypeOf(out);
  if (!type) return Usage(kUsage);

  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  bool completed = LoadDocument(doc, Arg(files[0]), messages);
  if (!completed && doc.DrawClasses.Count() == 0 && doc.Connections.Count() == 0 &&
      doc.InfoBoxes.Count() == 0 && doc.SubDiagrams.empty())
    return kExitStopped;  // nothing could be read: no picture of an empty surface
  DiagramDocument* shown = ChosenDiagram(doc, sub, messages);
  if (!shown) return kExitStopped;

  // Drawing needs fonts, not a screen. Qt's own notes (no runtime directory and the like)
  // would mix with the messages on stderr.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << msg.toStdString() << "\n";
  });
  static int argc = 1;
  static char name[] = "zedro-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  std::string error;
  if (!WriteDiagramPicture(*shown, Arg(out), *type, scale, &error)) {
    messages.Message(MsgKind::Error,
                     "Das Bild '" + Arg(out) + "' konnte nicht geschrieben werden.\n" + error,
                     MsgButtons::Ok);
    return kExitStopped;
  }
  Json j;
  WriteGeometry(j, *shown);
  std::cout << j.Text() << "\n";
  // The picture is written, but a box it cuts off is not dropped without a word.
  const std::vector<std::string> outside = BoxesOutside(*shown);
  if (!outside.empty()) {
    messages.Message(MsgKind::Warning, OutsideMessage(outside), MsgButtons::Ok);
    return kExitStopped;
  }
  return completed ? kExitOk : kExitStopped;
}

}  // namespace
}  // namespace zedro::cli

ZEDRO_MODULE_EXPORT const int zedro_cli_module_interface = zedro::cli::kModuleInterfaceVersion;

ZEDRO_MODULE_EXPORT int zedro_cli_module_run(const zedro::cli::ModuleCall* call) {
  using namespace zedro::cli;
  if (!call || call->interfaceVersion != kModuleInterfaceVersion) return kExitUsage;
  const Args args(call->argv, call->argv + call->argc);
  if (std::string(call->command) == "render") return Render(args);
  return Usage("zedro-cli render");
}
