#include <filesystem>

#include "chart/gchart.h"
#include "chart/pixel_round.h"

// The control background pass (window colour, shadow, caption, scales) and the chart
// area's background (image or plain rectangle with its highlighted area).

namespace {

void Fill(TCanvas& canvas, TColor color) {
  canvas.SetPenColor(color);
  canvas.SetBrushColor(color);
  canvas.SetBrushStyle(bsSolid);
}

}  // namespace

void TGChart::PaintControlBackground(TCanvas& canvas) { PaintControlPass(canvas, true); }

void TGChart::PaintControlPass(TCanvas& canvas, bool underChartArea) {
  if (ControlBitmap_) {
    KeepControlPicture();
    ControlBitmap_->SetSize(Width_, Height_);
  }
  canvas.SetPenStyle(psSolid);
  canvas.SetPenWidth(1);
  canvas.SetPenMode(pmCopy);
  Fill(canvas, WindColor_);
  if (underChartArea) {
    canvas.Rectangle(0, 0, Width_, Height_);
  } else {
    FillAroundChartArea(canvas);
  }
  if (ShadowWidth_ > 0) PaintShadow(canvas);
  PaintCaption(canvas);
  for (TScale& scale : ScalesX_) scale.Draw(canvas);
  for (TScale& scale : ScalesY_) scale.Draw(canvas);
  if (OnScalesRendered) OnScalesRendered(*this, canvas, 0, 0);
}

// For the compositions that draw the chart area's picture over its place afterwards:
// filling that place too would spend much of a frame on pixels that nobody sees.
void TGChart::FillAroundChartArea(TCanvas& canvas) {
  const TPoint size = ChartAreaBitmapSize();
  const auto clampX = [&](int64_t x) { return int(std::clamp<int64_t>(x, 0, Width_)); };
  const auto clampY = [&](int64_t y) { return int(std::clamp<int64_t>(y, 0, Height_)); };
  const int left = clampX(MarginLeft_), right = clampX(int64_t(MarginLeft_) + size.x);
  const int top = clampY(MarginTop_), bottom = clampY(int64_t(MarginTop_) + size.y);
  const auto fill = [&](int x1, int y1, int x2, int y2) {
    if (x1 < x2 && y1 < y2) canvas.Rectangle(x1, y1, x2, y2);
  };
  fill(0, 0, Width_, top);
  fill(0, bottom, Width_, Height_);
  fill(0, top, left, bottom);
  fill(right, top, Width_, bottom);
}

void TGChart::PaintShadow(TCanvas& canvas) {
  const int s = ShadowWidth_, w = Width_, h = Height_;
  Fill(canvas, ShadowBakColor_);
  canvas.Rectangle(w - s, 0, w, s);
  canvas.Rectangle(0, h - s, s, h);
  canvas.SetBrushColor(ShadowColor_);
  const bool flying = ShadowStyle_ == ssFlying;
  canvas.SetPenColor(flying ? ShadowColor_ : clBlack);
  const int e = flying ? s - 1 : 0;
  const TPoint bottom[] = {{e, h - s}, {s - 1, h - 1}, {w - 1, h - 1}, {w - s, h - s}};
  const TPoint right[] = {{w - s, h - s}, {w - 1, h - 1}, {w - 1, s - 1}, {w - s, e}};
  canvas.Polygon(bottom, std::size(bottom));
  canvas.Polygon(right, std::size(right));
  canvas.SetPenColor(clBlack);
  const TPoint outline[] = {{0, 0}, {w - s, 0}, {w - s, h - s}, {0, h - s}, {0, 0}};
  canvas.Polyline(outline, std::size(outline));
}

void TGChart::PaintCaption(TCanvas& canvas) {
  canvas.SetPenColor(ChartFrameColor_);
  canvas.SetBrushStyle(bsClear);
  canvas.SetFont(Font_);
  if (Caption_.empty()) return;
  const TChartArea area = ChartArea();
  int64_t x = CaptionPosX_, y = CaptionPosY_;
  switch (CaptionAnchorHoriz_) {
    case cahControlLeft: break;
    case cahChartLeft: x += MarginLeft_; break;
    case cahChartCenter: x += MarginLeft_ + area.Width() / 2; break;
    case cahChartRight: x += int64_t(Width_) - MarginRight_ - ShadowWidth_; break;
    case cahControlRight: x += Width_; break;
  }
  switch (CaptionAnchorVert_) {
    case cavControlTop: break;
    case cavChartTop: y += MarginTop_; break;
    case cavChartCenter: y += MarginTop_ + area.Height() / 2; break;
    case cavChartBottom: y += int64_t(Height_) - MarginBottom_; break;
    case cavControlBottom: y += Height_; break;
  }
  const int width = canvas.TextWidth(Caption_);
  if (CaptionAlignment_ == taRightJustify) x -= width;
  if (CaptionAlignment_ == taCenter) x -= width / 2;
  canvas.TextOut(ClampToInt32(x), ClampToInt32(y), Caption_);
}

