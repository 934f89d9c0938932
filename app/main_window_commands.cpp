// The window's commands: start, stop, channel mode, Trend and Normal, axes, grid, the
// later-version items, the file commands and the close sequence.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include "acquisition/field_numbers.h"
#include "app/analysis_windows.h"
#include "app/chart_text.h"
#include "app/channel_table_page.h"
#include "app/circular_progress.h"
#include "app/help_window.h"
#include "app/info_window.h"
#include "app/main_window.h"
#include "app/user_dialogs.h"
#include "app/window_chart.h"
#include "app/window_placement.h"
#include "chart/qt/gchart_widget.h"

namespace {

constexpr TColor kChannel1Color = 0xFF0000;

std::string ChartText(const QLineEdit* edit) { return ToChartText(edit->text()); }

}  // namespace

void TForm1::ShowException(const QString& message) {
  // The application's error box ends a message with a period unless it ends in one.
  QString text = message;
  if (!text.isEmpty() && text.back() > QLatin1Char('.')) text += QLatin1Char('.');
  Dialogs_.ShowError(text);
}

void TForm1::ShowInformation(const QString& text) { Dialogs_.ShowInformation(text); }

bool TForm1::Running() const { return StopButton->isEnabled(); }

float TForm1::ReadField(const QLineEdit* edit) const {
  return ReadFieldFloat(edit->text().toStdString(), DecimalSeparator_);
}

void TForm1::scComm1AfterReceive(const void* buffer, uint32_t received) {
  // When the block ends the labels show its last line at the next frame, also when a
  // line failed.
  struct TFlushAtEnd {
    TLiveDisplay& Display;
    ~TFlushAtEnd() { Display.FlushSoon(); }
  } flush{LiveDisplay_};
  Acquisition_.Receive(static_cast<const uint8_t*>(buffer), received);
}

void TForm1::ProcessPendingMessages() { LiveDisplay_.ProcessMessages(); }

void TForm1::SetCheckBox(QCheckBox* box, bool checked, void (TForm1::*handler)()) {
  if (box->isChecked() == checked) return;
  {
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
  }
  (this->*handler)();
}

void TForm1::CheckRadioButton(QRadioButton* button, void (TForm1::*handler)()) {
  if (button->isChecked()) return;
  {
    const QSignalBlocker blocker(button);
    button->setChecked(true);
  }
  if (handler) (this->*handler)();
}

void TForm1::UncheckRadioButton(QRadioButton* button) {
  const QSignalBlocker blocker(button);
  button->setAutoExclusive(false);
  button->setChecked(false);
  button->setAutoExclusive(true);
}

void TForm1::SetRunningControls(bool running) {
  for (QWidget* w : std::initializer_list<QWidget*>{ResetAxisButton, TrendCheckBox, StartButton, NormalRadioButton,
                                                     ClearGraphButton, GroupBox1, PageControl1, AufzeichnenCheckBox}) {
    w->setEnabled(!running);
  }
  CircularProgress->setEnabled(running);
  StopButton->setEnabled(running);
}

void TForm1::FormShow() {
  FormInfo->hide();
  Acquisition_.Reset();
  PageControl1->setCurrentWidget(SheetCOM);
  PageControl1->setTabVisible(PageControl1->indexOf(SheetKanal2), false);
  StopButton->setEnabled(false);
  // The start hint names 200 samples/s for Trend, the switch to "1 Ch" later 100: the
  // window has always shown both figures. They are guidance only; nothing enforces a rate.
  Label11->setText(QStringLiteral("Normal: max 2000 Samples/s, max 100.000 Samples\r\nTrend:  max 200 Samples/s   beliebig lange"));
  SetWindowChartStartRanges(Chart());
  Chart().SetLayerMouseControl(1, true);
  Chart().SetLayerMouseControl(2, true);
}

void TForm1::StartButtonClick() { StartAcquisition(true); }

void TForm1::StartAcquisition(bool openPort) {
  // A start that fails at any step must not leave the window claiming to acquire: Stop
  // returns it to Idle before the error is shown.
  try {
    BeginAcquisition(openPort);
  } catch (...) {
    StopButtonClick();
    throw;
  }
}

