#include "tools/line_source.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "acquisition/acquisition_state.h"
#include "acquisition/line_framing.h"
#include "acquisition/number_reader.h"
#include "acquisition/sample_reading.h"
#include "acquisition/sample_scaling.h"

namespace {

using Lines = std::vector<std::string>;

class TLineCollector : public TLineReceiver {
 public:
  void ProcessLine(std::string_view line) override { Received.emplace_back(line); }
  Lines Received;
};

Lines Frame(const std::string& bytes) {
  TLineCollector collector;
  TLineFraming framing(collector);
  framing.Feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return collector.Received;
}

std::string Format(int channels, float v1, float v2 = 0, bool terminated = true) {
  char out[MaxSampleLineLength];
  return std::string(out, FormatLine(out, channels, v1, v2, terminated));
}

std::string Stream(const TLineSource& source, int64_t lines) {
  std::string bytes;
  char out[TLineSource::MaxLineBytes];
  for (int64_t line = 1; line <= lines; ++line) bytes.append(out, source.Write(line, out));
  return bytes;
}

TEST(LineFormatter, Texts) {
  EXPECT_EQ(Format(1, 1.5f), "1.5\r\n");
  EXPECT_EQ(Format(1, -0.25f), "-0.25\r\n");
  EXPECT_EQ(Format(1, 0), "0\r\n");
  EXPECT_EQ(Format(1, 0.1f), "0.1\r\n");
  EXPECT_EQ(Format(2, 1, -2), "1;-2\r\n");
  EXPECT_EQ(Format(2, 3, 4, false), "3;4");
  EXPECT_EQ(Format(1, 7, 99), "7\r\n");  // one channel ignores the second value
  EXPECT_EQ(Format(1, 1e20f), "1e+20\r\n");
  EXPECT_EQ(Format(2, -FLT_MAX, -FLT_TRUE_MIN), "-3.4028235e+38;-1e-45\r\n");
}

// Every float, read back by the receiver's own number reader, is exactly the float sent.
TEST(LineFormatter, EveryKindOfFloatReadsBackExactly) {
  std::vector<float> values = {0.0f, -0.0f, FLT_MIN, -FLT_MIN, FLT_MAX, -FLT_MAX, FLT_TRUE_MIN, 0.1f, 1 / 3.0f,
                               16777216.0f, 16777218.0f, 1e-10f, 123456789.0f, 9.999999e-5f, 1e15f, 0.3f};
  for (int64_t i = 0; values.size() < 300000; ++i) {
    const uint32_t bits = uint32_t(NoiseBits(5, i));
    float v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) values.push_back(v);
  }
  for (float v : values) {
    const std::string line = Format(1, v);
    ASSERT_EQ(line.substr(line.size() - 2), "\r\n");
    const TReadNumberResult read = ReadNumber(line.substr(0, line.size() - 2));
    ASSERT_EQ(read.ErrorPos, 0) << line;
    ASSERT_EQ(static_cast<float>(read.Value), v) << line;
    ASSERT_EQ(std::signbit(static_cast<float>(read.Value)), std::signbit(v)) << line;
  }
}

TSignalGenerator Generator(TWaveform wave, double amplitude, double offset, double period, double shift,
                           uint64_t seed = 1) {
  return TSignalGenerator({wave, amplitude, offset, period, shift, seed});
}

// The simulator's bytes, cut by our framing and read as the main window reads a line, give
// exactly the values it generated.
TEST(LineSource, StreamThroughOurFramingAndReaderGivesTheGeneratedValues) {
  const auto one = Generator(wfSine, 1234.5, -17.25, 333.3, 0);
  const auto two = Generator(wfNoise, 1e-3, 2e-3, 10, 0, 77);
  const TLineSource source(2, one, two, TFaultInjector());
  const Lines lines = Frame(Stream(source, 20000));
  ASSERT_EQ(lines.size(), 20000u);
  TAcquisitionState state;
  state.ChannelMode = 2;
  state.Factor2 = 1;
  for (size_t i = 0; i < lines.size(); ++i) {
    ReadSamples(lines[i], state);
    ASSERT_EQ(state.Value1, one.Value(int64_t(i))) << lines[i];
    ASSERT_EQ(state.Value2, two.Value(int64_t(i))) << lines[i];
  }

  const TLineSource single(1, Generator(wfRamp, 5, 0, 7, 0), one, TFaultInjector());
  const Lines ramp = Frame(Stream(single, 8));
  EXPECT_EQ(ramp, (Lines{"-5", "-3.5714285", "-2.142857", "-0.71428573", "0.71428573", "2.142857", "3.5714285",
                         "-5"}));
}

