#include <QApplication>

#include "app/fonts.h"
#include "app/main_window.h"
#include "app/one_instance.h"
#include "app/user_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Tavolix"));
  TInstanceRegistry registry(QString::fromLocal8Bit(argv[0]));
  InstallFontSubstitutions();
  TQtUserDialogs dialogs;
  TForm1 form(dialogs, QLocale::system());
  TOneInstance oneInstance(registry);
  if (oneInstance.Check(QApplication::applicationDisplayName())) return 0;
  registry.SetOnActivationRequest([&form] { ActivateWindow(form); });
  form.show();
  return application.exec();
}
