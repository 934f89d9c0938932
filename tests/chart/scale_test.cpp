#include "chart/scale.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

#include "tests/chart/recording_canvas.h"

using ::testing::ElementsAre;

namespace {

constexpr TChartGeometry kMainChart{577, 361, 80, 20, 30, 45, 1};  // the main window's chart

TScale MakeScale(TScaleType type, double lo, double hi, const TChartGeometry& chart = kMainChart, int scalePos = 0) {
  TScale s(type, 1);
  s.Place(chart, scalePos);
  s.SetRangeLow(lo);
  s.SetRangeHigh(hi);
  s.SetVisible(true);
  return s;
}

// Draws on a recording canvas (6 px per character, `lineHeight` high).
TRecordingCanvas Drawn(TScale& s, int lineHeight = 13) {
  TRecordingCanvas c;
  c.LineHeight = lineHeight;
  s.Draw(c);
  return c;
}

// The strings of the calls named `name`; for LineTo without the base line's.
std::vector<std::string> Calls(const TRecordingCanvas& c, const std::string& name) {
  std::vector<std::string> out;
  for (const TCanvasCall& call : c.Named(name)) out.push_back(call.ToString());
  if (name == "LineTo" && !out.empty()) out.erase(out.begin());
  return out;
}

}  // namespace

TEST(Scale, NamesAndMarginsTable) {
  EXPECT_EQ(TScale(sctXT, 1).Name(), "GC_FScale_X_1");
  EXPECT_EQ(TScale(sctXB, 2).Name(), "GC_FScale_X_2");
  EXPECT_EQ(TScale(sctYR, 16).Name(), "GC_FScale_Y_16");
  EXPECT_EQ(TScale(sctYL, 3).Name(), "GC_FScale_Y_3");
  struct TRow {
    TScaleType Type;
    TChartGeometry Chart;
    int ScalePos, Left, Right, Top, Bottom, Axis;
  };
  const TRow rows[] = {
      {sctXT, kMainChart, 0, 80, 20, 315, 0, 315},  // the first row below the plot area
      {sctXT, kMainChart, 30, 80, 20, 345, 0, 345},
      {sctXB, kMainChart, 0, 80, 20, 0, 330, 30},
      {sctXB, kMainChart, 30, 80, 20, 0, 360, 0},
      {sctYR, kMainChart, 0, 0, 496, 30, 45, 80},
      {sctYR, kMainChart, 80, 0, 576, 30, 45, 0},
      {sctYL, kMainChart, 0, 556, 0, 30, 45, 556},
      {sctYL, kMainChart, 50, 606, 0, 30, 45, 606},
      {sctYR, {577, 361, 0, 0, 0, 0, 0}, -1000, 0, 0, 0, 0, 576},  // each margin clamped at 0
      {sctXT, {577, 361, -5, 0, 0, 0, 0}, -1000, 0, 0, 0, 0, 0},
  };
  for (const TRow& r : rows) {
    TScale s(r.Type, 1);
    s.Place(r.Chart, r.ScalePos);
    EXPECT_EQ((std::vector<int>{s.Width(), s.Height(), s.MarginLeft(), s.MarginRight(), s.MarginTop(),
                                s.MarginBottom(), s.AxisLine()}),
              (std::vector<int>{r.Chart.Width, r.Chart.Height, r.Left, r.Right, r.Top, r.Bottom, r.Axis}))
        << "type " << int(r.Type) << " pos " << r.ScalePos;
  }
}

