#include "chart/scale.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/chart/recording_canvas.h"

using ::testing::ElementsAre;

namespace {

// The main window's chart.
constexpr TChartGeometry kMainChart{577, 361, 80, 20, 30, 45, 1};

TScale MakeScale(TScaleType type, double lo, double hi, const TChartGeometry& chart = kMainChart, int scalePos = 0) {
  TScale s(type, 1);
  s.Place(chart, scalePos);
  s.SetRangeLow(lo);
  s.SetRangeHigh(hi);
  s.SetVisible(true);
  return s;
}

// The LineTo ends of all ticks (everything drawn after the base line's MoveTo/LineTo).
std::vector<std::string> TickEnds(const TRecordingCanvas& c) {
  std::vector<std::string> ends;
  const auto lines = c.Named("LineTo");
  for (size_t i = 1; i < lines.size(); ++i) ends.push_back(lines[i].ToString());
  return ends;
}

std::vector<std::string> Texts(const TRecordingCanvas& c) {
  std::vector<std::string> texts;
  for (const TCanvasCall& call : c.Named("TextOut")) texts.push_back(call.ToString());
  return texts;
}

}  // namespace

TEST(Scale, Names) {
  EXPECT_EQ(TScale(sctXT, 1).Name(), "GC_FScale_X_1");
  EXPECT_EQ(TScale(sctXB, 2).Name(), "GC_FScale_X_2");
  EXPECT_EQ(TScale(sctYR, 16).Name(), "GC_FScale_Y_16");
  EXPECT_EQ(TScale(sctYL, 3).Name(), "GC_FScale_Y_3");
}

TEST(Scale, MarginsTable) {
  TScale xt(sctXT, 1);
  xt.Place(kMainChart, 0);
  EXPECT_EQ(xt.Width(), 577);
  EXPECT_EQ(xt.Height(), 361);
  EXPECT_EQ(xt.MarginLeft(), 80);
  EXPECT_EQ(xt.MarginRight(), 20);
  EXPECT_EQ(xt.MarginTop(), 315);
  EXPECT_EQ(xt.AxisLine(), 315);  // the first row below the plot area
  xt.Place(kMainChart, 30);
  EXPECT_EQ(xt.AxisLine(), 345);

  TScale xb(sctXB, 2);
  xb.Place(kMainChart, 0);
  EXPECT_EQ(xb.MarginBottom(), 330);
  EXPECT_EQ(xb.AxisLine(), 30);
  xb.Place(kMainChart, 30);
  EXPECT_EQ(xb.AxisLine(), 0);

  TScale yr(sctYR, 1);
  yr.Place(kMainChart, 0);
  EXPECT_EQ(yr.MarginTop(), 30);
  EXPECT_EQ(yr.MarginBottom(), 45);
  EXPECT_EQ(yr.MarginRight(), 496);
  EXPECT_EQ(yr.AxisLine(), 80);
  yr.Place(kMainChart, 80);
  EXPECT_EQ(yr.AxisLine(), 0);

  TScale yl(sctYL, 2);
  yl.Place(kMainChart, 0);
  EXPECT_EQ(yl.MarginLeft(), 556);
  EXPECT_EQ(yl.AxisLine(), 556);
  yl.Place(kMainChart, 50);
  EXPECT_EQ(yl.AxisLine(), 606);

  // Each margin is clamped at 0.
  TScale c(sctYR, 1);
  c.Place({577, 361, 0, 0, 0, 0, 0}, -1000);
  EXPECT_EQ(c.MarginTop(), 0);
  EXPECT_EQ(c.MarginBottom(), 0);
  EXPECT_EQ(c.MarginRight(), 0);
  TScale h(sctXT, 1);
  h.Place({577, 361, -5, 0, 0, 0, 0}, -1000);
  EXPECT_EQ(h.MarginLeft(), 0);
  EXPECT_EQ(h.MarginRight(), 0);
  EXPECT_EQ(h.MarginTop(), 0);
}

