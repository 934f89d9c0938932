// The live recording: "Aufzeichnen" names a CSV file; every Start while it is checked
// records the acquisition's lines into it, and Stop, an unplug, the sample limit or a
// closed window end the file complete. A file that cannot be written ends the recording
// with a message and leaves the plot running.

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

#include "app/main_window.h"
#include "app/user_dialogs.h"

namespace {

// A later Start does not overwrite the recording of an earlier one: "messung.csv" is
// followed by "messung-2.csv", "messung-3.csv", ..., the first name not taken.
QString FreeRecordingName(const QString& chosen) {
  const QFileInfo info(chosen);
  const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
  const QString stem = info.suffix().isEmpty() ? chosen : chosen.left(chosen.size() - suffix.size());
  for (int n = 2;; ++n) {
    const QString name = QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix);
    if (!QFileInfo::exists(name)) return name;
  }
}

}  // namespace

void TForm1::AufzeichnenCheckBoxClick() {
  QLabel* status = StatusPanels[3];
  if (!AufzeichnenCheckBox->isChecked()) {
    RecordingFile_.clear();
    status->clear();
    status->setToolTip({});
    return;
  }
  const QString name = Dialogs_.SaveFileName(QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("csv"));
  if (name.isEmpty()) {
    SetCheckBox(AufzeichnenCheckBox, false, &TForm1::AufzeichnenCheckBoxClick);
    return;
  }
  RecordingFile_ = name;
  RecordingFileUsed_ = false;
  status->setText(QStringLiteral("Aufzeichnen: %1").arg(QFileInfo(name).fileName()));
  status->setToolTip(name);
}

bool TForm1::StartRecording() {
  if (!AufzeichnenCheckBox->isChecked() || RecordingFile_.isEmpty()) return true;
  const QString file = RecordingFileUsed_ ? FreeRecordingName(RecordingFile_) : RecordingFile_;
  const TChartCsvNames names = CsvNames();
  try {
    Acquisition_.StartRecording(QFile::encodeName(file).toStdString(), {CsvFormatFor(DecimalSeparator_), true},
                                RecordedChannelNames(names));
  } catch (const std::exception& e) {
    ShowException(QString::fromStdString(e.what()));
    return false;
  }
  RecordingFileUsed_ = true;
  RecordingTo_ = file;
  StatusPanels[3]->setText(QStringLiteral("Aufzeichnung: %1").arg(QFileInfo(file).fileName()));
  StatusPanels[3]->setToolTip(file);
  return true;
}

std::span<const std::string> TForm1::RecordedChannelNames(const TChartCsvNames& names) const {
  const int32_t mode = Acquisition_.State.ChannelMode;
  const int32_t channels = mode == kChannelModeAuto ? Acquisition_.Channels().Count() : mode == 2 ? 2 : 1;
  return std::span(names.Layers).first(size_t(channels));
}

void TForm1::StopRecording() {
  if (!Acquisition_.Recording()) return;
  const QString error = QString::fromStdString(Acquisition_.StopRecording());
  if (!error.isEmpty()) {
    ShowRecordingError(error);
    return;
  }
  StatusPanels[3]->setText(QStringLiteral("Aufgezeichnet: %1").arg(QFileInfo(RecordingTo_).fileName()));
}

void TForm1::RecordingFailed(const std::string& reason) { ShowRecordingError(QString::fromStdString(reason)); }

void TForm1::ShowRecordingError(const QString& text) {
  StatusPanels[3]->setText(QStringLiteral("Aufzeichnung beendet"));
  // Not inside the received-data handler: the box waits for the user while the plot goes on.
  QTimer::singleShot(0, this, [this, text] { ShowException(text); });
}