void TForm1::BeginAcquisition(bool openPort) {
  const TAcquisitionState& s = Acquisition_.State;
  TGChart& chart = Chart();
  if (TrendCheckBox->isChecked()) {
    Acquisition_.SetTrendMode(true);
    chart.SetMouseAction(maNone);
    UncheckRadioButton(NormalRadioButton);
    UncheckRadioButton(ZoomRadioButton);
    ZoomRadioButton->setEnabled(false);
    chart.Scale1Y().SetLogarithmic(false);
    chart.Scale2Y().SetLogarithmic(false);
    ResetAxisButtonClick();
  } else {
    Acquisition_.SetTrendMode(false);
  }
  SetRunningControls(true);
  chart.ClearGraph();
  chart.SetDataColor(kChannel1Color);
  chart.Scale1Y().SetCaption(ChartText(Ch1NameEdit));
  chart.Scale2Y().SetCaption(ChartText(Ch2NameEdit));
  chart.SetCaption(ChartText(ProjektNameEdit));
  Acquisition_.BeginAcquisition();
  Label10->clear();
  HintLabel->hide();
  LiveDisplay_.SetSkippedLines(0);
  // The count and the port's words belong to the run before.
  for (QLabel* panel : StatusPanels) {
    panel->clear();
    panel->setToolTip(QString());
  }
  ReadStartFields();
  chart.SetRange(1, 0, s.Ymin1, s.Xmax, s.Ymax1);
  chart.SetRange(2, 0, s.Ymin2, s.Xmax, s.Ymax2);
  chart.UpdateGraph();
  SelectPort();
  Acquisition_.BeginLineTimes();
  if (!StartRecording()) {
    StopButtonClick();
    return;
  }
  const uint64_t stops = Stops_;
  ProcessPendingMessages();
  // A Stop clicked while the messages were processed has ended this start.
  if (Stops_ != stops) return;
  scComm1_.PurgeAll();
  if (openPort) scComm1_.SetActive(true);
  UpdateFrameTimer();
}

void TForm1::ReadStartFields() {
  // In this order: the first field that cannot be read is the one reported.
  TFixedScaling scaling;
  TAxisRanges ranges;
  scaling.Factor1 = ReadField(DatSkalEdit);
  scaling.Factor2 = ReadField(DatSkal2Edit);
  scaling.Offset1 = ReadField(DatOffsetEdit);
  scaling.Offset2 = ReadField(DatOffset2Edit);
  ranges.Ymax1 = ReadField(GraphYmaxEdit);
  ranges.Ymax2 = ReadField(GraphY2maxEdit);
  ranges.Ymin1 = ReadField(GraphYminEdit);
  ranges.Ymin2 = ReadField(GraphY2minEdit);
  ranges.Xmax = ReadField(GraphXmaxEdit);
  Acquisition_.SetFixedScaling(scaling);
  Acquisition_.SetAxisRanges(ranges);
}

void TForm1::SelectPort() {
  int32_t portNumber = Acquisition_.State.ComPortNumber;
  const QString port = ComComboBox->currentText().trimmed();
  if (port.startsWith(QLatin1Char('/'))) {
    scComm1_.SetDevicePath(QFile::encodeName(port).toStdString());
  } else {
    portNumber = ReadFieldInteger(port.toStdString());
    scComm1_.SetComPortNo(uint16_t(portNumber));
  }
  const int32_t baudRate = ReadFieldInteger(BaudComboBox->currentText().toStdString());
  Acquisition_.SetPortValues(portNumber, baudRate);
  scComm1_.SetBaudRate(uint32_t(baudRate));
}

void TForm1::StopButtonClick() {
  if (Reconnect_.Cancel()) ShowPortStatus(QStringLiteral("%1 wurde geschlossen").arg(QString::fromStdString(scComm1_.PortName())));
  ++Stops_;
  Stopping_ = true;
  scComm1_.SetActive(false);
  Stopping_ = false;
  ProcessPendingMessages();
  StopRecording();
  Acquisition_.EndAcquisition();
  SetRunningControls(false);
  ZoomRadioButton->setEnabled(true);
  Chart().SetCurrentLayer(1);
  Chart().SetMouseAction(maPan);
  Chart().UpdateGraph();
  UpdateFrameTimer();
  ApplyViewAids();
  SheetKanaele->Refresh();
}

void TForm1::Ch1RadioButtonClick() { SwitchChannelMode(1); }
void TForm1::CH2RadioButtonClick() { SwitchChannelMode(2); }
void TForm1::AutoRadioButtonClick() { SwitchChannelMode(kChannelModeAuto); }