TEST(Scale, LinearMapping) {
  const TScale x = MakeScale(sctXT, 0, 1000);
  EXPECT_EQ(x.MapValue(0), 80);
  EXPECT_EQ(x.MapValue(1000), 556);
  EXPECT_EQ(x.MapValue(500), 318);
  const TScale y = MakeScale(sctYR, 0, 10);
  EXPECT_EQ(y.MapValue(0), 315);
  EXPECT_EQ(y.MapValue(10), 30);
  const TScale r = MakeScale(sctXT, 1000, 0);
  EXPECT_EQ(r.MapValue(1000), 80);
  EXPECT_EQ(r.MapValue(0), 556);
  const TScale yrev = MakeScale(sctYL, 10, 0);
  EXPECT_EQ(yrev.MapValue(10), 315);

  // Ties round to even; far values are limited to the int32 range.
  const TScale t = MakeScale(sctXT, 0, 10, {11, 20, 0, 0, 0, 0, 1});
  EXPECT_EQ(t.MapValue(2.5), 2);
  EXPECT_EQ(t.MapValue(3.5), 4);
  EXPECT_EQ(t.MapValue(-0.5), 0);
  EXPECT_EQ(t.MapValue(1e300), 2147483647);
  EXPECT_EQ(t.MapValue(-1e300), -2147483647);
  EXPECT_EQ(t.MapValue(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(Scale, MappingSpecialCases) {
  // No room along the axis: everything maps to the middle.
  const TScale narrow = MakeScale(sctXT, 0, 1000, {100, 100, 60, 40, 0, 0, 1});
  EXPECT_EQ(narrow.MapValue(0), 50);
  EXPECT_EQ(narrow.MapValue(1000), 50);
  const TScale low = MakeScale(sctYR, 0, 1000, {100, 80, 0, 0, 50, 40, 1});
  EXPECT_EQ(low.MapValue(1000), 40);

  // An empty range keeps the mapping it had.
  TScale s = MakeScale(sctXT, 0, 1000);
  s.SetRangeHigh(0);
  EXPECT_EQ(s.MapValue(1000), 556);
  s.SetRangeHigh(500);
  EXPECT_EQ(s.MapValue(500), 556);

  // The mapping follows margins and type.
  s.Place({677, 361, 80, 20, 30, 45, 1}, 0);
  EXPECT_EQ(s.MapValue(500), 656);
}

TEST(Scale, LogarithmicMapping) {
  TScale x = MakeScale(sctXT, 1, 1000);
  x.SetLogarithmic(true);
  EXPECT_EQ(x.MapValue(1), 80);
  EXPECT_EQ(x.MapValue(1000), 556);
  EXPECT_EQ(x.MapValue(10), 239);
  EXPECT_EQ(x.MapValue(0), 0);
  EXPECT_EQ(x.MapValue(-5), 0);
  x.SetRangeLow(1000);
  x.SetRangeHigh(1);
  EXPECT_EQ(x.MapValue(1000), 80);
  EXPECT_EQ(x.MapValue(0), 577);

  TScale y = MakeScale(sctYR, 1, 100);
  y.SetLogarithmic(true);
  EXPECT_EQ(y.MapValue(10), 172);  // 172.5, to even
  EXPECT_EQ(y.MapValue(0), 361);

  // Without a positive range the axis maps linearly.
  TScale z = MakeScale(sctXT, 0, 1000);
  z.SetLogarithmic(true);
  EXPECT_EQ(z.MapValue(500), 318);
}

TEST(Scale, TickList) {
  TRecordingCanvas c;
  TScale s = MakeScale(sctXT, 1, 10);
  EXPECT_EQ(s.NumTicks(), 0);
  s.Draw(c);
  ASSERT_EQ(s.NumTicks(), 19 + 5);  // minors 1, 1.5, ..., 10, then majors 2, 4, ..., 10
  EXPECT_DOUBLE_EQ(s.Tick(1), 1);
  EXPECT_DOUBLE_EQ(s.Tick(2), 1.5);
  EXPECT_DOUBLE_EQ(s.Tick(19), 10);
  EXPECT_DOUBLE_EQ(s.Tick(20), 2);
  EXPECT_DOUBLE_EQ(s.Tick(24), 10);
  EXPECT_EQ(s.Tick(0), 0);
  EXPECT_EQ(s.Tick(25), 0);
  EXPECT_EQ(s.Tick(-3), 0);
  // Rebuilt by every drawing.
  s.SetShortTicks(false);
  s.Draw(c);
  EXPECT_EQ(s.NumTicks(), 5);
  EXPECT_EQ(s.Tick(6), 0);
  // An empty range draws no ticks.
  s.SetRangeHigh(1);
  s.Draw(c);
  EXPECT_EQ(s.NumTicks(), 0);
}

TEST(Scale, MoreThan250Ticks) {
  TRecordingCanvas c;
  TScale s = MakeScale(sctXT, 0, 1000);
  s.SetMinTicks(0);  // a tick at every integer: 1001 minors and 1001 majors
  int drawn = 0;
  s.OnScaleTickDrawn = [&](TScale&, TCanvas&, TScaleType, double, int, int) { ++drawn; };
  s.Draw(c);
  EXPECT_EQ(drawn, 2002);
  EXPECT_EQ(c.Count("LineTo"), 1u + 2002u);
  EXPECT_EQ(c.Count("TextOut"), 1001u);
  EXPECT_EQ(s.NumTicks(), 250);
  EXPECT_DOUBLE_EQ(s.Tick(250), 249);
  EXPECT_EQ(s.Tick(251), 0);
}

TEST(Scale, InvisibleDrawsNothing) {
  TRecordingCanvas c;
  TScale s = MakeScale(sctXT, 0, 1000);
  s.Draw(c);
  const int ticks = s.NumTicks();
  s.SetVisible(false);
  bool framed = false;
  s.OnBeforeScaleRendered = [&](TScale&, TCanvas&) { framed = true; };
  c.Clear();
  s.SetRangeHigh(10);
  s.Draw(c);
  EXPECT_TRUE(c.Calls.empty());
  EXPECT_FALSE(framed);
  EXPECT_EQ(s.NumTicks(), ticks);
}

TEST(Scale, AttributesAndBaseLine) {
  TRecordingCanvas c;
  TScale s = MakeScale(sctXT, 0, 1000);
  s.SetColorScale(clMaroon);
  TFont f;
  f.Color = clNavy;
  f.Height = -11;
  s.SetFont(f);
  s.Draw(c);
  const std::vector<std::string> log = c.Log();
  ASSERT_GE(log.size(), 8u);
  EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 8),
              ElementsAre("SetPenColor(128)", "SetPenStyle(0)", "SetPenWidth(1)", "SetPenMode(0)",
                          "SetBrushStyle(1)", "SetFont(-11,0,8388608,\"MS Sans Serif\")", "MoveTo(80,315)",
                          "LineTo(557,315)"));
  c.Clear();
  MakeScale(sctYR, 0, 10).Draw(c);
  EXPECT_EQ(c.Log()[6], "MoveTo(80,30)");
  EXPECT_EQ(c.Log()[7], "LineTo(80,316)");
}

TEST(Scale, TickDirectionsAndLengths) {
  TRecordingCanvas c;
  TScale xt = MakeScale(sctXT, 0, 1000);
  xt.Draw(c);
  std::vector<std::string> ends = TickEnds(c);
  ASSERT_EQ(ends.size(), 27u);
  EXPECT_EQ(ends[0], "LineTo(80,319)");    // minor at 0
  EXPECT_EQ(ends[1], "LineTo(104,319)");   // minor at 50
  EXPECT_EQ(ends[21], "LineTo(80,322)");   // major at 0
  EXPECT_EQ(ends[26], "LineTo(556,322)");  // major at 1000

  c.Clear();
  MakeScale(sctXB, 0, 1000).Draw(c);
  ends = TickEnds(c);
  EXPECT_EQ(ends[0], "LineTo(80,26)");
  EXPECT_EQ(ends[21], "LineTo(80,23)");

  c.Clear();
  MakeScale(sctYR, 0, 10).Draw(c);
  ends = TickEnds(c);
  EXPECT_EQ(ends.front(), "LineTo(76,315)");  // minor at 0
  EXPECT_EQ(ends.back(), "LineTo(74,30)");    // major at 10

  c.Clear();
  MakeScale(sctYL, 0, 10).Draw(c);
  ends = TickEnds(c);
  EXPECT_EQ(ends.front(), "LineTo(560,315)");
  EXPECT_EQ(ends.back(), "LineTo(562,30)");

  // A reversed axis runs the other way with the same step.
  c.Clear();
  TScale r = MakeScale(sctXT, 1000, 0);
  r.SetShortTicks(false);
  r.Draw(c);
  EXPECT_THAT(TickEnds(c), ElementsAre("LineTo(80,322)", "LineTo(175,322)", "LineTo(270,322)", "LineTo(366,322)",
                                       "LineTo(461,322)", "LineTo(556,322)"));
  EXPECT_THAT(Texts(c), ElementsAre("TextOut(68,322,\"1000\")", "TextOut(166,322,\"800\")",
                                    "TextOut(261,322,\"600\")", "TextOut(357,322,\"400\")",
                                    "TextOut(452,322,\"200\")", "TextOut(553,322,\"0\")"));
}

TEST(Scale, HorizontalLabelPlacement) {
  TRecordingCanvas c;  // 6 px per character, 13 px high
  TScale s = MakeScale(sctXT, 0, 1000);
  s.SetDecPlaces(0);
  s.Draw(c);
  EXPECT_THAT(Texts(c), ElementsAre("TextOut(77,322,\"0\")", "TextOut(166,322,\"200\")", "TextOut(261,322,\"400\")",
                                    "TextOut(357,322,\"600\")", "TextOut(452,322,\"800\")",
                                    "TextOut(544,322,\"1000\")"));
  // Kept 2 px inside both edges of the control.
  c.Clear();
  TScale e = MakeScale(sctXB, 0, 1000, {577, 361, 1, 1, 30, 45, 1});
  e.Draw(c);
  const auto texts = c.Named("TextOut");
  EXPECT_EQ(texts.front().ToString(), "TextOut(2,10,\"0\")");  // bottom edge 7 px above the line
  EXPECT_EQ(texts.back().ToString(), "TextOut(551,10,\"1000\")");
  // Far too wide for the control, the right edge wins.
  c.Clear();
  c.CharWidth = 400;
  TScale w = MakeScale(sctXT, 0, 1000, {300, 361, 20, 20, 30, 45, 1});
  w.SetShortTicks(false);
  w.Draw(c);
  EXPECT_EQ(c.Named("TextOut").front().ToString(), "TextOut(-102,322,\"0\")");
}

TEST(Scale, VerticalLabelPlacement) {
  TRecordingCanvas c;
  c.LineHeight = 15;  // half the height of "0" is 7
  TScale yr = MakeScale(sctYR, 1, 10);
  yr.SetShortTicks(false);
  yr.Draw(c);
  // 1..10 on rows 315..30: majors 2, 4, 6, 8, 10 with one decimal.
  EXPECT_THAT(Texts(c), ElementsAre("TextOut(54,276,\"2.0\")", "TextOut(54,213,\"4.0\")", "TextOut(54,150,\"6.0\")",
                                    "TextOut(54,86,\"8.0\")", "TextOut(48,23,\"10.0\")"));
  c.Clear();
  TScale yl = MakeScale(sctYL, 1, 10);
  yl.SetShortTicks(false);
  yl.Draw(c);
  EXPECT_EQ(c.Named("TextOut").back().ToString(), "TextOut(564,23,\"10.0\")");
}

TEST(Scale, CaptionAnchorsAndAlignment) {
  const auto caption = [](TScaleType type, TScaleUnitAnchor anchor, TAlignment align, int dx, int dy) {
    TRecordingCanvas c;
    TScale s = MakeScale(type, 0, 1000);
    s.SetLabelType(ftNoFigs);
    s.SetCaption("Anzahl Samples");  // 84 px
    s.SetCaptionAnchor(anchor);
    s.SetCaptionAlignment(align);
    s.SetCaptionPosX(dx);
    s.SetCaptionPosY(dy);
    s.Draw(c);
    return c.Named("TextOut").at(0).ToString();
  };
  // The main window's x title: right end of the axis, 28 px below it.
  EXPECT_EQ(caption(sctXT, uaSclBotRgt, taRightJustify, 0, 28), "TextOut(473,343,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctXT, uaSclTopLft, taLeftJustify, 0, 0), "TextOut(80,315,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctXT, uaSclCenter, taCenter, 0, 0), "TextOut(276,315,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctXB, uaSclCenter, taRightJustify, 5, -20), "TextOut(239,10,\"Anzahl Samples\")");
  // The main window's y title: 30 px left of the axis, 28 px above its top.
  EXPECT_EQ(caption(sctYR, uaSclTopLft, taLeftJustify, -30, -28), "TextOut(50,2,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctYR, uaSclCenter, taCenter, 0, 0), "TextOut(38,173,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctYL, uaSclBotRgt, taLeftJustify, 0, 0), "TextOut(556,316,\"Anzahl Samples\")");

  TRecordingCanvas c;
  TScale none = MakeScale(sctXT, 0, 1000);
  none.SetLabelType(ftNoFigs);
  none.Draw(c);
  EXPECT_EQ(c.Count("TextOut"), 0u);
}

TEST(Scale, LabelRules) {
  TRecordingCanvas c;
  TScale s = MakeScale(sctXT, 0, 1.5);
  s.SetDecPlaces(0);  // step 0.5: only the integers get labels
  s.SetShortTicks(false);
  s.Draw(c);
  EXPECT_THAT(Texts(c), ElementsAre("TextOut(77,322,\"0\")", "TextOut(394,322,\"1\")"));

  c.Clear();
  TScale u = MakeScale(sctXT, 0, 1000);
  u.SetLabelType(ftUserText);
  u.SetUserTickText("low|mid|high");
  u.SetScaleInscript("& V");  // not applied to user texts
  u.Draw(c);
  const auto texts = c.Named("TextOut");
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0].Text, "low");
  EXPECT_EQ(texts[1].Text, "mid");
  EXPECT_EQ(texts[2].Text, "high");
  EXPECT_EQ(texts[5].Text, "high");

  c.Clear();
  TScale l = MakeScale(sctXT, 1, 1000);
  l.SetLogarithmic(true);
  l.SetDecPlaces(-3);
  l.Draw(c);
  EXPECT_THAT(Texts(c), ElementsAre("TextOut(77,322,\"0\")", "TextOut(236,322,\"1\")", "TextOut(394,322,\"2\")",
                                    "TextOut(553,322,\"3\")"));

  // Durations keep linear ticks on a logarithmic axis.
  c.Clear();
  TScale t = MakeScale(sctXT, 1, 1000);
  t.SetLogarithmic(true);
  t.SetLabelType(ftTime);
  t.SetShortTicks(false);
  t.SetDecPlaces(0);
  t.Draw(c);
  EXPECT_EQ(c.Named("TextOut").at(0).Text, "0:03:20");
}

