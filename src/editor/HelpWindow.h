// The German guide that comes with the program ("Hilfe", F1), shown with Qt's text
// browser in a window of its own. The guide is compiled into the program.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace zedro {

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

// The guide as HTML (UTF-8).
QString HelpText();

}  // namespace zedro
