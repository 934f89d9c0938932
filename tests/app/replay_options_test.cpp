#include "app/replay_options.h"

#include <gtest/gtest.h>

#include "acquisition/acquisition_state.h"

namespace {

QStringList Args(std::initializer_list<const char*> list) {
  QStringList out;
  for (const char* a : list) out << QString::fromUtf8(a);
  return out;
}

std::string UsageError(std::initializer_list<const char*> list) {
  try {
    ParseReplayOptions(Args(list));
  } catch (const EReplayUsage& e) {
    return e.what();
  }
  return "accepted";
}

TEST(ReplayOptions, EveryOptionLandsInItsField) {
  const TReplayOptions o = ParseReplayOptions(
      Args({"--replay", "cap.txt", "--channels", "2", "--trend", "--xmax", "500", "--factor1", "2.5", "--offset1", "-1",
            "--factor2", "0.5", "--offset2", "3", "--ymin1", "-10", "--ymax1", "10", "--ymin2", "0", "--ymax2", "1e3",
            "--name", "Motor", "--ch1-name", "Strom", "--ch2-name", "Drehzahl", "--chunk", "17", "--size", "900x700",
            "--save-session", "a.tvx", "--save-bitmap", "a.bmp", "--color", "--save-csv", "a.csv", "--save-png",
            "a.png"}));
  EXPECT_EQ(o.Capture, "cap.txt");
  EXPECT_EQ(o.Channels, 2);
  EXPECT_TRUE(o.Trend);
  EXPECT_TRUE(o.Color);
  EXPECT_EQ(*o.Xmax, "500");
  EXPECT_EQ(*o.Factor1, "2.5");
  EXPECT_EQ(*o.Offset1, "-1");
  EXPECT_EQ(*o.Ymax2, "1e3");
  EXPECT_EQ(*o.Name, "Motor");
  EXPECT_EQ(*o.Ch2Name, "Drehzahl");
  EXPECT_EQ(o.Chunk, 17);
  EXPECT_EQ(*o.WindowSize, QSize(900, 700));
  EXPECT_EQ(o.SaveSession, "a.tvx");
  EXPECT_EQ(o.SaveBitmap, "a.bmp");
  EXPECT_EQ(o.SaveCsv, "a.csv");
  EXPECT_EQ(o.SavePng, "a.png");
}

TEST(ReplayOptions, AutoChannels) {
  EXPECT_EQ(ParseReplayOptions(Args({"--replay", "c", "--channels", "auto", "--save-bitmap", "b"})).Channels,
            kChannelModeAuto);
}

TEST(ReplayOptions, TimeAxisRateAndDeviceTime) {
  const TReplayOptions o = ParseReplayOptions(Args({"--replay", "c", "--channels", "auto", "--x-axis", "time",
                                                    "--rate", "250.5", "--device-time", "--save-csv", "a.csv"}));
  EXPECT_TRUE(o.TimeAxis);
  EXPECT_EQ(o.Rate, 250.5);
  EXPECT_TRUE(o.DeviceTime);
  EXPECT_EQ(UsageError({"--replay", "c", "--save-csv", "a", "--x-axis", "zeit"}), "--x-axis must be tics or time");
  EXPECT_EQ(UsageError({"--replay", "c", "--save-csv", "a", "--x-axis", "time", "--rate", "0"}),
            "--rate: '0' is not a positive number of lines per second");
  EXPECT_EQ(UsageError({"--replay", "c", "--save-csv", "a", "--rate", "100"}), "--rate and --device-time need --x-axis time");
  EXPECT_EQ(UsageError({"--replay", "c", "--save-csv", "a", "--x-axis", "time", "--device-time"}),
            "--device-time needs --channels auto");
}

TEST(ReplayOptions, DefaultsLeaveTheWindowsFieldsAlone) {
  const TReplayOptions o = ParseReplayOptions(Args({"--replay", "c", "--save-bitmap", "b.bmp"}));
  EXPECT_EQ(o.Channels, 1);
  EXPECT_FALSE(o.Trend);
  EXPECT_FALSE(o.Factor1.has_value());
  EXPECT_EQ(o.Chunk, 4096);
  EXPECT_FALSE(o.WindowSize.has_value());
}

TEST(ReplayOptions, BadCommandLinesSayWhy) {
  EXPECT_EQ(UsageError({"--replay", "c"}), "a replay needs at least one of --save-session, --save-bitmap, --save-csv, --save-png");
  EXPECT_EQ(UsageError({"--replay"}), "--replay needs a value");
  EXPECT_EQ(UsageError({"--replay", "c", "--save-bitmap", "b", "--factor1", "2,5"}),
            "--factor1: '2,5' is not a number (use \".\" as decimal separator)");
  EXPECT_EQ(UsageError({"--replay", "c", "--save-bitmap", "b", "--channels", "3"}), "--channels must be 1, 2 or auto");
  EXPECT_EQ(UsageError({"--replay", "c", "--save-bitmap", "b", "--chunk", "0"}),
            "--chunk must be a byte count from 1 to 2^30");
  EXPECT_EQ(UsageError({"--replay", "c", "--save-bitmap", "b", "--size", "900"}), "--size: '900' is not WIDTHxHEIGHT");
  EXPECT_EQ(UsageError({"--replay", "c", "--save-bitmap", "b", "--bogus"}), "unknown option '--bogus' (see --help)");
  EXPECT_EQ(UsageError({"--save-bitmap", "b"}), "--replay needs a capture file");
}

}  // namespace
