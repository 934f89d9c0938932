#include "app/sample_rate_field.h"

#include <utility>

#include "acquisition/field_numbers.h"
#include "analysis/frequency_unit.h"
#include "app/analysis_feed.h"
#include "app/field_filter.h"

TSampleRateField::TSampleRateField(TAnalysisFeed& feed, std::function<void(const QString&)> error, QWidget* parent)
    : QLineEdit(parent), Feed_(feed), Error_(std::move(error)) {
  setPlaceholderText(QStringLiteral("unbekannt"));
  setToolTip(QStringLiteral("Abtastrate in Hz; leer: Frequenzen pro Abtastwert"));
  FilterField(this, QString(QChar::fromLatin1(feed.DecimalSeparator())) + QStringLiteral("eE+-"), 16);
  connect(this, &QLineEdit::editingFinished, this, [this] { Take(); });
  ShowRate();
}

void TSampleRateField::ShowRate() {
  if (hasFocus()) return;
  const double rate = Feed_.SampleRate();
  setText(rate > 0 ? Feed_.NumberText(rate) : QString());
}

void TSampleRateField::Take() {
  const QString typed = text().trimmed();
  try {
    double rate = 0;
    if (!typed.isEmpty()) {
      rate = ReadFieldDouble(typed.toStdString(), Feed_.DecimalSeparator());
      CheckSampleRate(rate);
    }
    Feed_.SetSampleRate(rate);
  } catch (const std::exception& e) {
    Error_(QString::fromStdString(e.what()));
    clearFocus();
    ShowRate();
  }
}
