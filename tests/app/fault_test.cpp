// The main window under a misbehaving device: bytes that are not sample lines, floods,
// a port taken by another program and a device that goes away. After each the window
// still obeys its commands, and the counter and the chart hold what the framing keeps.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <unistd.h>

#include "chart/gchart.h"
#include "tests/app/window_test_support.h"

namespace {

// How many lines the bytes hold: a line ends only where CR is immediately followed by
// LF; a CR followed by anything else is dropped, and that byte is taken as text even
// when it is a CR itself.
int64_t LinesIn(std::string_view bytes) {
  int64_t lines = 0;
  bool afterCr = false;
  for (const char c : bytes) {
    if (afterCr) {
      lines += c == '\n';
      afterCr = false;
    } else {
      afterCr = c == '\r';
    }
  }
  return lines;
}

struct Faults : testing::Test, TWindowFixture {
  TGChart& chart = Form->Chart();
  void Start() {
    Form->StartButton->click();
    ASSERT_TRUE(Form->scComm1().Active()) << Dialogs.Errors.join(" ").toStdString();
  }
  // Sends everything and waits until the window has counted the lines it holds.
  void Feed(const std::string& bytes) {
    const int64_t lines = LinesIn(bytes);
    Send(bytes);
    ASSERT_TRUE(WaitSent());
    ASSERT_TRUE(WaitUntil([&] { return Count() == lines; })) << Count() << " of " << lines;
  }
  // The items' y, or the y of their other end.
  std::vector<double> Values(double TChartItem::*y = &TChartItem::Y) const {
    std::vector<double> values;
    for (const TChartItem& item : chart.Items()) values.push_back(item.*y);
    return values;
  }
  // Stop and Start still work, and a fresh line is read.
  void ExpectResponsive() {
    Form->StopButton->click();
    EXPECT_TRUE(Idle());
    DropUnread();
    Start();
    Send("4711;4711\r\n");
    EXPECT_TRUE(WaitUntil([&] { return Form->Label10->text().endsWith("4711"); }));
    Form->StopButton->click();
    EXPECT_TRUE(Idle());
  }
};

TEST_F(Faults, PortHeldByAnotherProgram) {
  const int other = ::open(Device.DevicePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
  Form->StartButton->click();
  // Held by this very program: no other program to name.
  EXPECT_EQ(Dialogs.Errors, QStringList{"Device \"COM5\" Open Error !!!\rDevice or resource busy: " +
                                        QString::fromStdString(Device.DevicePath()) + "."});
  EXPECT_TRUE(Idle());
  ::close(other);
  ExpectResponsive();
}

TEST_F(Faults, DeviceUnpluggedWhileItSends) {
  Start();
  Device.Write(NumberLines(2000, 1));  // still queued, partly unread, when the device goes
  Device.CloseController();
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
  EXPECT_LE(Count(), 2000);
  EXPECT_EQ(chart.NumItems(), Count());
  EXPECT_EQ(Form->StatusPanels[1]->text(), "COM5 wurde geschlossen");
  EXPECT_TRUE(Dialogs.Errors.isEmpty());
  Form->StartButton->click();  // the device is gone for good
  EXPECT_EQ(Dialogs.Errors, QStringList{"Device \"COM5\" Open Error !!!\rNo such file or directory: " +
                                        QString::fromStdString(Device.DevicePath()) + "."});
  EXPECT_TRUE(Idle());
}

TEST_F(Faults, GarbageReadsAsZeroAndTheNextLinesAsThemselves) {
  std::mt19937 random(9);
  std::string bytes(20000, '\0');
  for (char& c : bytes) {
    c = char(random() & 0xFF);
    if (c >= '0' && c <= '9') c = 'x';  // digits would make numbers of the junk
  }
  bytes += "\r\n7\r\n8\r\n";
  Start();
  Feed(bytes);
  const std::vector<double> y = Values();
  ASSERT_EQ(int64_t(y.size()), LinesIn(bytes));
  EXPECT_GT(y.size(), 2u);
  EXPECT_EQ(std::count(y.begin(), y.end() - 2, 0.0), int64_t(y.size()) - 2);
  EXPECT_EQ(y[y.size() - 2], 7);
  EXPECT_EQ(y.back(), 8);
  ExpectResponsive();
}

TEST_F(Faults, NulBytesEndANumberButNotALine) {
  using namespace std::string_literals;
  Start();
  Feed("\0\0\0\r\n5\0\0\r\n\0 6\r\n12\0"s "34\r\n"s);
  EXPECT_EQ(Values(), (std::vector<double>{0, 5, 6, 12}));
  Form->StopButton->click();
  Form->CH2RadioButton->click();
  Start();
  // The line's first NUL ends the second field, also when it lies in the first.
  Feed("1;2\0 9\r\n\0\0;\0\0\r\n3\0;4\r\n"s);
  EXPECT_EQ(Values(&TChartItem::Y2), (std::vector<double>{1, 2, 0, 0, 3, 0}));
  ExpectResponsive();
}

TEST_F(Faults, UnterminatedMegabyteIsCappedAndTheNextLinesRead) {
  // The pending text is dropped each time it reaches 64 KiB: the line that finally ends
  // holds only what came after the last drop.
  std::string bytes(16 * 65536 + 65530, 'x');
  bytes += "123456789\r\n4\r\n5\r\n";
  Start();
  Feed(bytes);
  EXPECT_EQ(Values(), (std::vector<double>{789, 4, 5}));
  ExpectResponsive();
}

TEST_F(Faults, LinesOfTenThousandCharacters) {
  const std::string lines[] = {std::string(9997, '0') + "1.5", "2." + std::string(9998, '5'),
                               std::string(9999, ' ') + "3", std::string(10000, 'q'),
                               "-4" + std::string(9998, ' ')};
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  Start();
  Feed(bytes);
  const std::vector<double> y = Values();
  ASSERT_EQ(y.size(), 5u);
  EXPECT_EQ(y[0], 1.5);
  EXPECT_FLOAT_EQ(float(y[1]), 23.0f / 9);
  EXPECT_EQ(y[2], 3);
  EXPECT_EQ(y[3], 0);
  EXPECT_EQ(y[4], -4);
  ExpectResponsive();
}

TEST_F(Faults, OverflowStopsWithOneMessage) {
  std::string bytes = "1\r\n";
  for (int i = 0; i < 1000; ++i) bytes += "1e39\r\n";
  Start();
  Send(bytes + "2\r\n");
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
  EXPECT_EQ(Dialogs.Errors, QStringList{"Gleitkommaüberlauf."});
  EXPECT_TRUE(Dialogs.Informations.isEmpty());
  // The overflowing line is counted; it ends the acquisition before it is shown or plotted.
  EXPECT_EQ(Form->AcquisitionState().SampleCount, 2);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(Values(), std::vector<double>{1});
  ExpectResponsive();
  EXPECT_EQ(Dialogs.Errors.size(), 1);
}

TEST_F(Faults, CarriageReturnRuns) {
  std::string bytes = "1\r\r\n2\r\n3\r\r\r\n4\r5\r\n\r\r\r\r\n6\r\n";
  for (int run = 1; run <= 6; ++run) bytes += std::string(size_t(run), '\r') + "\n";
  bytes += "8\r\n";
  Start();
  Feed(bytes);
  // "1\r\n2", "3\r", "45", "\r\r\n6", then the runs of one, three and five CRs end
  // lines; the even runs become text of the line after them.
  EXPECT_EQ(Values(), (std::vector<double>{1, 3, 45, 6, 0, 0, 0, 8}));
  ExpectResponsive();
}

TEST_F(Faults, MegabyteBurstIsTakenInWhole) {
  std::string bytes;
  const int lines = (1 << 20) / 12;
  for (int i = 0; i < lines; ++i) bytes += std::to_string(1000000 + i) + ".25\r\n";
  Start();
  Feed(bytes);
  ASSERT_EQ(chart.NumItems(), lines);
  int wrong = 0;
  for (int i = 0; i < lines; ++i) wrong += chart.Items()[size_t(i)].Y != 1000000.25 + i;
  EXPECT_EQ(wrong, 0);
  ExpectResponsive();
}

TEST_F(Faults, StopDuringATrendBurst) {
  Form->TrendCheckBox->click();
  Start();
  // The user's click arrives while the burst is being taken in.
  QTimer stopper;
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    if (Count() < 10000) return;
    stopper.stop();
    Form->StopButton->click();
  });
  stopper.start(1);
  Send(NumberLines(350000, 1));
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
  EXPECT_GE(Count(), 10000);
  EXPECT_LT(Count(), 350000);
  EXPECT_EQ(chart.NumItems(), 981);
  EXPECT_EQ(chart.Scale1X().RangeLow(), double(Count() - 981));
  ExpectResponsive();
}

TEST_F(Faults, StopClickedWhileStartIsUnderWay) {
  // Start lets pending messages run before it opens the port; a Stop among them wins.
  QTimer::singleShot(0, Form.get(), [&] { Form->StopButton->click(); });
  Form->StartButton->click();
  EXPECT_TRUE(Idle());
  ExpectResponsive();
}

}  // namespace