void TForm1::SwitchChannelMode(int32_t mode) {
  const bool two = mode == 2;
  const bool automatic = mode == kChannelModeAuto;
  // The copies belong to the channels of the mode left; "Auto" joins its channels' layers.
  Analysis_->RemoveFilteredCopies();
  Acquisition_.SetChannelMode(mode);
  PageControl1->setCurrentWidget(automatic ? static_cast<QWidget*>(SheetKanaele) : SheetKanal1);
  PageControl1->setTabVisible(PageControl1->indexOf(SheetKanal2), two);
  PageControl1->setTabVisible(PageControl1->indexOf(SheetKanaele), automatic);
  // The channel table scales each channel in "Auto"; the y range stays on this page.
  DatSkalEdit->setEnabled(!automatic);
  DatOffsetEdit->setEnabled(!automatic);
  ShowKanal1BoxTitle(automatic);
  Label11->setText(automatic ? QStringLiteral("Auto: bis 16 Kanäle, max 100.000 Werte\r\nTrend:  beliebig lange")
                   : two     ? QStringLiteral("Normal: max 200 Samples/s, max 50.000 Samples\r\nTrend:  max 50 Samples/s   beliebig lange")
                             : QStringLiteral("Normal: max 2000 Samples/s, max 100.000 Samples\r\nTrend:  max 100 Samples/s   beliebig lange"));
  Chart().SetMarginLeft(two ? 160 : 80);
  Chart().Scale2Y().SetVisible(two);
  StopButtonClick();
}

void TForm1::ChannelsEdited() {
  Acquisition_.ChannelsEdited();
  Chart().ShowGraph();
}

void TForm1::AutoYCheckBoxClick() {
  Follower_.AutoY = AutoYCheckBox->isChecked();
  UpdateFrameTimer();
  ApplyViewAids();
}

void TForm1::MitlaufenCheckBoxClick() {
  Follower_.FollowNewest = MitlaufenCheckBox->isChecked();
  UpdateFrameTimer();
}

void TForm1::UpdateFrameTimer() {
  if (Running() && (Follower_.AutoY || Follower_.FollowNewest)) {
    if (!FrameTimer_.isActive()) FrameTimer_.start();
  } else {
    FrameTimer_.stop();
  }
}

void TForm1::ApplyViewAids() { Follower_.Apply(Chart(), Acquisition_.State, Running()); }

void TForm1::SkippedLinesLinkClick() {
  // Control characters show as \xNN, so that garbage is visible as what it is.
  QString line;
  for (const char c : Acquisition_.LastSkippedLine()) {
    const auto u = static_cast<unsigned char>(c);
    line += u < 32 || u == 127 ? QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0')) : QString(QChar(u));
  }
  ShowInformation(QStringLiteral("Zuletzt übersprungene Zeile (keine Zahl für einen Kanal):\n\n%1").arg(line));
}

void TForm1::TrendCheckBoxClick() {
  TGChart& chart = Chart();
  if (TrendCheckBox->isChecked()) {
    chart.SetMouseAction(maNone);
    UncheckRadioButton(NormalRadioButton);
    UncheckRadioButton(ZoomRadioButton);
    ZoomRadioButton->setEnabled(false);
    chart.Scale1Y().SetLogarithmic(false);
    GraphXmaxEdit->setText(UsualXmaxText(RadioButton2->isChecked()));
    ResetAxisButtonClick();
    Acquisition_.SetTrendMode(true);
  } else {
    chart.SetMouseAction(maPan);
    chart.ClearGraph();
    chart.UpdateGraph();
    CheckRadioButton(NormalRadioButton, &TForm1::NormalRadioButtonClick);
    ZoomRadioButton->setEnabled(true);
    Acquisition_.SetTrendMode(false);
    ResetAxisButtonClick();
  }
}

void TForm1::NormalRadioButtonClick() {
  Chart().SetMouseAction(maPan);
  SetCheckBox(TrendCheckBox, false, &TForm1::TrendCheckBoxClick);
  Acquisition_.SetTrendMode(false);
}

void TForm1::ZoomRadioButtonClick() { Chart().SetMouseAction(maZoomDrag); }

