// The main window's components at their positions and with their initial settings.

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include "app/channel_table_page.h"
#include "app/circular_progress.h"
#include "app/field_filter.h"
#include "app/main_window.h"
#include "app/window_chart.h"
#include "chart/qt/gchart_widget.h"

namespace {

// The window's client area as designed, status bar included.
constexpr int kClientWidth = 786;
constexpr int kClientHeight = 526;
constexpr int kStatusBarHeight = 24;
// The chart keeps its distance to every edge of the client area when the window grows.
constexpr QRect kChartRect(200, 128, kWindowChartWidth, kWindowChartHeight);
constexpr int kChartRightGap = kClientWidth - (200 + 577);
constexpr int kChartBottomGap = kClientHeight - kStatusBarHeight - (128 + 361);

QFont PixelFont(const char* face, int pixelHeight, bool bold = false) {
  QFont font(QString::fromLatin1(face));
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  return font;
}

QLabel* NewLabel(QWidget* parent, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->move(x, y);
  label->adjustSize();
  return label;
}

template <class Widget>
Widget* Place(Widget* widget, int x, int y, int width, int height) {
  widget->setGeometry(x, y, width, height);
  return widget;
}

// A raised inner and lowered outer bevel.
QFrame* NewBevelPanel(QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  return panel;
}

QPushButton* NewGlyphButton(QWidget* parent, const QString& caption, QStyle::StandardPixmap glyph, int x, int width) {
  auto* button = new QPushButton(parent->style()->standardIcon(glyph), caption, parent);
  return Place(button, x, 2, width, 34);
}

QComboBox* NewEditableCombo(QWidget* parent, const QStringList& items, const QString& text, int lines) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(true);
  combo->addItems(items);
  combo->setEditText(text);
  combo->setMaxVisibleItems(lines);
  combo->setInsertPolicy(QComboBox::NoInsert);
  return combo;
}

}  // namespace

void TForm1::CreateComponents() {
  setWindowTitle(QStringLiteral("      T a v o l i x"));
  setFont(PixelFont("Tahoma", 10));
  QPalette windowPalette = palette();
  windowPalette.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
  setPalette(windowPalette);

  auto* client = new QWidget(this);
  client->installEventFilter(this);
  setCentralWidget(client);
  CreateMenu();
  CreateStatusBar();

  Panel2 = CreateToolbarPanel(client);
  PageControl1 = Place(new QTabWidget(client), 2, 50, 191, 439);
  PageControl1->tabBar()->setStyleSheet(QStringLiteral(
      "QTabBar::tab { height: 20px; padding: 0 2px; }"
      "QTabBar::tab:selected { font-weight: bold; background: #FFFFE1; }"));
  SheetCOM = CreateComPage();
  SheetKanal1 = CreateChannelPage(1);
  SheetKanal2 = CreateChannelPage(2);
  PageControl1->addTab(SheetCOM, QStringLiteral("  COM   "));
  PageControl1->addTab(SheetKanal1, QStringLiteral("  CH 1   "));
  PageControl1->addTab(SheetKanal2, QStringLiteral("  CH 2   "));
  SheetKanaele = new TChannelTablePage(Acquisition_.Channels(), Dialogs_, DecimalSeparator_);
  PageControl1->addTab(SheetKanaele, QStringLiteral("  Kanäle  "));
  PageControl1->setTabVisible(PageControl1->indexOf(SheetKanaele), false);
  Panel1 = CreateViewPanel(client);
  GChart1 = Place(new TGChartWidget(Chart_, client), kChartRect.x(), kChartRect.y(), kChartRect.width(),
                  kChartRect.height());
  CreateHintLabel(client);

  const int menuHeight = menuBar()->sizeHint().height();
  resize(kClientWidth, kClientHeight + menuHeight);
  setMinimumSize(kClientWidth, kClientHeight + menuHeight);
  setMaximumSize(2056 - (800 - kClientWidth), 2000 - (600 - kClientHeight));
}

QFrame* TForm1::CreateToolbarPanel(QWidget* parent) {
  QFrame* panel = Place(NewBevelPanel(parent), 0, 0, kClientWidth, 39);
  StartButton = NewGlyphButton(panel, QStringLiteral("Start"), QStyle::SP_MediaPlay, 4, 86);
  StopButton = NewGlyphButton(panel, QStringLiteral("Stop"), QStyle::SP_MediaStop, 90, 86);
  ClearGraphButton = NewGlyphButton(panel, QStringLiteral(" Clear"), QStyle::SP_DialogDiscardButton, 176, 87);
  ResetAxisButton = NewGlyphButton(panel, QStringLiteral("Reset"), QStyle::SP_BrowserReload, 263, 86);
  CircularProgress = Place(new TCircularProgress(panel), 381, 4, 30, 30);
  Label11 = Place(new QLabel(panel), 443, 5, 301, 28);
  Label11->setFont(PixelFont("Tahoma", 12));
  return panel;
}

