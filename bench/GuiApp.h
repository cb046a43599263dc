// The Qt application of the benchmarks, offscreen: with widgets when the editor's windows
// are measured too, so that every benchmark runs in the one application.
#pragma once

#include <cstdlib>

#ifdef ZEDRO_HAVE_EDITOR
#include <QApplication>
#else
#include <QGuiApplication>
#endif

namespace zedro::bench {

inline void StartGui() {
  static QGuiApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "zedro_bench";
    static char* argv[] = {name, nullptr};
#ifdef ZEDRO_HAVE_EDITOR
    return static_cast<QGuiApplication*>(new QApplication(argc, argv));
#else
    return new QGuiApplication(argc, argv);
#endif
  }();
  (void)app;
}

}  // namespace zedro::bench
