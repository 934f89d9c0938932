// The ways data leaves the window: the chart's samples as a CSV file and the picture in
// colour as PNG.

#include <QFile>
#include <QLineEdit>

#include "app/chart_text.h"
#include "app/main_window.h"
#include "app/user_dialogs.h"

TChartCsvNames TForm1::CsvNames() const {
  TChartCsvNames names;
  names.X = Acquisition_.State.TimeAxis ? "Zeit [s]" : "Sample";
  if (Acquisition_.State.ChannelMode == kChannelModeAuto) {
    for (int32_t n = 1; n <= kMaxChannels; ++n) {
      names.Layers[size_t(n - 1)] = FromChartText(Acquisition_.Channels().DisplayName(n)).toStdString();
    }
    return names;
  }
  const QLineEdit* fields[] = {Ch1NameEdit, Ch2NameEdit};
  for (int channel = 1; channel <= 2; ++channel) {
    const QString name = fields[channel - 1]->text().trimmed();
    names.Layers[size_t(channel - 1)] = name.isEmpty() ? QStringLiteral("CH %1").arg(channel).toStdString() : name.toStdString();
  }
  return names;
}

void TForm1::SaveDataCsv(const QString& fileName, const TCsvFile& file) {
  SaveChartCsv(QFile::encodeName(fileName).toStdString(), Chart(), CsvNames(), file);
}

void TForm1::DatenExportimCSVFormat1Click() {
  const QString name = Dialogs_.SaveFileName(QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("csv"));
  // For a spreadsheet on this desktop: its separators, and a mark that the names are UTF-8.
  if (!name.isEmpty()) SaveDataCsv(name, {CsvFormatFor(DecimalSeparator_), true});
}

void TForm1::GrafikSpeichernPNGClick() {
  const QString name = Dialogs_.SaveFileName(QStringLiteral("PNG-Bilder (*.png)"), QStringLiteral("png"));
  if (!name.isEmpty()) Chart().SaveAsPng(QFile::encodeName(name).toStdString());
}
