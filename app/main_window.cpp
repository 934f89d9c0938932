// The main window's creation: its components, the chart's and the serial port's
// settings, and the wiring of every control to its handler.

#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "app/channel_table_page.h"
#include "app/help_window.h"
#include "app/info_window.h"
#include "app/window_chart.h"
#include "chart/qt/gchart_widget.h"
#include "serial/posix/posix_port_platform.h"

namespace {

// The fields' decimal separator: the locale's, where it is a plain character.
char FieldSeparator(const QLocale& locale) {
  const QString point = locale.decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? char(point[0].unicode()) : '.';
}

}  // namespace

TForm1::TForm1(TUserDialogs& dialogs, const QLocale& locale, QWidget* parent)
    : QMainWindow(parent),
      Dialogs_(dialogs),
      Locale_(locale),
      DecimalSeparator_(FieldSeparator(locale)),
      scComm1_(PosixPortPlatform(), &Handover_),
      Acquisition_(*this, Chart_, DecimalSeparator_) {
  CreateComponents();
  ConfigureChart();
  ConfigureSerialPort();
  ConnectHandlers();
  FormInfo = new TFormInfo(this);
  FormHilfe = new TFormHilfe(this);
}

TForm1::~TForm1() {
  // The port's handlers and the chart's widget use this window: end them first.
  scComm1_.SetActive(false);
  delete GChart1;
}

void TForm1::ConfigureChart() {
  Chart_.SetHost(this);
  SetUpWindowChart(Chart_);
  GChart1->SetChartCursor(Qt::PointingHandCursor);
}

void TForm1::ConfigureSerialPort() {
  TscComm& com = scComm1_;
  com.SetBaudRate(115200);
  com.SetParity(pNone);
  com.SetStopBits(sbOne);
  com.SetByteSize(8);
  com.SetComPortNo(5);
  com.SetBufferInSize(32768);
  com.SetBufferOutSize(8192);
  com.SetTimeoutRead(0);
  com.SetTimeoutWrite(0);
  com.SetRS485Mode(false);
  com.SetEnumPorts(epQuickAll);
  com.SetUseMainThread(true);
  com.SetStreamProtocol(spNone);
  com.SetTerminalUsage(tuNone);
  com.SetTerminalEcho(false);
  com.SetEventChar(0);
  com.OnAfterReceive = [this](TscComm&, const void* buffer, uint32_t received) { scComm1AfterReceive(buffer, received); };
  com.OnFatalError = [this](TscComm&, uint32_t, uint32_t, const std::string&, bool&) { scComm1FatalError(); };
  // Line errors do not affect an acquisition.
  com.OnCommError = [](TscComm&, uint32_t, uint32_t, TComStateFlags, bool&) {};
  com.OnClose = [this](TscComm&) { scComm1Closed(); };
  com.ShowException = [this](const std::string& message) { ShowException(QString::fromStdString(message)); };

  WatchSerialDevices();
}

