#include "editor/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The resources of a static library are registered by hand.
static void RegisterHelpResources() { Q_INIT_RESOURCE(help); }

namespace zedro {

QString HelpText() {
  RegisterHelpResources();
  QFile file(":/zedro/help/hilfe.html");
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setWindowTitle(QString::fromUtf8("Zedro – Hilfe"));
  setAttribute(Qt::WA_DeleteOnClose);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("HelpText");
  browser_->setOpenExternalLinks(false);
  RegisterHelpResources();
  browser_->setSource(QUrl("qrc:/zedro/help/hilfe.html"));
  auto* back = new QPushButton(QString::fromUtf8("Zurück"), this);
  auto* home = new QPushButton(QString::fromUtf8("Inhalt"), this);
  auto* close = new QPushButton(QString::fromUtf8("Schließen"), this);
  back->setEnabled(false);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(home);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addLayout(buttons);
  resize(720, 640);
}

}  // namespace zedro
