#pragma once
// The chart control's core: a display list of item records in 16 layers, the drawing
// operations that append to it, each layer's x and y ranges with the mapping from data
// units to pixels, the margins that place the chart area, the paint suspension that
// guards multi-step changes, data sharing between charts and the session file.
//
// Rendering: the chart composes its pictures off screen (ControlBitmap for the whole
// control, ChartAreaBitmap for the chart area) and copies them onto its window picture,
// which the widget shows; the whole control is composed in the window picture itself and
// copied to ControlBitmap only when that is read or the window drawn over. Paint (the full repaint), ShowGraph and UpdateGraph only
// record what is to be composed and ask the window to refresh; the work is carried out
// once, when the widget paints, when a picture is read, before an export, or before a
// change that would alter what the recorded work draws (Changing, gchart_changes.cpp).
// The pictures are exactly those that composing at once would give;
// SetDeferredComposition(false) composes at once.
// Paint returns at once while painting is suspended (from creation until the widget
// clears the flag), while the control is not visible and while settings are being loaded.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/chart_appearance.h"
#include "chart/chart_item.h"
#include "chart/chart_mouse.h"
#include "chart/colors.h"
#include "chart/cross_hairs.h"
#include "chart/gchart_error.h"
#include "chart/item_store.h"
#include "chart/scale.h"
#include "chart/scale_props.h"
#include "chart/scale_types.h"
#include "chart/text_labels.h"

constexpr int32_t kNumLayers = 16;

// Margin and caption presets.
enum TStandardLayout : uint8_t {
  gcl_X1Bottom_Y1Left,
  gcl_X1Bottom_Y2Left,
  gcl_X1Bottom_Y3Left,
  gcl_X1Bottom_Y4Left,
  gcl_X1Bottom_Y2Both,
  gcl_X2Bottom_Y2Left,
  gcl_X2Both_Y2Both,
};

// The point the chart caption's position is measured from.
enum TCaptionAnchorHoriz : uint8_t { cahControlLeft, cahChartLeft, cahChartCenter, cahChartRight, cahControlRight };
enum TCaptionAnchorVert : uint8_t { cavControlTop, cavChartTop, cavChartCenter, cavChartBottom, cavControlBottom };

// What the chart needs from the window system: information boxes.
class TChartHost {
 public:
  virtual ~TChartHost() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

// The window that shows the chart's window picture.
class TChartWindow {
 public:
  virtual ~TChartWindow() = default;
  // A part of the window picture has changed or waits for composition: show it again soon.
  virtual void RefreshRequested(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
};

class TItemPainter;

struct TDataPoint {
  double x = 0;
  double y = 0;
};

// The chart area in control pixels; Width and Height may be zero or negative when the
// margins take the whole control.
struct TChartArea {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int64_t Width() const { return int64_t(Right) - Left; }
  int64_t Height() const { return int64_t(Bottom) - Top; }
};

class TGChart {
 public:
  // Sender, canvas, then MarginTop - yOffset and MarginLeft - xOffset of the pass.
  using TRenderEvent = std::function<void(TGChart& sender, TCanvas& canvas, int32_t top, int32_t left)>;

  TGChart();
  ~TGChart();
  TGChart(const TGChart&) = delete;
  TGChart& operator=(const TGChart&) = delete;

  void SetHost(TChartHost* host) { Host_ = host; }
  // The chart creates its bitmaps through the factory; without one it keeps all its
  // state but draws nothing.
  void SetBitmapFactory(const TBitmapFactory* factory);
  void SetWindow(TChartWindow* window) { Window_ = window; }

  // Applying stored settings: between the two calls nothing repaints, the mapping is not
  // computed and logarithmic axes are accepted whatever their ranges; EndLoading then
  // computes the mapping and repaints.
  void BeginLoading();
  void EndLoading();
  bool Loading() const { return Loading_; }

