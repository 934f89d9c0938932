#include "app/main_window.h"

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("      T a v o l i x"));
  resize(786, 526);
}
