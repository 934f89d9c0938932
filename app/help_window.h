#pragma once
// The help window: a read-only German text; "Close" hides it.

#include <QWidget>

class QPushButton;
class QTextEdit;

class TFormHilfe : public QWidget {
 public:
  explicit TFormHilfe(QWidget* parent = nullptr);

  QPushButton* Button1 = nullptr;
  QTextEdit* RichEdit1 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* Panel_ = nullptr;
};
