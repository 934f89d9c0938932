#include "chart/scale_labels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string Label(const TLabelOptions& o, double value, TTickKind kind = tkMajor, int index = 1) {
  TLabelRun run;
  std::string out = "stale";
  TickLabelText(o, {value, kind}, index, run, out);
  return out;
}

TLabelOptions Linear(double lo, double hi, int decPlaces = -2) {
  TLabelOptions o;
  o.RangeLow = lo;
  o.RangeHigh = hi;
  o.DecPlaces = decPlaces;
  return o;
}

TLabelOptions Decades(double lo, double hi, int decPlaces = -2) {
  TLabelOptions o = Linear(lo, hi, decPlaces);
  o.Decades = true;
  return o;
}

std::string Number(double value, int places) {
  std::string out;
  FormatNumber(value, places, out);
  return out;
}

}  // namespace

TEST(ScaleLabels, AutomaticDecimalPlacesLinear) {
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 1, 10), 1);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, 1), 2);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, 50), 0);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, 2000000), -1);
  EXPECT_EQ(EffectiveDecPlaces(-3, false, 1, 10), 1);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 10, 1), 1);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, 100), 0);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, 1000000), -1);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, 0.0001), -1);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, 0.001), 5);
  // ln(span) / 2.5 = -0.5 exactly: half to even gives 0, not -1.
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, std::exp(-1.25)), 2);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, std::exp(1.25)), 2);
  EXPECT_EQ(EffectiveDecPlaces(-2, false, 0, std::numeric_limits<double>::quiet_NaN()), -1);
  EXPECT_EQ(EffectiveDecPlaces(0, false, 0, 1), 0);
  EXPECT_EQ(EffectiveDecPlaces(7, false, 0, 1), 7);
}

TEST(ScaleLabels, AutomaticDecimalPlacesDecades) {
  EXPECT_EQ(EffectiveDecPlaces(-2, true, 1, 1000), 0);
  EXPECT_EQ(EffectiveDecPlaces(-2, true, 0.01, 10), 3);
  EXPECT_EQ(EffectiveDecPlaces(-2, true, 10, 0.01), 3);
  EXPECT_EQ(EffectiveDecPlaces(-2, true, 0.05, 50), 2);
  EXPECT_EQ(EffectiveDecPlaces(-2, true, 1, 1e7), -1);
  EXPECT_EQ(EffectiveDecPlaces(-2, true, 1e-6, 1e-5), -1);
  EXPECT_EQ(EffectiveDecPlaces(-3, true, 1, 1000), -3);  // not automatic on decades
}

TEST(ScaleLabels, NumberText) {
  EXPECT_EQ(Number(1.5, 1), "1.5");
  EXPECT_EQ(Number(-2, 2), "-2.00");
  EXPECT_EQ(Number(1000, 0), "1000");
  EXPECT_EQ(Number(0.125, 4), "0.1250");
  EXPECT_EQ(Number(1200, -1), " 1.2E+03");
  EXPECT_EQ(Number(-0.00012, -1), "-1.2E-04");
  EXPECT_EQ(Number(996, -1), " 1.0E+03");
  EXPECT_EQ(Number(0, -1), " 0.0E+00");
  EXPECT_EQ(Number(1e100, -1), "********");
  EXPECT_EQ(Number(-1e-100, -1), "********");
  EXPECT_EQ(Number(1e308, 12).size(), 322u);
  EXPECT_FALSE(Number(std::numeric_limits<double>::quiet_NaN(), 2).empty());
  EXPECT_FALSE(Number(-std::numeric_limits<double>::infinity(), -1).empty());
}

TEST(ScaleLabels, LinearAxisLabels) {
  EXPECT_EQ(Label(Linear(1, 10), 2), "2.0");
  EXPECT_EQ(Label(Linear(1, 10), 10), "10.0");
  EXPECT_EQ(Label(Linear(0, 1), 0.4), "0.40");
  EXPECT_EQ(Label(Linear(0, 50), 20), "20");
  EXPECT_EQ(Label(Linear(0, 2000000), 1000000), " 1.0E+06");
  EXPECT_EQ(Label(Linear(0, 1000, 0), 200), "200");
  // Zero within 1e-14 of the span; large spans write it plainly.
  EXPECT_EQ(Label(Linear(-1, 1), -1e-17), "0.00");
  EXPECT_EQ(Label(Linear(-1, 1), 1e-13), "0.00");
  EXPECT_EQ(Label(Linear(0, 2000000), 1e-9), "0.0");
  EXPECT_EQ(Label(Linear(0, 200000, 0), 1e-10), "0");
  EXPECT_EQ(Label(Linear(0, 200000, 3), 0), "0.0");
  EXPECT_EQ(Label(Linear(0, 50000), 1e-12), "0");
  // Cut to 14 characters.
  EXPECT_EQ(Label(Linear(0, 1000, 12), 123.456), "123.4560000000");
  EXPECT_EQ(Label(Linear(0, 1, 12), -0.5), "-0.50000000000");
  // Linear axes keep their trailing zeros.
  EXPECT_EQ(Label(Linear(0, 1, 3), 0.5), "0.500");
}

