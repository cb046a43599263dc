#include "editor/DesktopFeatures.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include "codegen/PlantUmlExport.h"
#include "editor/DialogService.h"
#include "editor/FolderImportCommand.h"
#include "editor/HelpWindow.h"
#include "editor/QtText.h"
#include "editor/RecentFiles.h"
#include "editor/RoundTripCommands.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

static void RegisterIconResources() { Q_INIT_RESOURCE(icons); }

namespace zedro {
namespace {

enum class Dropped { Other, Diagram, Pascal, Java, Folder };

Dropped KindOf(const std::string& path) {
  const QFileInfo info(Q(path));
  if (info.isDir()) return Dropped::Folder;
  const QString suffix = info.suffix().toLower();
  if (suffix == "urd") return Dropped::Diagram;
  if (suffix == "pas" || suffix == "pp") return Dropped::Pascal;
  if (suffix == "java") return Dropped::Java;
  return Dropped::Other;
}

std::vector<std::string> LocalPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(S(url.toLocalFile()));
  return paths;
}

// A frame takes diagrams; a diagram window also takes sources and folders.
bool Wanted(const std::vector<std::string>& paths, bool onDiagram) {
  for (const std::string& p : paths) {
    const Dropped kind = KindOf(p);
    if (kind == Dropped::Diagram || (onDiagram && kind != Dropped::Other)) return true;
  }
  return false;
}

QAction* ItemAfter(QMenu* menu, const char* name) {
  const QList<QAction*> items = menu->actions();
  for (int i = 0; i + 1 < items.size(); ++i)
    if (items[i]->objectName() == name) return items[i + 1];
  return nullptr;
}

QAction* ItemNamed(QMenu* menu, const char* name) {
  for (QAction* a : menu->actions())
    if (a->objectName() == name) return a;
  return nullptr;
}

}  // namespace