TEST(Scale, Mapping) {
  const TScale x = MakeScale(sctXT, 0, 1000), y = MakeScale(sctYR, 0, 10), r = MakeScale(sctXT, 1000, 0);
  EXPECT_EQ(x.MapValue(0), 80);
  EXPECT_EQ(x.MapValue(1000), 556);
  EXPECT_EQ(x.MapValue(500), 318);
  EXPECT_EQ(y.MapValue(0), 315);
  EXPECT_EQ(y.MapValue(10), 30);
  EXPECT_EQ(r.MapValue(1000), 80);
  EXPECT_EQ(r.MapValue(0), 556);
  EXPECT_EQ(MakeScale(sctYL, 10, 0).MapValue(10), 315);
  // Ties to even, limited to the int32 range.
  const TScale t = MakeScale(sctXT, 0, 10, {11, 20, 0, 0, 0, 0, 1});
  EXPECT_EQ(t.MapValue(2.5), 2);
  EXPECT_EQ(t.MapValue(3.5), 4);
  EXPECT_EQ(t.MapValue(1e300), 2147483647);
  EXPECT_EQ(t.MapValue(-1e300), -2147483647);
  EXPECT_EQ(t.MapValue(std::numeric_limits<double>::quiet_NaN()), 0);
  // No room along the axis: everything at the middle.
  EXPECT_EQ(MakeScale(sctXT, 0, 1000, {100, 100, 60, 40, 0, 0, 1}).MapValue(1000), 50);
  EXPECT_EQ(MakeScale(sctYR, 0, 1000, {100, 80, 0, 0, 50, 40, 1}).MapValue(1000), 40);
  // An empty range keeps the last mapping; margins and size count.
  TScale s = MakeScale(sctXT, 0, 1000);
  s.SetRangeHigh(0);
  EXPECT_EQ(s.MapValue(1000), 556);
  s.SetRangeHigh(500);
  EXPECT_EQ(s.MapValue(500), 556);
  s.Place({677, 361, 80, 20, 30, 45, 1}, 0);
  EXPECT_EQ(s.MapValue(500), 656);
}

TEST(Scale, LogarithmicMapping) {
  TScale x = MakeScale(sctXT, 1, 1000);
  x.SetLogarithmic(true);
  EXPECT_EQ(x.MapValue(1), 80);
  EXPECT_EQ(x.MapValue(1000), 556);
  EXPECT_EQ(x.MapValue(10), 239);
  EXPECT_EQ(x.MapValue(0), 0);  // no logarithm: beyond the low end
  EXPECT_EQ(x.MapValue(-5), 0);
  x.SetRangeLow(1000);
  x.SetRangeHigh(1);
  EXPECT_EQ(x.MapValue(1000), 80);
  EXPECT_EQ(x.MapValue(0), 577);
  TScale y = MakeScale(sctYR, 1, 100);
  y.SetLogarithmic(true);
  EXPECT_EQ(y.MapValue(10), 172);  // 172.5, to even
  EXPECT_EQ(y.MapValue(0), 361);
  TScale z = MakeScale(sctXT, 0, 1000);  // not a positive range: linear
  z.SetLogarithmic(true);
  EXPECT_EQ(z.MapValue(500), 318);
}

TEST(Scale, TickList) {
  TScale s = MakeScale(sctXT, 1, 10);
  EXPECT_EQ(s.NumTicks(), 0);
  Drawn(s);
  ASSERT_EQ(s.NumTicks(), 19 + 5);  // minors 1, 1.5, ..., 10, then majors 2, 4, ..., 10
  EXPECT_THAT((std::vector<double>{s.Tick(1), s.Tick(2), s.Tick(19), s.Tick(20), s.Tick(24)}),
              ElementsAre(1, 1.5, 10, 2, 10));
  EXPECT_THAT((std::vector<double>{s.Tick(0), s.Tick(25), s.Tick(-3)}), ElementsAre(0, 0, 0));
  s.SetShortTicks(false);  // rebuilt by every drawing
  Drawn(s);
  EXPECT_EQ(s.NumTicks(), 5);
  EXPECT_EQ(s.Tick(6), 0);
  s.SetRangeHigh(1);  // empty range: no ticks, the base line only
  EXPECT_EQ(Drawn(s).Count("LineTo"), 1u);
  EXPECT_EQ(s.NumTicks(), 0);
  // Invisible: nothing at all, the list stays.
  s.SetRangeHigh(10);
  Drawn(s);
  s.SetVisible(false);
  bool framed = false;
  s.OnBeforeScaleRendered = [&](TScale&, TCanvas&) { framed = true; };
  s.SetRangeHigh(1000);
  EXPECT_TRUE(Drawn(s).Calls.empty());
  EXPECT_FALSE(framed);
  EXPECT_EQ(s.NumTicks(), 5);
}

