#pragma once
// The text of one sample line as a device sends it. By default one value, or values
// separated by ";", "." as decimal separator whatever the locale, ended by CR LF; boards
// also separate by "," spaces or tabs, write "name:value", end lines with LF or CR
// alone, and print a header line first. Each value is written with the fewest digits
// that read back as exactly the same single-precision number.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

constexpr int MaxSimChannels = 16;
constexpr size_t MaxSimNameLength = 16;
// The shortest text of any finite float, such as "-1.1754944e-38", has 15 characters or fewer.
constexpr size_t MaxValueLength = 16;
// Longest line FormatLine writes: every channel named, separators, CR LF.
constexpr size_t MaxSampleLineLength = MaxSimChannels * (MaxSimNameLength + 1 + MaxValueLength + 1) + 2;
// Longest header line.
constexpr size_t MaxHeaderLength = MaxSimChannels * (MaxSimNameLength + 1) + 2;

struct TLineFormat {
  char Separator = ';';  // ';', ',', ' ' or '\t'
  bool Named = false;  // every value written as name:value
  std::vector<std::string> Names;  // one per channel, for Named and the header
  std::string LineEnd = "\r\n";  // "\r\n", "\n" or "\r"
};

// Writes the line for the values (1 to MaxSimChannels, finite) to out, which holds at
// least MaxSampleLineLength bytes, and returns its length.
size_t FormatLine(char* out, const TLineFormat& format, std::span<const float> values, bool terminated = true);

// The names separated as the values are, with the line end.
size_t FormatHeader(char* out, const TLineFormat& format);
