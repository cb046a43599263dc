#include "editor/SubDiagramCommands.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <algorithm>

#include "editor/DialogService.h"
#include "editor/QtText.h"
#include "editor/TMainForm.h"
#include "model/Win1252.h"

namespace zedro {

namespace {

// A "&" in the name is shown, not taken for an access key.
QString EntryText(const std::string& fileName) { return Q(fileName).replace('&', "&&"); }

}  // namespace

void SubDiagramCommands::erzeugeUnterdiagrammClick() {
  TFChild& main = Window().MainDiagramWindow();
  if (&main != &Window()) {
    main.SubDiagrams().erzeugeUnterdiagrammClick();
    return;
  }
  std::string name;
  Dialogs().InputBox("Neues Unterdiagramm", W("Bitte Namen für das Unterdiagramm eingeben:"), name);
  if (name.empty()) return;
  CreateSubDiagram(name);
}

TFChild* SubDiagramCommands::CreateSubDiagram(const std::string& name) {
  DiagramDocument& d = Doc();
  const size_t n = d.SubDiagrams.size() + 1;
  DiagramDocument* sub = d.AddSubDiagram(
      "Unterdiagramm " + text::IntToStr(static_cast<long long>(n)) + " - " + name);
  sub->Language = d.Language;
  // The window adds its entries to this window's submenus while it is created.
  TFChild* window = Window().AttachSubWindow(*sub);
  window->setWindowTitle(Q(TFChild::CaptionOf(*sub)));
  d.Saved = false;
  MainForm().ActivateChild(window);
  return window;
}

bool SubDiagramCommands::IsSubDiagramWindow(const TFChild* sub) const {
  const std::vector<TFChild*>& subs = Window().SubDiagramWindows();
  return sub && std::find(subs.begin(), subs.end(), sub) != subs.end();
}

void SubDiagramCommands::RenameSubDiagram(TFChild* sub) {
  if (!IsSubDiagramWindow(sub)) return;
  DiagramDocument& d = sub->Doc();
  std::string proposal = d.FileName;
  if (proposal.size() >= 4 && text::LowerAscii(proposal.substr(proposal.size() - 4)) == ".urd")
    proposal.resize(proposal.size() - 4);
  std::string answer = proposal;
  Dialogs().InputBox("Unterdiagramm umbenennen",
                     W("Bitte einen neuen Namen für das Unterdiagramm eingeben:"), answer);
  // The window's caption follows at its next redraw.
  d.FileName = answer;
  if (sub->DeleteEntry) sub->DeleteEntry->setText(EntryText(d.FileName));
  if (sub->RenameEntry) sub->RenameEntry->setText(EntryText(d.FileName));
  Doc().Saved = false;
}

void SubDiagramCommands::DeleteSubDiagram(TFChild* sub) {
  if (!IsSubDiagramWindow(sub)) return;
  DiagramDocument* subDoc = &sub->Doc();
  sub->CloseAllowed = true;
  QPointer<TFChild> window(sub);
  // The window's close handler asks whether to close it.
  if (!sub->close()) {
    if (window) window->CloseAllowed = false;
    return;
  }
  // The window goes before its document.
  delete window.data();
  auto& subs = Doc().SubDiagrams;
  subs.erase(std::remove_if(
                 subs.begin(), subs.end(),
                 [subDoc](const std::unique_ptr<DiagramDocument>& d) { return d.get() == subDoc; }),
             subs.end());
  Doc().Saved = false;
}

void SubDiagramCommands::AddEntriesToMainDiagram() {
  TFChild& self = Window();
  TFChild* main = &self.MainDiagramWindow();
  if (main == &self) return;
  const QString caption = EntryText(Doc().FileName);
  self.DeleteEntry = new QAction(caption, &self);
  self.RenameEntry = new QAction(caption, &self);
  if (QMenu* m = main->Menu("Unterdiagrammloeschen")) m->addAction(self.DeleteEntry);
  if (QMenu* m = main->Menu("NamenAendern1")) m->addAction(self.RenameEntry);
  // The entries run their commands in the main diagram window, on this window while it is
  // there.
  QPointer<TFChild> sub(&self);
  QObject::connect(self.DeleteEntry, &QAction::triggered, main, [main, sub] {
    main->RunCommand(W("Unterdiagramm löschen"), [main, sub] {
      if (sub) main->SubDiagrams().DeleteSubDiagram(sub);
    });
  });
  QObject::connect(self.RenameEntry, &QAction::triggered, main, [main, sub] {
    main->RunCommand(W("Name ändern"), [main, sub] {
      if (sub) main->SubDiagrams().RenameSubDiagram(sub);
    });
  });
}

}  // namespace zedro
