// The acquisition goes on when its device goes away and comes back, with "Automatisch neu
// verbinden" checked. The device is a pseudo-terminal behind a link, as a udev name would
// be: the link is removed with the device and made anew for another one.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <unistd.h>

#include "chart/gchart.h"
#include "tests/app/window_test_support.h"

namespace {

struct Reconnect : testing::Test, TWindowFixture {
  Reconnect() {
    Relink(Device.DevicePath());
    setenv("TAVOLIX_COM5", Link.c_str(), 1);
    Form->AutoReconnectCheckBox->setChecked(true);
  }
  ~Reconnect() override { unlink(Link.c_str()); }
  void Relink(const std::string& target) {
    unlink(Link.c_str());
    ASSERT_EQ(symlink(target.c_str(), Link.c_str()), 0);
  }
  void Unplug() {
    Device.CloseController();
    unlink(Link.c_str());
    ASSERT_TRUE(WaitUntil([&] { return Status() == "COM5 getrennt - warte auf Gerät"; })) << Status().toStdString();
  }
  QString Status() const { return Form->StatusPanels[1]->text(); }

  const std::string Link = testing::TempDir() + "/tavolix-reconnect-" + std::to_string(getpid());
};

TEST_F(Reconnect, DeviceThatComesBackContinuesTheAcquisitionWithExactCounts) {
  Form->StartButton->click();
  ASSERT_TRUE(Form->scComm1().Active());
  Send(NumberLines(300, 1) + "12");  // the last line is cut off by the unplug
  ASSERT_TRUE(WaitSent());
  ASSERT_TRUE(WaitUntil([&] { return Count() == 300; }));
  Unplug();
  EXPECT_TRUE(Form->StopButton->isEnabled());
  EXPECT_FALSE(Form->StartButton->isEnabled());
  EXPECT_FALSE(Form->scComm1().Active());
  EXPECT_EQ(Form->Chart().NumItems(), 300);

  TPty again;
  Relink(again.DevicePath());
  ASSERT_TRUE(WaitUntil([&] { return Form->scComm1().Active(); }));
  EXPECT_EQ(Status(), "COM5 wieder verbunden");
  again.Write(NumberLines(200, 1, 301));
  ASSERT_TRUE(WaitUntil([&] { return Count() == 500; })) << Count();
  const TGChart& chart = Form->Chart();
  ASSERT_EQ(chart.NumItems(), 500);
  EXPECT_EQ(chart.Items()[299].Y, 300 % 10);
  EXPECT_EQ(chart.Items()[300].Y, 301 % 10);  // not "12" and "1" run together
  EXPECT_EQ(chart.Items()[499].Y, 500 % 10);
  Form->StopButton->click();
  EXPECT_TRUE(Idle());
}

TEST_F(Reconnect, StopEndsTheWaiting) {
  Form->StartButton->click();
  ASSERT_TRUE(Form->scComm1().Active());
  Unplug();
  Form->StopButton->click();
  EXPECT_TRUE(Idle());
  EXPECT_EQ(Status(), "COM5 wurde geschlossen");
  TPty again;
  Relink(again.DevicePath());
  // Long enough for several rounds of looking for the device.
  WaitUntil([] { return false; }, std::chrono::seconds(1));
  EXPECT_FALSE(Form->scComm1().Active());
  EXPECT_TRUE(Idle());
}

}  // namespace
