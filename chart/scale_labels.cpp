#include "chart/scale_labels.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr size_t kMaxLabelLength = 14;
// Wide enough for every double in fixed point with the decimals an axis can ask for.
constexpr int kMaxFixedPlaces = 400;
using TNumberBuffer = std::array<char, 1024>;

void FormatScientific(double value, std::string& out) {
  TNumberBuffer buf;
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), std::abs(value), std::chars_format::scientific, 1);
  const std::string_view text(buf.data(), size_t(r.ptr - buf.data()));
  const size_t e = text.find('e');
  if (e == std::string_view::npos) {  // inf or nan
    out.assign(value < 0 ? "-" : " ").append(text);
    return;
  }
  if (text.size() - e > 4) {  // "e+" and more than two digits
    out.assign(8, '*');
    return;
  }
  out.assign(1, std::signbit(value) ? '-' : ' ');
  out.append(text.substr(0, e)).append(1, 'E').append(text.substr(e + 1));
}

void StripTrailingZeros(std::string& s) {
  if (s.find('.') == std::string::npos || s.find_first_of("eE") != std::string::npos) return;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
}

// The index-th (1-based) item of a "|"-separated list; the last item for indexes past
// the end.
std::string_view UserTextItem(std::string_view items, int index) {
  std::string_view item;
  size_t start = 0;
  for (int k = 1;; ++k) {
    const size_t bar = items.find('|', start);
    item = items.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start);
    if (k >= index || bar == std::string_view::npos) return item;
    start = bar + 1;
  }
}

void ApplyInscript(std::string_view pattern, std::string& label) {
  if (pattern.empty() || label.empty()) return;
  const size_t amp = pattern.find('&');
  if (amp == std::string_view::npos) {
    label.insert(0, pattern);
    return;
  }
  label.insert(0, pattern.substr(0, amp));
  label.append(pattern.substr(amp + 1));
}

void NumericLabel(const TLabelOptions& o, const TTick& tick, std::string& out) {
  const double span = std::abs(o.RangeHigh - o.RangeLow);
  if (o.Decades && o.DecPlaces == -3) {
    out.clear();
    if (tick.Kind == tkDecade) FormatNumber(std::round(std::log10(tick.Value)), 0, out);
    return;
  }
  const int places = EffectiveDecPlaces(o.DecPlaces, o.Decades, o.RangeLow, o.RangeHigh);
  double value = tick.Value;
  if (!o.Decades && std::abs(value / (o.RangeHigh - o.RangeLow)) < 1e-14) {
    value = 0;
    if (span > 100000) {
      out.assign(places != 0 ? "0.0" : "0");
    } else {
      FormatNumber(0.0, places, out);
    }
  } else {
    FormatNumber(value, places, out);
  }
  if (out.size() > kMaxLabelLength) out.resize(kMaxLabelLength);
  if (o.DecPlaces == 0 && !(std::abs(value - std::round(value)) <= 1e-6)) out.clear();
  if (o.Decades && o.DecPlaces == -2) StripTrailingZeros(out);
}

void AppendPadded(std::string& out, int64_t value, int width) {
  std::array<char, 24> buf;
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value);
  for (int n = int(r.ptr - buf.data()); n < width; ++n) out.push_back('0');
  out.append(buf.data(), r.ptr);
}

// Hours, minutes and seconds of a time of `ms` milliseconds in the block's time format;
// a duration's hours need not stay below 24.
void AppendClock(const TDTLabel& f, int64_t ms, bool thousandths, int hourDigits, std::string& out) {
  const int64_t totalSeconds = ms / 1000;
  const int64_t seconds = totalSeconds % 60;
  const int64_t minutes = totalSeconds / 60;
  switch (f.TimeFormat) {
    case tfMMSS:
      AppendPadded(out, minutes, 1);
      break;
    case tfHHMM:
    case tfHHMMSS:
      AppendPadded(out, minutes / 60, hourDigits);
      out.push_back(f.TimeSeparator);
      AppendPadded(out, minutes % 60, 2);
      break;
  }
  if (f.TimeFormat == tfHHMM) return;
  out.push_back(f.TimeSeparator);
  AppendPadded(out, seconds, 2);
  if (thousandths) {
    out.push_back('.');
    AppendPadded(out, ms % 1000, 3);
  }
}

// Durations of more than this many seconds (some 30 million years) are shown as numbers.
constexpr double kMaxDurationSeconds = 1e15;

