// The channels' curves read from the display list: what the analysis windows see.

#include "acquisition/chart_curves.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Two channels as the two-channel mode draws them, samples first..last.
void AddLines(TGChart& chart, int first, int last) {
  for (int n = first; n <= last; ++n) {
    for (int32_t layer : {1, 2}) {
      chart.SetCurrentLayer(layer);
      chart.Line(n - 1, layer * 10 + n - 1, n, layer * 10 + n);
    }
  }
}

const TChannelCurve& Layer(const TChartCurves& curves, int32_t layer) {
  for (const TChannelCurve* c : curves.Curves()) {
    if (c->Layer == layer) return *c;
  }
  throw std::logic_error("no such curve");
}

void ExpectSameCurves(const TChartCurves& a, const TChartCurves& b) {
  ASSERT_EQ(a.Curves().size(), b.Curves().size());
  for (size_t i = 0; i < a.Curves().size(); ++i) {
    EXPECT_EQ(a.Curves()[i]->X, b.Curves()[i]->X);
    EXPECT_EQ(a.Curves()[i]->Y, b.Curves()[i]->Y);
    EXPECT_EQ(a.Curves()[i]->VisibleX, b.Curves()[i]->VisibleX);
    EXPECT_EQ(a.Curves()[i]->VisibleY, b.Curves()[i]->VisibleY);
  }
}

TEST(ChartCurves, GrowingAndSlidingListsReadAsAFreshReadingWould) {
  TGChart chart;
  chart.SetRange(0, 0, 0, 100, 100);
  TChartCurves followed;
  for (int step = 0; step < 6; ++step) {
    AddLines(chart, step * 30 + 1, step * 30 + 30);  // appended: only the new items are read
    if (step >= 3) {
      for (int i = 0; i < 40; ++i) chart.RemoveFirstItem();  // the Trend window moves on
      chart.SetRange(0, step * 20, 0, step * 20 + 100, 100);
    }
    EXPECT_TRUE(followed.Update(chart)) << step;
    EXPECT_FALSE(followed.Update(chart)) << step;
    TChartCurves fresh;
    fresh.Update(chart);
    ExpectSameCurves(followed, fresh);
  }
  const TChannelCurve& two = Layer(followed, 2);
  EXPECT_EQ(two.X.front(), 61);  // 180 lines, 120 removed items: the first 60 of each channel
  EXPECT_EQ(two.VisibleX.front(), 100);
  EXPECT_EQ(two.VisibleX.back(), 180);
  EXPECT_EQ(two.VisibleY.back(), 200);
}

TEST(ChartCurves, VisiblePartOfAReversedAxisAndOfAppendedSessions) {
  TGChart chart;
  AddLines(chart, 1, 10);
  AddLines(chart, 1, 10);  // a second session appended: x starts again
  chart.SetRange(1, 8, 0, 3, 100);  // reversed: shows 3..8 all the same
  chart.SetLayerVisible(2, false);
  TChartCurves curves;
  curves.Update(chart);
  const TChannelCurve& one = Layer(curves, 1);
  EXPECT_EQ(one.VisibleX, (std::vector<double>{3, 4, 5, 6, 7, 8, 3, 4, 5, 6, 7, 8}));
  EXPECT_FALSE(one.VisibleAscending);
  EXPECT_TRUE(one.Shown);
  EXPECT_FALSE(Layer(curves, 2).Shown);
  chart.ClearGraph();
  EXPECT_TRUE(curves.Update(chart));
  EXPECT_TRUE(curves.Curves().empty());
}

}  // namespace
