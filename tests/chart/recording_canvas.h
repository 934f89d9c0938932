#pragma once
// A canvas for tests: draws nothing and records every call, attribute changes included
// (also those that set the value already there), in order. Measurements are not
// recorded; a text is CharWidth pixels per character wide and LineHeight high.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chart/canvas.h"

struct TCanvasCall {
  std::string Name;            // the method: "SetPenColor", "MoveTo", "Polyline", "TextOut", ...
  std::vector<int64_t> Args;   // its numeric arguments in order; SetFont: Height, Style, Color
  std::vector<TPoint> Points;  // Polyline and Polygon
  std::string Text;            // TextOut; the face name for SetFont

  // "LineTo(3,4)", "SetPenColor(128)", "TextOut(2,5,\"1.0\")", "Polyline(0,0;5,5)".
  std::string ToString() const {
    std::string s = Name + "(";
    for (size_t i = 0; i < Args.size(); ++i) s += (i ? "," : "") + std::to_string(Args[i]);
    for (size_t i = 0; i < Points.size(); ++i) {
      s += (i ? ";" : "") + std::to_string(Points[i].x) + "," + std::to_string(Points[i].y);
    }
    if (!Text.empty() || Name == "TextOut") s += std::string(Args.empty() ? "" : ",") + "\"" + Text + "\"";
    return s + ")";
  }
};

class TRecordingCanvas : public TCanvas {
 public:
  std::vector<TCanvasCall> Calls;
  int CharWidth = 6;
  int LineHeight = 13;

  void Clear() { Calls.clear(); }
  std::vector<std::string> Log() const {
    std::vector<std::string> log;
    for (const TCanvasCall& c : Calls) log.push_back(c.ToString());
    return log;
  }
  std::vector<TCanvasCall> Named(std::string_view name) const {
    std::vector<TCanvasCall> found;
    std::copy_if(Calls.begin(), Calls.end(), std::back_inserter(found), [&](const TCanvasCall& c) { return c.Name == name; });
    return found;
  }
  size_t Count(std::string_view name) const {
    return size_t(std::count_if(Calls.begin(), Calls.end(), [&](const TCanvasCall& c) { return c.Name == name; }));
  }

  void SetPenColor(TColor color) override { TCanvas::SetPenColor(color); Add("SetPenColor", {color}); }
  void SetPenStyle(TPenStyle style) override { TCanvas::SetPenStyle(style); Add("SetPenStyle", {style}); }
  void SetPenWidth(int width) override { TCanvas::SetPenWidth(width); Add("SetPenWidth", {width}); }
  void SetPenMode(TPenMode mode) override { TCanvas::SetPenMode(mode); Add("SetPenMode", {mode}); }
  void SetBrushColor(TColor color) override { TCanvas::SetBrushColor(color); Add("SetBrushColor", {color}); }
  void SetBrushStyle(TBrushStyle style) override { TCanvas::SetBrushStyle(style); Add("SetBrushStyle", {style}); }
  void SetFont(const TFont& font) override {
    TCanvas::SetFont(font);
    Add("SetFont", {font.Height, font.Style, font.Color}, {}, font.Name);
  }
  void SetFontColor(TColor color) override { TCanvas::SetFontColor(color); Add("SetFontColor", {color}); }

  void MoveTo(int x, int y) override { TCanvas::MoveTo(x, y); Add("MoveTo", {x, y}); }
  void LineTo(int x, int y) override { PenPos_ = {x, y}; Add("LineTo", {x, y}); }
  void Polyline(const TPoint* points, size_t count) override { Add("Polyline", {}, {points, points + count}); }
  void Polygon(const TPoint* points, size_t count) override { Add("Polygon", {}, {points, points + count}); }
  void Rectangle(int x1, int y1, int x2, int y2) override { Add("Rectangle", {x1, y1, x2, y2}); }
  void Ellipse(int x1, int y1, int x2, int y2) override { Add("Ellipse", {x1, y1, x2, y2}); }
  void SetPixel(int x, int y, TColor color) override { Add("SetPixel", {x, y, color}); }
  void TextOut(int x, int y, std::string_view text) override { Add("TextOut", {x, y}, {}, std::string(text)); }
  int TextWidth(std::string_view text) override { return CharWidth * int(text.size()); }
  int TextHeight(std::string_view) override { return LineHeight; }
  void Draw(int x, int y, const TBitmap& source) override { Add("Draw", {x, y, source.Width(), source.Height()}); }
  void StretchDraw(int x1, int y1, int x2, int y2, const TBitmap& source) override {
    Add("StretchDraw", {x1, y1, x2, y2, source.Width(), source.Height()});
  }

 private:
  void Add(std::string name, std::vector<int64_t> args, std::vector<TPoint> points = {}, std::string text = {}) {
    Calls.push_back({std::move(name), std::move(args), std::move(points), std::move(text)});
  }
};
