#include "app/analysis_statistics_window.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/statistics.h"
#include "app/analysis_feed.h"

namespace {

const QStringList kColumns = {QStringLiteral("Kanal"),      QStringLiteral("Anzahl"),     QStringLiteral("Min"),
                              QStringLiteral("Max"),        QStringLiteral("Mittelwert"), QStringLiteral("RMS"),
                              QStringLiteral("Std.-Abw."), QStringLiteral("Spitze-Spitze")};

void SetCell(QTableWidget* table, int row, int column, const QString& text) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
  }
  if (item->text() != text) item->setText(text);
}

}  // namespace

TStatisticsWindow::TStatisticsWindow(TAnalysisFeed& feed, QWidget* parent)
    : QWidget(parent, Qt::Tool), Feed_(feed) {
  setWindowTitle(QStringLiteral("Statistik des sichtbaren Bereichs"));
  Table = new QTableWidget(0, int(kColumns.size()), this);
  Table->setHorizontalHeaderLabels(kColumns);
  Table->verticalHeader()->hide();
  Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(Table);
  resize(720, 160);
  Feed_.Subscribe([this] {
    if (isVisible() && Feed_.Changed()) Refresh();
  });
}

void TStatisticsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void TStatisticsWindow::Refresh() {
  int row = 0;
  for (const TChannelCurve* curve : Feed_.Curves().Curves()) {
    if (!curve->Shown) continue;
    const TStatistics s = ComputeStatistics(curve->VisibleY);
    if (row == Table->rowCount()) Table->insertRow(row);
    const double figures[] = {s.Min, s.Max, s.Mean, s.Rms, s.StdDev, s.PeakToPeak};
    SetCell(Table, row, 0, QString::fromStdString(Feed_.Name(curve->Layer)));
    SetCell(Table, row, 1, QString::number(s.Count));
    for (int i = 0; i < 6; ++i) {
      SetCell(Table, row, i + 2, s.Count ? Feed_.NumberText(figures[i]) : QStringLiteral("–"));
    }
    ++row;
  }
  Table->setRowCount(row);
}
