#pragma once
// The main window: the chart, the controls that drive an acquisition, and the menu. Its
// handlers keep the names under which the window's description wires them.

#include <QLocale>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <exception>
#include <memory>

#include "acquisition/acquisition.h"
#include "acquisition/chart_csv_export.h"
#include "acquisition/view_follow.h"
#include "app/live_display.h"
#include "app/port_reconnect.h"
#include "app/qt_main_thread_handover.h"
#include "chart/gchart.h"
#include "serial/comm.h"
#include "serial/posix/hotplug_monitor.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TChannelTablePage;
class TCircularProgress;
class TAnalysisWindows;
class TFormHilfe;
class TFormInfo;
class TGChartWidget;
class TUserDialogs;

class TForm1 : public QMainWindow, private TAcquisitionHost, private TChartHost {
 public:
  // The locale decides the decimal separator of the window's fields.
  TForm1(TUserDialogs& dialogs, const QLocale& locale, QWidget* parent = nullptr);
  ~TForm1() override;

  TGChart& Chart() { return Chart_; }
  TscComm& scComm1() { return scComm1_; }
  // The "Mathematik" menu's windows, the filtered copies and the value readout.
  TAnalysisWindows& Analysis() { return *Analysis_; }
  const TAcquisitionState& AcquisitionState() const { return Acquisition_.State; }
  TFormHilfe* FormHilfe = nullptr;
  TFormInfo* FormInfo = nullptr;

  // The start sequence; with openPort false the port stays closed (a replay hands the
  // received bytes in itself).
  void StartAcquisition(bool openPort);
  // A replay: lines are taken to arrive at this many per second (0: as the blocks come).
  void SetLineRate(double linesPerSecond) { Acquisition_.SetLineRate(linesPerSecond); }
  // The received-data handler: frames the bytes into lines.
  void scComm1AfterReceive(const void* buffer, uint32_t received);
  // Whether the window is in its running state.
  bool Running() const;
  // The samples now in the chart as a CSV file, headed by the channel names.
  void SaveDataCsv(const QString& fileName, const TCsvFile& file);
  // Runs a window command; an error that escapes it is shown in the error box.
  template <class Command>
  void RunCommand(Command&& command) {
    try {
      command();
    } catch (const std::exception& e) {
      ShowException(e.what());
    }
  }

  // Components, named as the window's description names them.
  QFrame* Panel2 = nullptr;
  QPushButton* StartButton = nullptr;
  QPushButton* StopButton = nullptr;
  QPushButton* ClearGraphButton = nullptr;
  QPushButton* ResetAxisButton = nullptr;
  TCircularProgress* CircularProgress = nullptr;
  QLabel* Label11 = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* SheetCOM = nullptr;
  QWidget* SheetKanal1 = nullptr;
  QWidget* SheetKanal2 = nullptr;
  TChannelTablePage* SheetKanaele = nullptr;  // the "Auto" mode's channels
  QFrame* Panel1 = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* Label10 = nullptr;
  QRadioButton* NormalRadioButton = nullptr;
  QRadioButton* ZoomRadioButton = nullptr;
  QCheckBox* ShowGridCheckBox = nullptr;
  QCheckBox* DoubleTicsCheckBox = nullptr;
  QCheckBox* TrendCheckBox = nullptr;
  QCheckBox* AufzeichnenCheckBox = nullptr;  // live recording into a CSV file, off
  TGChartWidget* GChart1 = nullptr;
  std::array<QLabel*, 4> StatusPanels{};

  QGroupBox* GroupBox1 = nullptr;
  QComboBox* ComComboBox = nullptr;
  QComboBox* BaudComboBox = nullptr;
  QLabel* Label20 = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QRadioButton* Ch1RadioButton = nullptr;
  QRadioButton* CH2RadioButton = nullptr;
  QRadioButton* AutoRadioButton = nullptr;
  QGroupBox* GroupBox5 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QLineEdit* ProjektNameEdit = nullptr;
  QCheckBox* AutoReconnectCheckBox = nullptr;  // "Automatisch neu verbinden", off

  QLineEdit* DatSkalEdit = nullptr;
  QLineEdit* DatOffsetEdit = nullptr;
  QLineEdit* GraphYmaxEdit = nullptr;
  QLineEdit* GraphYminEdit = nullptr;
  QLineEdit* GraphXmaxEdit = nullptr;
  QLineEdit* Ch1NameEdit = nullptr;
  QLineEdit* DatSkal2Edit = nullptr;
  QLineEdit* DatOffset2Edit = nullptr;
  QLineEdit* GraphY2maxEdit = nullptr;
  QLineEdit* GraphY2minEdit = nullptr;
  QLineEdit* Ch2NameEdit = nullptr;
  QLabel* Label14 = nullptr;
  QLabel* Label18 = nullptr;
  QGroupBox* Kanal1Box = nullptr;  // the page "  CH 1   "'s fields
  QCheckBox* AutoYCheckBox = nullptr;
  QCheckBox* MitlaufenCheckBox = nullptr;
  // Over the chart: why the lines do not plot as they should.
  QLabel* HintLabel = nullptr;

