// What the user reads on the windows' frames and in Qt's own dialogs, and where the
// secondary windows appear.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include "app/help_window.h"
#include "app/info_window.h"
#include "app/qt_translation.h"
#include "app/window_placement.h"
#include "tests/app/window_test_support.h"

namespace {

struct WindowTexts : testing::Test, TWindowFixture {};

TEST_F(WindowTexts, CaptionsAreTheDesignedOnes) {
  Form->Hilfe1->trigger();
  Form->Info1->trigger();
  EXPECT_EQ(Form->FormHilfe->windowHandle()->title(), "     Hilfe");
  EXPECT_EQ(Form->FormInfo->windowHandle()->title(), "  Info");
}

// The title and text of the box the dialogs show, closed as soon as it is up.
QStringList BoxShownBy(const std::function<void()>& show) {
  QStringList seen;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box || !box->isVisible()) continue;
      seen << box->windowTitle() << box->text();
      box->accept();
    }
  });
  closer.start(10);
  show();
  return seen;
}

TEST_F(WindowTexts, InformationBoxesHaveNoTitleAndErrorsTheApplicationsTitle) {
  TQtUserDialogs dialogs;
  EXPECT_EQ(BoxShownBy([&] { dialogs.ShowInformation("Speichermaximum erreicht"); }),
            (QStringList{"", "Speichermaximum erreicht"}));
  EXPECT_EQ(BoxShownBy([&] { dialogs.ShowError("Gleitkommaüberlauf."); }), (QStringList{"Tavolix", "Gleitkommaüberlauf."}));
}

TEST_F(WindowTexts, QtsDialogsSpeakGerman) {
  ASSERT_TRUE(InstallGermanQtTexts(*qApp));
  QFileDialog dialog(nullptr, QString(), QDir::tempPath(), QStringLiteral("Tavolix Files (*.tvx *.TVX)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
  EXPECT_EQ(dialog.labelText(QFileDialog::FileName).remove('&'), "Dateiname:");
  EXPECT_EQ(dialog.labelText(QFileDialog::Accept).remove('&'), "Speichern");
}

TEST_F(WindowTexts, HelpWindowIsItsDesignedSizeOutsideAndTheTextFillsIt) {
  Form->Hilfe1->trigger();
  const TFormHilfe& help = *Form->FormHilfe;
  // The offscreen platform draws no frames: outside and inside are one.
  EXPECT_EQ(help.frameGeometry().size(), QSize(778, 603));
  const QRect text = help.RichEdit1->parentWidget()->geometry();
  EXPECT_EQ(help.height() - text.bottom() - 1, 24);
  EXPECT_EQ(help.width() - text.right() - 1, 7);
}

TEST(WindowPlacement, CentredOnTheOwnerAndWhollyOnTheScreen) {
  const QRect screen(0, 0, 1280, 1024);
  EXPECT_EQ(CentredWithin({200, 100}, QRect(100, 100, 800, 600), screen), QPoint(400, 350));
  EXPECT_EQ(CentredWithin({778, 603}, QRect(900, 700, 800, 600), screen), QPoint(502, 421));
  EXPECT_EQ(CentredWithin({778, 603}, QRect(-500, -400, 800, 600), screen), QPoint(0, 0));
  // Larger than the screen: the title bar stays reachable.
  EXPECT_EQ(CentredWithin({778, 1200}, QRect(0, 0, 800, 600), screen), QPoint(11, 0));
  EXPECT_EQ(CentredWithin({200, 100}, QRect(3000, 900, 800, 600), QRect(1280, 0, 1920, 1080)), QPoint(3000, 980));
}

TEST_F(WindowTexts, InfoWindowStaysOnTheScreenBesideAMainWindowAtItsEdge) {
  const QRect available = Form->screen()->availableGeometry();
  Form->move(available.right() - 100, available.bottom() - 100);
  Form->Info1->trigger();
  EXPECT_TRUE(available.contains(Form->FormInfo->frameGeometry())) << Form->FormInfo->frameGeometry().x();
}

}  // namespace
