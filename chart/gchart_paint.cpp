#include "chart/gchart.h"

void TGChart::Paint() {
  if (!Visible_ || Loading_ || PaintSuspended_) return;
  ++PaintCount_;
}

void TGChart::PaintEmptyChartArea() {}

void TGChart::UpdateScaleRenderers() {}

void TGChart::UpdateLayerScaleRanges(int32_t) {}