QFrame* TForm1::CreateViewPanel(QWidget* parent) {
  QFrame* panel = Place(NewBevelPanel(parent), 200, 48, 575, 67);
  Label13 = NewLabel(panel, QStringLiteral("Rohdaten:\nCH1 + CH2"), 23, 7);
  Label13->setFont(PixelFont("Tahoma", 13));
  Label13->adjustSize();
  Label10 = Place(new QLabel(panel), 104, 12, 449, 22);
  Label10->setFont(PixelFont("Tahoma", 15));
  Label10->setAutoFillBackground(true);
  QPalette cream = Label10->palette();
  cream.setColor(QPalette::Window, QColor(255, 251, 240));
  Label10->setPalette(cream);

  NormalRadioButton = new QRadioButton(QStringLiteral("Normal"), panel);
  NormalRadioButton->move(22, 48);
  NormalRadioButton->setChecked(true);
  ZoomRadioButton = new QRadioButton(QStringLiteral("Zoom"), panel);
  ZoomRadioButton->move(110, 48);
  ShowGridCheckBox = new QCheckBox(QStringLiteral(" Show Grid"), panel);
  ShowGridCheckBox->move(201, 48);
  ShowGridCheckBox->setChecked(true);
  DoubleTicsCheckBox = new QCheckBox(QStringLiteral("DoubleTics"), panel);
  DoubleTicsCheckBox->move(308, 47);
  TrendCheckBox = new QCheckBox(QStringLiteral("Trend"), panel);
  TrendCheckBox->move(422, 48);
  AufzeichnenCheckBox = new QCheckBox(QStringLiteral("Aufzeichnen"), panel);
  AufzeichnenCheckBox->move(482, 48);
  for (QWidget* w : std::initializer_list<QWidget*>{NormalRadioButton, ZoomRadioButton, ShowGridCheckBox,
                                                     DoubleTicsCheckBox, TrendCheckBox, AufzeichnenCheckBox}) {
    w->adjustSize();
  }
  return panel;
}

QWidget* TForm1::CreateComPage() {
  auto* page = new QWidget;
  GroupBox1 = Place(new QGroupBox(QStringLiteral("  Serielle Schnittstelle  "), page), 3, 8, 179, 313);

  QStringList ports;
  for (int n = 0; n <= 20; ++n) ports << QString::number(n);
  ComComboBox = Place(NewEditableCombo(GroupBox1, ports, QStringLiteral("5"), 21), 12, 26, 75, 22);
  NewLabel(GroupBox1, QStringLiteral("Com Port"), 94, 30);
  const QStringList rates = {QStringLiteral("110"),   QStringLiteral("300"),    QStringLiteral("600"),
                             QStringLiteral("1200"),  QStringLiteral("2400"),   QStringLiteral("4800"),
                             QStringLiteral("9600"),  QStringLiteral("14400"),  QStringLiteral("19200"),
                             QStringLiteral("38400"), QStringLiteral("56000"),  QStringLiteral("57600"),
                             QStringLiteral("115200"), QStringLiteral("128000"), QStringLiteral("256000"),
                             // The fast rates of today's USB adapters, beyond the original list.
                             QStringLiteral("460800"), QStringLiteral("921600"), QStringLiteral("1000000"),
                             QStringLiteral("2000000"), QStringLiteral("3000000"), QStringLiteral("4000000")};
  BaudComboBox = Place(NewEditableCombo(GroupBox1, rates, QStringLiteral("115200"), 16), 12, 56, 75, 22);
  NewLabel(GroupBox1, QStringLiteral(" Baudrate"), 94, 60);

  Label20 = NewLabel(GroupBox1,
                     QStringLiteral("Data 8 / Stop 1 / noFlowc \n\nNumerische Daten als\nStrings, Ende mit CR\n\n"
                                    "2 Kanäle mit Semicolon\ngetrennt, Ende mit CR"),
                     12, 88);
  Label20->setFont(PixelFont("Tahoma", 10));
  QPalette grey = Label20->palette();
  grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
  Label20->setPalette(grey);
  Label20->adjustSize();

  GroupBox4 = Place(new QGroupBox(QStringLiteral("  Anzahl Kanäle  "), GroupBox1), 8, 186, 163, 52);
  Ch1RadioButton = new QRadioButton(QStringLiteral("1 Ch"), GroupBox4);
  // Closer together than the other groups' pairs, so that "Auto" fits beside them.
  Ch1RadioButton->move(8, 24);
  Ch1RadioButton->setChecked(true);
  CH2RadioButton = new QRadioButton(QStringLiteral("2 Ch's"), GroupBox4);
  CH2RadioButton->move(58, 24);
  AutoRadioButton = new QRadioButton(QStringLiteral("Auto"), GroupBox4);
  AutoRadioButton->move(114, 24);
  GroupBox5 = Place(new QGroupBox(QStringLiteral("  X-Achse"), GroupBox1), 8, 248, 163, 52);
  RadioButton1 = new QRadioButton(QStringLiteral("Tics"), GroupBox5);
  RadioButton1->move(12, 24);
  RadioButton1->setChecked(true);
  RadioButton2 = new QRadioButton(QStringLiteral("Zeit"), GroupBox5);
  RadioButton2->move(84, 24);
  for (QWidget* w :
       std::initializer_list<QWidget*>{Ch1RadioButton, CH2RadioButton, AutoRadioButton, RadioButton1, RadioButton2}) {
    w->adjustSize();
  }

  NewLabel(page, QStringLiteral("Projekt Name"), 6, 330);
  ProjektNameEdit = Place(new QLineEdit(page), 6, 346, 175, 22);
  ProjektNameEdit->setMaxLength(30);
  AutoReconnectCheckBox = new QCheckBox(QStringLiteral("Automatisch neu verbinden"), page);
  AutoReconnectCheckBox->move(6, 380);
  AutoReconnectCheckBox->adjustSize();
  AutoReconnectCheckBox->setToolTip(QStringLiteral(
      "Geht das Gerät während der Erfassung verloren, wird gewartet, bis es wieder da ist, und die Erfassung fortgesetzt"));
  return page;
}

