#include <QApplication>

#include "app/fonts.h"
#include "app/main_window.h"
#include "app/user_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Tavolix"));
  InstallFontSubstitutions();
  TQtUserDialogs dialogs;
  TForm1 form(dialogs, QLocale::system());
  form.show();
  return application.exec();
}
