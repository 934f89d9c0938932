#include "tools/line_source.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "acquisition/acquisition_state.h"
#include "acquisition/any_end_framing.h"
#include "acquisition/auto_reader.h"
#include "acquisition/line_framing.h"
#include "acquisition/number_reader.h"
#include "acquisition/sample_reading.h"
#include "acquisition/sample_scaling.h"
#include "tools/sim_options.h"

namespace {

using Lines = std::vector<std::string>;

class TLineCollector : public TLineReceiver {
 public:
  bool ProcessLine(std::string_view line) override {
    Received.emplace_back(line);
    return true;
  }
  Lines Received;
};

// The lines our own framing cuts from the source's first `count` sample lines.
Lines Frame(const TLineSource& source, int64_t count) {
  TLineCollector collector;
  TLineFraming framing(collector);
  uint8_t out[TLineSource::MaxLineBytes];
  for (int64_t line = 1; line <= count; ++line) framing.Feed(out, source.Write(line, reinterpret_cast<char*>(out)));
  return collector.Received;
}

std::string Format(int channels, float v1, float v2 = 0, bool terminated = true) {
  char out[MaxSampleLineLength];
  const float values[] = {v1, v2};
  return std::string(out, FormatLine(out, TLineFormat(), {values, size_t(channels)}, terminated));
}

TSignalGenerator Generator(TWaveform wave, double amplitude, double offset, double period, uint64_t seed = 1) {
  return TSignalGenerator({wave, amplitude, offset, period, 0, seed});
}

TEST(LineFormatter, TextsReadBackExactly) {
  EXPECT_EQ(Format(1, 1.5f), "1.5\r\n");
  EXPECT_EQ(Format(1, 0.1f), "0.1\r\n");
  EXPECT_EQ(Format(2, 1, -0.25f), "1;-0.25\r\n");
  EXPECT_EQ(Format(2, 3, 4, false), "3;4");
  EXPECT_EQ(Format(1, 7, 99), "7\r\n");
  TLineFormat named{',', true, {"a", "temp_2", "c"}, "\n"};
  const float three[] = {1.5f, -2, 1e-7f};
  char out[MaxSampleLineLength];
  EXPECT_EQ(std::string(out, FormatLine(out, named, three)), "a:1.5,temp_2:-2,c:1e-07\n");
  EXPECT_EQ(std::string(out, FormatHeader(out, named)), "a,temp_2,c\n");
  EXPECT_EQ(Format(2, -FLT_MAX, -FLT_TRUE_MIN), "-3.4028235e+38;-1e-45\r\n");

  // Any float at all, read by our own number reader, is exactly the float sent.
  std::vector<float> values = {0.0f, -0.0f, FLT_MIN, FLT_MAX, 1 / 3.0f, 16777218.0f, 9.999999e-5f, 1e15f};
  for (int64_t i = 0; values.size() < 300000; ++i) {
    const uint32_t bits = uint32_t(NoiseBits(5, i));
    float v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) values.push_back(v);
  }
  for (float v : values) {
    const std::string line = Format(1, v);
    const TReadNumberResult read = ReadNumber(std::string_view(line).substr(0, line.size() - 2));
    ASSERT_EQ(line.substr(line.size() - 2), "\r\n");
    ASSERT_EQ(read.ErrorPos, 0) << line;
    ASSERT_EQ(static_cast<float>(read.Value), v) << line;
    ASSERT_EQ(std::signbit(static_cast<float>(read.Value)), std::signbit(v)) << line;
  }
}

// The simulator's bytes, cut by our framing and read as the main window reads a line,
// give exactly the values it generated.
TEST(LineSource, OurFramingAndReaderGiveTheGeneratedValues) {
  const auto one = Generator(wfSine, 1234.5, -17.25, 333.3);
  const auto two = Generator(wfNoise, 1e-3, 2e-3, 10, 77);
  const Lines lines = Frame(TLineSource(TLineFormat(), {one, two}, TFaultInjector()), 20000);
  ASSERT_EQ(lines.size(), 20000u);
  TAcquisitionState state;
  state.ChannelMode = 2;
  state.Factor2 = 1;
  for (size_t i = 0; i < lines.size(); ++i) {
    ReadSamples(lines[i], state);
    ASSERT_EQ(state.Value1, one.Value(int64_t(i))) << lines[i];
    ASSERT_EQ(state.Value2, two.Value(int64_t(i))) << lines[i];
  }
}

