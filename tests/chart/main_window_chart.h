#pragma once
// The main window's chart as the window first shows it, drawing on Qt bitmaps, painting
// no longer suspended.

#include "app/window_chart.h"
#include "chart/gchart.h"
#include "chart/qt/qt_bitmap.h"

// A main window chart with its own bitmaps, as the widget gives them.
struct TQtMainChart {
  TQtMainChart() {
    Chart.SetBitmapFactory(&Factory);
    SetUpAsShownInWindow(Chart);
    Chart.SetPaintSuspended(false);
  }
  TQtBitmapFactory Factory;
  TGChart Chart;
};
