#pragma once
// The text of CSV files a spreadsheet opens as numbers. Where the desktop writes decimal
// commas, a spreadsheet expects ";" between fields and "," in numbers; elsewhere "," and
// ".". Numbers are written with the fewest digits that read back as exactly the value.

#include <string>
#include <string_view>

struct TCsvFormat {
  char Separator = ',';
  char DecimalPoint = '.';
};

// The format for a desktop whose decimal separator is decimalSeparator.
TCsvFormat CsvFormatFor(char decimalSeparator);

// A value that is a single-precision number is written as that number (0.1f as "0.1",
// not as the digits of its double); others with the digits of the double. NaN and the
// infinities are written as an empty field: a spreadsheet would take them for text.
void AppendCsvNumber(std::string& out, double value, const TCsvFormat& format);

// Seconds with six decimals, so that microseconds are kept and the column lines up.
void AppendCsvSeconds(std::string& out, double seconds, const TCsvFormat& format);

// One field of text, quoted (quotes doubled) when it holds the separator, a quote or a
// line end.
void AppendCsvText(std::string& out, std::string_view text, const TCsvFormat& format);
