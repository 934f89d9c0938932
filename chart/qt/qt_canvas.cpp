#include "chart/qt/qt_canvas.h"

#include <QList>
#include <algorithm>
#include <array>
#include <cstdint>

#include "chart/qt/qt_bitmap.h"

namespace {

// Dash patterns of one-pixel pens as alternating drawn and skipped runs, close to GDI's.
struct TDashRuns {
  std::array<uint8_t, 6> Runs{};
  uint8_t Count = 0;
};

TDashRuns DashRuns(TPenStyle style) {
  switch (style) {
    case psDash: return {{18, 6}, 2};
    case psDot: return {{3, 3}, 2};
    case psDashDot: return {{9, 6, 3, 6}, 4};
    case psDashDotDot: return {{9, 3, 3, 3, 3, 3}, 6};
    default: return {};
  }
}

TDashPattern DashPattern(TPenStyle style) {
  const TDashRuns runs = DashRuns(style);
  TDashPattern p;
  for (uint8_t i = 0; i < runs.Count; ++i) {
    if (i % 2 == 0) p.Mask |= ((1u << runs.Runs[i]) - 1) << p.Length;
    p.Length = uint8_t(p.Length + runs.Runs[i]);
  }
  return p;
}

uint32_t PixelOf(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return qRgb(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

int Limit(int v) { return std::clamp(v, -kMaxLineCoordinate, kMaxLineCoordinate); }

// Characters 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr int kDefaultFontPixels = 13;
// Item texts of session files may ask for any size; no glyph is drawn taller than this.
constexpr int64_t kMaxFontPixels = 4096;

QFont ToQFont(const TFont& font) {
  QFont q(QString::fromLatin1(font.Name.data(), qsizetype(font.Name.size())));
  q.setBold(font.Style & fsBold);
  q.setItalic(font.Style & fsItalic);
  q.setUnderline(font.Style & fsUnderline);
  q.setStrikeOut(font.Style & fsStrikeOut);
  q.setStyleStrategy(QFont::NoAntialias);
  int64_t pixels = kDefaultFontPixels;
  if (font.Height < 0) {
    pixels = -int64_t(font.Height);
  } else if (font.Height > 0) {
    // A positive height is the whole cell, internal leading included.
    constexpr int kProbe = 100;
    q.setPixelSize(kProbe);
    const int cell = std::max(1, QFontMetrics(q).height());
    pixels = (int64_t(font.Height) * kProbe + cell / 2) / cell;
  }
  q.setPixelSize(int(std::clamp<int64_t>(pixels, 1, kMaxFontPixels)));
  return q;
}

}  // namespace

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TQtCanvas::TQtCanvas(QImage& target) : Target_(target) {
  UpdateInk();
  Points_.reserve(256);
  Lines_.reserve(256);
  Resume();
}

TQtCanvas::~TQtCanvas() { Suspend(); }

void TQtCanvas::Suspend() {
  if (Painter_.isActive()) Painter_.end();
  Pixels_ = {};
}

void TQtCanvas::Resume() {
  Suspend();
  if (Target_.isNull()) return;
  Pixels_ = {reinterpret_cast<uint32_t*>(Target_.bits()), Target_.width(), Target_.height(),
             int(Target_.bytesPerLine() / 4)};
  Painter_.begin(&Target_);
  Painter_.setRenderHint(QPainter::Antialiasing, false);
  Painter_.setRenderHint(QPainter::TextAntialiasing, false);
  Painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  Painter_.setPen(Qt::NoPen);
  Painter_.setBrush(Qt::NoBrush);
  Painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  PainterPen_ = ppNone;
  PainterBrush_ = false;
  PainterMode_ = pmPainterCopy;
  PainterFont_ = false;
}

void TQtCanvas::SetPenColor(TColor color) {
  TCanvas::SetPenColor(color);
  UpdateInk();
  PenChanged_ = true;
}

void TQtCanvas::SetPenStyle(TPenStyle style) {
  TCanvas::SetPenStyle(style);
  Ink_.Dashes = DashPattern(style);
  DashPhase_ = 0;
  PenChanged_ = true;
}

void TQtCanvas::SetPenWidth(int width) {
  TCanvas::SetPenWidth(width);
  PenChanged_ = true;
}

void TQtCanvas::SetPenMode(TPenMode mode) {
  TCanvas::SetPenMode(mode);
  Ink_.Xor = mode == pmXor;
  UpdateInk();
}

// XOR leaves the opaque alpha byte of every pixel as it is.
void TQtCanvas::UpdateInk() {
  const uint32_t pixel = PixelOf(PenColor_);
  Ink_.Pixel = Ink_.Xor ? pixel & 0x00FFFFFF : pixel;
}

void TQtCanvas::SetBrushColor(TColor color) {
  TCanvas::SetBrushColor(color);
  BrushChanged_ = true;
}

void TQtCanvas::SetBrushStyle(TBrushStyle style) {
  TCanvas::SetBrushStyle(style);
  BrushChanged_ = true;
}

void TQtCanvas::SetFont(const TFont& font) {
  const bool sameFace = font.Name == Font_.Name && font.Height == Font_.Height && font.Style == Font_.Style;
  TCanvas::SetFont(font);
  if (!sameFace) FontChanged_ = true;
  TextColorChanged_ = true;
}

void TQtCanvas::SetFontColor(TColor color) {
  TCanvas::SetFontColor(color);
  TextColorChanged_ = true;
}

void TQtCanvas::UsePen(bool withPen) {
  UseMode(PenMode_ == pmXor ? pmPainterXor : pmPainterCopy);
  if (!withPen || PenStyle_ == psClear) {
    if (PainterPen_ != ppNone) Painter_.setPen(Qt::NoPen);
    PainterPen_ = ppNone;
    return;
  }
  if (PainterPen_ == ppPen && !PenChanged_) return;
  QPen pen(ToQColor(PenColor_));
  if (ThinPen()) {
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    const TDashRuns runs = DashRuns(PenStyle_);
    if (runs.Count > 0) pen.setDashPattern(QList<qreal>(runs.Runs.begin(), runs.Runs.begin() + runs.Count));
  } else {
    // Wide pens are solid whatever their style, as in GDI.
    pen.setWidth(PenWidth_);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  Painter_.setPen(pen);
  PainterPen_ = ppPen;
  PenChanged_ = false;
}

void TQtCanvas::UseBrush(bool withBrush) {
  if (!withBrush || BrushStyle_ == bsClear) {
    if (PainterBrush_) Painter_.setBrush(Qt::NoBrush);
    PainterBrush_ = false;
    return;
  }
  if (PainterBrush_ && !BrushChanged_) return;
  Painter_.setBrush(ToQColor(BrushColor_));
  PainterBrush_ = true;
  BrushChanged_ = false;
}

void TQtCanvas::UseMode(TPainterMode mode) {
  if (PainterMode_ == mode) return;
  Painter_.setCompositionMode(mode == pmPainterXor ? QPainter::RasterOp_SourceXorDestination
                                                   : QPainter::CompositionMode_SourceOver);
  PainterMode_ = mode;
}

const QFontMetrics& TQtCanvas::Metrics() {
  if (FontChanged_ || !Metrics_) {
    QtFont_ = ToQFont(Font_);
    Metrics_.emplace(QtFont_);
    Widths_.UseFace(Font_);
    FontChanged_ = false;
    PainterFont_ = false;
  }
  return *Metrics_;
}

const QString& TQtCanvas::Decoded(std::string_view text) {
  Text_.resize(qsizetype(text.size()));
  QChar* out = Text_.data();
  for (const char c : text) {
    const auto b = uint8_t(c);
    *out++ = QChar(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t(b));
  }
  return Text_;
}

void TQtCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (PenStyle_ == psClear) return;
  if (ThinPen()) {
    DrawPixelLine(Pixels_, Limit(x1), Limit(y1), Limit(x2), Limit(y2), Ink_, DashPhase_);
    return;
  }
  if (!Painter_.isActive()) return;
  UsePen(true);
  Painter_.drawLine(Limit(x1), Limit(y1), Limit(x2), Limit(y2));
}

void TQtCanvas::LineTo(int x, int y) {
  DrawLine(PenPos_.x, PenPos_.y, x, y);
  PenPos_ = {x, y};
}

void TQtCanvas::Polyline(const TPoint* points, size_t count) {
  if (count < 2 || PenStyle_ == psClear) return;
  if (ThinPen()) {
    DashPhase_ = 0;
    for (size_t i = 1; i < count; ++i) {
      DrawPixelLine(Pixels_, Limit(points[i - 1].x), Limit(points[i - 1].y), Limit(points[i].x), Limit(points[i].y),
                    Ink_, DashPhase_);
    }
    return;
  }
  if (!Painter_.isActive()) return;
  UsePen(true);
  if (PenMode_ == pmXor) {
    // Every pixel once: the outline of the whole line.
    Points_.resize(count);
    for (size_t i = 0; i < count; ++i) Points_[i] = QPoint(Limit(points[i].x), Limit(points[i].y));
    Painter_.drawPolyline(Points_.data(), int(count));
    return;
  }
  // Round-capped segments join round, as one polyline does, at half the cost in Qt.
  Lines_.resize(count - 1);
  for (size_t i = 1; i < count; ++i) {
    Lines_[i - 1] = QLine(Limit(points[i - 1].x), Limit(points[i - 1].y), Limit(points[i].x), Limit(points[i].y));
  }
  Painter_.drawLines(Lines_.data(), int(count - 1));
}

void TQtCanvas::Polygon(const TPoint* points, size_t count) {
  if (count < 2 || !Painter_.isActive()) return;
  Points_.resize(count);
  for (size_t i = 0; i < count; ++i) Points_[i] = QPoint(Limit(points[i].x), Limit(points[i].y));
  UsePen(true);
  UseBrush(true);
  Painter_.drawPolygon(Points_.data(), int(count), Qt::OddEvenFill);
}

// A rectangle or ellipse covers x1..x2-1 and y1..y2-1. Qt's outline of a QRect covers
// one pixel more than its size, its fill without a pen exactly its size.
void TQtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  DrawBox(x1, y1, x2, y2, false);
}

void TQtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  DrawBox(x1, y1, x2, y2, true);
}