TEST(Scale, MoreThan250Ticks) {
  TScale s = MakeScale(sctXT, 0, 1000);
  s.SetMinTicks(0);  // a tick at every integer: 1001 minors and 1001 majors
  int drawn = 0;
  s.OnScaleTickDrawn = [&](TScale&, TCanvas&, TScaleType, double, int, int) { ++drawn; };
  const TRecordingCanvas c = Drawn(s);
  EXPECT_EQ(drawn, 2002);
  EXPECT_EQ(c.Count("LineTo"), 1u + 2002u);
  EXPECT_EQ(c.Count("TextOut"), 1001u);
  EXPECT_EQ(s.NumTicks(), 250);
  EXPECT_EQ(s.Tick(250), 249);
  EXPECT_EQ(s.Tick(251), 0);
}

TEST(Scale, AttributesBaseLineAndTicks) {
  TScale s = MakeScale(sctXT, 0, 1000);
  s.SetColorScale(clMaroon);
  TFont f;
  f.Color = clNavy;
  f.Height = -11;
  s.SetFont(f);
  const std::vector<std::string> log = Drawn(s).Log();
  EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 8),
              ElementsAre("SetPenColor(128)", "SetPenStyle(0)", "SetPenWidth(1)", "SetPenMode(0)", "SetBrushStyle(1)",
                          "SetFont(-11,0,8388608,\"MS Sans Serif\")", "MoveTo(80,315)", "LineTo(557,315)"));
  // Minors 4 px, majors 7 px (horizontal) or 6 px (vertical), outward from the plot.
  std::vector<std::string> ends = Calls(Drawn(s), "LineTo");
  ASSERT_EQ(ends.size(), 27u);
  EXPECT_THAT((std::vector<std::string>{ends[0], ends[1], ends[21], ends[26]}),
              ElementsAre("LineTo(80,319)", "LineTo(104,319)", "LineTo(80,322)", "LineTo(556,322)"));
  TScale xb = MakeScale(sctXB, 0, 1000);
  ends = Calls(Drawn(xb), "LineTo");
  EXPECT_THAT((std::vector<std::string>{ends[0], ends[21]}), ElementsAre("LineTo(80,26)", "LineTo(80,23)"));
  TScale yr = MakeScale(sctYR, 0, 10);
  const TRecordingCanvas cyr = Drawn(yr);
  EXPECT_EQ(cyr.Log()[6] + cyr.Log()[7], "MoveTo(80,30)LineTo(80,316)");
  ends = Calls(cyr, "LineTo");
  EXPECT_EQ(ends.front() + ends.back(), "LineTo(76,315)LineTo(74,30)");
  TScale yl = MakeScale(sctYL, 0, 10);
  ends = Calls(Drawn(yl), "LineTo");
  EXPECT_EQ(ends.front() + ends.back(), "LineTo(560,315)LineTo(562,30)");
}

TEST(Scale, ReversedAxis) {
  TScale r = MakeScale(sctXT, 1000, 0);
  r.SetShortTicks(false);
  const TRecordingCanvas c = Drawn(r);
  EXPECT_THAT(Calls(c, "LineTo"), ElementsAre("LineTo(80,322)", "LineTo(175,322)", "LineTo(270,322)",
                                              "LineTo(366,322)", "LineTo(461,322)", "LineTo(556,322)"));
  EXPECT_THAT(Calls(c, "TextOut"),
              ElementsAre("TextOut(68,322,\"1000\")", "TextOut(166,322,\"800\")", "TextOut(261,322,\"600\")",
                          "TextOut(357,322,\"400\")", "TextOut(452,322,\"200\")", "TextOut(553,322,\"0\")"));
}

TEST(Scale, LabelPlacement) {
  // Centred under the tick, kept 2 px inside both edges of the control.
  TScale e = MakeScale(sctXB, 0, 1000, {577, 361, 1, 1, 30, 45, 1});
  const auto texts = Calls(Drawn(e), "TextOut");
  EXPECT_EQ(texts.front(), "TextOut(2,10,\"0\")");  // bottom edge 7 px above the line
  EXPECT_EQ(texts[2], "TextOut(222,10,\"400\")");
  EXPECT_EQ(texts.back(), "TextOut(551,10,\"1000\")");
  // Wider than the control: the right edge wins.
  TRecordingCanvas wide;
  wide.CharWidth = 400;
  MakeScale(sctXT, 0, 1000, {300, 361, 20, 20, 30, 45, 1}).Draw(wide);
  EXPECT_EQ(Calls(wide, "TextOut").front(), "TextOut(-102,322,\"0\")");
  // Vertical: 8 px beside the line, raised by half the height of "0".
  TScale yr = MakeScale(sctYR, 1, 10), yl = MakeScale(sctYL, 1, 10);
  yr.SetShortTicks(false);
  EXPECT_THAT(Calls(Drawn(yr, 15), "TextOut"),
              ElementsAre("TextOut(54,276,\"2.0\")", "TextOut(54,213,\"4.0\")", "TextOut(54,150,\"6.0\")",
                          "TextOut(54,86,\"8.0\")", "TextOut(48,23,\"10.0\")"));
  EXPECT_EQ(Calls(Drawn(yl, 15), "TextOut").back(), "TextOut(564,23,\"10.0\")");
}

