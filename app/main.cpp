#include <QApplication>
#include <cstdio>

#include "app/fonts.h"
#include "app/main_window.h"
#include "app/one_instance.h"
#include "app/qt_translation.h"
#include "app/replay.h"
#include "app/user_dialogs.h"

namespace {

QStringList Arguments(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

int Replay(int argc, char* argv[], const QStringList& arguments) {
  if (arguments.contains(QStringLiteral("--help"))) {
    std::fputs(ReplayUsage().toLocal8Bit().constData(), stdout);
    return 0;
  }
  TReplayOptions options;
  try {
    options = ParseReplayOptions(arguments);
  } catch (const EReplayUsage& e) {
    std::fprintf(stderr, "tavolix: %s\n", e.what());
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  InstallFontSubstitutions();
  return RunReplay(options);
}

}  // namespace

int main(int argc, char* argv[]) {
  const QStringList arguments = Arguments(argc, argv);
  if (IsReplayCommandLine(arguments) || arguments.contains(QStringLiteral("--help"))) {
    return Replay(argc, argv, arguments);
  }
  QApplication application(argc, argv);
  TInstanceRegistry registry(QString::fromLocal8Bit(argv[0]));
  InstallFontSubstitutions();
  if (!InstallGermanQtTexts(application)) {
    std::fputs("tavolix: qtbase_de.qm (Paket qt6-translations-l10n) fehlt, die Dialogtexte von Qt bleiben englisch\n", stderr);
  }
  TQtUserDialogs dialogs;
  TForm1 form(dialogs, QLocale::system());
  TOneInstance oneInstance(registry);
  if (oneInstance.Check(ApplicationTitle())) return 0;
  registry.SetOnActivationRequest([&form] { ActivateWindow(form); });
  form.show();
  return application.exec();
}
