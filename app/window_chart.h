#pragma once
// The main window's chart as its form sets it up: fonts, margins, grid, colours and the
// settings of its 32 scales. Free of Qt, so that tests, benchmarks and fuzzers draw the
// very chart the window shows.

#include "chart/gchart.h"

// The chart's size in the window as designed.
constexpr int kWindowChartWidth = 577;
constexpr int kWindowChartHeight = 361;

// The form's settings, applied as the chart loads from it.
void SetUpWindowChart(TGChart& chart);
// The x scale's caption for the sample count or, with time true, for seconds.
void SetWindowChartXAxis(TGChart& chart, bool time);
// The ranges of layers 1 and 2 when the window is first shown: x 0 to 1000, y 0 to 10.
void SetWindowChartStartRanges(TGChart& chart);
// The chart as the window first shows it: set up, at its designed size, with its start
// ranges. Painting stays suspended until the caller clears it.
void SetUpAsShownInWindow(TGChart& chart);
