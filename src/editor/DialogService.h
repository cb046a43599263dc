// The dialog service: every message box, question, input box, file dialog, font, colour,
// printer and custom dialog of the editor goes through one object. It is at the same time
// the message sink of the core (IMessages) and the dialogs the diagram elements open
// (IDiagramDialogs), so the core can be handed the same object.
//
// QtDialogService shows the real dialogs; ScriptedDialogs answers from a script and
// records what was asked, so that the editor runs offscreen in tests without blocking.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "diagram/DiagramDialogs.h"
#include "diagram/Font.h"
#include "editor/Forms.h"
#include "model/Messages.h"

class QPrinter;

namespace zedro {

struct TFileRequest {
  std::string caption;
  std::string filter;      // "Beschreibung|*.ext|Alle Dateien|*.*"
  std::string defaultExt;  // without the dot
  std::string initialDir;
  std::string fileName;
  // The file type shown first (0-based entry of filter) and, when set, where the dialog
  // tells the file type chosen in the end.
  int filterIndex = 0;
  int* chosenFilter = nullptr;
};

// What the print command hands to the print dialog: the job's title, the picture's size in
// diagram pixels and how to print it as one job on the printer chosen there.
struct TPrintJob {
  std::string title;
  int width = 0;
  int height = 0;
  std::function<bool(QPrinter&)> print;
};

// Whether the font dialog offers colour, underline and strike-out.
enum class FontEffects { Offered, NotOffered };

class IDialogService : public IMessages, public IDiagramDialogs {
 public:
  // A message box at a screen position (context-menu questions).
  virtual MsgResult MessageAt(MsgKind kind, const std::string& text, MsgButtons buttons, int x,
                              int y) = 0;
  // An input box; false when it was cancelled (value then stays as it was).
  virtual bool InputBox(const std::string& caption, const std::string& prompt,
                        std::string& value) = 0;
  // The chosen path, or empty when the dialog was cancelled. Paths are in-memory text.
  virtual std::string OpenFileName(const TFileRequest& request) = 0;
  virtual std::string SaveFileName(const TFileRequest& request) = 0;
  // An existing folder (caption and initialDir of the request are used); empty when the
  // dialog was cancelled.
  virtual std::string DirectoryName(const TFileRequest& request) {
    (void)request;
    return {};
  }
  // Font and colour choice; false when cancelled. With effects the dialog offers colour,
  // underline and strike-out too.
  virtual bool ChooseFont(TFontSpec& font, FontEffects effects = FontEffects::Offered) = 0;
  virtual bool ChooseColor(TColor& color) = 0;
  // The printer set-up dialog.
  virtual void PrinterSetup() = 0;
  // The print dialog; when it is confirmed the job is printed on the chosen printer. True
  // when something was printed.
  virtual bool PrintPicture(const TPrintJob& job) = 0;
  // Shows a custom dialog modally until its form is closed. Afterwards form.Result holds
  // the result code (2 when it was closed without a button of its own).
  virtual void RunDialog(TDialogForm& form) = 0;
  // The screen the dialogs are sized for.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual int ScreenPpi() const = 0;

  // The element dialogs, built on the forms above.
  bool EditInfoBox(const std::string& caption, StringList& lines) override;
  std::string ConnectionText(const ConnectionTextRequest& request) override;
  bool ChooseLongDash() override;
  // The class chooser of the core as a TFormChooseClass.
  int ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                     const std::string& okCaption, const std::string& cancelCaption) override;
};

// The scripted service of the tests and of unattended runs (the screenshot mode).
class ScriptedDialogs : public IDialogService {
 public:
  struct Asked {
    std::string what;     // "message", "input", "open", "save", "font", "font without
                          // effects", "color", "printer", "print", or the dialog's type
                          // name
    std::string caption;  // message text, caption or print job title
  };

  MsgResult Message(MsgKind kind, const std::string& text, MsgButtons buttons) override;
  MsgResult MessageAt(MsgKind kind, const std::string& text, MsgButtons buttons, int x,
                      int y) override;
  void Status(const std::string& text) override { messages.Status(text); }
  bool InputBox(const std::string& caption, const std::string& prompt,
                std::string& value) override;
  std::string OpenFileName(const TFileRequest& request) override;
  std::string SaveFileName(const TFileRequest& request) override;
  std::string DirectoryName(const TFileRequest& request) override;
  bool ChooseFont(TFontSpec& font, FontEffects effects) override;
  bool ChooseColor(TColor& color) override;
  void PrinterSetup() override;
  bool PrintPicture(const TPrintJob& job) override;
  void RunDialog(TDialogForm& form) override;
  int ScreenWidth() const override { return screenWidth; }
  int ScreenHeight() const override { return screenHeight; }
  int ScreenPpi() const override { return screenPpi; }

  // Everything asked, in order ("directory" for a folder choice).
  std::vector<Asked> asked;
  int CountAsked(const std::string& what) const;

  // Message boxes: shown texts and answers (messages.answers, messages.defaultAnswer).
  ScriptedMessages messages;
  // Answers of input boxes: a text, or nullopt for cancel. Empty queue: cancelled.
  std::deque<std::optional<std::string>> inputs;
  // Chosen file names; an empty string or an empty queue cancels.
  std::deque<std::string> openFiles;
  std::deque<std::string> saveFiles;
  // The file type chosen in each save dialog (0-based entry of the filter); without one the
  // type shown first stays chosen.
  std::deque<int> saveFilters;
  std::deque<std::string> directories;
  std::vector<TFileRequest> fileRequests;
  // Chosen fonts and colours; nullopt or an empty queue cancels.
  std::deque<std::optional<TFontSpec>> fonts;
  std::deque<std::optional<TColor>> colors;
  // Print dialog answers (empty queue: cancelled). A confirmed print goes to a PDF printer
  // writing printFile when one is set; printed pictures are recorded by their size.
  std::deque<bool> printAnswers;
  std::string printFile;
  struct Printed {
    std::string title;
    int width, height;
  };
  std::vector<Printed> printed;
  // Custom dialogs: each script presses the buttons of one dialog's form, in order. A
  // form left open after its script, or without any script, is closed by its close box.
  std::deque<std::function<void(TDialogForm&)>> dialogScripts;

  int screenWidth = 1024;
  int screenHeight = 768;
  int screenPpi = 96;
};

}  // namespace zedro