TEST(FaultInjector, RulesPickTheirLines) {
  EXPECT_TRUE((TFaultRule{fkBurst, 3, 0}).AppliesTo(3));
  EXPECT_TRUE((TFaultRule{fkBurst, 3, 0}).AppliesTo(9));
  EXPECT_FALSE((TFaultRule{fkBurst, 3, 0}).AppliesTo(10));
  EXPECT_FALSE((TFaultRule{fkBurst, 3, 0}).AppliesTo(1));
  EXPECT_TRUE((TFaultRule{fkBurst, 0, 5}).AppliesTo(5));
  EXPECT_FALSE((TFaultRule{fkBurst, 0, 5}).AppliesTo(10));

  const TFaultInjector faults({{fkUnterminated, 0, 2}, {fkBurst, 4, 0}}, 1);
  EXPECT_TRUE(faults.Unterminated(2));
  EXPECT_FALSE(faults.Unterminated(4));
  EXPECT_TRUE(faults.StartsBurst(8));
  EXPECT_FALSE(faults.StartsBurst(2));
  char out[TFaultInjector::MaxPrefixLength];
  EXPECT_EQ(faults.WritePrefix(2, out), 0u);
}

TEST(FaultInjector, GarbageIsOneLineOfJunkBeforeTheSample) {
  const TFaultInjector faults({{fkGarbage, 1, 0}}, 3);
  const TFaultInjector sameSeed({{fkGarbage, 1, 0}}, 3);
  char out[TFaultInjector::MaxPrefixLength];
  char again[TFaultInjector::MaxPrefixLength];
  std::string previous;
  for (int64_t line = 1; line <= 2000; ++line) {
    const size_t n = faults.WritePrefix(line, out);
    ASSERT_GE(n, TFaultInjector::MinGarbageLength + 2);
    ASSERT_LE(n, TFaultInjector::MaxGarbageLength + 2);
    const std::string junk(out, n);
    ASSERT_EQ(junk.substr(n - 2), "\r\n");
    ASSERT_EQ(junk.find_first_of("\r\n"), n - 2) << "a CR or LF inside would split or end the junk early";
    ASSERT_EQ(std::string(again, sameSeed.WritePrefix(line, again)), junk);
    ASSERT_NE(junk, previous);
    previous = junk;
  }
}

TEST(FaultInjector, FaultsAsTheReceiverSeesThem) {
  const auto ramp = Generator(wfRamp, 10, 0, 10, 0);  // -10, -8, -6, ...
  const TLineSource source(1, ramp, ramp,
                           TFaultInjector({{fkOverflow, 0, 2}, {fkUnterminated, 0, 3}, {fkGarbage, 0, 5}}, 1));
  const Lines lines = Frame(Stream(source, 6));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "-10");
  EXPECT_EQ(lines[1], "1e39");
  EXPECT_EQ(lines[2], "-8");
  EXPECT_EQ(lines[3], "-6-4");  // line 3 runs into line 4
  EXPECT_EQ(lines[5], "-2");  // after the junk line of line 5
  EXPECT_EQ(lines[6], "0");

  TAcquisitionState state;
  EXPECT_THROW(ReadSamples(lines[1], state), EOverflow);
  ReadSamples(lines[5], state);
  EXPECT_EQ(state.Value1, -2.0f);  // the junk line did not disturb the sample after it
  state.ChannelMode = 2;
  EXPECT_THROW(ReadSamples(lines[1], state), EOverflow);
}

}  // namespace