void TQtCanvas::DrawBox(int x1, int y1, int x2, int y2, bool ellipse) {
  if (!Painter_.isActive()) return;
  x1 = Limit(x1), x2 = Limit(x2), y1 = Limit(y1), y2 = Limit(y2);
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  const int w = x2 - x1, h = y2 - y1;
  if (w <= 0 || h <= 0) return;
  const bool outline = PenStyle_ != psClear;
  if (outline && ThinPen() && (w == 1 || h == 1)) {
    // Too thin for an inside: the box is one line of pen pixels.
    uint32_t phase = 0;
    DrawPixelLine(Pixels_, x1, y1, w == 1 ? x1 : x2, w == 1 ? y2 : y1, Ink_, phase);
    return;
  }
  UsePen(outline);
  UseBrush(true);
  QRect box = outline ? QRect(x1, y1, w - 1, h - 1) : QRect(x1, y1, w, h);
  if (outline && !ThinPen() && PenStyle_ == psInsideFrame) {
    const int inset = PenWidth_ / 2;
    box.adjust(inset, inset, -inset, -inset);
  }
  if (ellipse) {
    Painter_.drawEllipse(box);
  } else {
    Painter_.drawRect(box);
  }
}

void TQtCanvas::SetPixel(int x, int y, TColor color) {
  if (uint32_t(x) >= uint32_t(Pixels_.Width) || uint32_t(y) >= uint32_t(Pixels_.Height)) return;
  Pixels_.Bits[size_t(y) * size_t(Pixels_.Stride) + size_t(x)] = PixelOf(color);
}

