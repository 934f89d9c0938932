#include "acquisition/number_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

void ExpectRead(std::string_view text, long double value, int errorPos) {
  const TReadNumberResult r = ReadNumber(text);
  EXPECT_EQ(r.ErrorPos, errorPos) << '"' << text << '"';
  EXPECT_NEAR(double(r.Value), double(value), std::fabs(double(value)) * 1e-15) << '"' << text << '"';
}

TEST(ReadNumber, CompleteNumbers) {
  ExpectRead("1.5", 1.5L, 0);
  ExpectRead("2.5e-3", 0.0025L, 0);
  ExpectRead("-4E2", -400, 0);
  ExpectRead("+7", 7, 0);
  ExpectRead(".5", 0.5L, 0);
  ExpectRead("5.", 5, 0);
  ExpectRead(".", 0, 0);
  ExpectRead("  12", 12, 0);
  ExpectRead("e5", 0, 0);  // no digits needed before the exponent
  ExpectRead("1e+2", 100, 0);
  ExpectRead("0.000001", 1e-6L, 0);
  ExpectRead("1e-400", 0, 0);
}

TEST(ReadNumber, StoppedReadingGivesAllDigitsAsOneInteger) {
  ExpectRead("12.5x", 125, 5);
  ExpectRead("3,14", 3, 2);
  ExpectRead("-3x", 3, 3);
  ExpectRead("1e+x", 1, 4);
  ExpectRead("1 2", 1, 2);
  ExpectRead("abc", 0, 1);
  ExpectRead("1.5e", 15, 5);  // an exponent needs a digit
  ExpectRead("2.5e3.", 25, 6);  // after the exponent only digits
  ExpectRead("\t1", 0, 1);  // only blanks are skipped
}

TEST(ReadNumber, EndAfterSignOrBlanks) {
  ExpectRead("", 0, 1);
  ExpectRead("-", 0, 2);
  ExpectRead("   ", 0, 4);
}

TEST(ReadNumber, StopsAtFirstNulByte) {
  ExpectRead(std::string("42\0x", 4), 42, 0);
  ExpectRead(std::string("\0" "7", 2), 0, 1);
}

TEST(ReadNumber, NegativeZeroAndSign) {
  const TReadNumberResult r = ReadNumber("-0");
  EXPECT_EQ(r.ErrorPos, 0);
  EXPECT_EQ(r.Value, 0);
}

TEST(ReadNumber, HugeDigitRunsStayFinite) {
  // A line of thousands of digits reads as a number of the right size, never NaN.
  const std::string digits(5000, '9');
  EXPECT_GT(ReadNumber(digits).Value, 1e38L);
  const TReadNumberResult fraction = ReadNumber("0." + digits);
  EXPECT_EQ(fraction.ErrorPos, 0);
  EXPECT_NEAR(double(fraction.Value), 1.0, 1e-15);
  const TReadNumberResult zeros = ReadNumber(std::string(6000, '0') + "e99999999999");
  EXPECT_EQ(zeros.ErrorPos, 0);
  EXPECT_EQ(zeros.Value, 0);
  EXPECT_FALSE(std::isnan(double(ReadNumber("1" + digits + "." + digits).Value)));
}

}  // namespace
