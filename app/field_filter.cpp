#include "app/field_filter.h"

TFieldFilter::TFieldFilter(QString allowed, int maxLength, QObject* parent)
    : QValidator(parent), Allowed_(std::move(allowed)), MaxLength_(maxLength) {}

QValidator::State TFieldFilter::validate(QString& input, int&) const {
  if (MaxLength_ > 0 && input.size() > MaxLength_) return Invalid;
  for (const QChar c : input) {
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digit && !Allowed_.contains(c)) return Invalid;
  }
  return Acceptable;
}
