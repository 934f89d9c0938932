#pragma once
// The look the main chart is designed with, which the analysis windows' charts share:
// fonts, margins, grid, caption placement, shadow, item texts, panning with a fixed cursor,
// and the scales' ticks and labels in every layer.

#include "chart/gchart.h"

// Call between BeginLoading and EndLoading.
void ApplyChartLook(TGChart& chart);
