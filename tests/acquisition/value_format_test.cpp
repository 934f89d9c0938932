#include "acquisition/value_format.h"

#include <gtest/gtest.h>

namespace {

std::string Text(double v, char separator = ',') {
  std::string out;
  AppendValueText(out, v, separator);
  return out;
}

TEST(ValueFormat, PlainNotation) {
  EXPECT_EQ(Text(1.5), "1,5");
  EXPECT_EQ(Text(1.5, '.'), "1.5");
  EXPECT_EQ(Text(-21), "-21");
  EXPECT_EQ(Text(0.0001), "0,0001");
  EXPECT_EQ(Text(123456789012345.0), "123456789012345");
  EXPECT_EQ(Text(double(0.1f)), "0,100000001490116");
  EXPECT_EQ(Text(double(0.1f), '.'), "0.100000001490116");
  EXPECT_EQ(Text(2.0), "2");
}

TEST(ValueFormat, ScientificNotation) {
  EXPECT_EQ(Text(1e20), "1E20");
  EXPECT_EQ(Text(1.5e-5), "1,5E-5");
  EXPECT_EQ(Text(1.5e-5, '.'), "1.5E-5");
  EXPECT_EQ(Text(1e15), "1E15");
  EXPECT_EQ(Text(-2.5e-12), "-2,5E-12");
  EXPECT_EQ(Text(3.4028234663852886e38), "3,40282346638529E38");
  EXPECT_EQ(Text(99999999999999999.0), "1E17");
}

TEST(ValueFormat, ZeroInEveryForm) {
  EXPECT_EQ(Text(0.0), "0");
  EXPECT_EQ(Text(-0.0), "0");
}

TEST(ValueFormat, AppendsToExistingText) {
  std::string out = " ";
  AppendValueText(out, 2, ',');
  out += "      ";
  AppendValueText(out, 21, ',');
  EXPECT_EQ(out, " 2      21");
}

}  // namespace
