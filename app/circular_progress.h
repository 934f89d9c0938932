#pragma once
// The activity indicator: a ring of dots whose bright spot turns while it is enabled.

#include <QTimer>
#include <QWidget>

class TCircularProgress : public QWidget {
 public:
  explicit TCircularProgress(QWidget* parent = nullptr);
  int Step() const { return Step_; }

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  static constexpr int kDots = 12;
  QTimer Timer_;
  int Step_ = 0;
};