TDesktopFeatures::TDesktopFeatures(TMainForm& form, std::unique_ptr<QSettings> settings)
    : QObject(&form), form_(form), recent_(std::make_unique<TRecentFiles>(std::move(settings))) {
  setObjectName("DesktopFeatures");
  RegisterIconResources();
  if (QApplication::windowIcon().isNull())
    QApplication::setWindowIcon(QIcon::fromTheme("zedro", QIcon(":/zedro/icons/zedro.png")));

  recentMenu_ = new QMenu(Q(W("Zuletzt geöffnet")), form.File1);
  recentMenu_->setObjectName("RecentFilesMenu");
  form.File1->insertMenu(ItemAfter(form.File1, "FileOpenItem"), recentMenu_);
  FillRecentMenu();
  // Another Zedro may have changed the list meanwhile.
  connect(recentMenu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
  form.onDiagramFileUsed = [this](const std::string& path, bool closing) {
    // A closing window adds its file only when it is new to the list (saved by the close
    // question); the order stays that of opening and saving.
    if (closing && recent_->Contains(path)) return;
    recent_->Add(path);
    FillRecentMenu();
  };

  plantUml_ = new QAction("als PlantUML-Text kopieren", form.File1);
  plantUml_->setObjectName("PlantUmlToClipboardItem");
  plantUml_->setStatusTip(Q(W("Das Diagramm als Text für PlantUML (Wikis, Lernplattformen) in "
                              "die Zwischenablage kopieren")));
  form.File1->insertAction(ItemAfter(form.File1, "PictureToClipboardItem"), plantUml_);
  connect(plantUml_, &QAction::triggered, this, [this] { CopyPlantUml(); });
  connect(form.File1, &QMenu::aboutToShow, this,
          [this] { plantUml_->setEnabled(form_.ActiveChild() != nullptr); });

  auto* help = new QAction("Hilfe", form.Help1);
  help->setObjectName("HelpItem");
  help->setShortcut(QKeySequence(Qt::Key_F1));
  help->setShortcutContext(Qt::ApplicationShortcut);
  help->setStatusTip("Eine kurze Anleitung zu Zedro");
  form.Help1->insertAction(ItemNamed(form.Help1, "HelpAboutItem"), help);
  connect(help, &QAction::triggered, this, [this] { ShowHelp(); });

  form.setAcceptDrops(true);
  form.installEventFilter(this);
  // Every diagram window takes dropped files.
  form.onChildCreated = [this](TFChild& window) { PrepareWindow(window); };
  for (TFChild* window : form.Children()) PrepareWindow(*window);
}

TDesktopFeatures::~TDesktopFeatures() {
  form_.onDiagramFileUsed = nullptr;
  form_.onChildCreated = nullptr;
}

void TDesktopFeatures::PrepareWindow(TFChild& window) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

// ---- recent files ----------------------------------------------------------------------

void TDesktopFeatures::FillRecentMenu() {
  // The entry being chosen may be among them: its action goes once it has done its work.
  for (QAction* a : recentMenu_->actions()) {
    recentMenu_->removeAction(a);
    a->deleteLater();
  }
  const std::vector<std::string> paths = recent_->Paths();
  int n = 0;
  for (const std::string& path : paths) {
    const QFileInfo info(Q(path));
    QString caption = QString("&%1 %2  (%3)").arg(++n).arg(info.fileName(), info.absolutePath());
    caption.replace("&", "&&").replace(0, 2, "&");
    QAction* a = recentMenu_->addAction(caption);
    a->setStatusTip(Q(path));
    connect(a, &QAction::triggered, this, [this, path] { OpenDiagram(path); });
  }
  if (paths.empty()) recentMenu_->addAction("(keine)")->setEnabled(false);
  recentMenu_->addSeparator();
  QAction* clear = recentMenu_->addAction("Liste leeren");
  clear->setObjectName("ClearRecentFiles");
  clear->setEnabled(!paths.empty());
  connect(clear, &QAction::triggered, this, [this] {
    recent_->Clear();
    FillRecentMenu();
  });
}

void TDesktopFeatures::OpenDiagram(const std::string& path) {
  if (!FileExists(path)) {
    form_.Dialogs().Message(MsgKind::Warning,
                            "Die Datei '" + path + "' gibt es nicht mehr.\n\n" +
                                W("Sie wird aus der Liste \"Zuletzt geöffnet\" entfernt."));
    recent_->Remove(path);
    FillRecentMenu();
    return;
  }
  const QString wanted = QFileInfo(Q(path)).absoluteFilePath();
  for (TFChild* c : form_.Children())
    if (c->IsMainDiagram() && c->Doc().HasFileName &&
        QFileInfo(Q(c->Doc().FileName)).absoluteFilePath() == wanted) {
      form_.ActivateChild(c);
      return;
    }
  TFChild* child = form_.OpenDiagramFile(path);
  if (!child) return;
  child->Doc().ProjectDir = DirectoryPart(path);
  child->RedrawKeepSaved();
}

// ---- PlantUML, help --------------------------------------------------------------------

void TDesktopFeatures::CopyPlantUml() {
  TFChild* window = form_.ActiveChild();
  if (!window) return;
  QApplication::clipboard()->setText(Q(PlantUmlText(window->Doc())));
  window->SetStatus("Der PlantUML-Text des Diagramms ist in der Zwischenablage.");
}

void TDesktopFeatures::ShowHelp() {
  if (!help_) {
    help_ = new THelpWindow(&form_);
    help_->move(form_.geometry().center() - help_->rect().center());
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

// ---- dropped files ---------------------------------------------------------------------

bool TDesktopFeatures::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
    return QObject::eventFilter(watched, event);
  auto* drop = static_cast<QDropEvent*>(event);
  auto* window = qobject_cast<TFChild*>(watched);
  const std::vector<std::string> paths = LocalPaths(drop->mimeData());
  if (!Wanted(paths, window != nullptr)) return QObject::eventFilter(watched, event);
  drop->acceptProposedAction();
  if (type == QEvent::Drop) {
    // The work (and its questions) comes after the drop has ended, so that the program
    // the files came from is not kept waiting.
    QPointer<TFChild> target(window);
    QTimer::singleShot(0, this, [this, target, paths, onDiagram = window != nullptr] {
      if (!onDiagram)
        DropOnFrame(paths);
      else if (target)
        DropOnDiagram(*target, paths);
    });
  }
  return true;
}

void TDesktopFeatures::DropOnFrame(const std::vector<std::string>& paths) {
  for (const std::string& p : paths)
    if (KindOf(p) == Dropped::Diagram) OpenDiagram(p);
}

void TDesktopFeatures::DropOnDiagram(TFChild& window, const std::vector<std::string>& paths) {
  QPointer<TFChild> target(&window);
  bool refused = false;
  for (const std::string& p : paths) {
    const Dropped kind = KindOf(p);
    if (kind == Dropped::Diagram) {
      OpenDiagram(p);
      continue;
    }
    if (kind == Dropped::Other || refused || !target) continue;
    // Classes go into main diagrams only: one refusal for the whole drop.
    if (target->RoundTrip().RefuseImportOutsideMainDiagram()) {
      refused = true;
      continue;
    }
    if (kind == Dropped::Pascal)
      target->RoundTrip().ImportPascalFile(p);
    else if (kind == Dropped::Java)
      target->RoundTrip().ImportJavaFile(p);
    else
      ImportClassFolder(*target, p);
  }
}

}  // namespace zedro
