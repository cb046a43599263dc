// Sub-diagrams: creating, renaming and deleting them at run time, their captions, and the
// commands that the first menu items take over in a sub-diagram window.
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <algorithm>

#include "editor/DialogService.h"
#include "editor/QtText.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Win1252.h"

namespace zedro {

namespace {

QString EntryText(const std::string& fileName) { return Q(fileName).replace('&', "&&"); }

}  // namespace

std::string TFChild::CaptionOf(const DiagramDocument& doc) {
  if (doc.IsMainDiagram) return FileNamePart(doc.FileName);
  const size_t p = doc.FileName.find_last_of("/\\:");
  return p == std::string::npos ? doc.FileName : doc.FileName.substr(p + 1);
}

void TFChild::RouteSubDiagramCommands() {
  if (doc_->IsMainDiagram) return;
  // These items have other roles in a main diagram; here they do only this.
  auto route = [this](QAction* item, void (TFChild::*command)()) {
    if (!item) return;
    disconnect(item, &QAction::triggered, this, nullptr);
    connect(item, &QAction::triggered, this, [this, command] { (this->*command)(); });
  };
  route(ItemAt(Klasse1, 0), &TFChild::ObjektEinfuegenClick);
  route(ItemAt(Klasse1, 1), &TFChild::KlasseEinfuegenClick);
  route(ItemAt(MyCreateMenu, 1), &TFChild::ObjektEinfuegenClick);
  route(ItemAt(MyCreateMenu, 2), &TFChild::KlasseEinfuegenClick);
}

void TFChild::erzeugeUnterdiagrammClick() {
  if (mainDiagram_) {
    mainDiagram_->erzeugeUnterdiagrammClick();
    return;
  }
  std::string name;
  Dialogs().InputBox("Neues Unterdiagramm", W("Bitte Namen für das Unterdiagramm eingeben:"), name);
  if (name.empty()) return;
  CreateSubDiagram(name);
}

TFChild* TFChild::CreateSubDiagram(const std::string& name) {
  const size_t n = doc_->SubDiagrams.size() + 1;
  DiagramDocument* sub = doc_->AddSubDiagram(
      "Unterdiagramm " + text::IntToStr(static_cast<long long>(n)) + " - " + name);
  sub->Language = doc_->Language;
  // The window adds its entries to this window's submenus while it is created.
  AttachSubWindow(*sub);
  TFChild* window = SubDiagramWindow;
  window->setWindowTitle(Q(CaptionOf(*sub)));
  doc_->Saved = false;
  main_.ActivateChild(window);
  return window;
}

void TFChild::RenameSubDiagram(TFChild* sub) {
  if (!sub || std::find(subWindows_.begin(), subWindows_.end(), sub) == subWindows_.end()) return;
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
  doc_->Saved = false;
}

void TFChild::DeleteSubDiagram(TFChild* sub) {
  if (!sub || std::find(subWindows_.begin(), subWindows_.end(), sub) == subWindows_.end()) return;
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
  auto& subs = doc_->SubDiagrams;
  subs.erase(std::remove_if(
                 subs.begin(), subs.end(),
                 [subDoc](const std::unique_ptr<DiagramDocument>& d) { return d.get() == subDoc; }),
             subs.end());
  doc_->Saved = false;
}

}  // namespace zedro
