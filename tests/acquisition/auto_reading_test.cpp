// The "Auto" mode's reading: line ends as boards send them, fields and their channels.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acquisition/any_end_framing.h"
#include "acquisition/auto_reader.h"

namespace {

class TRecorder : public TLineReceiver {
 public:
  bool ProcessLine(std::string_view line) override {
    Lines.emplace_back(line);
    return true;
  }
  std::vector<std::string> Lines;
};

using Lines = std::vector<std::string>;

Lines Frame(const std::string& text, size_t blockSize) {
  TRecorder r;
  TAnyEndFraming framing(r);
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  for (size_t i = 0; i < text.size(); i += blockSize) framing.Feed(bytes + i, std::min(blockSize, text.size() - i));
  return r.Lines;
}

TEST(AnyEndFraming, EveryLineEndInBlocksOfAnySize) {
  for (size_t block : {1, 2, 3, 5, 64}) {
    EXPECT_EQ(Frame("1\n2\r\n3\r4\n", block), (Lines{"1", "2", "3", "4"})) << block;
    // A CR LF split between two blocks is one end, so no empty line appears.
    EXPECT_EQ(Frame("a\r\nb\r\n", block), (Lines{"a", "b"})) << block;
    EXPECT_EQ(Frame("a\n\nb\r\r\n", block), (Lines{"a", "", "b", ""})) << block;
  }
}

TEST(AnyEndFraming, UnendedTextStaysPending) {
  TRecorder r;
  TAnyEndFraming framing(r);
  framing.Feed(reinterpret_cast<const uint8_t*>("1.5\r"), 4);
  EXPECT_EQ(r.Lines, Lines{"1.5"});
  framing.Feed(reinterpret_cast<const uint8_t*>("\n2"), 2);
  EXPECT_EQ(r.Lines, Lines{"1.5"});
  EXPECT_EQ(framing.PendingLine(), "2");
}

struct AutoReader : testing::Test {
  TChannelTable channels;
  TAutoReader reader{channels};
  TAutoSample sample;

