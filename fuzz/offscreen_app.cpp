#include "fuzz/offscreen_app.h"

#include <QGuiApplication>

#include "app/fonts.h"

void EnsureOffscreenApp() {
  if (QCoreApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tavolix_fuzz";
  static char* argv[] = {name, nullptr};
  // Never destroyed: other static objects may still paint while the process ends.
  static QGuiApplication* const app = new QGuiApplication(argc, argv);
  (void)app;
  InstallFontSubstitutions();
}