void TimeLabel(const TLabelOptions& o, double seconds, std::string& out) {
  const int places = EffectiveDecPlaces(o.DecPlaces, false, o.RangeLow, o.RangeHigh);
  if (!(std::abs(seconds) < kMaxDurationSeconds)) {
    FormatNumber(seconds, -1, out);
    return;
  }
  const bool thousandths = places > 0;
  int64_t ms = int64_t(std::llround(std::abs(seconds) * 1000));
  if (!thousandths) ms = (ms + 500) / 1000 * 1000;
  out.assign(seconds < 0 && ms != 0 ? "-" : "");
  AppendClock(o.DateFormat, ms, thousandths, 1, out);
}

// Civil date of a day count from 1970-01-01 (proleptic Gregorian calendar).
struct TCivilDate {
  int64_t Year;
  int Month, Day;
};

TCivilDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int day = int(doy - (153 * mp + 2) / 5 + 1);
  const int month = int(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2), month, day};
}

// Date values count days from 1899-12-30, the fraction being the time of day; these are
// the days of the years 1 to 9999.
constexpr double kFirstDateDay = -693593;
constexpr double kEndDateDay = 2958466;
constexpr int64_t kUnixEpochDay = 25569;
constexpr int64_t kMsPerDay = 86400000;

constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "M\xE4r", "Apr", "Mai", "Jun",
                                                     "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

void AppendDate(const TDTLabel& f, int64_t day, std::string& out) {
  const TCivilDate d = CivilFromDays(day - kUnixEpochDay);
  static constexpr std::array<const char*, 3> kFieldOrder = {"DMY", "MDY", "YMD"};  // by TDateOrder
  const char* order = kFieldOrder[f.DateOrder];
  for (int i = 0; i < 3; ++i) {
    if (i > 0) out.push_back(f.DateSeparator);
    switch (order[i]) {
      case 'D':
        AppendPadded(out, d.Day, 2);
        break;
      case 'M':
        if (f.MonthName) {
          out.append(kMonthNames[size_t(d.Month - 1)]);
        } else {
          AppendPadded(out, d.Month, 2);
        }
        break;
      default:
        AppendPadded(out, f.YearLength == ylYY ? d.Year % 100 : d.Year, f.YearLength == ylYY ? 2 : 4);
        break;
    }
  }
}

void DateTimeLabel(const TLabelOptions& o, double value, TLabelRun& run, std::string& out) {
  if (!(value >= kFirstDateDay && value < kEndDateDay)) {
    FormatNumber(value, -1, out);
    return;
  }
  // Before the epoch the day counts down while the time of day still counts up.
  const double whole = std::trunc(value);
  const int64_t day = int64_t(whole);
  const int64_t ms = std::min<int64_t>(std::llround(std::abs(value - whole) * kMsPerDay), kMsPerDay - 1);
  const TDTLabel& f = o.DateFormat;
  const bool withDate = f.DateForTime == dtAll || (f.DateForTime == dtOnePerDay && day != run.PreviousDay);
  run.PreviousDay = day;
  out.clear();
  if (withDate) {
    AppendDate(f, day, out);
    out.push_back(' ');
  }
  AppendClock(f, ms, false, 2, out);
}

}  // namespace

int EffectiveDecPlaces(int decPlaces, bool decades, double lo, double hi) {
  const double span = std::abs(hi - lo);
  const bool automatic = decades ? decPlaces == -2 : decPlaces == -2 || decPlaces == -3;
  if (!automatic) return decPlaces;
  if (span >= 1000000 || span <= 0.0001 || !std::isfinite(span)) return -1;
  if (decades) {
    const double min = std::min(lo, hi);
    if (min >= 1) return 0;
    return 1 - int(std::nearbyint(std::log(std::abs(min)) / std::log(10.0)));
  }
  if (span >= 100) return 0;
  return 2 - int(std::nearbyint(std::log(span) / 2.5));
}

void FormatNumber(double value, int places, std::string& out) {
  if (places < 0) {
    FormatScientific(value, out);
    return;
  }
  TNumberBuffer buf;
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed,
                               std::min(places, kMaxFixedPlaces));
  if (r.ec != std::errc{}) {
    FormatScientific(value, out);
    return;
  }
  out.assign(buf.data(), r.ptr);
}

void TickLabelText(const TLabelOptions& options, const TTick& tick, int labelIndex, TLabelRun& run,
                   std::string& out) {
  switch (options.LabelType) {
    case ftNoFigs:
      out.clear();
      return;
    case ftUserText:
      out.assign(UserTextItem(options.UserTickText, labelIndex));
      return;
    case ftNum:
      NumericLabel(options, tick, out);
      break;
    case ftTime:
      TimeLabel(options, tick.Value, out);
      break;
    case ftDateTime:
      DateTimeLabel(options, tick.Value, run, out);
      break;
  }
  ApplyInscript(options.ScaleInscript, out);
}