QWidget* TForm1::CreateChannelPage(int channel) {
  auto* page = new QWidget;
  const bool first = channel == 1;
  auto* box = Place(new QGroupBox(page), 3, 8, 179, 380);
  // Only the box's title is in the channel's colour; its fields and labels stay black.
  QPalette plain = box->palette();
  plain.setColor(QPalette::WindowText, Qt::black);
  if (first) {
    Kanal1Box = box;
    ShowKanal1BoxTitle(false);
  } else {
    QPalette title = box->palette();
    title.setColor(QPalette::WindowText, QColor(128, 0, 0));
    box->setPalette(title);
    box->setTitle(QStringLiteral("  Kanal 2 (rot) "));
  }

  const QString separator = QString(QChar::fromLatin1(DecimalSeparator_));
  auto number = [&](int digits) { return QStringLiteral("%1%2%3").arg(digits).arg(separator, QStringLiteral("000000000")); };
  int row = 0;
  auto field = [&](const QString& caption, const QString& text, const QString& allowed, int maxLength) {
    const int y = 26 + row++ * 50;
    auto* label = NewLabel(box, caption, 24, y);
    label->setPalette(plain);
    auto* edit = Place(new QLineEdit(text, box), 24, y + 16, 120, 22);
    edit->setPalette(plain);
    if (!allowed.isNull()) {
      // The filter refuses a text too long with a word; a maximum length would cut it.
      FilterField(edit, allowed, maxLength);
    } else if (maxLength > 0) {
      edit->setMaxLength(maxLength);
    }
    return edit;
  };
  const QString unsignedFloat = separator;
  const QString signedFloat = separator + QStringLiteral("-");
  QLineEdit* factor = field(QStringLiteral("Skalierungsfaktor"), number(1), unsignedFloat, 12);
  QLineEdit* offset = field(QStringLiteral("Offset nach Skalierung"), number(0), signedFloat, 0);
  // Y max takes a sign too, so that a range can lie wholly below zero.
  QLineEdit* ymax = field(QStringLiteral("Graph Y max"), number(10), signedFloat, 0);
  QLineEdit* ymin = field(QStringLiteral("Graph Y min"), number(0), signedFloat, 0);
  QLineEdit* xmax = first ? field(QStringLiteral("Graph X max"), QStringLiteral("1000"), QString(""), 12) : nullptr;
  QLineEdit* name = field(first ? QStringLiteral("CH 1  Bezeichnung") : QStringLiteral("CH 2  Bezeichnung"), QString(),
                          QString(), 10);
  QLabel* note = NewLabel(box, separator == QStringLiteral(",") ? QStringLiteral("Dezimaltrennung = Komma")
                                                                : QStringLiteral("Dezimaltrennung = Punkt"),
                          24, 26 + row * 50 + 4);
  note->setPalette(plain);
  if (first) {
    DatSkalEdit = factor;
    DatOffsetEdit = offset;
    GraphYmaxEdit = ymax;
    GraphYminEdit = ymin;
    GraphXmaxEdit = xmax;
    Ch1NameEdit = name;
    Label14 = note;
    CreateDisplayAids(page);
  } else {
    DatSkal2Edit = factor;
    DatOffset2Edit = offset;
    GraphY2maxEdit = ymax;
    GraphY2minEdit = ymin;
    Ch2NameEdit = name;
    Label18 = note;
  }
  return page;
}