TEST(ScaleLabels, DecPlacesZeroLabelsOnlyIntegers) {
  const TLabelOptions o = Linear(0, 1.5, 0);
  EXPECT_EQ(Label(o, 0), "0");
  EXPECT_EQ(Label(o, 0.5), "");
  EXPECT_EQ(Label(o, 1), "1");
  EXPECT_EQ(Label(o, 1.5), "");
  EXPECT_EQ(Label(o, 1.0000001), "1");
  EXPECT_EQ(Label(o, 0.999998), "");
}

TEST(ScaleLabels, DecadeLabels) {
  // DecPlaces -3: the decade exponent, nothing between decades.
  EXPECT_EQ(Label(Decades(1, 1000, -3), 1000, tkDecade), "3");
  EXPECT_EQ(Label(Decades(1, 1000, -3), 1, tkDecade), "0");
  EXPECT_EQ(Label(Decades(0.001, 1, -3), 0.01, tkDecade), "-2");
  EXPECT_EQ(Label(Decades(1, 1000, -3), 20, tkMajor), "");
  // DecPlaces -2: trailing zeros go, but only behind a ".".
  EXPECT_EQ(Label(Decades(1, 1000), 100, tkDecade), "100");
  EXPECT_EQ(Label(Decades(0.01, 10), 0.02), "0.02");
  EXPECT_EQ(Label(Decades(0.01, 10), 1, tkDecade), "1");
  EXPECT_EQ(Label(Decades(0.01, 10), 10, tkDecade), "10");
  EXPECT_EQ(Label(Decades(1, 1e7), 1e6, tkDecade), " 1.0E+06");
  // Other DecPlaces are used as given.
  EXPECT_EQ(Label(Decades(1, 1000, 2), 20), "20.00");
}

TEST(ScaleLabels, UserTextAndInscript) {
  TLabelOptions u = Linear(0, 1);
  u.LabelType = ftUserText;
  u.UserTickText = "a|b||d";
  u.ScaleInscript = "& V";
  EXPECT_EQ(Label(u, 0, tkMajor, 1), "a");
  EXPECT_EQ(Label(u, 0, tkMajor, 2), "b");
  EXPECT_EQ(Label(u, 0, tkMajor, 3), "");
  EXPECT_EQ(Label(u, 0, tkMajor, 4), "d");
  EXPECT_EQ(Label(u, 0, tkMajor, 9), "d");
  u.UserTickText = "";
  EXPECT_EQ(Label(u, 0, tkMajor, 1), "");

  TLabelOptions n = Linear(1, 10);
  n.ScaleInscript = "& V";
  EXPECT_EQ(Label(n, 2), "2.0 V");
  n.ScaleInscript = "U=&V&";
  EXPECT_EQ(Label(n, 2), "U=2.0V&");
  n.ScaleInscript = "x";
  EXPECT_EQ(Label(n, 2), "x2.0");
  n.DecPlaces = 0;
  EXPECT_EQ(Label(n, 2.5), "");  // an empty label stays empty

  TLabelOptions none = Linear(0, 1);
  none.LabelType = ftNoFigs;
  EXPECT_EQ(Label(none, 0.5), "");
}

TEST(ScaleLabels, DurationAndDateLabels) {
  TLabelOptions t = Linear(0, 10000, 4);
  t.LabelType = ftTime;
  EXPECT_EQ(Label(t, 3725.5), "1:02:05.500");
  EXPECT_EQ(Label(t, -61), "-0:01:01.000");
  t.DecPlaces = 0;
  EXPECT_EQ(Label(t, 59.9996), "0:01:00");
  t.DateFormat.TimeFormat = tfMMSS;
  EXPECT_EQ(Label(t, 3725), "62:05");

  TLabelOptions d = Linear(45000, 45002, 0);
  d.LabelType = ftDateTime;
  EXPECT_EQ(Label(d, 45000.5), "15-03-2023 12:00:00");
  EXPECT_EQ(Label(d, -1.25), "29-12-1899 06:00:00");  // before the epoch the time still counts up
  EXPECT_EQ(Label(d, 60), "28-02-1900 00:00:00");
  EXPECT_EQ(Label(d, 2958465.999999), "31-12-9999 23:59:59");
  d.DateFormat.DateOrder = doMMDDYY;
  d.DateFormat.YearLength = ylYY;
  d.DateFormat.MonthName = true;
  d.DateFormat.DateSeparator = '/';
  EXPECT_EQ(Label(d, 45000.25), "M\xE4r/15/23 06:00:00");
  // One date per day: only the first label of each day carries it.
  d.DateFormat = TDTLabel{};
  TLabelRun run;
  std::string a, b, c;
  TickLabelText(d, {45000.25, tkMajor}, 1, run, a);
  TickLabelText(d, {45000.5, tkMajor}, 2, run, b);
  TickLabelText(d, {45001, tkMajor}, 3, run, c);
  EXPECT_EQ(a + "|" + b + "|" + c, "15-03-2023 06:00:00|12:00:00|16-03-2023 00:00:00");
  // Any double gives some text.
  for (double v : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300, std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(Label(t, v).empty()) << v;
    EXPECT_FALSE(Label(d, v).empty()) << v;
  }
}