void TForm1::ConnectHandlers() {
  auto onClick = [this](QPushButton* button, void (TForm1::*handler)()) {
    connect(button, &QPushButton::clicked, this, [this, handler] { RunCommand([&] { (this->*handler)(); }); });
  };
  onClick(StartButton, &TForm1::StartButtonClick);
  onClick(StopButton, &TForm1::StopButtonClick);
  onClick(ClearGraphButton, &TForm1::ClearGraphButtonClick);
  onClick(ResetAxisButton, &TForm1::ResetAxisButtonClick);

  // A radio button's handler runs when it becomes checked, a check box's on every change.
  auto onChecked = [this](QRadioButton* button, void (TForm1::*handler)()) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
      if (checked) RunCommand([&] { (this->*handler)(); });
    });
  };
  onChecked(NormalRadioButton, &TForm1::NormalRadioButtonClick);
  onChecked(ZoomRadioButton, &TForm1::ZoomRadioButtonClick);
  onChecked(Ch1RadioButton, &TForm1::Ch1RadioButtonClick);
  onChecked(CH2RadioButton, &TForm1::CH2RadioButtonClick);
  onChecked(AutoRadioButton, &TForm1::AutoRadioButtonClick);
  onChecked(RadioButton1, &TForm1::RadioButton1Click);
  onChecked(RadioButton2, &TForm1::RadioButton2Click);
  auto onToggled = [this](QCheckBox* box, void (TForm1::*handler)()) {
    connect(box, &QCheckBox::toggled, this, [this, handler] { RunCommand([&] { (this->*handler)(); }); });
  };
  onToggled(TrendCheckBox, &TForm1::TrendCheckBoxClick);
  onToggled(AufzeichnenCheckBox, &TForm1::AufzeichnenCheckBoxClick);
  onToggled(ShowGridCheckBox, &TForm1::ShowGridCheckBoxClick);
  onToggled(DoubleTicsCheckBox, &TForm1::DoubleTicsCheckBoxClick);
  onToggled(AutoYCheckBox, &TForm1::AutoYCheckBoxClick);
  onToggled(MitlaufenCheckBox, &TForm1::MitlaufenCheckBoxClick);
  onToggled(SheetKanaele->DeviceTimeCheckBox, &TForm1::DeviceTimeCheckBoxClick);

  // The display aids' frames; a pan or zoom by the mouse changes what is in view.
  FrameTimer_.setInterval(16);
  connect(&FrameTimer_, &QTimer::timeout, this, [this] { RunCommand([this] { ApplyViewAids(); }); });
  Chart_.OnZoomPan = [this](TGChart&) { ApplyViewAids(); };
  connect(StatusPanels[2], &QLabel::linkActivated, this, [this] { RunCommand([this] { SkippedLinesLinkClick(); }); });
  SheetKanaele->OnEdited = [this] { RunCommand([this] { ChannelsEdited(); }); };
  SheetKanaele->OnForget = [this] {
    RunCommand([this] {
      Acquisition_.ForgetChannels();
      SheetKanaele->Refresh();
      Chart().ShowGraph();
    });
  };

  auto onMenu = [this](QAction* action, void (TForm1::*handler)()) {
    connect(action, &QAction::triggered, this, [this, handler] { RunCommand([&] { (this->*handler)(); }); });
  };
  onMenu(GrafikSpeichernBMP, &TForm1::GrafikSpeichernBMPClick);
  onMenu(GrafikSpeichernPNG, &TForm1::GrafikSpeichernPNGClick);
  onMenu(ErfassungSpeichern, &TForm1::ErfassungSpeichernClick);
  onMenu(Erfassungladen, &TForm1::ErfassungladenClick);
  onMenu(DatenExportimCSVFormat1, &TForm1::DatenExportimCSVFormat1Click);
  for (QAction* later : {FourierAnalyse1, RealtimeFourierAnalyse1, DigitalesFilter1}) {
    onMenu(later, &TForm1::LaterVersionClick);
  }
  onMenu(Einstellungen1, &TForm1::Einstellungen1Click);
  onMenu(Hilfe1, &TForm1::Hilfe1Click);
  onMenu(Info1, &TForm1::Info1Click);
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (Shown_) return;
  Shown_ = true;
  RunCommand([this] { FormShow(); });
}

void TForm1::closeEvent(QCloseEvent* event) {
  RunCommand([this] { CloseSequence(); });
  event->accept();
}

// --- The acquisition's host ---

void TForm1::ShowRawValues(std::string_view text) { LiveDisplay_.SetRawValues(text); }

void TForm1::ShowSampleCount(int64_t count) { LiveDisplay_.SetSampleCount(count); }

void TForm1::SampleLimitReached() {
  LiveDisplay_.Flush();
  // Stop before the box, so that no more data arrive while it waits for the user, and
  // again after it, so that the window is Idle whatever ran in the box's message loop.
  StopButtonClick();
  ShowInformation(QStringLiteral("Speichermaximum erreicht"));
  StopButtonClick();
}

bool TForm1::ProcessMessages() {
  // A Stop clicked during the round ends the acquisition; the lines still in the block
  // would otherwise be plotted as Normal samples onto what it left.
  const uint64_t stops = Stops_;
  LiveDisplay_.ProcessMessagesWhenDue();
  return Stops_ == stops;
}

void TForm1::ShowSkippedLines(int64_t count) { LiveDisplay_.SetSkippedLines(count); }

void TForm1::ChannelsChanged() {
  SheetKanaele->Refresh();
  if (Acquisition_.Recording()) {
    const TChartCsvNames names = CsvNames();
    Acquisition_.NameRecordingChannels(RecordedChannelNames(names));
  }
}

void TForm1::ShowFormatHint(std::string_view text) {
  HintLabel->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
  HintLabel->show();
  HintLabel->raise();
}

void TForm1::ShowMessage(const std::string& text) { ShowInformation(QString::fromStdString(text)); }
