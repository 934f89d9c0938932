// The window's chart composes its pictures only when they are shown. Two windows take the
// same random mix of the window's own operations: one composes as the program does, the
// other every picture at once. Whenever the first would be shown, both pictures are the
// same, pixel for pixel, and so are their exported bitmaps.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <random>
#include <string>

#include "chart/qt/gchart_widget.h"
#include "chart/qt/qt_bitmap.h"
#include "tests/app/window_test_support.h"

namespace {

struct TWindow {
  TWindow() : Form(std::make_unique<TForm1>(Dialogs, QLocale(QLocale::German, QLocale::Germany))) { Form->show(); }
  TScriptedDialogs Dialogs;
  std::unique_ptr<TForm1> Form;
};

struct ShownPicture : testing::Test {
  ShownPicture() {
    Immediate.Form->Chart().SetDeferredComposition(false);
    Each([](TWindow& w) { w.Form->resize(1024, 768); });
    QTest::qWait(20);
  }

  template <typename Operation>
  void Each(Operation&& operation) {
    operation(Paced);
    operation(Immediate);
  }

  static const QImage& Picture(TWindow& w) {
    return dynamic_cast<const TQtBitmap&>(*w.Form->Chart().WindowBitmap()).Image();
  }

  void ExpectSamePicture(const std::string& step) {
    const QImage& paced = Picture(Paced);
    const QImage& immediate = Picture(Immediate);
    ASSERT_EQ(paced.size(), immediate.size()) << step;
    int differing = 0;
    for (int y = 0; y < paced.height(); ++y) {
      const auto* a = reinterpret_cast<const QRgb*>(paced.constScanLine(y));
      const auto* b = reinterpret_cast<const QRgb*>(immediate.constScanLine(y));
      for (int x = 0; x < paced.width(); ++x) differing += a[x] != b[x];
    }
    ASSERT_EQ(differing, 0) << step;
  }

  // Lines as a board sends them, one value or two, some beyond the y range.
  std::string Lines(int count) {
    std::string bytes;
    std::uniform_real_distribution<double> value(-3, 13);
    for (int i = 0; i < count; ++i) {
      bytes += std::to_string(value(Random));
      if (Random() % 2) bytes += ";" + std::to_string(value(Random));
      bytes += "\r\n";
    }
    return bytes;
  }

  QPoint InChart() {
    const QSize size = Paced.Form->GChart1->size();
    return {int(Random() % unsigned(size.width())), int(Random() % unsigned(size.height()))};
  }

  std::mt19937 Random{20240611};
  TWindow Paced;
  TWindow Immediate;
  QTemporaryDir Dir;
};

TEST_F(ShownPicture, EqualsAnImmediatelyComposedOneAfterTheWindowsOwnOperations) {
  std::string steps;
  for (int step = 0; step < 250; ++step) {
    const unsigned what = Random() % 16;
    steps += std::to_string(what) + " ";
    switch (what) {
      case 0:
        Each([](TWindow& w) { w.Form->Ch1RadioButton->click(); });
        break;
      case 1:
        Each([](TWindow& w) { w.Form->CH2RadioButton->click(); });
        break;
      case 2: {
        // A short trend window slides after a few lines.
        const QString xmax = Random() % 2 ? QStringLiteral("60") : QStringLiteral("1000");
        Each([&](TWindow& w) {
          w.Form->TrendCheckBox->click();
          w.Form->GraphXmaxEdit->setText(xmax);
        });
        break;
      }
      case 3:
        // Started without a port; the received blocks are handed in below.
        if (!Paced.Form->Running()) Each([](TWindow& w) { w.Form->StartAcquisition(false); });
        break;
      case 4:
      case 5:
      case 6: {
        if (!Paced.Form->Running()) break;
        const std::string bytes = Lines(int(1 + Random() % (Random() % 5 == 0 ? 1200 : 40)));
        Each([&](TWindow& w) { w.Form->scComm1AfterReceive(bytes.data(), uint32_t(bytes.size())); });
        break;
      }
      case 7:
        Each([](TWindow& w) { w.Form->StopButton->click(); });
        break;
      case 8:
        Each([](TWindow& w) { w.Form->ResetAxisButton->click(); });
        break;
      case 9:
        Each([](TWindow& w) { w.Form->ClearGraphButton->click(); });
        break;
      case 10:
        Each([](TWindow& w) { w.Form->ShowGridCheckBox->click(); });
        break;
      case 11:
        Each([](TWindow& w) { w.Form->DoubleTicsCheckBox->click(); });
        break;
      case 12: {
        // A drag: panning, or zooming once "Zoom" is chosen.
        if (Random() % 3 == 0) Each([](TWindow& w) { w.Form->ZoomRadioButton->click(); });
        const QPoint from = InChart(), to = InChart();
        Each([&](TWindow& w) {
          QTest::mousePress(w.Form->GChart1, Qt::LeftButton, {}, from);
          QTest::mouseMove(w.Form->GChart1, (from + to) / 2);
          QTest::mouseMove(w.Form->GChart1, to);
          QTest::mouseRelease(w.Form->GChart1, Qt::LeftButton, {}, to);
        });
        break;
      }
      case 13: {
        const QSize size(900 + int(Random() % 300), 650 + int(Random() % 200));
        Each([&](TWindow& w) { w.Form->resize(size); });
        break;
      }
      case 14: {
        // The bitmap export draws from the chart's state, and leaves the shown picture.
        const QString paced = Dir.filePath("paced.bmp"), immediate = Dir.filePath("immediate.bmp");
        Paced.Dialogs.NextFileName = paced;
        Immediate.Dialogs.NextFileName = immediate;
        Each([](TWindow& w) { w.Form->GrafikSpeichernBMP->trigger(); });
        QFile a(paced), b(immediate);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)) << steps;
        ASSERT_EQ(a.readAll(), b.readAll()) << steps;
        break;
      }
      case 15: {
        // The session saved by one window, appended in both.
        const QString session = Dir.filePath("session.tvx");
        Paced.Dialogs.NextFileName = session;
        Paced.Form->ErfassungSpeichern->trigger();
        Each([&](TWindow& w) {
          w.Dialogs.NextFileName = session;
          w.Form->Erfassungladen->trigger();
        });
        break;
      }
    }
    // Shown now, at the next frame, or after some more operations.
    const unsigned when = Random() % 4;
    if (when == 0) QTest::qWait(20);
    if (when <= 1) ExpectSamePicture(steps);
    if (HasFatalFailure()) return;
  }
  QTest::qWait(20);
  ExpectSamePicture(steps);
}

}  // namespace
