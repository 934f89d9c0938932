#include "app/analysis_filter_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "acquisition/field_numbers.h"
#include "analysis/filter_c_code.h"
#include "app/analysis_windows.h"
#include "app/field_filter.h"
#include "app/sample_rate_field.h"
#include "app/guarded_command.h"

namespace {

struct TKindChoice {
  const char* Text;
  TFilterKind Kind;
};
const TKindChoice kKinds[] = {
    {"Butterworth-Tiefpass", fkButterLowPass}, {"Butterworth-Hochpass", fkButterHighPass},
    {"Butterworth-Bandpass", fkButterBandPass}, {"Tiefpass 1. Ordnung", fkLowPass1},
    {"Hochpass 1. Ordnung", fkHighPass1},      {"Gleitender Mittelwert", fkMovingAverage},
    {"Median", fkMedian},
};

}  // namespace

TFilterDialog::TFilterDialog(TAnalysisWindows& analysis, TUserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), Analysis_(analysis), Feed_(analysis.Feed()), Dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("Digitales Filter"));
  resize(480, 480);
  CreateControls();
  KindChanged();
  Feed_.Subscribe([this] {
    if (!isVisible()) return;
    SampleRateEdit->ShowRate();
    UnitLabel->setText(SourceRate() > 0 ? QStringLiteral("Hz") : QStringLiteral("pro Abtastwert"));
  });
}

