#pragma once
// Remembers how wide texts are in each font face. Scale labels repeat frame after frame,
// and measuring a text shapes it anew every time.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "chart/canvas.h"

class TTextWidths {
 public:
  // The face the following texts are measured in.
  void UseFace(const TFont& font);

  // The width of text in the face in use: remembered, or measure() remembered.
  template <typename Measure>
  int Width(std::string_view text, Measure&& measure) {
    Key_.assign(1, char(Face_));
    Key_.append(text);
    if (const auto found = Widths_.find(Key_); found != Widths_.end()) return found->second;
    if (Widths_.size() >= kMaxTexts) Widths_.clear();
    const int width = measure();
    Widths_.emplace(Key_, width);
    return width;
  }

 private:
  static constexpr size_t kMaxTexts = 1024;
  static constexpr size_t kMaxFaces = 32;

  struct TFace {
    std::string Name;
    int Height;
    uint8_t Style;
  };

  std::vector<TFace> Faces_;
  size_t Face_ = 0;
  std::string Key_;  // reused: the face's number, then the text
  std::unordered_map<std::string, int> Widths_;
};
