#include "tools/sim_options.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ErrorOf(const std::vector<std::string>& args) {
  try {
    ParseSimOptions(args);
  } catch (const ESimUsage& e) {
    return e.what();
  }
  return "accepted";
}

TEST(SimOptions, ValuesInBothForms) {
  const TSimOptions d = ParseSimOptions({});
  EXPECT_EQ(d.Rate, 100);
  EXPECT_EQ(d.Channels, 1);
  EXPECT_EQ(d.Count, 0);
  EXPECT_FALSE(d.SeedGiven);
  EXPECT_TRUE(d.Faults.empty());

  const TSimOptions o = ParseSimOptions({"--rate=250000", "--channels", "2", "--wave", "noise", "--wave2=ramp",
                                         "--amplitude", "-2.5e3", "--offset=.5", "--period", "12.5", "--count",
                                         "42", "--seed", "0", "--link", "/tmp/x", "--quiet"});
  EXPECT_EQ(o.Rate, 250000);
  EXPECT_EQ(o.Channels, 2);
  EXPECT_EQ(o.Wave, wfNoise);
  EXPECT_EQ(o.Wave2, wfRamp);
  EXPECT_EQ(o.Amplitude, -2500);
  EXPECT_EQ(o.Offset, 0.5);
  EXPECT_EQ(o.Period, 12.5);
  EXPECT_EQ(o.Count, 42);
  EXPECT_TRUE(o.SeedGiven);
  EXPECT_EQ(o.Seed, 0u);
  EXPECT_EQ(o.Link, "/tmp/x");
  EXPECT_TRUE(o.Quiet);
  EXPECT_TRUE(ParseSimOptions({"-h"}).Help);
}

TEST(SimOptions, FaultsOnceOrEveryNLines) {
  const TSimOptions o = ParseSimOptions(
      {"--fault", "garbage", "--fault=overflow@17", "--fault-every", "250", "--fault", "burst", "--burst-lines", "9"});
  ASSERT_EQ(o.Faults.size(), 3u);
  EXPECT_EQ(o.Faults[0].Kind, fkGarbage);
  EXPECT_EQ(o.Faults[0].Every, 250);  // --fault-every counts for every repeating fault, wherever it stands
  EXPECT_EQ(o.Faults[1].Kind, fkOverflow);
  EXPECT_EQ(o.Faults[1].Every, 0);
  EXPECT_EQ(o.Faults[1].AtLine, 17);
  EXPECT_EQ(o.Faults[2].Kind, fkBurst);
  EXPECT_EQ(o.Faults[2].Every, 250);
  EXPECT_EQ(o.BurstLines, 9);
  EXPECT_EQ(ParseSimOptions({"--fault", "unterminated"}).Faults[0].Every, 1000);
}

TEST(SimOptions, ErrorsSayWhatIsWrong) {
  EXPECT_EQ(ErrorOf({"--rate", "1,5"}), "invalid value '1,5' for --rate: expected lines per second from 1 to 1000000");
  EXPECT_EQ(ErrorOf({"--rate", "2000000"}),
            "invalid value '2000000' for --rate: expected lines per second from 1 to 1000000");
  EXPECT_EQ(ErrorOf({"--channels", "0"}), "invalid value '0' for --channels: expected 1 or 2");
  EXPECT_EQ(ErrorOf({"--wave2", "Sine"}),
            "invalid value 'Sine' for --wave2: expected sine, triangle, square, ramp or noise");
  EXPECT_EQ(ErrorOf({"--fault", "burst@"}), "invalid value '' for --fault: expected a line number from 1 after '@'");
  EXPECT_EQ(ErrorOf({"--offset", "nan"}), "invalid value 'nan' for --offset: expected a number");
  EXPECT_EQ(ErrorOf({"--count", "12x"}), "invalid value '12x' for --count: expected a number of lines, 0 for no limit");
  EXPECT_EQ(ErrorOf({"--seed", "-3"}), "invalid value '-3' for --seed: expected a whole number from 0");
  EXPECT_EQ(ErrorOf({"--link="}), "invalid value '' for --link: expected a path");
  EXPECT_EQ(ErrorOf({"--help=1"}), "option '--help' takes no value");
  EXPECT_EQ(ErrorOf({"--period"}), "option '--period' needs a value");
  EXPECT_EQ(ErrorOf({"--colour", "red"}), "unknown option '--colour'");
  EXPECT_EQ(ErrorOf({"-r", "5"}), "unexpected argument '-r'");
  EXPECT_EQ(ErrorOf({"--"}), "unexpected argument '--'");
  EXPECT_EQ(ErrorOf({"--amplitude", "-3e38", "--offset", "1e38"}),
            "--offset and --amplitude together exceed the single-precision range");
  EXPECT_EQ(ErrorOf({"--amplitude", "3e38", "--offset", "3e37"}), "accepted");
}

}  // namespace
