#include "chart/gchart.h"

// The 32 scale renderers take their settings from the property blocks.

// Every block in the order the renderers take their settings, placed by the chart's
// geometry.
void TGChart::UpdateScaleRenderers() {
  const TChartGeometry geometry{Width_, Height_, MarginLeft_, MarginRight_, MarginTop_, MarginBottom_, ShadowWidth_};
  const auto apply = [&](const TScaleProps& block, TScale& scale) {
    scale.SetScaleType(block.ScaleType());
    scale.Place(geometry, block.ScalePos());
    scale.SetRangeLow(block.RangeLow());
    scale.SetRangeHigh(block.RangeHigh());
    scale.SetVisible(block.Visible());
    scale.SetCaption(block.Caption());
    scale.SetCaptionPosX(block.CaptionPosX());
    scale.SetCaptionPosY(block.CaptionPosY());
    scale.SetCaptionAlignment(block.CaptionAlignment());
    scale.SetCaptionAnchor(block.CaptionAnchor());
    scale.SetColorScale(block.ColorScale());
    scale.SetDecPlaces(block.DecPlaces());
    scale.SetLogarithmic(block.Logarithmic());
    scale.SetLabelType(block.LabelType());
    scale.SetShortTicks(block.ShortTicks());
    scale.SetMinTicks(block.MinTicks());
    scale.SetScaleInscript(block.ScaleInscript());
    scale.SetUserTickText(block.UserTickText());
    scale.SetFont(block.Font());
    scale.SetDateFormat(block.DateFormat());
  };
  for (size_t i = 0; i < Layers_.size(); ++i) {
    apply(Layers_[i].X, ScalesX_[i]);
    apply(Layers_[i].Y, ScalesY_[i]);
  }
}

void TGChart::UpdateLayerScaleRanges(int32_t layer) {
  const TLayer& l = LayerOf(layer);
  TScale& x = ScalesX_[LayerIndex(layer)];
  TScale& y = ScalesY_[LayerIndex(layer)];
  x.SetRangeLow(l.X.RangeLow());
  x.SetRangeHigh(l.X.RangeHigh());
  y.SetRangeLow(l.Y.RangeLow());
  y.SetRangeHigh(l.Y.RangeHigh());
}
