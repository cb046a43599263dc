// The dialog service that shows the real Qt dialogs.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "editor/DialogService.h"

class QPrinter;

namespace zedro {

class QtDialogService : public IDialogService {
 public:
  QtDialogService();
  ~QtDialogService() override;

  // The window the dialogs belong to (the frame), and where status texts go.
  void SetParentWindow(QWidget* parent) { parent_ = parent; }
  std::function<void(const std::string&)> onStatus;

  MsgResult Message(MsgKind kind, const std::string& text, MsgButtons buttons) override;
  MsgResult MessageAt(MsgKind kind, const std::string& text, MsgButtons buttons, int x,
                      int y) override;
  void Status(const std::string& text) override {
    if (onStatus) onStatus(text);
  }
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
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int ScreenPpi() const override;

 private:
  MsgResult Show(MsgKind kind, const std::string& text, MsgButtons buttons, const QPoint* at);
  QPointer<QWidget> parent_;
  std::unique_ptr<QPrinter> printer_;
};

// "Beschreibung|*.ext|Alle Dateien|*.*" as a Qt file dialog filter.
QString QtFileFilter(const std::string& filter);
// The extension of the first pattern of a Qt filter entry ("PNG-Dateien (*.png)": "png"),
// empty for "*.*" or no pattern.
QString FilterExtension(const QString& filter);

}  // namespace zedro
