#include "chart/gchart.h"

#include "chart/item_painter.h"

// Composition is recorded and carried out later, in the order it was asked for: a full
// composition (Full_), then at most one chart-area composition over it (Area_). Both
// remember how many items they draw, so appends change neither; other changes carry
// them out first (Changing, gchart_changes.cpp). A pass that a later one makes invisible
// is left out, and passes that only differ by appended items are drawn as one, provided
// a pass leaves nothing behind but its pixels (PassesRepeatable).

void TGChart::Paint() {
  if (!Visible_ || Loading_ || PaintSuspended_) return;
  ++PaintCount_;
  UpdateMapping();
  if (PendingStale_) {
    // The repaint that the work waited for.
    Full_.Pending = Area_.Pending = PendingStale_ = false;
  } else if (!PassesRepeatable()) {
    ComposePending();
  }
  // The full composition draws everything anew, the chart area included.
  Full_ = {true, CurrentLayer_, NumItems()};
  Area_.Pending = false;
  RequestedWhole();
}

void TGChart::ShowGraph() {
  if (Visible_) {
    Store_->SetLastDrawnIndex(NumItems() - 1);
    if (AutoRedraw_) {
      // The background covers the whole chart area, so what waited there is not needed.
      if (PendingStale_ || !PassesRepeatable()) ComposePending();
      Area_ = {true, true, true, CurrentLayer_, NumItems()};
      RequestedArea();
    } else {
      Paint();
    }
  }
  NotifySharers();
}

void TGChart::UpdateGraph() {
  if (!Visible_) return;
  const bool grid = LastDrawnIndex() == 0;
  if (PendingStale_) ComposePending();
  if (Area_.Pending && PassesRepeatable() && (!grid || !Area_.Grid || Area_.GridLayer == CurrentLayer_)) {
    // Only appends came since: drawing items 0..n1 and then 0..n2 over a picture gives
    // the pixels of drawing 0..n2 once, a grid before them included; cross-hairs are
    // drawn over both alike.
    Area_.NumItems = NumItems();
    if (grid && !Area_.Grid) {
      Area_.Grid = true;
      Area_.GridLayer = CurrentLayer_;
    }
    RequestedArea();
  } else if (Full_.Pending && !grid && Full_.NumItems == NumItems() && PassesRepeatable() && !CrossHairsShown()) {
    // The items over their own fresh full picture: the same pixels again. Cross-hairs
    // would be drawn into the chart-area picture, where the next pass finds them.
  } else {
    if (Area_.Pending) ComposePending();
    Area_ = {true, false, grid, CurrentLayer_, NumItems()};
    RequestedArea();
  }
  Store_->SetLastDrawnIndex(NumItems() - 1);
}

void TGChart::SetDeferredComposition(bool deferred) {
  DeferredComposition_ = deferred;
  if (!deferred) ComposePending();
}

void TGChart::Requested(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!DeferredComposition_) ComposePending();
  if (Window_) Window_->RefreshRequested(x, y, width, height);
}

void TGChart::RequestedArea() {
  const TPoint size = ChartAreaBitmapSize();
  Requested(MarginLeft_, MarginTop_, size.x, size.y);
}

void TGChart::ComposePending() {
  // Taken first: the rendering events may ask for new compositions.
  const TPendingFull full = Full_;
  const TPendingArea area = Area_;
  const bool stale = PendingStale_;
  Full_.Pending = Area_.Pending = PendingStale_ = false;
  if (!ControlBitmap_) return;
  // Work that waited for a repaint that did not come is done as the chart is now.
  if (full.Pending) ComposeFull(stale ? NumItems() : full.NumItems, stale ? CurrentLayer_ : full.GridLayer);
  if (area.Pending) ComposeArea(area);
}

// The control picture is composed in the window picture itself, where it is shown as it
// is; it is copied to ControlBitmap_ only when needed (KeepControlPicture).
void TGChart::ComposeFull(int32_t numItems, int32_t gridLayer) {
  ControlInWindow_ = false;  // the old picture is drawn over as a whole
  WindowBitmap_->SetSize(Width_, Height_);
  TCanvas& window = WindowBitmap_->Canvas();
  TCanvas& area = ChartAreaBitmap_->Canvas();
  PaintControlPass(window, false);
  PaintBackground(area, 0, 0);
  PaintItemsJob(area, 0, 0, false, true, gridLayer, numItems);
  window.Draw(MarginLeft_, MarginTop_, *ChartAreaBitmap_);
  DrawCrossHairs(*this, window, {0, 0}, ChartColor_);
  ControlInWindow_ = true;
}

