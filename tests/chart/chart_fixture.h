#pragma once
// The main window's chart as the window first shows it, without bitmaps, painting no
// longer suspended, its repaints counted.

#include <gtest/gtest.h>

#include "app/window_chart.h"
#include "chart/gchart.h"

struct MainWindowChart : testing::Test {
  MainWindowChart() {
    SetUpAsShownInWindow(chart);
    chart.SetPaintSuspended(false);
    Repaints();
  }
  // Repaints since the last call.
  int64_t Repaints() {
    const int64_t count = chart.PaintCount() - counted;
    counted = chart.PaintCount();
    return count;
  }

  TGChart chart;
  int64_t counted = 0;
};