// Every format the simulator prints, read by the "Auto" mode, gives the generated values
// in channels named as the device names them.
TEST(LineSource, AutoModeReadsEveryFormat) {
  const char* const formats[] = {"--format comma --header --line-end lf", "--format space --line-end cr",
                                 "--format tab --names x,y,z,w --header", "--format named --names a,b,c,d --line-end lf"};
  for (const char* format : formats) {
    std::vector<std::string> args{"--channels", "4", "--wave", "noise", "--amplitude", "1e6", "--seed", "3"};
    std::istringstream words(format);
    for (std::string word; words >> word;) args.push_back(word);
    const TSimOptions o = ParseSimOptions(args);
    TLineCollector collector;
    TAnyEndFraming framing(collector);
    uint8_t out[TLineSource::MaxLineBytes];
    const TLineSource source = LineSourceFor(o);
    for (int64_t line = 1; line <= 1000; ++line) framing.Feed(out, source.Write(line, reinterpret_cast<char*>(out)));
    TChannelTable channels;
    TAutoReader reader(channels);
    TAutoSample sample;
    int64_t samples = 0;
    for (const std::string& line : collector.Received) {
      if (reader.Read(line, sample) != alSample) continue;
      for (int n = 1; n <= 4; ++n) {
        ASSERT_EQ(float(sample.Number[size_t(n)]), TSignalGenerator(ChannelSettings(o, n)).Value(samples)) << format;
      }
      ++samples;
    }
    EXPECT_EQ(samples, 1000) << format;
    EXPECT_EQ(reader.SkippedLines(), 0) << format;
    EXPECT_EQ(channels.Count(), 4) << format;
    const bool named = std::string_view(format).find("names") != std::string_view::npos || o.Header;
    EXPECT_EQ(channels.DisplayName(2), named ? o.Format.Names[1] : "Kanal 2") << format;
  }
}

TEST(FaultInjector, FaultsAsTheReceiverSeesThem) {
  const auto ramp = Generator(wfRamp, 10, 0, 10);  // -10, -8, -6, ...
  const TFaultInjector faults({{fkOverflow, 0, 2}, {fkUnterminated, 0, 3}, {fkGarbage, 0, 5}, {fkBurst, 4, 0}}, 1);
  const Lines lines = Frame(TLineSource(TLineFormat(), {ramp}, faults), 6);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "-10");
  EXPECT_EQ(lines[1], "1e39");
  EXPECT_EQ(lines[2], "-8");
  EXPECT_EQ(lines[3], "-6-4");  // line 3 runs into line 4
  EXPECT_EQ(lines[5], "-2");    // after the junk line of line 5
  EXPECT_EQ(lines[6], "0");
  TAcquisitionState state;
  EXPECT_THROW(ReadSamples(lines[1], state), EOverflow);
  state.ChannelMode = 2;
  EXPECT_THROW(ReadSamples(lines[1], state), EOverflow);

  EXPECT_FALSE(faults.StartsBurst(2));
  EXPECT_TRUE(faults.StartsBurst(4));
  EXPECT_TRUE(faults.StartsBurst(8));
  EXPECT_FALSE(faults.StartsBurst(10));
  EXPECT_FALSE(faults.Unterminated(6));
}

TEST(FaultInjector, GarbageIsOneLineOfJunkRepeatableBySeed) {
  const TFaultInjector faults({{fkGarbage, 1, 0}}, 3), sameSeed({{fkGarbage, 1, 0}}, 3);
  char out[TFaultInjector::MaxPrefixLength], again[TFaultInjector::MaxPrefixLength];
  std::string previous;
  for (int64_t line = 1; line <= 2000; previous = std::string(out, faults.WritePrefix(line++, out))) {
    const std::string junk(out, faults.WritePrefix(line, out));
    ASSERT_TRUE(junk.size() >= 10 && junk.size() <= 18) << junk.size();
    ASSERT_EQ(junk.find_first_of("\r\n"), junk.size() - 2) << "CR LF only at its end";
    ASSERT_EQ(junk.substr(junk.size() - 2), "\r\n");
    ASSERT_EQ(std::string(again, sameSeed.WritePrefix(line, again)), junk);
    ASSERT_NE(junk, previous);
  }
}

}  // namespace