void TForm1::ShowKanal1BoxTitle(bool automatic) {
  // In "Auto" the page's ranges serve every channel.
  QPalette title = Kanal1Box->palette();
  title.setColor(QPalette::WindowText, automatic ? QColor(Qt::black) : QColor(0, 0, 255));
  Kanal1Box->setPalette(title);
  Kanal1Box->setTitle(automatic ? QStringLiteral("  Alle Kanäle ") : QStringLiteral("  Kanal 1 (blau) "));
}

// Below the channel box, for every channel mode.
void TForm1::CreateDisplayAids(QWidget* page) {
  AutoYCheckBox = new QCheckBox(QStringLiteral("Auto-Y"), page);
  AutoYCheckBox->move(8, 392);
  AutoYCheckBox->setToolTip(QStringLiteral("Der Y-Bereich folgt den sichtbaren Daten"));
  MitlaufenCheckBox = new QCheckBox(QStringLiteral("Mitlaufen"), page);
  MitlaufenCheckBox->move(86, 392);
  MitlaufenCheckBox->setToolTip(QStringLiteral("Normal: der X-Bereich folgt den neuesten Samples, Graph X max breit"));
  AutoYCheckBox->adjustSize();
  MitlaufenCheckBox->adjustSize();
}

// Hidden until a hint comes; a click puts it away.
void TForm1::CreateHintLabel(QWidget* parent) {
  HintLabel = Place(new QLabel(parent), kChartRect.x() + 90, kChartRect.y() + 40, 440, 60);
  HintLabel->setWordWrap(true);
  HintLabel->setFrameStyle(QFrame::Box | QFrame::Plain);
  HintLabel->setMargin(6);
  HintLabel->setAutoFillBackground(true);
  QPalette note = HintLabel->palette();
  note.setColor(QPalette::Window, QColor(255, 251, 240));
  HintLabel->setPalette(note);
  HintLabel->setToolTip(QStringLiteral("Klicken zum Schließen"));
  HintLabel->installEventFilter(this);
  HintLabel->hide();
}

void TForm1::CreateMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("Datei"));
  GrafikSpeichernBMP = file->addAction(QStringLiteral("Grafik speichern als Bitmap (.bmp)"));
  GrafikSpeichernPNG = file->addAction(QStringLiteral("Grafik speichern als PNG (Farbe)"));
  ErfassungSpeichern = file->addAction(QStringLiteral("Sitzung speichern"));
  Erfassungladen = file->addAction(QStringLiteral("Sitzung laden"));
  DatenExportimCSVFormat1 = file->addAction(QStringLiteral("Daten-Export im CSV-Format"));
  Einstellungen1 = file->addAction(QStringLiteral("Beenden"));
  QMenu* math = menuBar()->addMenu(QStringLiteral("Mathematik"));
  FourierAnalyse1 = math->addAction(QStringLiteral("Fourier Analyse"));
  RealtimeFourierAnalyse1 = math->addAction(QStringLiteral("Realtime Fourier Analyse"));
  DigitalesFilter1 = math->addAction(QStringLiteral("Digitales Filter"));
  Statistik1 = math->addAction(QStringLiteral("Statistik"));
  Hilfe1 = menuBar()->addAction(QStringLiteral("Hilfe"));
  Info1 = menuBar()->addAction(QStringLiteral("Info"));
}

void TForm1::CreateStatusBar() {
  statusBar()->setFixedHeight(kStatusBarHeight);
  for (QLabel*& panel : StatusPanels) {
    panel = new QLabel(statusBar());
    // The height the status bar's layout gives them, fixed like the width: a new text
    // (the line counter's, every frame) then repaints its panel without laying out the
    // status bar anew, which measures every panel's text.
    panel->setFixedSize(200, kStatusBarHeight - 5);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    statusBar()->addWidget(panel);
  }
  // The count of skipped lines is a link to the last of them.
  StatusPanels[2]->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize) AnchorToClient();
  if (watched == HintLabel && event->type() == QEvent::MouseButtonPress) HintLabel->hide();
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::AnchorToClient() {
  const QSize client = centralWidget()->size();
  Panel2->resize(client.width(), Panel2->height());
  GChart1->setGeometry(kChartRect.x(), kChartRect.y(), client.width() - kChartRect.x() - kChartRightGap,
                          client.height() - kChartRect.y() - kChartBottomGap);
}
