#include "app/field_filter.h"

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The field's decimal separator, none in a field of whole numbers.
QChar SeparatorOf(const QString& allowed) {
  for (const QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
    if (allowed.contains(separator)) return separator;
  }
  return {};
}

}  // namespace

TFieldFilter::TFieldFilter(QString allowed, int maxLength, QObject* parent)
    : QValidator(parent), Allowed_(std::move(allowed)), MaxLength_(maxLength) {}

QValidator::State TFieldFilter::validate(QString& input, int&) const {
  const QChar separator = SeparatorOf(Allowed_);
  if (!separator.isNull()) input.replace(separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(','), separator);
  for (const QChar c : input) {
    if (IsDigit(c) || Allowed_.contains(c)) continue;
    if (OnRefused) OnRefused(RefusalText(c));
    return Invalid;
  }
  if (MaxLength_ > 0 && input.size() > MaxLength_) {
    if (OnRefused) OnRefused(QStringLiteral("Hier sind höchstens %1 Zeichen möglich.").arg(MaxLength_));
    return Invalid;
  }
  return Acceptable;
}

QString TFieldFilter::RefusalText(QChar refused) const {
  QStringList kinds{QStringLiteral("Ziffern")};
  if (Allowed_.contains(QLatin1Char(','))) kinds << QStringLiteral("Komma");
  if (Allowed_.contains(QLatin1Char('.'))) kinds << QStringLiteral("Punkt");
  if (Allowed_.contains(QLatin1Char('-'))) kinds << QStringLiteral("Minuszeichen");
  const QString last = kinds.takeLast();
  const QString list = kinds.isEmpty() ? last : kinds.join(QStringLiteral(", ")) + QStringLiteral(" und ") + last;
  return QStringLiteral("„%1“ ist hier nicht möglich, nur %2.").arg(refused, list);
}