TEST(Scale, Events) {
  TRecordingCanvas c;
  TScale s = MakeScale(sctXT, 0, 1000);
  s.SetShortTicks(false);
  std::vector<std::string> seen;
  s.OnBeforeScaleRendered = [&](TScale& sender, TCanvas&) {
    seen.push_back("before " + sender.Name() + " " + std::to_string(c.Calls.size()));
  };
  s.OnScaleTickDrawn = [&](TScale&, TCanvas&, TScaleType type, double pos, int x, int y) {
    seen.push_back("tick " + std::to_string(type) + " " + std::to_string(int(pos)) + " " + std::to_string(x) + "," +
                   std::to_string(y));
  };
  s.OnBeforeTickLabel = [&](TScale&, TScaleType, double pos, std::string& label) {
    seen.push_back("label " + label);
    if (pos == 400) label = "vier";
  };
  s.OnAfterScaleRendered = [&](TScale&, TCanvas&) { seen.push_back("after " + std::to_string(c.Calls.size())); };
  s.Draw(c);
  EXPECT_THAT(seen, ElementsAre("before GC_FScale_X_1 0", "tick 1 0 80,315", "label 0", "tick 1 200 175,315",
                                "label 200", "tick 1 400 270,315", "label 400", "tick 1 600 366,315", "label 600",
                                "tick 1 800 461,315", "label 800", "tick 1 1000 556,315", "label 1000",
                                "after " + std::to_string(c.Calls.size())));
  EXPECT_EQ(c.Named("TextOut")[2].ToString(), "TextOut(258,322,\"vier\")");

  // Vertical ticks report the axis column and the tick's row.
  TScale y = MakeScale(sctYR, 0, 10);
  std::vector<std::pair<int, int>> points;
  y.OnScaleTickDrawn = [&](TScale&, TCanvas&, TScaleType, double, int x, int yy) { points.emplace_back(x, yy); };
  y.Draw(c);
  EXPECT_EQ(points.front(), std::make_pair(80, 315));
  EXPECT_EQ(points.back(), std::make_pair(80, 30));
}

