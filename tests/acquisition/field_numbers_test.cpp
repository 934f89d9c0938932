#include "acquisition/field_numbers.h"

#include <gtest/gtest.h>

#include <string>

#include "acquisition/sample_scaling.h"

namespace {

std::string ConversionMessage(std::string_view text, char separator) {
  try {
    ReadFieldFloat(text, separator);
  } catch (const EConvertError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ReadFieldDouble, KeepsTheDigitsOfADoubleAndTheFloatReadersErrors) {
  EXPECT_EQ(ReadFieldDouble("0,7", ','), 0.7);
  EXPECT_EQ(ReadFieldDouble(" +2,5E3 ", ','), 2500.0);
  EXPECT_EQ(ReadFieldDouble("5,", ','), 5.0);
  EXPECT_EQ(ReadFieldDouble(",05", ','), 0.05);
  EXPECT_EQ(ReadFieldDouble("-1.25", '.'), -1.25);
  EXPECT_THROW(ReadFieldDouble("0.7", ','), EConvertError);
  EXPECT_THROW(ReadFieldDouble("  ", ','), EConvertError);
}

TEST(ReadFieldFloat, LocaleSeparator) {
  EXPECT_EQ(ReadFieldFloat("1,000000000", ','), 1.0f);
  EXPECT_EQ(ReadFieldFloat("10,5", ','), 10.5f);
  EXPECT_EQ(ReadFieldFloat("10.5", '.'), 10.5f);
  EXPECT_EQ(ReadFieldFloat(" -0,25 ", ','), -0.25f);
  EXPECT_EQ(ReadFieldFloat("+3", ','), 3.0f);
  EXPECT_EQ(ReadFieldFloat("1000", ','), 1000.0f);
  EXPECT_EQ(ReadFieldFloat("2,5E3", ','), 2500.0f);
  EXPECT_EQ(ReadFieldFloat("5,", ','), 5.0f);
  EXPECT_EQ(ReadFieldFloat(",5", ','), 0.5f);
  EXPECT_EQ(ReadFieldFloat("0,1", ','), 0.1f);
  EXPECT_EQ(ReadFieldFloat("1e-50", '.'), 0.0f);
  EXPECT_EQ(ReadFieldFloat("1e-400", '.'), 0.0f);
  // Too small without an exponent, or despite a positive one, is still zero.
  EXPECT_EQ(ReadFieldFloat("0," + std::string(400, '0') + "1", ','), 0.0f);
  EXPECT_EQ(ReadFieldFloat("0." + std::string(400, '0') + "1e+5", '.'), 0.0f);
  EXPECT_EQ(ReadFieldFloat("0,0001e-99999999999999999999", ','), 0.0f);
}

TEST(ReadFieldFloat, TextThatIsNoNumber) {
  EXPECT_EQ(ConversionMessage("", ','), "'' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(ConversionMessage("1.5", ','), "'1.5' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(ConversionMessage("1,5", '.'), "'1,5' ist kein gültiger Gleitkommawert");
  for (const char* text : {",", "-", "1,2,3", "1e", "1e+", "abc", "1 2", "--1", "1-"}) {
    EXPECT_THROW(ReadFieldFloat(text, ','), EConvertError) << text;
  }
}

TEST(ReadFieldFloat, BeyondSinglePrecisionOverflows) {
  EXPECT_THROW(ReadFieldFloat("1e39", ','), EOverflow);
  EXPECT_THROW(ReadFieldFloat("-1e400", ','), EOverflow);
  EXPECT_THROW(ReadFieldFloat("0,001e99999999999999999999", ','), EOverflow);
  EXPECT_THROW(ReadFieldFloat(std::string(400, '9') + "e-50", ','), EOverflow);
  EXPECT_EQ(ReadFieldFloat("3,4e38", ','), 3.4e38f);
}

TEST(ReadFieldInteger, LeadingDigitsCount) {
  EXPECT_EQ(ReadFieldInteger("5"), 5);
  EXPECT_EQ(ReadFieldInteger(" 115200"), 115200);
  EXPECT_EQ(ReadFieldInteger("12abc"), 12);
  EXPECT_EQ(ReadFieldInteger("abc"), 0);
  EXPECT_EQ(ReadFieldInteger(""), 0);
  EXPECT_EQ(ReadFieldInteger("-7"), -7);
  EXPECT_EQ(ReadFieldInteger("99999999999"), 2147483647);
  EXPECT_EQ(ReadFieldInteger("-99999999999"), -2147483647 - 1);
}

}  // namespace