void TQtCanvas::TextOut(int x, int y, std::string_view text) {
  if (!Painter_.isActive() || text.empty()) return;
  const QFontMetrics& metrics = Metrics();
  const QString& s = Decoded(text);
  // Text ignores the pen mode, as in GDI.
  UseMode(pmPainterCopy);
  if (BrushStyle_ == bsSolid) {
    Painter_.fillRect(QRect(x, y, TextWidth(text), metrics.height()), ToQColor(BrushColor_));
  }
  if (!PainterFont_) {
    Painter_.setFont(QtFont_);
    PainterFont_ = true;
  }
  if (PainterPen_ != ppText || TextColorChanged_) {
    Painter_.setPen(ToQColor(Font_.Color));
    PainterPen_ = ppText;
    TextColorChanged_ = false;
  }
  Painter_.drawText(QPoint(x, y + metrics.ascent()), s);
}

int TQtCanvas::TextWidth(std::string_view text) {
  const QFontMetrics& metrics = Metrics();
  return Widths_.Width(text, [&] { return metrics.horizontalAdvance(Decoded(text)); });
}

int TQtCanvas::TextHeight(std::string_view) { return Metrics().height(); }

void TQtCanvas::Draw(int x, int y, const TBitmap& source) {
  DrawImage(QRect(x, y, source.Width(), source.Height()), source);
}

void TQtCanvas::StretchDraw(int x1, int y1, int x2, int y2, const TBitmap& source) {
  DrawImage(QRect(x1, y1, x2 - x1, y2 - y1), source);
}

void TQtCanvas::DrawImage(const QRect& target, const TBitmap& source) {
  if (!Painter_.isActive() || target.width() <= 0 || target.height() <= 0) return;
  if (source.Width() <= 0 || source.Height() <= 0) return;
  UseMode(pmPainterCopy);
  QImage converted;
  const QImage* image = nullptr;
  if (const auto* qtSource = dynamic_cast<const TQtBitmap*>(&source)) {
    image = &qtSource->Image();
    // Painting an image onto itself needs a copy of it first.
    if (image == &Target_) image = &(converted = Target_.copy());
  } else {
    converted = QImage(source.Width(), source.Height(), QImage::Format_RGB32);
    for (int y = 0; y < source.Height(); ++y) {
      for (int x = 0; x < source.Width(); ++x) converted.setPixel(x, y, PixelOf(source.Pixel(x, y)));
    }
    image = &converted;
  }
  if (target.size() == image->size()) {
    Painter_.drawImage(target.topLeft(), *image);
  } else {
    Painter_.drawImage(target, *image);
  }
}
