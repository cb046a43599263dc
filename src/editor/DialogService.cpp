#include "editor/DialogService.h"

#include <QPrinter>

#include "editor/QtText.h"

namespace zedro {

bool IDialogService::EditInfoBox(const std::string& caption, StringList& lines) {
  TInfoBoxForm form(*this);
  form.Caption = caption;
  form.Lines = lines;
  RunDialog(form);
  if (form.Result != kResultOk) return false;
  lines = form.Lines;
  return true;
}

std::string IDialogService::ConnectionText(const ConnectionTextRequest& request) {
  TConnectionTextForm form(*this);
  if (!request.caption.empty()) form.Caption = request.caption;
  form.TopLeft = request.topLeft;
  form.TopRight = request.topRight;
  form.Middle = request.middle;
  form.BottomLeft = request.bottomLeft;
  form.BottomRight = request.bottomRight;
  form.Text = request.text;
  RunDialog(form);
  return form.Text;
}

bool IDialogService::ChooseLongDash() {
  TChooseLineForm form(*this);
  RunDialog(form);
  return form.LongDash;
}

int IDialogService::ChooseFromList(const std::string& caption,
                                   const std::vector<std::string>& items,
                                   const std::string& okCaption,
                                   const std::string& cancelCaption) {
  TChooseClassForm form(*this);
  if (!caption.empty()) form.Caption = caption;
  form.Items = items;
  if (!okCaption.empty()) form.OkCaption = okCaption;
  if (!cancelCaption.empty()) form.CancelCaption = cancelCaption;
  RunDialog(form);
  if (form.Result != kResultOk || form.Selected < 0 ||
      form.Selected >= static_cast<int>(items.size()))
    return -1;
  return form.Selected;
}

// ---- scripted --------------------------------------------------------------------------

int ScriptedDialogs::CountAsked(const std::string& what) const {
  int n = 0;
  for (const Asked& a : asked)
    if (a.what == what) ++n;
  return n;
}

MsgResult ScriptedDialogs::Message(MsgKind kind, const std::string& text, MsgButtons buttons) {
  asked.push_back({"message", text});
  return messages.Message(kind, text, buttons);
}

MsgResult ScriptedDialogs::MessageAt(MsgKind kind, const std::string& text, MsgButtons buttons,
                                     int, int) {
  return Message(kind, text, buttons);
}

bool ScriptedDialogs::InputBox(const std::string& caption, const std::string&,
                               std::string& value) {
  asked.push_back({"input", caption});
  if (inputs.empty()) return false;
  std::optional<std::string> answer = inputs.front();
  inputs.pop_front();
  if (!answer) return false;
  value = *answer;
  return true;
}

namespace {
std::string Pop(std::deque<std::string>& q) {
  if (q.empty()) return {};
  std::string s = q.front();
  q.pop_front();
  return s;
}
}  // namespace

std::string ScriptedDialogs::OpenFileName(const TFileRequest& request) {
  asked.push_back({"open", request.caption});
  fileRequests.push_back(request);
  return Pop(openFiles);
}

std::string ScriptedDialogs::SaveFileName(const TFileRequest& request) {
  asked.push_back({"save", request.caption});
  fileRequests.push_back(request);
  int filter = request.filterIndex;
  if (!saveFilters.empty()) {
    filter = saveFilters.front();
    saveFilters.pop_front();
  }
  if (request.chosenFilter) *request.chosenFilter = filter;
  return Pop(saveFiles);
}

std::string ScriptedDialogs::DirectoryName(const TFileRequest& request) {
  asked.push_back({"directory", request.caption});
  fileRequests.push_back(request);
  return Pop(directories);
}

bool ScriptedDialogs::ChooseFont(TFontSpec& font, FontEffects effects) {
  const bool withEffects = effects == FontEffects::Offered;
  asked.push_back({withEffects ? "font" : "font without effects", font.Name});
  if (fonts.empty()) return false;
  std::optional<TFontSpec> f = fonts.front();
  fonts.pop_front();
  if (!f) return false;
  // Without its effects section the dialog cannot change them, as the real one.
  if (!withEffects) {
    f->Color = font.Color;
    f->Underline = font.Underline;
    f->StrikeOut = font.StrikeOut;
  }
  font = *f;
  return true;
}

bool ScriptedDialogs::ChooseColor(TColor& color) {
  asked.push_back({"color", {}});
  if (colors.empty()) return false;
  std::optional<TColor> c = colors.front();
  colors.pop_front();
  if (!c) return false;
  color = *c;
  return true;
}

void ScriptedDialogs::PrinterSetup() { asked.push_back({"printer", {}}); }

bool ScriptedDialogs::PrintPicture(const TPrintJob& job) {
  asked.push_back({"print", job.title});
  if (printAnswers.empty()) return false;
  bool yes = printAnswers.front();
  printAnswers.pop_front();
  if (!yes) return false;
  printed.push_back({job.title, job.width, job.height});
  if (printFile.empty() || !job.print) return true;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Q(printFile));
  return job.print(printer);
}

void ScriptedDialogs::RunDialog(TDialogForm& form) {
  asked.push_back({form.TypeName(), form.Caption});
  form.Result = 0;
  if (!dialogScripts.empty()) {
    auto script = std::move(dialogScripts.front());
    dialogScripts.pop_front();
    if (script) script(form);
  }
  if (form.IsOpen()) form.CloseBox();
}

}  // namespace zedro