TEST(Scale, CaptionAnchorsAndAlignment) {
  const auto caption = [](TScaleType type, TScaleUnitAnchor anchor, TAlignment align, int dx, int dy) {
    TScale s = MakeScale(type, 0, 1000);
    s.SetLabelType(ftNoFigs);
    s.SetCaption("Anzahl Samples");  // 84 px
    s.SetCaptionAnchor(anchor);
    s.SetCaptionAlignment(align);
    s.SetCaptionPosX(dx);
    s.SetCaptionPosY(dy);
    return Calls(Drawn(s), "TextOut").at(0);
  };
  // The main window's titles: x at the right end 28 px below, y 30 px left and 28 px above.
  EXPECT_EQ(caption(sctXT, uaSclBotRgt, taRightJustify, 0, 28), "TextOut(473,343,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctYR, uaSclTopLft, taLeftJustify, -30, -28), "TextOut(50,2,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctXT, uaSclTopLft, taLeftJustify, 0, 0), "TextOut(80,315,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctXT, uaSclCenter, taCenter, 0, 0), "TextOut(276,315,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctXB, uaSclCenter, taRightJustify, 5, -20), "TextOut(239,10,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctYR, uaSclCenter, taCenter, 0, 0), "TextOut(38,173,\"Anzahl Samples\")");
  EXPECT_EQ(caption(sctYL, uaSclBotRgt, taLeftJustify, 0, 0), "TextOut(556,316,\"Anzahl Samples\")");
}

TEST(Scale, LabelRules) {
  TScale s = MakeScale(sctXT, 0, 1.5);
  s.SetDecPlaces(0);  // step 0.5: only the integers get labels
  s.SetShortTicks(false);
  EXPECT_THAT(Calls(Drawn(s), "TextOut"), ElementsAre("TextOut(77,322,\"0\")", "TextOut(394,322,\"1\")"));
  // User texts count the labelled ticks only, without the pattern.
  TScale u = MakeScale(sctXT, 0, 1000);
  u.SetLabelType(ftUserText);
  u.SetUserTickText("low|mid|high");
  u.SetScaleInscript("& V");
  std::vector<std::string> texts;
  for (const TCanvasCall& c : Drawn(u).Named("TextOut")) texts.push_back(c.Text);
  EXPECT_THAT(texts, ElementsAre("low", "mid", "high", "high", "high", "high"));
  TScale l = MakeScale(sctXT, 1, 1000);
  l.SetLogarithmic(true);
  l.SetDecPlaces(-3);
  EXPECT_THAT(Calls(Drawn(l), "TextOut"), ElementsAre("TextOut(77,322,\"0\")", "TextOut(236,322,\"1\")",
                                                      "TextOut(394,322,\"2\")", "TextOut(553,322,\"3\")"));
  // Durations keep linear ticks on a logarithmic axis.
  l.SetLabelType(ftTime);
  l.SetShortTicks(false);
  l.SetDecPlaces(0);
  EXPECT_EQ(Drawn(l).Named("TextOut").at(0).Text, "0:03:20");
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
  EXPECT_EQ(Calls(c, "TextOut")[2], "TextOut(258,322,\"vier\")");
  // Vertical ticks report the axis column and the tick's row.
  TScale y = MakeScale(sctYR, 0, 10);
  std::vector<std::pair<int, int>> points;
  y.OnScaleTickDrawn = [&](TScale&, TCanvas&, TScaleType, double, int x, int yy) { points.emplace_back(x, yy); };
  Drawn(y);
  EXPECT_EQ(points.front(), std::make_pair(80, 315));
  EXPECT_EQ(points.back(), std::make_pair(80, 30));
}

// Heap allocations while drawing onto a canvas that records nothing.
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
