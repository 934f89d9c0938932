#pragma once
// The fields of a line in the "Auto" mode. Fields are separated by ";", ",", a tab or a
// run of spaces; spaces beside another separator, or beside the ":" or "=" of a name,
// belong to it. A field "name:value" or "name=value" names its channel, a field without
// a name stands for its position in the line. "." is the decimal separator, so "4,75"
// is two fields.

#include <array>
#include <cstdint>
#include <string_view>

enum TAutoLineKind : uint8_t {
  alSample,  // at least one field is a number
  alHeader,  // only names, such as "time,temp,hum": they name the channels by position
  alBlank,  // nothing but blanks and control characters
  alSkipped,  // not a sample: text without a number ("Ready", a reset's garbage), or whose
             // numbers find no channel (a boot banner such as "load:0x3fff0030,len:1344")
};

struct TAutoField {
  std::string_view Name;  // empty for a field without a name
  std::string_view Text;  // the value's text; the whole field when it has no name
  int32_t Position = 0;  // 1-based among the line's fields
  bool IsNumber = false;
  double Number = 0;
};

// More fields than this in one line are not read: they could not all find a channel.
constexpr int32_t kMaxAutoFields = 32;

struct TAutoFields {
  std::array<TAutoField, kMaxAutoFields> Fields;
  int32_t Count = 0;
  bool Truncated = false;  // the line had more fields
  bool HardSeparators = false;  // ";", "," or tab separated them, not only spaces
};

// Splits the line and tells what kind it is: a sample when any field is a number. The
// views point into the line.
TAutoLineKind SplitAutoLine(std::string_view line, TAutoFields& out);

// Whether the fields look like a board's data, so that they may place new channels:
// each is empty, a number (named or not), or a short word without digits such as a
// unit ("C", "%", "hPa") or a gap mark ("nan", "-"). Boot banners hold words and
// named texts ("mode:DIO", "SPIWP:0xee") and place none.
bool LooksLikeData(const TAutoFields& fields);

// Whether all of the text reads as one finite number: an optional sign, digits with "."
// as decimal separator, an optional exponent. "21.5C", "0x1F", "nan" and "" do not.
bool ReadWholeNumber(std::string_view text, double& value);