  // --- The control ---
  int32_t Width() const { return Width_; }
  int32_t Height() const { return Height_; }
  // Never smaller than the margins and shadow plus 80 x 20 pixels; does not repaint.
  void Resize(int32_t width, int32_t height);
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Visible_ = visible; }

  // --- Redraw control ---
  // When true, appearance setters repaint at once. Item operations never repaint.
  bool AutoRedraw() const { return AutoRedraw_; }
  void SetAutoRedraw(bool autoRedraw) { AutoRedraw_ = autoRedraw; }
  bool PaintSuspended() const { return PaintSuspended_; }
  // Clearing the flag when it was set repaints once; any other call changes nothing.
  void SetPaintSuspended(bool suspended);
  // The full repaint: control background, caption, scales, chart area with grid and
  // items. Brings the mapping up to date first and lets its errors through.
  void Paint();
  // Repaints that got past the guards of Paint since creation.
  int64_t PaintCount() const { return PaintCount_; }
  // If visible: the chart area with grid and all items (AutoRedraw), or Paint. Then the
  // charts sharing this chart's display list repaint if their AutoRedraw is set.
  void ShowGraph();
  // If visible: all items again over the present chart-area picture, the grid only when
  // LastDrawnIndex is 0; a removed item stays visible until the next full drawing.
  void UpdateGraph();

  // --- Composition ---
  bool DeferredComposition() const { return DeferredComposition_; }
  // False composes every recorded picture at once; switching to false composes what waits.
  void SetDeferredComposition(bool deferred);
  // Carries out the recorded work; the widget calls it before it shows the window picture.
  void ComposePending();
  bool CompositionPending() const { return Full_.Pending || Area_.Pending; }
  // The pictures, composed up to date; nullptr without a bitmap factory.
  TBitmap* ControlBitmap();
  TBitmap* ChartAreaBitmap();
  // What the window shows, Width x Height. Drawing on it (XOR outlines) goes through
  // WindowCanvas and needs RefreshWindow.
  const TBitmap* WindowBitmap();
  TCanvas* WindowCanvas();
  void RefreshWindow();

  // The passes; each draws at once into the canvas it is given.
  void PaintControlBackground(TCanvas& canvas);
  void PaintBackground(TCanvas& canvas, int32_t xOffset, int32_t yOffset);
  // Grid (startIndex 0 only), every visible item, text labels, frame; MonoMode draws
  // lines and texts black and fills silver.
  void PaintItems(TCanvas& canvas, int32_t xOffset, int32_t yOffset, bool monoMode, int32_t startIndex);
  // Copies the bitmap onto the window picture at (x, y).
  void PresentBitmap(int32_t x, int32_t y, TBitmap& bitmap);

  // Writes the whole control as a Windows bitmap: the name cut at the first "." of its
  // file-name part, then ".bmp". BlackAndWhite draws white backgrounds, black scales and
  // items, silver fills and shadow. The chart keeps its colours and is not repainted.
  // Raises EGChartError when the file cannot be written.
  void SaveAsBitmap(const std::string& fileName, bool blackAndWhite);
  // Writes the whole control in its colours as a PNG file, under the name as given.
  void SaveAsPng(const std::string& fileName);

  // --- Appearance: each setter repaints with AutoRedraw ---
  TColor ChartColor() const { return ChartColor_; }
  void SetChartColor(TColor color);
  TColor ChartFrameColor() const { return ChartFrameColor_; }
  void SetChartFrameColor(TColor color);
  TColor WindColor() const { return WindColor_; }
  void SetWindColor(TColor color);
  TShadowStyle ShadowStyle() const { return ShadowStyle_; }
  void SetShadowStyle(TShadowStyle style);
  TColor ShadowColor() const { return ShadowColor_; }
  void SetShadowColor(TColor color);
  TColor ShadowBakColor() const { return ShadowBakColor_; }
  void SetShadowBakColor(TColor color);
  // The caption's font.
  const TFont& Font() const { return Font_; }
  void SetFont(const TFont& font);
  TGridStyle GridStyle() const { return GridStyle_; }
  void SetGridStyle(TGridStyle style);
  TColor GridColor() const { return GridColor_; }
  void SetGridColor(TColor color);
  // Grid step in data units; 0 follows the scale's ticks, negative values choose
  // logarithmic steps (-1 decades, -2 1-2-5, -3 every digit).
  double GridDx() const { return GridDx_; }
  void SetGridDx(double step);
  double GridDy() const { return GridDy_; }
  void SetGridDy(double step);
  // Style bits (TFontStyleBit) of item texts.
  uint8_t TextFontStyle() const { return TextFontStyle_; }
  void SetTextFontStyle(uint8_t style);
  TColor TextBkColor() const { return TextBkColor_; }
  void SetTextBkColor(TColor color);
  TTextBkStyle TextBkStyle() const { return TextBkStyle_; }
  void SetTextBkStyle(TTextBkStyle style);
  // An image that cannot be read is dropped: its Name is cleared at the next drawing.
  const TBakGndImg& BackGroundImg() const { return BackGroundImg_; }
  void SetBackGroundImg(const TBakGndImg& image);

  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;
  TRenderEvent OnScalesRendered;  // top and left are 0
  TScale::TScaleTickDrawnEvent OnScaleTickDrawn;  // fired by every scale renderer
  TScale::TBeforeTickLabelEvent OnBeforeTickLabel;

  // --- Item store ---
  // Growth step in records, 1 .. 1,000,000; other values are ignored.
  int32_t AllocSize() const { return AllocSize_; }
  void SetAllocSize(int32_t size);
  int32_t NumItems() const { return Store_->NumItems(); }
  int32_t Capacity() const { return Store_->Capacity(); }
  // Items 0 .. NumItems - 1, the oldest first; valid until the next change of the store.
  std::span<const TChartItem> Items() const { return Store_->Items(); }
  int32_t ItemCountOfKind(int kind) const { return Store_->ItemCountOfKind(kind); }
  int32_t LastDrawnIndex() const { return Store_->LastDrawnIndex(); }
  // Class of new items; 255 is ignored.
  uint8_t ClassDefault() const { return ClassDefault_; }
  void SetClassDefault(uint8_t itemClass);
  bool ClassVisible(uint8_t itemClass) const { return ClassVisible_[itemClass]; }
  void SetClassVisible(uint8_t itemClass, bool visible);
  // False for layers outside 1..16.
  bool LayerVisible(int32_t layer) const;
  void SetLayerVisible(int32_t layer, bool visible);
  // Whether the painter draws the item: its class and layer are visible. A record of a
  // layer outside 1..16 (from a foreign session file) is kept but never drawn.
  bool ItemVisible(const TChartItem& item) const { return ClassVisible_[item.Class] && LayerVisible(item.Layer); }
  void RemoveItem(int32_t index);
  void RemoveFirstItem() { RemoveItem(0); }
  // Removes every item of the layer (a derived curve taken away).
  void RemoveLayerItems(int32_t layer);
  // Empties the store; the screen keeps the old picture until the next rendering.
  void ClearGraph();

  // --- Drawing operations: append one item to the current layer, never repaint ---
  void MoveTo(double x, double y);
  void DrawTo(double x, double y);
  void Line(double x1, double y1, double x2, double y2);
  TColor DataColor() const { return DataColor_; }
  void SetDataColor(TColor color) { DataColor_ = color; }
  TColor FillColor() const { return FillColor_; }
  void SetFillColor(TColor color) { FillColor_ = color; }
  TPenStyle PenStyle() const { return PenStyle_; }
  void SetPenStyle(TPenStyle style) { PenStyle_ = style; }
  uint8_t LineWidth() const { return LineWidth_; }
  void SetLineWidth(uint8_t width) { LineWidth_ = width; }
  int32_t CurrentLayer() const { return CurrentLayer_; }
  // Layers outside 1..16 are ignored.
  void SetCurrentLayer(int32_t layer);

  // --- Layers, ranges and mapping ---
  // The scale property blocks of a layer; layer numbers are clamped into 1..16.
  TScalePropsHoriz& ScaleX(int32_t layer) { return LayerOf(layer).X; }
  const TScalePropsHoriz& ScaleX(int32_t layer) const { return LayerOf(layer).X; }
  TScalePropsVert& ScaleY(int32_t layer) { return LayerOf(layer).Y; }
  const TScalePropsVert& ScaleY(int32_t layer) const { return LayerOf(layer).Y; }
  TScalePropsHoriz& Scale1X() { return ScaleX(1); }
  TScalePropsHoriz& Scale2X() { return ScaleX(2); }
  TScalePropsHoriz& Scale3X() { return ScaleX(3); }
  TScalePropsHoriz& Scale4X() { return ScaleX(4); }
  TScalePropsVert& Scale1Y() { return ScaleY(1); }
  TScalePropsVert& Scale2Y() { return ScaleY(2); }
  TScalePropsVert& Scale3Y() { return ScaleY(3); }
  TScalePropsVert& Scale4Y() { return ScaleY(4); }
  // The renderers that draw the blocks; their tick lists hold the ticks of the last drawing.
  const TScale& ScaleRendererX(int32_t layer) const { return ScalesX_[LayerIndex(layer)]; }
  const TScale& ScaleRendererY(int32_t layer) const { return ScalesY_[LayerIndex(layer)]; }
  // x1, y1 become the low ends, x2, y2 the high ends; layer 0 sets all 16 layers. Equal
  // ends are widened, Isometric corrects the y range, joint layers follow; repaints once
  // at the end unless painting is suspended (and once more with AutoRedraw). Layers
  // outside 0..16 are ignored.
  void SetRange(int32_t layer, double x1, double y1, double x2, double y2);
  // Writes one layer's ranges directly: an axis whose span is below its MinRange keeps
  // its range; a logarithmic axis does not take an end below LogFloor.
  void SetLayerRange(int32_t layer, double xLow, double yLow, double xHigh, double yHigh);
  // Whether mouse panning and zooming change this layer; layers outside 1..16 ignored.
  bool LayerMouseControl(int32_t layer) const;
  void SetLayerMouseControl(int32_t layer, bool enabled);
  // Joint layers: the layer whose x (y) range a layer follows, itself when independent.
  // Raise EGChartError for a controller outside 1..16, a controller that follows another
  // layer, and a layer that others follow.
  int32_t LxControlledBy(int32_t layer) const { return LayerOf(layer).XController; }
  void SetLxControlledBy(int32_t layer, int32_t controller);
  int32_t LyControlledBy(int32_t layer) const { return LayerOf(layer).YController; }
  void SetLyControlledBy(int32_t layer, int32_t controller);
  // When true, one data unit has the same length on both axes of every layer.
  bool Isometric() const { return Isometric_; }
  void SetIsometric(bool isometric);
  // Recomputes every layer's mapping; raises EGChartError for a logarithmic axis with an
  // end at or below 0.
  void UpdateMapping();
  // Control pixel of a data point; the layer is clamped into 1..16.
  TPoint MapToPixel(int32_t layer, double x, double y) const;
  // Data point of a control pixel; an axis without extent gives its RangeLow.
  TDataPoint MapToData(int32_t layer, int32_t px, int32_t py) const;

  // --- Geometry: each setter recomputes the mapping and repaints with AutoRedraw ---
  int32_t MarginLeft() const { return MarginLeft_; }
  void SetMarginLeft(int32_t margin);
  int32_t MarginRight() const { return MarginRight_; }
  void SetMarginRight(int32_t margin);
  int32_t MarginTop() const { return MarginTop_; }
  void SetMarginTop(int32_t margin);
  int32_t MarginBottom() const { return MarginBottom_; }
  void SetMarginBottom(int32_t margin);
  int32_t LRim() const { return MarginLeft_; }
  void SetLRim(int32_t margin) { SetMarginLeft(margin); }
  int32_t RRim() const { return MarginRight_; }
  void SetRRim(int32_t margin) { SetMarginRight(margin); }
  int32_t TRim() const { return MarginTop_; }
  void SetTRim(int32_t margin) { SetMarginTop(margin); }
  int32_t BRim() const { return MarginBottom_; }
  void SetBRim(int32_t margin) { SetMarginBottom(margin); }
  // Clamped to 0..32.
  int32_t ShadowWidth() const { return ShadowWidth_; }
  void SetShadowWidth(int32_t width);
  TChartArea ChartArea() const;
  TStandardLayout StandardLayout() const { return StandardLayout_; }
  void SetStandardLayout(TStandardLayout layout);

  const std::string& Caption() const { return Caption_; }
  void SetCaption(std::string caption);
  int32_t CaptionPosX() const { return CaptionPosX_; }
  void SetCaptionPosX(int32_t x);
  int32_t CaptionPosY() const { return CaptionPosY_; }
  void SetCaptionPosY(int32_t y);
  TAlignment CaptionAlignment() const { return CaptionAlignment_; }
  void SetCaptionAlignment(TAlignment alignment);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return CaptionAnchorHoriz_; }
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz anchor);
  TCaptionAnchorVert CaptionAnchorVert() const { return CaptionAnchorVert_; }
  void SetCaptionAnchorVert(TCaptionAnchorVert anchor);

  // --- Data sharing: a chart that uses another's data shows that chart's display list ---
  TGChart* UseDataOf() const { return UseDataOf_; }
  // Refusals are shown through the host and change nothing; nullptr ends the sharing,
  // keeping a copy of the items shown.
  void SetUseDataOf(TGChart* master);
  // The charts (at most 4) that use this chart's data.
  std::span<TGChart* const> DataSharers() const { return Sharers_; }

  // --- Session file: the items as raw records ---
  // Raises EGChartError when the file cannot be created and EInOutError when a write or
  // the close fails; the file then holds what was written.
  void SaveGraphFile(const std::string& fileName) const;
  // Replaces the items or appends the file's records behind them, then repaints. A file
  // that cannot be opened or read changes nothing and reports nothing; one too large for
  // memory raises EGChartError and changes nothing.
  void LoadGraphFile(const std::string& fileName, bool append);

  // --- Mouse interaction, cross-hairs and text labels ---
  // Stored only; a change during a drag takes effect at the next move.
  TMouseActMode MouseAction() const { return Mouse_.Action; }
  void SetMouseAction(TMouseActMode action) { Mouse_.Action = action; }
  // When true the pointer over the chart always shows the control's own cursor.
  bool MouseCursorFixed() const { return Mouse_.CursorFixed; }
  void SetMouseCursorFixed(bool fixed) { Mouse_.CursorFixed = fixed; }
  // Where rectangle outlines are drawn and cursors set; nullptr for nowhere.
  void SetMouseFeedback(TMouseFeedback* feedback) { Mouse_.Feedback = feedback; }
  // Numbers are clamped into 1..4 and 1..30.
  TCrossHair& CrossHair(int32_t i);
  const TCrossHair& CrossHair(int32_t i) const;
  TTextLabel& TextLabel(int32_t i);
  const TTextLabel& TextLabel(int32_t i) const;
  // The window's mouse events in client pixels. A double click arrives as DblClick
  // followed by the mouse-down of its second click, which it cancels.
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) { Mouse_.MouseDown(button, shift, x, y); }
  void MouseMove(TShiftState shift, int32_t x, int32_t y) { Mouse_.MouseMove(shift, x, y); }
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) { Mouse_.MouseUp(button, shift, x, y); }
  void DblClick() { Mouse_.DblClick(); }
  void MouseEnter();
  void MouseLeave();

  TChartNotifyEvent OnZoomPan;  // after each pan or zoom step and a rectangle
  TRubberBandEvent OnRubberBand;  // per mouse-controlled layer, in maRubberBand
  TMouseMoveInChartEvent OnMouseMoveInChart;  // after every move's own handling
  TItemMoveEvent OnCrossHairMove;
  TItemMoveEvent OnTextLabelMove;
  TChartNotifyEvent OnMouseEnter;
  TChartNotifyEvent OnMouseLeave;

 private:
  friend class TItemPainter;

  struct TAxisMapping {
    long double k = 0;  // pixel = k * u + d, u = value or its natural logarithm
    long double d = 0;
    // Trend plotting moves one layer's range per sample while the other axes stay as
    // they are: k and d are kept for the range they were computed from, in the
    // placement of MappedArea_.
    bool Current = false;
    bool Logarithmic = false;
    double Low = 0;
    double High = 0;
    double MinRange = 0;
  };
  struct TAxisPlacement {
    int32_t LowEdge;  // pixel of RangeLow: left or bottom of the chart area
    int32_t HighEdge;  // pixel of RangeHigh: right or top
    int64_t Extent;  // W or H
    int32_t ControlSize;  // Width or Height
  };
  struct TLayer {
    TScalePropsHoriz X;
    TScalePropsVert Y;
    TAxisMapping MapX;
    TAxisMapping MapY;
    bool MouseControl = false;
    int32_t XController = 0;
    int32_t YController = 0;
  };

  // Suspends painting for a multi-step change. Restore() brings back the former state
  // (repainting when that was unsuspended); leaving the scope without it, by an
  // exception or on purpose, restores the state without a repaint.
  class TPaintSuspension {
   public:
    explicit TPaintSuspension(TGChart& chart) : Chart_(chart), Was_(chart.PaintSuspended_) {
      chart.PaintSuspended_ = true;
    }
    ~TPaintSuspension() {
      if (!Restored_) Chart_.PaintSuspended_ = Was_;
    }
    TPaintSuspension(const TPaintSuspension&) = delete;
    TPaintSuspension& operator=(const TPaintSuspension&) = delete;
    void Restore() {
      Restored_ = true;
      Chart_.SetPaintSuspended(Was_);
    }

   private:
    TGChart& Chart_;
    const bool Was_;
    bool Restored_ = false;
  };

  // What a composition recorded for later draws.
  struct TPendingFull {
    bool Pending = false;
    int32_t GridLayer = 1;
    int32_t NumItems = 0;  // items appended later are not part of it
  };
  struct TPendingArea {
    bool Pending = false;
    bool Background = false;
    bool Grid = false;
    int32_t GridLayer = 1;
    int32_t NumItems = 0;
  };
  static size_t LayerIndex(int32_t layer) { return size_t(std::clamp(layer, 1, kNumLayers) - 1); }
  TLayer& LayerOf(int32_t layer);
  const TLayer& LayerOf(int32_t layer) const;
  void InitLayers();
  void WriteCommonFields(TChartItem& item) const;
  static void SetAxisRange(TScaleProps& block, double low, double high);
  void ScalePropsChanged();
  void ApplyRangeJointly(int32_t layer, double x1, double y1, double x2, double y2);
  void SetController(int32_t layer, int32_t controller, bool xAxis);
  std::optional<double> IsometricHalfHeight(double xSpan) const;
  void ApplyIsometric();
  void GeometryChanged();
  // Repaints with AutoRedraw.
  void AppearanceChanged();
  void ShowMessage(const std::string& text);
  void StopSharing();
  void NotifySharers();

  // One layer's mapping after its range changed; a full pass when anything else may have
  // changed since the last one.
  void UpdateLayerMapping(int32_t layer);
  bool IsMappedArea(const TChartArea& area) const;
  void MapLayer(TLayer& l, const TChartArea& area);
  static void MapAxis(const TScaleProps& block, const TAxisPlacement& placement, TAxisMapping& mapping);
  // Pixel of a value on one axis of a layer, limited to the int32 range.
  static int32_t AxisPixel(const TScaleProps& block, const TAxisMapping& mapping, double v, int32_t lowEnd,
                           int32_t highEnd);

  // What a change touches (gchart_changes.cpp).
  enum TChange : unsigned {
    chItems = 1,  // items removed or replaced, which of them are drawn, whose items are shown
    chRanges = 2,  // a layer's range
    chScales = 4,  // a scale's settings
    chGeometry = 8,  // the control's size, margins and shadow
    chLook = 16,  // colours, fonts, captions, grid, background image
    chOverlay = 32,  // cross-hairs and text labels
  };
  // The one way in for every change of what the chart shows, called before the change:
  // it brings what the chart keeps between pictures in line (gchart_changes.cpp).
  void Changing(unsigned change);
  // The items of the store are about to be removed or replaced: every chart that shows them.
  void ItemsChanging();
  // Whether a pass may be left out for a later one, or drawn twice, without a trace: no
  // item sets the chart-area font that character marks take.
  bool PassesRepeatable() const;
  bool CrossHairsShown() const;
  // Asks the window to show a part of the window picture again.
  void Requested(int32_t x, int32_t y, int32_t width, int32_t height);
  void RequestedWhole() { Requested(0, 0, Width_, Height_); }
  void RequestedArea();
  void ComposeFull(int32_t numItems, int32_t gridLayer);
  // The control background pass; without underChartArea the chart area's place is left
  // as it was, for compositions that draw the chart area's picture over it.
  void PaintControlPass(TCanvas& canvas, bool underChartArea);
  void FillAroundChartArea(TCanvas& canvas);
  // The whole control drawn afresh into ControlBitmap and written to path.
  void SavePicture(const std::string& path, bool blackAndWhite, TPictureFormat format);
  void ComposeArea(const TPendingArea& area);
  void PaintItemsJob(TCanvas& canvas, int32_t xOffset, int32_t yOffset, bool monoMode, bool grid, int32_t gridLayer,
                     int32_t numItems);
  void PresentNow(int32_t x, int32_t y, TBitmap& bitmap);
  // Takes the control picture out of the window picture, where a full composition left
  // it, before anything draws over it there or reads or resizes ControlBitmap_.
  void KeepControlPicture();
  TPoint ChartAreaBitmapSize() const;
  void ResizeBitmaps();
  // The background image, read when its name changes; nullptr when there is none.
  const TBitmap* BackgroundImage();
  void PaintShadow(TCanvas& canvas);
  void PaintCaption(TCanvas& canvas);
  void PaintImage(TCanvas& canvas, const TBitmap& image);
  void PaintArea(TCanvas& canvas, int32_t xOffset, int32_t yOffset, TPoint size);
  // The setters of appearance and geometry: Changing, the value, then the repaint with
  // AutoRedraw (geometry first places the scales and maps the layers anew).
  template <typename T>
  void SetLook(T& member, const T& value) {
    Changing(chLook);
    member = value;
    AppearanceChanged();
  }
  template <typename T>
  void SetGeometry(T& member, const T& value) {
    Changing(chGeometry);
    member = value;
    GeometryChanged();
  }

  // Rendering hooks: the empty chart area into its bitmap (ClearGraph); the scale
  // renderers taking their blocks and the chart's geometry; one layer's renderers taking
  // its new ranges.
  void PaintEmptyChartArea();
  void UpdateScaleRenderers();
  void UpdateLayerScaleRanges(int32_t layer);

  TChartHost* Host_ = nullptr;
  bool Loading_ = false;
  bool Visible_ = true;
  bool AutoRedraw_ = true;
  bool PaintSuspended_ = true;
  int64_t PaintCount_ = 0;
  int32_t Width_ = 400;
  int32_t Height_ = 300;

  std::shared_ptr<TItemStore> Store_;
  int32_t AllocSize_ = 1000;
  uint8_t ClassDefault_ = 0;
  std::array<bool, 256> ClassVisible_;
  std::array<bool, kNumLayers> LayerVisible_;

  TColor DataColor_ = clBlack;
  TColor FillColor_ = clSilver;
  TPenStyle PenStyle_ = psSolid;
  uint8_t LineWidth_ = 1;
  int32_t CurrentLayer_ = 1;

  std::array<TLayer, kNumLayers> Layers_;
  // The chart area and control size that the layers' current mappings belong to.
  TChartArea MappedArea_;
  int32_t MappedWidth_ = 0;
  int32_t MappedHeight_ = 0;
  // Every layer's mapping was computed by a full pass or since; a property change or a
  // failed pass asks for the next full one.
  bool AllMappingsCurrent_ = false;
  bool Isometric_ = false;

  int32_t MarginLeft_ = 0;
  int32_t MarginRight_ = 0;
  int32_t MarginTop_ = 0;
  int32_t MarginBottom_ = 0;
  int32_t ShadowWidth_ = 0;
  TStandardLayout StandardLayout_ = gcl_X1Bottom_Y1Left;
  std::string Caption_;
  int32_t CaptionPosX_ = 0;
  int32_t CaptionPosY_ = -15;
  TAlignment CaptionAlignment_ = taRightJustify;
  TCaptionAnchorHoriz CaptionAnchorHoriz_ = cahChartRight;
  TCaptionAnchorVert CaptionAnchorVert_ = cavChartTop;

  TGChart* UseDataOf_ = nullptr;
  std::vector<TGChart*> Sharers_;

  TColor ChartColor_ = clWhite;
  TColor ChartFrameColor_ = clBlack;
  TColor WindColor_ = clBtnFace;
  TShadowStyle ShadowStyle_ = ssFlying;
  TColor ShadowColor_ = clGrayText;
  TColor ShadowBakColor_ = clBtnFace;
  TFont Font_;
  TGridStyle GridStyle_ = gsNone;
  TColor GridColor_ = clGray;
  double GridDx_ = 0;
  double GridDy_ = 0;
  uint8_t TextFontStyle_ = 0;
  TColor TextBkColor_ = clWhite;
  TTextBkStyle TextBkStyle_ = tbSolid;
  TBakGndImg BackGroundImg_;

  std::vector<TScale> ScalesX_;
  std::vector<TScale> ScalesY_;

  const TBitmapFactory* BitmapFactory_ = nullptr;
  TChartWindow* Window_ = nullptr;
  std::unique_ptr<TBitmap> ControlBitmap_;
  std::unique_ptr<TBitmap> ChartAreaBitmap_;
  std::unique_ptr<TBitmap> WindowBitmap_;
  std::unique_ptr<TBitmap> BackgroundImage_;
  std::string BackgroundImageName_;  // the file BackgroundImage_ was read from
  std::unique_ptr<TItemPainter> Painter_;
  bool DeferredComposition_ = true;
  TPendingFull Full_;
  TPendingArea Area_;
  // The chart changed while painting was suspended and work waited: the repaint that
  // ends the suspension replaces that work, so it is not done.
  bool PendingStale_ = false;
  // The last full composition was drawn straight into the window picture, which saves
  // copying the whole control once per frame; ControlBitmap_ does not hold it yet.
  bool ControlInWindow_ = false;

  // Mouse interaction, cross-hairs and text labels; their changes repaint with AutoRedraw.
  friend class TChartMouse;
  std::array<TCrossHair, kNumCrossHairs> NewCrossHairs();
  std::array<TTextLabel, kNumTextLabels> NewTextLabels();
  std::array<TCrossHair, kNumCrossHairs> CrossHairs_ = NewCrossHairs();
  std::array<TTextLabel, kNumTextLabels> TextLabels_ = NewTextLabels();
  TChartMouse Mouse_{*this};
};
