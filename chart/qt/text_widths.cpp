#include "chart/qt/text_widths.h"

void TTextWidths::UseFace(const TFont& font) {
  for (size_t i = 0; i < Faces_.size(); ++i) {
    const TFace& face = Faces_[i];
    if (face.Name == font.Name && face.Height == font.Height && face.Style == font.Style) {
      Face_ = i;
      return;
    }
  }
  if (Faces_.size() >= kMaxFaces) {
    Faces_.clear();
    Widths_.clear();
  }
  Faces_.push_back({font.Name, font.Height, font.Style});
  Face_ = Faces_.size() - 1;
}