void TForm1::ResetAxisButtonClick() {
  const TAcquisitionState& s = Acquisition_.State;
  TGChart& chart = Chart();
  chart.SetCaption(ChartText(ProjektNameEdit));
  TAxisRanges ranges;
  ranges.Xmax = ReadField(GraphXmaxEdit);
  ranges.Ymax1 = ReadField(GraphYmaxEdit);
  ranges.Ymin1 = ReadField(GraphYminEdit);
  ranges.Ymax2 = ReadField(GraphY2maxEdit);
  ranges.Ymin2 = ReadField(GraphY2minEdit);
  Acquisition_.SetAxisRanges(ranges);
  chart.SetRange(1, 0, s.Ymin1, s.Xmax, s.Ymax1);
  chart.SetRange(2, 0, s.Ymin2, s.Xmax, s.Ymax2);
  chart.Scale1Y().SetCaption(ChartText(Ch1NameEdit));
  chart.Scale2Y().SetCaption(ChartText(Ch2NameEdit));
  chart.SetCaption(ChartText(ProjektNameEdit));
  chart.UpdateGraph();
}

void TForm1::ClearGraphButtonClick() {
  Chart().ClearGraph();
  Chart().ShowGraph();
  Label10->clear();
  StatusPanels[0]->clear();
}

void TForm1::ShowGridCheckBoxClick() {
  Chart().SetGridStyle(ShowGridCheckBox->isChecked() ? gsLines : gsNone);
  Chart().ShowGraph();
}

void TForm1::DoubleTicsCheckBoxClick() {
  const int ticks = DoubleTicsCheckBox->isChecked() ? 6 : 3;
  Chart().Scale1X().SetMinTicks(ticks);
  Chart().Scale1Y().SetMinTicks(ticks);
  Chart().Scale2Y().SetMinTicks(ticks);
  Chart().UpdateGraph();
}


void TForm1::Einstellungen1Click() { CloseSequence(); }

void TForm1::CloseSequence() {
  StopButtonClick();
  // Stop let pending messages run, a Start clicked just before closing among them, which
  // may have opened the port again: it is closed once more before the program ends.
  scComm1_.SetActive(false);
  // Twice: what the first round delivers (the closed port's last notices, windows being
  // hidden) posts messages of its own, which the second round delivers before quitting.
  ProcessPendingMessages();
  ProcessPendingMessages();
  QApplication::quit();
}

void TForm1::scComm1FatalError() {
  ProcessPendingMessages();
  CircularProgress->setEnabled(false);
  StopButtonClick();
}

void TForm1::scComm1Closed() {
  // An adapter unplugged during an acquisition closes the port by itself: the window
  // must not go on claiming to acquire.
  if (Stopping_ || !Running()) return;
  const QString port = QString::fromStdString(scComm1_.PortName());
  if (AutoReconnectCheckBox->isChecked()) {
    // The acquisition goes on once the device is back: nothing is cleared, the count
    // continues. A line cut off by the unplug is never completed.
    Acquisition_.DropPendingLine();
    Acquisition_.FlushRecording();
    ShowPortStatus(QStringLiteral("%1 getrennt - warte auf Gerät").arg(port));
    Reconnect_.Begin();
    return;
  }
  StopButtonClick();
  ShowPortStatus(QStringLiteral("%1 wurde geschlossen").arg(port));
}

void TForm1::Hilfe1Click() {
  // The outer size is the help window's own until the user changes it; its frame is
  // known only once shown, and taken to be like this window's.
  if (!HelpShown_) FormHilfe->FitOuterSize(FrameMargins(*this));
  HelpShown_ = true;
  ShowWindowOnce(FormHilfe);
}

void TForm1::Info1Click() { ShowWindowOnce(FormInfo); }

void TForm1::ShowWindowOnce(QWidget* window) {
  // A window already shown is only brought forward.
  if (!window->isVisible()) ShowCentredOn(*window, *this);
  window->raise();
  window->activateWindow();
}

void TForm1::GrafikSpeichernBMPClick() {
  const QString name = Dialogs_.SaveFileName(QStringLiteral("Graphic Files (*.bmp *.BMP)"), QStringLiteral("bmp"));
  if (!name.isEmpty()) Chart().SaveAsBitmap(QFile::encodeName(name).toStdString(), true);
}

void TForm1::ErfassungSpeichernClick() {
  const QString name = Dialogs_.SaveFileName(QStringLiteral("Tavolix Files (*.tvx *.TVX)"), QStringLiteral("tvx"));
  if (!name.isEmpty()) Chart().SaveGraphFile(QFile::encodeName(name).toStdString());
}

void TForm1::ErfassungladenClick() {
  const QString name = Dialogs_.OpenFileName(QStringLiteral("Tavolix Files (*.tvx *.TVX)"), QStringLiteral("tvx"));
  if (!name.isEmpty()) Chart().LoadGraphFile(QFile::encodeName(name).toStdString(), true);
}
