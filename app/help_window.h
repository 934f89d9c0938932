#pragma once
// The help window: a read-only German text; "Close" hides it.

#include <QMargins>
#include <QWidget>

class QPushButton;
class QTextEdit;

class TFormHilfe : public QWidget {
 public:
  explicit TFormHilfe(QWidget* parent = nullptr);

  // Sizes the window so that with a frame of these widths it is 778 x 603 outside.
  void FitOuterSize(const QMargins& frame);

  QPushButton* Button1 = nullptr;
  QTextEdit* RichEdit1 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* Panel_ = nullptr;
};
