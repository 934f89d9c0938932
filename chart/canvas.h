#pragma once
// The drawing surface the chart paints on: GDI-like state (pen, brush, font, current
// point) and operations. Rectangles and ellipses exclude their right and bottom edge;
// lines and polylines exclude their last pixel; nothing is antialiased. Texts are
// Windows-1252 bytes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "chart/colors.h"

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(TPoint, TPoint) = default;
};

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode : uint8_t { pmCopy, pmXor };
enum TBrushStyle : uint8_t { bsSolid, bsClear };

// Font style bits.
enum TFontStyleBit : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Screen resolution the window's pixel figures are laid out for; converts point sizes.
constexpr int kPixelsPerInch = 120;

struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = -13;  // negative: character height in pixels; positive: cell height
  uint8_t Style = 0;  // TFontStyleBit combination
  TColor Color = clWindowText;

  int SizePoints() const;
  void SetSizePoints(int points);
  friend bool operator==(const TFont&, const TFont&) = default;
};

class TBitmap;

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  virtual void SetPenColor(TColor color) { PenColor_ = color; }
  virtual void SetPenStyle(TPenStyle style) { PenStyle_ = style; }
  virtual void SetPenWidth(int width) { PenWidth_ = width; }
  virtual void SetPenMode(TPenMode mode) { PenMode_ = mode; }
  virtual void SetBrushColor(TColor color) { BrushColor_ = color; }
  virtual void SetBrushStyle(TBrushStyle style) { BrushStyle_ = style; }
  virtual void SetFont(const TFont& font) { Font_ = font; }
  virtual void SetFontColor(TColor color) { Font_.Color = color; }

  TColor PenColor() const { return PenColor_; }
  TPenStyle PenStyle() const { return PenStyle_; }
  int PenWidth() const { return PenWidth_; }
  TPenMode PenMode() const { return PenMode_; }
  TColor BrushColor() const { return BrushColor_; }
  TBrushStyle BrushStyle() const { return BrushStyle_; }
  const TFont& Font() const { return Font_; }
  TPoint PenPos() const { return PenPos_; }

  virtual void MoveTo(int x, int y) { PenPos_ = {x, y}; }
  // Line from the current point to (x, y), which becomes the current point.
  virtual void LineTo(int x, int y) = 0;
  // Neither uses nor moves the current point.
  virtual void Polyline(const TPoint* points, size_t count) = 0;
  virtual void Polygon(const TPoint* points, size_t count) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;
  // Text with its top-left corner at (x, y) in the font colour; the cell is filled with
  // the brush colour when the brush is solid. Does not move the current point.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;
  // Copies the bitmap with its top-left corner at (x, y).
  virtual void Draw(int x, int y, const TBitmap& source) = 0;
  // Scales the bitmap onto the rectangle (x1, y1)..(x2, y2), right and bottom excluded.
  virtual void StretchDraw(int x1, int y1, int x2, int y2, const TBitmap& source) = 0;

 protected:
  TColor PenColor_ = clBlack;
  TPenStyle PenStyle_ = psSolid;
  int PenWidth_ = 1;
  TPenMode PenMode_ = pmCopy;
  TColor BrushColor_ = clWhite;
  TBrushStyle BrushStyle_ = bsSolid;
  TFont Font_;
  TPoint PenPos_;
};

// The file formats a picture is saved in: the Windows bitmap of the bitmap export, and
// PNG for a picture in colour that any program shows.
enum TPictureFormat : uint8_t { pfBmp, pfPng };

// An off-screen picture with a canvas of its own.
class TBitmap {
 public:
  virtual ~TBitmap() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // New pixels are white; pixels inside both sizes keep their colour.
  virtual void SetSize(int width, int height) = 0;
  virtual TCanvas& Canvas() = 0;
  virtual TColor Pixel(int x, int y) const = 0;
  // Writes the picture in the format; returns an empty string, or the system's error text.
  virtual std::string SaveToFile(const std::string& path, TPictureFormat format) const = 0;
  // Reads any image format the platform knows; false when the file cannot be read.
  virtual bool LoadFromFile(const std::string& path) = 0;
};

// Makes bitmaps of the platform's kind; the chart core creates all its bitmaps through it.
class TBitmapFactory {
 public:
  virtual ~TBitmapFactory() = default;
  virtual std::unique_ptr<TBitmap> NewBitmap(int width, int height) const = 0;
};
