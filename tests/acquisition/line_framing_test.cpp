#include "acquisition/line_framing.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class TRecorder : public TLineReceiver {
 public:
  bool ProcessLine(std::string_view line) override {
    Lines.emplace_back(line);
    if (FailOn && line == FailOn) throw std::runtime_error("failed");
    return !(DeclineAfter && line == DeclineAfter);
  }
  std::vector<std::string> Lines;
  const char* FailOn = nullptr;
  const char* DeclineAfter = nullptr;
};

using Lines = std::vector<std::string>;

// Feeds text in blocks of the given size (0: all at once).
Lines Frame(const std::string& text, size_t blockSize = 0, TRecorder* recorder = nullptr) {
  TRecorder local;
  TRecorder& r = recorder ? *recorder : local;
  TLineFraming framing(r);
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  if (blockSize == 0) blockSize = text.size() ? text.size() : 1;
  for (size_t i = 0; i < text.size(); i += blockSize) framing.Feed(bytes + i, std::min(blockSize, text.size() - i));
  return r.Lines;
}

TEST(LineFraming, BlockBoundariesAnywhere) {
  const std::string text = "1.5\r\n2.5\r\n";
  for (size_t block : {0, 1, 2, 3, 4, 5, 7}) EXPECT_EQ(Frame(text, block), (Lines{"1.5", "2.5"})) << block;
}

TEST(LineFraming, CrAtEndOfBlockAndLfAtStartOfNext) {
  TRecorder r;
  TLineFraming framing(r);
  framing.Feed(reinterpret_cast<const uint8_t*>("7\r"), 2);
  EXPECT_TRUE(r.Lines.empty());
  EXPECT_EQ(framing.TerminatorPos(), 2);
  framing.Feed(reinterpret_cast<const uint8_t*>("\n"), 1);
  EXPECT_EQ(r.Lines, Lines{"7"});
  EXPECT_EQ(framing.TerminatorPos(), 1);
}

TEST(LineFraming, TerminatorQuirks) {
  EXPECT_EQ(Frame("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(Frame("1\r\n\r\n2\r\n"), (Lines{"1", "", "2"}));
  EXPECT_EQ(Frame("12\r3\r\n"), Lines{"123"});  // a lone CR is dropped
  EXPECT_EQ(Frame("12\n3\r\n"), Lines{"12\n3"});  // LF without CR is text
  EXPECT_EQ(Frame(std::string("a\0b\x01\r\n", 6)), Lines{std::string("a\0b\x01", 4)});
}

TEST(LineFraming, CrCrLfDoesNotEndTheLine) {
  TRecorder r;
  TLineFraming framing(r);
  framing.Feed(reinterpret_cast<const uint8_t*>("12\r\r\n"), 5);
  EXPECT_TRUE(r.Lines.empty());
  EXPECT_EQ(framing.PendingLine(), "12\r\n");
  framing.Feed(reinterpret_cast<const uint8_t*>("x\r\n"), 3);
  EXPECT_EQ(r.Lines, Lines{"12\r\nx"});
}

TEST(LineFraming, EmptyBlockAndPartialLineSurvive) {
  TRecorder r;
  TLineFraming framing(r);
  framing.Feed(reinterpret_cast<const uint8_t*>("4"), 1);
  framing.Feed(nullptr, 0);
  EXPECT_EQ(framing.PendingLine(), "4");
  framing.Feed(reinterpret_cast<const uint8_t*>("2\r\n"), 3);
  EXPECT_EQ(r.Lines, Lines{"42"});
}

TEST(LineFraming, LongUnterminatedStreamStaysBoundedAndNextLineReads) {
  TRecorder r;
  TLineFraming framing(r);
  const std::string garbage(4096, 'x');
  for (int i = 0; i < 1000; ++i) {  // 4 MB without a terminator
    framing.Feed(reinterpret_cast<const uint8_t*>(garbage.data()), garbage.size());
    ASSERT_LT(framing.PendingLine().size(), TLineFraming::MaxPendingLine);
  }
  const std::string tail = "\r\n3.25\r\n";
  framing.Feed(reinterpret_cast<const uint8_t*>(tail.data()), tail.size());
  ASSERT_EQ(r.Lines.size(), 2u);
  EXPECT_EQ(r.Lines[1], "3.25");
}

TEST(LineFraming, FailedLineIsDiscardedAndRestOfBlockNotFramed) {
  TRecorder r;
  r.FailOn = "bad";
  TLineFraming framing(r);
  const std::string block = "1\r\nbad\r\n2\r\n";
  EXPECT_THROW(framing.Feed(reinterpret_cast<const uint8_t*>(block.data()), block.size()), std::runtime_error);
  EXPECT_EQ(r.Lines, (Lines{"1", "bad"}));
  EXPECT_EQ(framing.PendingLine(), "");
  EXPECT_EQ(framing.TerminatorPos(), 1);
  framing.Feed(reinterpret_cast<const uint8_t*>("3\r\n"), 3);
  EXPECT_EQ(r.Lines.back(), "3");
}

TEST(LineFraming, DeclinedBlockRestIsDropped) {
  TRecorder r;
  r.DeclineAfter = "2";
  TLineFraming framing(r);
  const std::string block = "1\r\n2\r\n3\r\n4";
  framing.Feed(reinterpret_cast<const uint8_t*>(block.data()), block.size());
  EXPECT_EQ(r.Lines, (Lines{"1", "2"}));
  EXPECT_EQ(framing.PendingLine(), "");
  framing.Feed(reinterpret_cast<const uint8_t*>("5\r\n"), 3);
  EXPECT_EQ(r.Lines.back(), "5");
}

TEST(LineFraming, AnyTerminatorByIndex) {
  TRecorder r;
  TLineFraming framing(r, "#!");
  const std::string text = "a#!b##!c#!";  // in "##!" the second # fails against "!" and is kept, so "!" is text too
  framing.Feed(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  EXPECT_EQ(r.Lines, (Lines{"a", "b#!c"}));
}

}  // namespace