// Drawing onto a canvas that records nothing, counting heap allocations.
namespace {

std::atomic<bool> gCountAllocations{false};
std::atomic<int> gAllocations{0};

class TNullCanvas : public TCanvas {
 public:
  void LineTo(int x, int y) override { PenPos_ = {x, y}; }
  void Polyline(const TPoint*, size_t) override {}
  void Polygon(const TPoint*, size_t) override {}
  void Rectangle(int, int, int, int) override {}
  void Ellipse(int, int, int, int) override {}
  void SetPixel(int, int, TColor) override {}
  void TextOut(int, int, std::string_view) override {}
  int TextWidth(std::string_view text) override { return 6 * int(text.size()); }
  int TextHeight(std::string_view) override { return 13; }
  void Draw(int, int, const TBitmap&) override {}
  void StretchDraw(int, int, int, int, const TBitmap&) override {}
};

}  // namespace

// GCC takes the replacement pair below for a mismatched malloc/delete.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
  if (gCountAllocations) ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

TEST(Scale, WarmDrawingDoesNotAllocate) {
  TNullCanvas canvas;
  for (const bool logarithmic : {false, true}) {
    TScale s = MakeScale(sctYR, 1, 1000);
    s.SetLogarithmic(logarithmic);
    s.SetScaleInscript("& mV");
    s.SetCaption("Spannung");
    s.OnBeforeTickLabel = [](TScale&, TScaleType, double, std::string& label) { label += "!"; };
    s.Draw(canvas);
    gAllocations = 0;
    gCountAllocations = true;
    s.Draw(canvas);
    s.Draw(canvas);
    gCountAllocations = false;
    EXPECT_EQ(gAllocations, 0) << "logarithmic " << logarithmic;
    EXPECT_GT(s.NumTicks(), 0);
  }
}
