#include "bench/e2e/window_run.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "app/fonts.h"
#include "chart/qt/gchart_widget.h"

void UseOffscreenPlatform() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

bool RunUntil(const std::function<bool()>& condition, int64_t timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

int64_t ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  int64_t size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

TWindowRun::TWindowRun(const QString& devicePath, int channels, bool trend, const QString& recordTo)
    : Dialogs_(recordTo) {
  InstallFontSubstitutions();
  setenv("TAVOLIX_COM5", devicePath.toLocal8Bit().constData(), 1);
  Form_ = std::make_unique<TForm1>(Dialogs_, QLocale::c());
  Form_->show();
  if (channels == 2) Form_->CH2RadioButton->click();
  if (channels > 2) Form_->AutoRadioButton->click();
  if (trend) Form_->TrendCheckBox->click();
  if (!recordTo.isEmpty()) Form_->AufzeichnenCheckBox->click();
}

TWindowRun::~TWindowRun() {
  Form_.reset();
  unsetenv("TAVOLIX_COM5");
}

bool TWindowRun::Start() {
  Form_->StartButton->click();
  return Form_->scComm1().Active();
}

QWidget& TWindowRun::ChartWidget() { return *Form_->GChart1; }
