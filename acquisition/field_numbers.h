#pragma once
// Numbers typed into the window's fields, read with the locale's decimal separator.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Blanks around the number are allowed; a sign, digits with the locale's separator and
// an exponent are read. Throws EConvertError "'<text>' ist kein gültiger
// Gleitkommawert" for any other text, the empty one included, and EOverflow when the
// value exceeds the single-precision range.
float ReadFieldFloat(std::string_view text, char decimalSeparator);

// The same text and errors, read to double precision (a cutoff of 0.7 stays 0.7).
double ReadFieldDouble(std::string_view text, char decimalSeparator);

// Blanks, an optional sign and decimal digits; reading stops at the first other
// character and yields the digits read so far (0 for a text that starts with a letter).
// Values beyond the 32-bit range are limited to it.
int32_t ReadFieldInteger(std::string_view text);
