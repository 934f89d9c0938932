#pragma once
// A chart set up as the main window's: 577 x 361 pixels, margins 80, 20, 30, 45, shadow 1,
// AutoRedraw off, painting no longer suspended.

#include <gtest/gtest.h>

#include "chart/gchart.h"

struct MainWindowChart : testing::Test {
  MainWindowChart() {
    chart.SetAutoRedraw(false);
    chart.Resize(577, 361);
    chart.SetMarginLeft(80);
    chart.SetMarginRight(20);
    chart.SetMarginTop(30);
    chart.SetMarginBottom(45);
    chart.SetShadowWidth(1);
    chart.SetPaintSuspended(false);
    chart.SetRange(1, 0, 0, 1000, 10);
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