void TGChart::PaintBackground(TCanvas& canvas, int32_t xOffset, int32_t yOffset) {
  const TPoint size = ChartAreaBitmapSize();
  if (ChartAreaBitmap_) ChartAreaBitmap_->SetSize(size.x, size.y);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenWidth(1);
  canvas.SetPenMode(pmCopy);
  canvas.SetBrushColor(ChartColor_);
  canvas.SetBrushStyle(bsSolid);
  canvas.SetPenColor(ChartFrameColor_);
  const bool imageNamed = !BackGroundImg_.Name.empty();
  if (const TBitmap* image = BackgroundImage()) {
    PaintImage(canvas, *image);
    return;
  }
  canvas.Rectangle(xOffset, yOffset, xOffset + size.x, yOffset + size.y);
  // Where the image failed, the plain rectangle only.
  if (!imageNamed && BackGroundImg_.AreaMode != bamNone) PaintArea(canvas, xOffset, yOffset, size);
}

const TBitmap* TGChart::BackgroundImage() {
  if (BackGroundImg_.Name.empty() || !BitmapFactory_) return nullptr;
  std::string path = BackGroundImg_.Name;
  if (!BackGroundImg_.IncludePath) path = std::filesystem::path(path).filename().string();
  if (BackgroundImage_ && BackgroundImageName_ == path) return BackgroundImage_.get();
  std::unique_ptr<TBitmap> image = BitmapFactory_->NewBitmap(0, 0);
  if (!image->LoadFromFile(path)) {
    // Not tried again: the chart forgets the name.
    BackGroundImg_.Name.clear();
    BackgroundImage_.reset();
    return nullptr;
  }
  BackgroundImage_ = std::move(image);
  BackgroundImageName_ = path;
  return BackgroundImage_.get();
}

void TGChart::PaintImage(TCanvas& canvas, const TBitmap& image) {
  const TPoint size = ChartAreaBitmapSize();
  switch (BackGroundImg_.FillMode) {
    case bfStretch: canvas.StretchDraw(0, 0, size.x, size.y, image); return;
    case bfTile:
      if (image.Width() <= 0 || image.Height() <= 0) return;
      for (int y = 0; y < size.y; y += image.Height()) {
        for (int x = 0; x < size.x; x += image.Width()) canvas.Draw(x, y, image);
      }
      return;
    default:
      canvas.Rectangle(0, 0, size.x, size.y);
      canvas.Draw(0, 0, image);
      return;
  }
}

void TGChart::PaintArea(TCanvas& canvas, int32_t xOffset, int32_t yOffset, TPoint size) {
  const TBakGndImg& b = BackGroundImg_;
  const TPoint lt = MapToPixel(1, b.AreaLeft, b.AreaTop);
  const TPoint rb = MapToPixel(1, b.AreaRight, b.AreaBottom);
  const auto toX = [&](int32_t px) { return int(std::clamp<int64_t>(int64_t(px) - MarginLeft_ + xOffset, -30000, 30000)); };
  const auto toY = [&](int32_t py) { return int(std::clamp<int64_t>(int64_t(py) - MarginTop_ + yOffset, -30000, 30000)); };
  const int left = xOffset, top = yOffset, right = xOffset + size.x, bottom = yOffset + size.y;
  const int l = toX(lt.x), t = toY(lt.y), r = toX(rb.x), bm = toY(rb.y);
  Fill(canvas, b.AreaColor);
  switch (b.AreaMode) {
    case bamLeft: canvas.Rectangle(left, top, l, bottom); break;
    case bamRight: canvas.Rectangle(r, top, right, bottom); break;
    case bamTop: canvas.Rectangle(left, top, right, t); break;
    case bamBottom: canvas.Rectangle(left, bm, right, bottom); break;
    case bamVStripe: canvas.Rectangle(l, top, r, bottom); break;
    case bamHStripe: canvas.Rectangle(left, t, right, bm); break;
    case bamRect: canvas.Rectangle(l, t, r, bm); break;
    case bamNone: break;
  }
}
