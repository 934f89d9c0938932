#pragma once

#include <QMainWindow>

class TForm1 : public QMainWindow {
 public:
  explicit TForm1(QWidget* parent = nullptr);
};
