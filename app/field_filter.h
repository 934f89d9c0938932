#pragma once
// Restricts what can be typed into an input field to a set of characters and a length,
// as the numeric fields of the window do; whether the text is a number is decided when
// it is read.

#include <QValidator>

class TFieldFilter final : public QValidator {
 public:
  TFieldFilter(QString allowed, int maxLength, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  const QString Allowed_;
  const int MaxLength_;
};
