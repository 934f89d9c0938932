// The program's headless replay, run as a user runs it from a shell.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>
#include <vector>

#include "chart/chart_item.h"

namespace {

struct TRun {
  int ExitCode = -1;
  QString Errors;
};

class Replay : public testing::Test {
 protected:
  QString Capture(const QByteArray& bytes) {
    const QString path = Dir.filePath(QStringLiteral("capture.txt"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  TRun Run(QStringList arguments) {
    QProcess process;
    process.start(QStringLiteral(TAVOLIX_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
  }
  std::vector<TChartItem> Session() {
    QFile file(SessionPath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::vector<TChartItem> items(size_t(bytes.size()) / sizeof(TChartItem));
    std::memcpy(items.data(), bytes.data(), items.size() * sizeof(TChartItem));
    return items;
  }

  QTemporaryDir Dir;
  const QString SessionPath = Dir.filePath(QStringLiteral("out.tvx"));
};

void ExpectItem(const TChartItem& item, int kind, int layer, TColor color, std::array<double, 4> coordinates) {
  EXPECT_EQ(item.Kind, kind);
  EXPECT_EQ(item.Layer, layer);
  EXPECT_EQ(item.Color, color);
  EXPECT_EQ(item.X, coordinates[0]);
  EXPECT_EQ(item.Y, coordinates[1]);
  if (kind == ikLine) {
    EXPECT_EQ(item.X2, coordinates[2]);
    EXPECT_EQ(item.Y2, coordinates[3]);
  }
}

TEST_F(Replay, OneChannelNormal) {
  const TRun run = Run({"--replay", Capture("5\r\n6\r\n7\r\n"), "--factor1", "2", "--offset1", "0.5", "--save-session",
                        SessionPath, "--chunk", "1"});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
  const std::vector<TChartItem> items = Session();
  ASSERT_EQ(items.size(), 3u);
  ExpectItem(items[0], ikMoveTo, 1, 0xFF0000, {0, 10.5});
  ExpectItem(items[1], ikDrawTo, 1, 0xFF0000, {2, 12.5});
  ExpectItem(items[2], ikDrawTo, 1, 0xFF0000, {3, 14.5});
}

TEST_F(Replay, AutoReadsAnArduinoCapture) {
  const TRun run = Run({"--replay", Capture("Ready\na:1.5,b:2\na:2.5,b:3\n"), "--channels", "auto", "--chunk", "5",
                        "--save-session", SessionPath});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
  const std::vector<TChartItem> items = Session();
  ASSERT_EQ(items.size(), 4u);
  ExpectItem(items[0], ikLine, 1, 0xFF0000, {0, 1.5, 1, 1.5});
  ExpectItem(items[1], ikLine, 2, 128, {0, 2, 1, 2});
  ExpectItem(items[2], ikLine, 1, 0xFF0000, {1, 1.5, 2, 2.5});
  ExpectItem(items[3], ikLine, 2, 128, {1, 2, 2, 3});
}

TEST_F(Replay, TwoChannelNormal) {
  const TRun run = Run({"--replay", Capture("1;2\r\n3;4\r\n"), "--channels", "2", "--save-session", SessionPath});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
  const std::vector<TChartItem> items = Session();
  ASSERT_EQ(items.size(), 4u);
  ExpectItem(items[0], ikLine, 1, 0xFF0000, {0, 1, 1, 1});
  ExpectItem(items[1], ikLine, 2, 128, {0, 2, 1, 2});
  ExpectItem(items[2], ikLine, 1, 0xFF0000, {1, 1, 2, 3});
  ExpectItem(items[3], ikLine, 2, 128, {1, 2, 2, 4});
}

TEST_F(Replay, TrendKeepsTheNewestWindow) {
  QByteArray lines;
  for (int i = 1; i <= 40; ++i) lines += QByteArray::number(i) + "\r\n";
  // Graph X max 30: the window fills for 11 lines, then slides one sample per line.
  const TRun run = Run({"--replay", Capture(lines), "--trend", "--xmax", "30", "--channels", "2", "--save-session",
                        SessionPath});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
  const std::vector<TChartItem> items = Session();
  ASSERT_EQ(items.size(), 22u);
  ExpectItem(items[0], ikLine, 1, 0xFF0000, {29, 0, 30, 0});  // no semicolon: channel 1 is its offset
  ExpectItem(items[1], ikLine, 2, 128, {29, 29, 30, 30});
  ExpectItem(items[21], ikLine, 2, 128, {39, 39, 40, 40});
}

TEST_F(Replay, BitmapHasTheChartsSize) {
  const QString bitmap = Dir.filePath(QStringLiteral("plot.bmp"));
  TRun run = Run({"--replay", Capture("1\r\n"), "--save-bitmap", bitmap});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
  EXPECT_EQ(QImage(bitmap).size(), QSize(577, 361));
  run = Run({"--replay", Capture("1\r\n"), "--size", "986x700", "--save-bitmap", bitmap});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
  // The chart grows with the window; its height also depends on the menu bar's.
  const QImage larger(bitmap);
  EXPECT_EQ(larger.width(), 777);
  EXPECT_GT(larger.height(), 361);
}

TEST_F(Replay, CsvForScriptsAndAColourPicture) {
  const QString csv = Dir.filePath(QStringLiteral("run.csv"));
  const QString png = Dir.filePath(QStringLiteral("run.1.png"));
  const TRun run = Run({"--replay", Capture("1.5;2\r\n-0.25;1e3\r\n"), "--channels", "2", "--ch1-name", "Strom",
                        "--factor1", "0.1", "--save-csv", csv, "--save-png", png});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  // 1.5 * 0.1 is the float 0.15 as plotted; an empty name field heads its column "CH 2".
  EXPECT_EQ(file.readAll(), "Sample,Strom,CH 2\r\n1,0.15,2\r\n2,-0.025,1000\r\n");
  const QImage picture(png, "PNG");
  ASSERT_EQ(picture.size(), QSize(577, 361));
  bool blue = false;
  for (int x = 80; x < 560 && !blue; ++x) {
    for (int y = 30; y < 316 && !blue; ++y) blue = picture.pixel(x, y) == qRgb(0, 0, 255);
  }
  EXPECT_TRUE(blue) << "channel 1 in its colour";
}

TEST_F(Replay, TimeAxisAtAGivenRateAndFromTheDevicesClock) {
  const QString csv = Dir.filePath(QStringLiteral("zeit.csv"));
  QByteArray lines;
  for (int i = 1; i <= 40; ++i) lines += QByteArray::number(i) + "\r\n";
  // Line i at i/10 s; a Trend window of 2 s keeps what ends after 4.04 - 2 s.
  TRun run = Run({"--replay", Capture(lines), "--x-axis", "time", "--rate", "10", "--trend", "--xmax", "2",
                  "--save-csv", csv});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
  QByteArray expected = "Zeit [s],CH 1\r\n";
  for (int i = 21; i <= 40; ++i) expected += QByteArray::number(i / 10.0) + ',' + QByteArray::number(i) + "\r\n";
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), expected);
  file.close();

  run = Run({"--replay", Capture("ms:1000,v:1\nms:1250,v:2\n"), "--channels", "auto", "--x-axis", "time",
             "--device-time", "--save-csv", csv});
  ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "Zeit [s],v\r\n0,1\r\n0.25,2\r\n");
}

TEST_F(Replay, SampleLimitIsReportedAndTheSessionStillSaved) {
  QByteArray lines;
  for (int i = 0; i < 50002; ++i) lines += "1;1\r\n";
  const TRun run = Run({"--replay", Capture(lines), "--channels", "2", "--save-session", SessionPath});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Errors.count(QStringLiteral("Speichermaximum erreicht")), 1);
  EXPECT_EQ(Session().size(), 100000u);
}

TEST_F(Replay, OverflowStopsWithItsMessage) {
  const TRun run = Run({"--replay", Capture("1\r\n1e39\r\n2\r\n"), "--save-session", SessionPath});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_TRUE(run.Errors.contains(QStringLiteral("Gleitkommaüberlauf.")));
  EXPECT_EQ(Session().size(), 1u);
}

TEST_F(Replay, CaptureWithoutACrLfLineFailsWithoutSaving) {
  for (const QByteArray& bytes : {QByteArray("1\n2\n3\n"), QByteArray()}) {
    const TRun run = Run({"--replay", Capture(bytes), "--save-session", SessionPath});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Errors.contains(QStringLiteral("%1 Bytes aus").arg(bytes.size()))) << run.Errors.toStdString();
    EXPECT_TRUE(run.Errors.contains(QStringLiteral("keine Zeile mit CR LF am Ende"))) << run.Errors.toStdString();
    EXPECT_FALSE(QFile::exists(SessionPath));
  }
}

TEST_F(Replay, BadCommandLines) {
  TRun run = Run({"--replay", Dir.filePath("missing.txt"), "--save-session", SessionPath});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(run.Errors.contains(QStringLiteral("cannot read"))) << run.Errors.toStdString();
  run = Run({"--replay", Capture("1\r\n"), "--save-session", SessionPath, "--factor1", "1,5"});
  EXPECT_EQ(run.ExitCode, 2);
  run = Run({"--replay", Capture("1\r\n"), "--save-session", Dir.filePath("no/such/folder/x.tvx")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(run.Errors.contains(QStringLiteral("kann nicht erstellt werden"))) << run.Errors.toStdString();
}

}  // namespace
