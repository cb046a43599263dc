// Driving a real modal Qt dialog from a test: the step runs once the dialog is shown.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace zedro::editortest {

// Runs the step on the modal dialog once it is shown (checking again every 10 ms).
inline void Drive(std::function<void(QDialog&)> step) {
  QTimer::singleShot(10, [step] {
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
      step(*d);
    else
      Drive(step);
  });
}

}  // namespace zedro::editortest
