#include "acquisition/number_reader.h"

#include <array>
#include <cmath>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a complete number is built from its leading significant digits only, so
// that a line of thousands of digits still reads as a finite number of the right size.
constexpr long double kSignificandLimit = 1e30L;
// Exponents beyond this decide nothing more: the value is 0 or overflows either way.
constexpr int32_t kExponentLimit = 100000;

// 10^0 to 10^27, the powers of ten that long double holds exactly: what pow gives for
// them, at a fraction of its cost for the scales that ordinary samples have.
constexpr auto kExactPowersOfTen = [] {
  std::array<long double, 28> powers{};
  long double p = 1;
  for (long double& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

long double PowerOfTen(int32_t n) {
  if (size_t(n) < kExactPowersOfTen.size()) return kExactPowersOfTen[size_t(n)];
  return std::pow(10.0L, static_cast<long double>(n));
}

class TNumberDigits {
 public:
  void AddIntegerDigit(int digit) {
    Mantissa_ = Mantissa_ * 10 + digit;
    if (Significand_ < kSignificandLimit) {
      Significand_ = Significand_ * 10 + digit;
    } else {
      ++Scale_;
    }
  }
  void AddFractionDigit(int digit) {
    Mantissa_ = Mantissa_ * 10 + digit;
    if (Significand_ < kSignificandLimit) {
      Significand_ = Significand_ * 10 + digit;
      --Scale_;
    }
  }
  // All digits read so far as one integer: the value of a number that stopped early.
  long double Mantissa() const { return Mantissa_; }
  long double Value(int32_t exponent) const {
    if (Significand_ == 0) return 0;
    const int32_t scale = exponent + Scale_;
    const long double power = PowerOfTen(scale < 0 ? -scale : scale);
    return scale < 0 ? Significand_ / power : Significand_ * power;
  }

 private:
  long double Mantissa_ = 0;
  long double Significand_ = 0;
  int32_t Scale_ = 0;  // power of ten that the significand is short of the number
};

}  // namespace

TReadNumberResult ReadNumber(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  const size_t n = text.size();
  size_t i = 0;
  TNumberDigits digits;
  auto stoppedAt = [&](size_t index) { return TReadNumberResult{digits.Mantissa(), int32_t(index + 1)}; };

  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == n) return stoppedAt(n);

  while (i < n && IsDigit(text[i])) digits.AddIntegerDigit(text[i++] - '0');
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) digits.AddFractionDigit(text[i++] - '0');
  }
  int32_t exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
      negativeExponent = text[i] == '-';
      ++i;
    }
    if (i == n || !IsDigit(text[i])) return stoppedAt(i);
    while (i < n && IsDigit(text[i])) {
      if (exponent < kExponentLimit) exponent = exponent * 10 + (text[i] - '0');
      ++i;
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i < n) return stoppedAt(i);

  const long double value = digits.Value(exponent);
  return {negative ? -value : value, 0};
}