  QAction* GrafikSpeichernBMP = nullptr;
  QAction* GrafikSpeichernPNG = nullptr;
  QAction* ErfassungSpeichern = nullptr;
  QAction* Erfassungladen = nullptr;
  QAction* DatenExportimCSVFormat1 = nullptr;
  QAction* Einstellungen1 = nullptr;
  QAction* FourierAnalyse1 = nullptr;
  QAction* RealtimeFourierAnalyse1 = nullptr;
  QAction* DigitalesFilter1 = nullptr;
  QAction* Statistik1 = nullptr;  // the visible range's figures per channel
  QAction* Hilfe1 = nullptr;
  QAction* Info1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Layout.
  void CreateComponents();
  QFrame* CreateToolbarPanel(QWidget* parent);
  QFrame* CreateViewPanel(QWidget* parent);
  QWidget* CreateComPage();
  QWidget* CreateChannelPage(int channel);
  void CreateDisplayAids(QWidget* page);
  void ShowKanal1BoxTitle(bool automatic);
  void CreateHintLabel(QWidget* parent);
  void CreateMenu();
  void CreateStatusBar();
  void ConfigureChart();
  void ConfigureSerialPort();
  void ConnectHandlers();
  void AnchorToClient();

  // Handlers.
  void FormShow();
  void StartButtonClick();
  void StopButtonClick();
  void Ch1RadioButtonClick();
  void CH2RadioButtonClick();
  void AutoRadioButtonClick();
  void AutoYCheckBoxClick();
  void MitlaufenCheckBoxClick();
  void SkippedLinesLinkClick();
  void TrendCheckBoxClick();
  void AufzeichnenCheckBoxClick();
  void NormalRadioButtonClick();
  void ZoomRadioButtonClick();
  void ResetAxisButtonClick();
  void ClearGraphButtonClick();
  void ShowGridCheckBoxClick();
  void DoubleTicsCheckBoxClick();
  void RadioButton1Click();
  void RadioButton2Click();
  void DeviceTimeCheckBoxClick();
  void DatenExportimCSVFormat1Click();
  void GrafikSpeichernPNGClick();
  void Einstellungen1Click();
  void GrafikSpeichernBMPClick();
  void ErfassungSpeichernClick();
  void ErfassungladenClick();
  void Hilfe1Click();
  void Info1Click();
  void scComm1FatalError();
  void scComm1Closed();

  // The port field and the port's own messages.
  void WatchSerialDevices();
  void RefreshPortList();
  void ShowPortTip();
  void ShowPortStatus(const QString& text);
  void PortReopened();

  // Steps the handlers share.
  void BeginAcquisition(bool openPort);
  TChartCsvNames CsvNames() const;
  // Start and Stop of the live recording; false when its file cannot be created.
  bool StartRecording();
  void StopRecording();
  void ShowRecordingError(const QString& text);
  void SwitchChannelMode(int32_t mode);
  // The x axis the radio buttons and the device-time check box choose.
  void ApplyXAxis();
  static QString UsualXmaxText(bool timeAxis);
  // The recording's channel columns: the fixed modes' one or two, the placed "Auto" ones.
  std::span<const std::string> RecordedChannelNames(const TChartCsvNames& names) const;
  // The display aids once, and per frame while an acquisition runs with one of them on.
  void ApplyViewAids();
  void UpdateFrameTimer();
  void ChannelsEdited();
  void SetRunningControls(bool running);
  void ReadStartFields();
  float ReadField(const QLineEdit* edit) const;
  void SelectPort();
  void CloseSequence();
  // At the window's own points (Start, Stop, closing); the per-line rounds of an
  // acquisition are paced by LiveDisplay_.
  void ProcessPendingMessages();
  void ShowException(const QString& text);
  void ShowInformation(const QString& text);
  // Setting a check box from code runs its handler when the state changes; checking a
  // radio button runs its handler when it becomes checked; unchecking runs none.
  void SetCheckBox(QCheckBox* box, bool checked, void (TForm1::*handler)());
  void CheckRadioButton(QRadioButton* button, void (TForm1::*handler)());
  static void UncheckRadioButton(QRadioButton* button);
  void ShowWindowOnce(QWidget* window);

  // TAcquisitionHost
  void ShowRawValues(std::string_view text) override;
  void ShowSampleCount(int64_t count) override;
  void SampleLimitReached() override;
  bool ProcessMessages() override;
  void RecordingFailed(const std::string& reason) override;
  void ShowSkippedLines(int64_t count) override;
  void ChannelsChanged() override;
  void ShowFormatHint(std::string_view text) override;
  // TChartHost
  void ShowMessage(const std::string& text) override;

  TUserDialogs& Dialogs_;
  const QLocale Locale_;
  const char DecimalSeparator_;
  // Created before and destroyed after the serial component that waits on it.
  TQtMainThreadHandover Handover_;
  TGChart Chart_;  // shown by GChart1
  TscComm scComm1_;
  TPortReconnect Reconnect_{scComm1_, [this] { PortReopened(); }};
  TscHotplugMonitor Hotplug_;
  TAcquisition Acquisition_;
  TLiveDisplay LiveDisplay_{Label10, StatusPanels[0], StatusPanels[2]};
  QString RecordingFile_;  // chosen for "Aufzeichnen"
  bool RecordingFileUsed_ = false;  // a Start has recorded into it
  QString RecordingTo_;  // the file of the newest recording
  TViewFollower Follower_;
  QTimer FrameTimer_;
  std::unique_ptr<TAnalysisWindows> Analysis_;
  bool Shown_ = false;
  bool HelpShown_ = false;
  bool Stopping_ = false;  // the port closes because the window stops it
  uint64_t Stops_ = 0;  // Stop sequences run
};