void TGChart::KeepControlPicture() {
  if (!ControlInWindow_) return;
  ControlInWindow_ = false;
  ControlBitmap_->SetSize(WindowBitmap_->Width(), WindowBitmap_->Height());
  ControlBitmap_->Canvas().Draw(0, 0, *WindowBitmap_);
}

void TGChart::ComposeArea(const TPendingArea& pending) {
  TCanvas& area = ChartAreaBitmap_->Canvas();
  if (pending.Background) PaintBackground(area, 0, 0);
  PaintItemsJob(area, 0, 0, false, pending.Grid, pending.GridLayer, pending.NumItems);
  PresentNow(MarginLeft_, MarginTop_, *ChartAreaBitmap_);
}

TBitmap* TGChart::ControlBitmap() {
  ComposePending();
  KeepControlPicture();
  return ControlBitmap_.get();
}

TBitmap* TGChart::ChartAreaBitmap() {
  ComposePending();
  return ChartAreaBitmap_.get();
}

const TBitmap* TGChart::WindowBitmap() {
  ComposePending();
  return WindowBitmap_.get();
}

TCanvas* TGChart::WindowCanvas() {
  ComposePending();
  if (!WindowBitmap_) return nullptr;
  KeepControlPicture();
  return &WindowBitmap_->Canvas();
}

void TGChart::RefreshWindow() {
  if (Window_) Window_->RefreshRequested(0, 0, Width_, Height_);
}

void TGChart::SetBitmapFactory(const TBitmapFactory* factory) {
  BitmapFactory_ = factory;
  BackgroundImage_.reset();
  BackgroundImageName_.clear();
  ControlInWindow_ = false;
  if (!factory) {
    ControlBitmap_.reset();
    ChartAreaBitmap_.reset();
    WindowBitmap_.reset();
    return;
  }
  const TPoint area = ChartAreaBitmapSize();
  ControlBitmap_ = factory->NewBitmap(Width_, Height_);
  ChartAreaBitmap_ = factory->NewBitmap(area.x, area.y);
  WindowBitmap_ = factory->NewBitmap(Width_, Height_);
}

// (W + 1) x (H + 1): the frame lies on the chart area's last column and row.
TPoint TGChart::ChartAreaBitmapSize() const {
  const TChartArea area = ChartArea();
  const auto side = [](int64_t extent) { return int32_t(std::clamp<int64_t>(extent + 1, 0, INT32_MAX)); };
  return {side(area.Width()), side(area.Height())};
}

void TGChart::PaintItems(TCanvas& canvas, int32_t xOffset, int32_t yOffset, bool monoMode, int32_t startIndex) {
  PaintItemsJob(canvas, xOffset, yOffset, monoMode, startIndex == 0, CurrentLayer_, NumItems());
}

void TGChart::PaintItemsJob(TCanvas& canvas, int32_t xOffset, int32_t yOffset, bool monoMode, bool grid,
                            int32_t gridLayer, int32_t numItems) {
  Painter_->Paint(*this, canvas, {xOffset, yOffset, monoMode, grid, gridLayer, numItems});
}

void TGChart::PresentBitmap(int32_t x, int32_t y, TBitmap& bitmap) {
  if (WindowBitmap_) PresentNow(x, y, bitmap);
}

void TGChart::PresentNow(int32_t x, int32_t y, TBitmap& bitmap) {
  KeepControlPicture();
  DrawCrossHairs(*this, bitmap.Canvas(), {x, y}, ChartColor_);
  WindowBitmap_->SetSize(Width_, Height_);
  WindowBitmap_->Canvas().Draw(x, y, bitmap);
}

// Not shown: the next rendering shows it, or draws over it.
void TGChart::PaintEmptyChartArea() {
  if (ChartAreaBitmap_) PaintBackground(ChartAreaBitmap_->Canvas(), 0, 0);
}