  TAutoLineKind Read(std::string_view line) { return reader.Read(line, sample); }
  // "name=value" of each channel the last line brought, gaps as "name=-".
  std::string Got() const {
    std::string out;
    for (int32_t n = 1; n <= channels.Count(); ++n) {
      if (sample.Reading[size_t(n)] == crAbsent) continue;
      out += (out.empty() ? "" : " ") + channels.DisplayName(n) + "=";
      out += sample.Reading[size_t(n)] == crGap ? "-" : std::to_string(sample.Number[size_t(n)]).substr(0, 4);
    }
    return out;
  }
};

TEST_F(AutoReader, EverySeparatorSplitsAndDecimalCommaDoesToo) {
  for (const char* line : {"1.5;2;3", "1.5,2,3", "1.5\t2\t3", "1.5 2   3", " 1.5 , 2 ;  3 \r", "+1.5,2e0,3."}) {
    ASSERT_EQ(Read(line), alSample) << line;
    EXPECT_EQ(Got(), "Kanal 1=1.50 Kanal 2=2.00 Kanal 3=3.00") << line;
  }
  Read("4,75");
  EXPECT_EQ(Got(), "Kanal 1=4.00 Kanal 2=75.0");
}

TEST_F(AutoReader, NamedFieldsFindTheirChannelWhereverTheyStand) {
  Read("a:1.5,b=2");
  EXPECT_EQ(Got(), "a=1.50 b=2.00");
  Read("b: 3 a: 4");  // spaces after the name's mark belong to the field
  EXPECT_EQ(Got(), "a=4.00 b=3.00");
  Read("a = 5 C, b = 6 %");  // units after the values are no channels
  EXPECT_EQ(Got(), "a=5.00 b=6.00");
  Read("c:5");  // a new name later becomes the next channel
  EXPECT_EQ(channels.Count(), 3);
  EXPECT_EQ(Got(), "c=5.00");
  Read("a:1 7");  // mixed: the unnamed field stands for position 2
  EXPECT_EQ(Got(), "a=1.00 Kanal 4=7.00");
  EXPECT_TRUE(reader.TakeChannelsChanged());
  Read("a:2 8");
  EXPECT_FALSE(reader.TakeChannelsChanged());
}

TEST_F(AutoReader, HeaderNamesChannelsByPositionBeforeAndAfterData) {
  EXPECT_EQ(Read("1,2"), alSample);
  EXPECT_EQ(Read("time,temp,hum"), alHeader);
  EXPECT_EQ(channels.Count(), 2);  // a header places nothing
  Read("3,20.5,40");
  EXPECT_EQ(Got(), "time=3.00 temp=20.5 hum=40.0");
  Read("temp:21");  // the header's name also finds its channel
  EXPECT_EQ(Got(), "temp=21.0");
  EXPECT_EQ(reader.SkippedLines(), 0);
  EXPECT_EQ(Read("Zeit (ms);H\xc3\xb6he\xc2\xb5m;hum"), alHeader);  // blanks and UTF-8 in names
  EXPECT_EQ(channels.DisplayName(1), "Zeit (ms)");
  EXPECT_EQ(channels.DisplayName(2), "H\xf6he\xb5m");  // in the chart's code page
  Read("H\xc3\xb6he\xc2\xb5m:7");
  EXPECT_EQ(Got(), "H\xf6he\xb5m=7.00");
  EXPECT_EQ(Read("E\xf7X\xf6\xac\xbd,\xf6\x96"), alSkipped);  // a reset's garbage names nothing
  EXPECT_EQ(Read("time,temp,hum"), alHeader);
  channels[2].Name = "Temperatur";  // the user's name wins over the device's
  Read("4,22,41");
  EXPECT_EQ(Got(), "time=4.00 Temperatur=22.0 hum=41.0");
}

TEST_F(AutoReader, UnreadableFieldsAreGapsNotZeros) {
  Read("1,2,3");
  Read("4,,nan");
  EXPECT_EQ(Got(), "Kanal 1=4.00 Kanal 2=- Kanal 3=-");
  EXPECT_EQ(Read("21.5C,0x1F,1e999"), alSkipped);
  Read("5,ovf,6");
  EXPECT_EQ(Got(), "Kanal 1=5.00 Kanal 2=- Kanal 3=6.00");
  Read("7,8,9,");  // a trailing separator places no channel
  EXPECT_EQ(channels.Count(), 3);
  Read("x:,1");  // a gap alone places no channel either
  EXPECT_EQ(channels.Count(), 3);
}

TEST_F(AutoReader, SixteenChannelsAtMost) {
  std::string line;
  for (int i = 1; i <= 17; ++i) line += std::to_string(i) + (i < 17 ? "," : "");
  Read(line);
  EXPECT_EQ(channels.Count(), 16);
  EXPECT_EQ(sample.Number[16], 16);
  EXPECT_TRUE(reader.ChannelsExhausted());
  Read("late:1");
  EXPECT_EQ(Got(), "");
}

TEST_F(AutoReader, BootBannersAndGarbageAreSkippedCountedAndKept) {
  const char* const boot[] = {"ets Jun  8 2016 00:22:57", "rst:0x1 (POWERON_RESET),boot:0x13 (SPI_FAST_FLASH_BOOT)",
                              "configsip: 0, SPIWP:0xee", "mode:DIO, clock div:1", "load:0x3fff0030,len:1184",
                              "entry 0x400805e4", "Ready", "\xff\xfe\x01garbage"};
  for (const char* line : boot) EXPECT_EQ(Read(line), alSkipped) << line;
  EXPECT_EQ(Read("  \t\r"), alBlank);
  EXPECT_EQ(channels.Count(), 0);  // the numbers in a banner place no channel
  EXPECT_EQ(reader.SkippedLines(), 8);
  EXPECT_EQ(reader.LastSkippedLine(), "\xff\xfe\x01garbage");
  Read("1.5,2.5");
  EXPECT_EQ(Read(boot[0]), alSkipped);  // nor after the data began
  EXPECT_EQ(channels.Count(), 2);
  EXPECT_EQ(reader.LastSkippedLine(), boot[0]);
  Read(std::string(1000, 'x'));
  EXPECT_EQ(reader.LastSkippedLine().size(), TAutoReader::kMaxSkippedLineLength);
  reader.ResetCounts();
  EXPECT_EQ(reader.SkippedLines(), 0);
}

TEST_F(AutoReader, ForgottenChannelsArePlacedAnew) {
  Read("a:1,b:2");
  channels[1].Factor = 2;
  reader.ForgetChannels();
  EXPECT_EQ(channels.Count(), 0);
  Read("b:3");
  EXPECT_EQ(Got(), "b=3.00");
  EXPECT_EQ(channels[1].Factor, 2);  // what the user set stays with the row
}

}  // namespace
