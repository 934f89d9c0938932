#include "app/replay.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <vector>

#include "app/channel_table_page.h"
#include "app/main_window.h"
#include "app/user_dialogs.h"

namespace {

void SetField(QLineEdit* field, const std::optional<QString>& value) {
  if (value) field->setText(*value);
}

// Hands the capture to the received-data handler in blocks, as the serial component
// does: a block whose processing fails is reported as the component reports it.
// Returns the number of bytes handed over.
qint64 Deliver(TForm1& form, QFile& capture, qint64 chunk) {
  std::vector<char> block(static_cast<size_t>(chunk));
  qint64 delivered = 0;
  while (form.Running()) {
    const qint64 n = capture.read(block.data(), chunk);
    if (n <= 0) break;
    delivered += n;
    try {
      form.scComm1AfterReceive(block.data(), uint32_t(n));
    } catch (const std::exception& e) {
      form.scComm1().DoFatalError(1, 0, e.what(), true);
    }
  }
  return delivered;
}

}  // namespace

int RunReplay(const TReplayOptions& o) {
  QFile capture(o.Capture);
  if (!capture.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "tavolix: cannot read %s: %s\n", o.Capture.toLocal8Bit().constData(),
                 capture.errorString().toLocal8Bit().constData());
    return 1;
  }
  TStderrDialogs dialogs;
  // Options are written with "."; a window in the C locale reads its fields that way.
  TForm1 form(dialogs, QLocale::c());
  if (o.WindowSize) form.resize(*o.WindowSize);
  form.show();
  if (o.Channels == 2) form.CH2RadioButton->setChecked(true);
  if (o.Channels == kChannelModeAuto) form.AutoRadioButton->setChecked(true);
  // Before Trend, which sets Graph X max for the axis chosen.
  if (o.TimeAxis) form.RadioButton2->setChecked(true);
  if (o.DeviceTime) form.SheetKanaele->DeviceTimeCheckBox->setChecked(true);
  form.SetLineRate(o.Rate);
  if (o.Trend) form.TrendCheckBox->setChecked(true);
  SetField(form.GraphXmaxEdit, o.Xmax);
  SetField(form.DatSkalEdit, o.Factor1);
  SetField(form.DatOffsetEdit, o.Offset1);
  SetField(form.DatSkal2Edit, o.Factor2);
  SetField(form.DatOffset2Edit, o.Offset2);
  SetField(form.GraphYminEdit, o.Ymin1);
  SetField(form.GraphYmaxEdit, o.Ymax1);
  SetField(form.GraphY2minEdit, o.Ymin2);
  SetField(form.GraphY2maxEdit, o.Ymax2);
  SetField(form.ProjektNameEdit, o.Name);
  SetField(form.Ch1NameEdit, o.Ch1Name);
  SetField(form.Ch2NameEdit, o.Ch2Name);

  form.RunCommand([&] { form.StartAcquisition(false); });
  if (!form.Running()) return 1;  // a field could not be read; the window said why
  const qint64 delivered = Deliver(form, capture, o.Chunk);
  if (form.Running()) form.StopButton->click();
  if (form.AcquisitionState().SampleCount == 0) {
    // An empty plot saved without a word would pass for a run of a silent device.
    std::fprintf(stderr,
                 "tavolix: %lld Bytes aus %s gelesen, aber keine Zeile mit CR LF am Ende gefunden; "
                 "das Gerät muss jede Zeile mit den Bytes 13 und 10 abschließen. Nichts gespeichert.\n",
                 static_cast<long long>(delivered), o.Capture.toLocal8Bit().constData());
    return 1;
  }

  bool saved = true;
  auto save = [&](auto&& operation) {
    try {
      operation();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "tavolix: %s\n", e.what());
      saved = false;
    }
  };
  if (!o.SaveSession.isEmpty()) save([&] { form.Chart().SaveGraphFile(QFile::encodeName(o.SaveSession).toStdString()); });
  if (!o.SaveBitmap.isEmpty()) {
    save([&] { form.Chart().SaveAsBitmap(QFile::encodeName(o.SaveBitmap).toStdString(), !o.Color); });
  }
  // For scripts: the same separators whatever the desktop, no byte order mark.
  if (!o.SaveCsv.isEmpty()) save([&] { form.SaveDataCsv(o.SaveCsv, {{',', '.'}, false}); });
  if (!o.SavePng.isEmpty()) save([&] { form.Chart().SaveAsPng(QFile::encodeName(o.SavePng).toStdString()); });
  return saved ? 0 : 1;
}
