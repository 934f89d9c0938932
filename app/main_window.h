#pragma once
// The main window: the chart, the controls that drive an acquisition, and the menu.

#include <QLocale>
#include <QMainWindow>
#include <array>

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
class TCircularProgress;
class TUserDialogs;

class TForm1 : public QMainWindow {
 public:
  // The locale decides the decimal separator of the window's fields.
  TForm1(TUserDialogs& dialogs, const QLocale& locale, QWidget* parent = nullptr);

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
  QFrame* Panel1 = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* Label10 = nullptr;
  QRadioButton* NormalRadioButton = nullptr;
  QRadioButton* ZoomRadioButton = nullptr;
  QCheckBox* ShowGridCheckBox = nullptr;
  QCheckBox* DoubleTicsCheckBox = nullptr;
  QCheckBox* TrendCheckBox = nullptr;
  QWidget* ChartPlace = nullptr;
  std::array<QLabel*, 4> StatusPanels{};

  QGroupBox* GroupBox1 = nullptr;
  QComboBox* ComComboBox = nullptr;
  QComboBox* BaudComboBox = nullptr;
  QLabel* Label20 = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QRadioButton* Ch1RadioButton = nullptr;
  QRadioButton* CH2RadioButton = nullptr;
  QGroupBox* GroupBox5 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QLineEdit* ProjektNameEdit = nullptr;

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

  QAction* GrafikSpeichernBMP = nullptr;
  QAction* ErfassungSpeichern = nullptr;
  QAction* Erfassungladen = nullptr;
  QAction* DatenExportimCSVFormat1 = nullptr;
  QAction* Einstellungen1 = nullptr;
  QAction* FourierAnalyse1 = nullptr;
  QAction* RealtimeFourierAnalyse1 = nullptr;
  QAction* DigitalesFilter1 = nullptr;
  QAction* Hilfe1 = nullptr;
  QAction* Info1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateComponents();
  QWidget* CreateToolbarPanel(QWidget* parent);
  QWidget* CreateViewPanel(QWidget* parent);
  QWidget* CreateComPage();
  QWidget* CreateChannelPage(int channel);
  void CreateMenu();
  void CreateStatusBar();
  void AnchorToClient();

  TUserDialogs& Dialogs_;
  const QLocale Locale_;
};
