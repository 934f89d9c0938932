#include <QApplication>

#include "app/fonts.h"
#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  InstallFontSubstitutions();
  TForm1 form;
  form.show();
  return application.exec();
}
