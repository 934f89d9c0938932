#include "app/channel_table_page.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include "acquisition/field_numbers.h"
#include "app/chart_text.h"
#include "app/user_dialogs.h"
#include "chart/qt/qt_canvas.h"

namespace {

QIcon Swatch(TColor color) {
  QPixmap pixmap(10, 10);
  pixmap.fill(ToQColor(color));
  return QIcon(pixmap);
}

TColor FromQColor(const QColor& c) { return TColor(c.red()) | TColor(c.green()) << 8 | TColor(c.blue()) << 16; }

}  // namespace

TChannelTablePage::TChannelTablePage(TChannelTable& channels, TUserDialogs& dialogs, char decimalSeparator,
                                     QWidget* parent)
    : QWidget(parent), Channels_(channels), Dialogs_(dialogs), DecimalSeparator_(decimalSeparator) {
  Table = new QTableWidget(kMaxChannels, 4, this);
  Table->setGeometry(3, 8, 179, 290);
  Table->setHorizontalHeaderLabels({QString(), QStringLiteral("Name"), QStringLiteral("Faktor"), QStringLiteral("Offset")});
  Table->verticalHeader()->hide();
  Table->verticalHeader()->setDefaultSectionSize(18);
  Table->horizontalHeader()->setMinimumSectionSize(20);
  const int widths[] = {34, 62, 40, 40};
  for (int column = colChannel; column <= colOffset; ++column) Table->setColumnWidth(column, widths[column]);
  // The name takes what the scroll bar leaves, so that no column is cut off.
  Table->horizontalHeader()->setSectionResizeMode(colName, QHeaderView::Stretch);
  Table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int row = 0; row < kMaxChannels; ++row) {
    auto* channel = new QTableWidgetItem;
    channel->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    channel->setToolTip(QStringLiteral("Häkchen: Kanal %1 zeigen; Doppelklick: Farbe wählen").arg(row + 1));
    Table->setItem(row, colChannel, channel);
    for (int column = colName; column <= colOffset; ++column) Table->setItem(row, column, new QTableWidgetItem);
  }
  connect(Table, &QTableWidget::cellChanged, this, &TChannelTablePage::CellChanged);
  connect(Table, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
    if (column == colChannel) ChooseColor(row + 1);
  });

  DeviceTimeCheckBox = new QCheckBox(QStringLiteral("Zeit vom Gerät (t, time, ms)"), this);
  DeviceTimeCheckBox->move(6, 300);
  DeviceTimeCheckBox->adjustSize();
  DeviceTimeCheckBox->setToolTip(QStringLiteral(
      "Bei X-Achse \"Zeit\": Ein Feld namens t oder time (Sekunden) oder ms (Millisekunden) gibt die Zeit "
      "jeder Zeile an. Dieser Kanal wird nicht als Kurve gezeichnet."));

  auto* note = new QLabel(QStringLiteral("Häkchen: Kanal zeigen; Doppelklick auf das Farbfeld: Farbe wählen. "
                                         "Farben, Faktoren und Offsets gelten ab dem nächsten Start."),
                          this);
  note->setWordWrap(true);
  note->setGeometry(6, 322, 176, 58);
  ForgetButton = new QPushButton(QStringLiteral("Kanäle neu erkennen"), this);
  ForgetButton->setGeometry(6, 384, 150, 26);
  connect(ForgetButton, &QPushButton::clicked, this, [this] {
    if (OnForget) OnForget();
  });
  Refresh();
}

void TChannelTablePage::Refresh() {
  const QSignalBlocker blocker(Table);
  for (int32_t n = 1; n <= kMaxChannels; ++n) {
    const TChannel& c = Channels_[n];
    const int row = n - 1;
    QTableWidgetItem* channel = Table->item(row, colChannel);
    channel->setIcon(Swatch(c.Color));
    channel->setCheckState(c.Visible ? Qt::Checked : Qt::Unchecked);
    Table->item(row, colName)->setText(FromChartText(Channels_.DisplayName(n)));
    Table->item(row, colFactor)->setText(NumberText(c.Factor));
    Table->item(row, colOffset)->setText(NumberText(c.Offset));
    // Names of channels that the device has sent stand out.
    QTableWidgetItem* name = Table->item(row, colName);
    QFont font = name->font();
    font.setBold(n <= Channels_.Count());
    name->setFont(font);
  }
}

void TChannelTablePage::ChooseColor(int32_t channel) {
  TChannel& c = Channels_[channel];
  const std::optional<QColor> color = Dialogs_.ChooseColor(ToQColor(c.Color));
  if (!color) return;
  c.Color = FromQColor(*color);
  Edited();
}

void TChannelTablePage::CellChanged(int row, int column) {
  TChannel& c = Channels_[row + 1];
  QTableWidgetItem* item = Table->item(row, column);
  if (column == colChannel) {
    c.Visible = item->checkState() == Qt::Checked;
  } else if (column == colName) {
    // A name equal to the device's, or none, leaves the device's name in charge.
    const std::string name = ToChartText(item->text().trimmed()).substr(0, kMaxChannelNameLength);
    c.Name = name == c.DeviceName ? std::string() : name;
  } else {
    float& value = column == colFactor ? c.Factor : c.Offset;
    try {
      value = ReadFieldFloat(item->text().toStdString(), DecimalSeparator_);
    } catch (const std::exception& e) {
      Dialogs_.ShowError(QString::fromUtf8(e.what()) + QLatin1Char('.'));
    }
  }
  Edited();
}

QString TChannelTablePage::NumberText(float value) const {
  QString text = QString::number(double(value), 'g', 7);
  text.replace(QLatin1Char('.'), QChar::fromLatin1(DecimalSeparator_));
  return text;
}

void TChannelTablePage::Edited() {
  Refresh();
  if (OnEdited) OnEdited();
}
