#pragma once
// Restricts what can be typed into an input field to a set of characters and a length,
// as the numeric fields of the window do; whether the text is a number is decided when
// it is read. The other decimal separator than the field's is taken as the field's (as
// the numeric keypad's key is), so that "0.5" typed in a comma locale is 0,5 and not 05;
// anything else the field refuses is refused with a word, never dropped in silence.

#include <QValidator>
#include <functional>

class TFieldFilter final : public QValidator {
 public:
  // allowed: the characters besides the digits; maxLength 0: any length.
  TFieldFilter(QString allowed, int maxLength, QObject* parent);
  State validate(QString& input, int& pos) const override;

  // Called with the German word for a refused input.
  std::function<void(const QString&)> OnRefused;

 private:
  QString RefusalText(QChar refused) const;

  const QString Allowed_;
  const int MaxLength_;
};