void TFilterDialog::CreateControls() {
  ChannelBox = new QComboBox(this);
  KindBox = new QComboBox(this);
  for (const TKindChoice& k : kKinds) KindBox->addItem(QString::fromUtf8(k.Text), int(k.Kind));
  LengthEdit = new QSpinBox(this);
  LengthEdit->setRange(MinMovingAverageLength, MaxMovingAverageLength);
  LengthEdit->setValue(5);
  OrderEdit = new QSpinBox(this);
  OrderEdit->setRange(MinButterworthOrder, MaxButterworthOrder);
  OrderEdit->setValue(4);
  // Positive numbers with the window's decimal separator, as its other fields take them.
  const QString point = QString(QChar::fromLatin1(Feed_.DecimalSeparator()));
  auto frequencyField = [&](const QString& digits) {
    auto* edit = new QLineEdit(QStringLiteral("0") + point + digits, this);
    FilterField(edit, point + QStringLiteral("eE+-"), 20);
    return edit;
  };
  CutoffEdit = frequencyField(QStringLiteral("05"));
  CutoffHighEdit = frequencyField(QStringLiteral("1"));
  SampleRateEdit = new TSampleRateField(
      Feed_, [this](const QString& text) { Dialogs_.ShowError(text); }, this);
  UnitLabel = new QLabel(QStringLiteral("pro Abtastwert"), this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Kanal"), ChannelBox);
  form->addRow(QStringLiteral("Filter"), KindBox);
  form->addRow(QStringLiteral("Länge (Werte)"), LengthEdit);
  form->addRow(QStringLiteral("Ordnung"), OrderEdit);
  form->addRow(QStringLiteral("Grenzfrequenz"), CutoffEdit);
  form->addRow(QStringLiteral("Obere Grenzfrequenz"), CutoffHighEdit);
  form->addRow(QStringLiteral("Einheit"), UnitLabel);
  form->addRow(QStringLiteral("Abtastrate (Hz)"), SampleRateEdit);

  AddButton = new QPushButton(QStringLiteral("Hinzufügen"), this);
  CopyCodeButton = new QPushButton(QStringLiteral("C-Code kopieren"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton);
  buttons->addWidget(CopyCodeButton);

  CopyList = new QListWidget(this);
  RemoveButton = new QPushButton(QStringLiteral("Entfernen"), this);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  layout->addWidget(new QLabel(QStringLiteral("Gefilterte Kurven (wachsen während einer Erfassung mit):"), this));
  layout->addWidget(CopyList);
  layout->addWidget(RemoveButton);

  connect(KindBox, &QComboBox::currentIndexChanged, this, [this] { KindChanged(); });
  connect(AddButton, &QPushButton::clicked, this, [this] { RunGuarded(Dialogs_, [this] { AddCopy(); }); });
  connect(CopyCodeButton, &QPushButton::clicked, this, [this] { RunGuarded(Dialogs_, [this] { CopyCode(); }); });
  connect(RemoveButton, &QPushButton::clicked, this, [this] { RunGuarded(Dialogs_, [this] { RemoveCopy(); }); });
}

void TFilterDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  RefreshChannels();
  RefreshCopies();
}

void TFilterDialog::KindChanged() {
  const auto kind = TFilterKind(KindBox->currentData().toInt());
  const bool windowed = !IsRecursive(kind);
  LengthEdit->setEnabled(windowed);
  if (kind == fkMedian) {
    LengthEdit->setRange(MinMedianLength, MaxMedianLength);
    LengthEdit->setSingleStep(2);
  } else {
    LengthEdit->setRange(MinMovingAverageLength, MaxMovingAverageLength);
    LengthEdit->setSingleStep(1);
  }
  OrderEdit->setEnabled(kind == fkButterLowPass || kind == fkButterHighPass || kind == fkButterBandPass);
  CutoffEdit->setEnabled(!windowed);
  CutoffHighEdit->setEnabled(kind == fkButterBandPass);
  CopyCodeButton->setEnabled(!windowed);
}

void TFilterDialog::RefreshChannels() {
  const QVariant chosen = ChannelBox->currentData();
  ChannelBox->clear();
  for (const TChannelCurve* curve : Feed_.Curves().Curves()) {
    if (Analysis_.Copies().IsCopy(curve->Layer)) continue;
    ChannelBox->addItem(QString::fromStdString(Feed_.Name(curve->Layer)), curve->Layer);
  }
  // Before any sample, the channels the window plots into.
  if (ChannelBox->count() == 0) {
    for (int32_t layer : {1, 2}) ChannelBox->addItem(QString::fromStdString(Feed_.Name(layer)), layer);
  }
  const int index = ChannelBox->findData(chosen);
  if (index >= 0) ChannelBox->setCurrentIndex(index);
}

void TFilterDialog::RefreshCopies() {
  CopyList->clear();
  for (const auto& copy : Analysis_.Copies().Copies()) {
    auto* item = new QListWidgetItem(QStringLiteral("%1: %2").arg(QString::fromStdString(Feed_.Name(copy->Layer)),
                                                                  QString::fromStdString(FilterDescription(copy->Design))),
                                     CopyList);
    item->setData(Qt::UserRole, copy->Layer);
    item->setToolTip(item->text());
    QPixmap swatch(12, 12);
    const TColor c = copy->Color;
    swatch.fill(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    item->setIcon(swatch);
  }
}

double TFilterDialog::SourceRate() const {
  if (Feed_.SampleRate() > 0 || !Feed_.XIsTime()) return Feed_.SampleRate();
  for (const TChannelCurve* curve : Feed_.Curves().Curves()) {
    if (curve->Layer == ChannelBox->currentData().toInt()) return Feed_.RateFor(curve->X);
  }
  return 0;
}

double TFilterDialog::ReadFrequency(const QLineEdit* edit) const {
  return ReadFieldDouble(edit->text().toStdString(), Feed_.DecimalSeparator());
}

TFilterDesign TFilterDialog::Design() const {
  TFilterDesign d;
  d.Kind = TFilterKind(KindBox->currentData().toInt());
  d.Length = LengthEdit->value();
  d.Order = OrderEdit->value();
  d.SampleRate = SourceRate();
  if (IsRecursive(d.Kind)) d.Cutoff = ReadFrequency(CutoffEdit);
  if (d.Kind == fkButterBandPass) d.CutoffHigh = ReadFrequency(CutoffHighEdit);
  CheckFilterDesign(d);
  return d;
}

void TFilterDialog::AddCopy() {
  if (ChannelBox->count() == 0) return;
  Analysis_.AddFilteredCopy(ChannelBox->currentData().toInt(), Design());
  RefreshCopies();
}

void TFilterDialog::RemoveCopy() {
  const QListWidgetItem* item = CopyList->currentItem();
  if (!item) return;
  Analysis_.RemoveFilteredCopy(item->data(Qt::UserRole).toInt());
  RefreshCopies();
}

void TFilterDialog::CopyCode() {
  QApplication::clipboard()->setText(QString::fromStdString(FilterCCode(Design())));
}
