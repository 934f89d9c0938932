#include "app/chart_text.h"

std::string ToChartText(const QString& text) {
  std::string out;
  out.reserve(size_t(text.size()));
  for (const QChar c : text) out += c.unicode() < 256 ? char(c.unicode()) : '?';
  return out;
}

QString FromChartText(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }
