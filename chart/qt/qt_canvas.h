#pragma once
// The chart's canvas over a QImage (Format_RGB32): one-pixel lines are set straight into
// the image's pixels, exactly as GDI draws them; shapes, wide lines, text and images go
// through a QPainter without antialiasing. Pens, brushes and fonts are built only when
// an operation needs them after they changed.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

#include "chart/canvas.h"
#include "chart/qt/pixel_lines.h"
#include "chart/qt/text_widths.h"

class TQtCanvas : public TCanvas {
 public:
  // Paints on `target`, which must outlive the canvas and stay Format_RGB32 (or null).
  explicit TQtCanvas(QImage& target);
  ~TQtCanvas() override;
  TQtCanvas(const TQtCanvas&) = delete;
  TQtCanvas& operator=(const TQtCanvas&) = delete;

  // Ends painting so that the target may be replaced, and starts again on it.
  void Suspend();
  void Resume();

  void SetPenColor(TColor color) override;
  void SetPenStyle(TPenStyle style) override;
  void SetPenWidth(int width) override;
  void SetPenMode(TPenMode mode) override;
  void SetBrushColor(TColor color) override;
  void SetBrushStyle(TBrushStyle style) override;
  void SetFont(const TFont& font) override;
  void SetFontColor(TColor color) override;

  void LineTo(int x, int y) override;
  void Polyline(const TPoint* points, size_t count) override;
  void Polygon(const TPoint* points, size_t count) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void SetPixel(int x, int y, TColor color) override;
  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void Draw(int x, int y, const TBitmap& source) override;
  void StretchDraw(int x1, int y1, int x2, int y2, const TBitmap& source) override;

 private:
  enum TPainterPen : uint8_t { ppNone, ppPen, ppText };
  enum TPainterMode : uint8_t { pmPainterCopy, pmPainterXor };

  bool ThinPen() const { return PenWidth_ <= 1; }
  // The one-pixel lines' pixel for the pen's colour and mode.
  void UpdateInk();
  void DrawLine(int x1, int y1, int x2, int y2);
  void DrawBox(int x1, int y1, int x2, int y2, bool ellipse);
  void UsePen(bool withPen);
  void UseBrush(bool withBrush);
  void UseMode(TPainterMode mode);
  // The metrics of the current font, building it first when it changed.
  const QFontMetrics& Metrics();
  const QString& Decoded(std::string_view text);
  void DrawImage(const QRect& target, const TBitmap& source);

  QImage& Target_;
  QPainter Painter_;
  TPixelBuffer Pixels_;
  TLineInk Ink_;
  uint32_t DashPhase_ = 0;

  // What the painter holds now; each is brought up to date only when an operation needs it.
  bool PenChanged_ = true;
  bool BrushChanged_ = true;
  bool FontChanged_ = true;
  bool TextColorChanged_ = true;
  bool PainterFont_ = false;
  TPainterPen PainterPen_ = ppNone;
  bool PainterBrush_ = false;
  TPainterMode PainterMode_ = pmPainterCopy;
  QPen Pen_;
  QFont QtFont_;
  std::optional<QFontMetrics> Metrics_;
  TTextWidths Widths_;

  std::vector<QPoint> Points_;  // reused by Polyline and Polygon
  std::vector<QLine> Lines_;    // reused by wide polylines
  QString Text_;                // reused by every text call
};

QColor ToQColor(TColor color);
