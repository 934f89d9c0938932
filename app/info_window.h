#pragma once
// The info window: product name, version and terms of use.

#include <QDialog>

class QPushButton;

class TFormInfo : public QDialog {
 public:
  explicit TFormInfo(QWidget* parent = nullptr);

  QPushButton* Button1 = nullptr;
};
