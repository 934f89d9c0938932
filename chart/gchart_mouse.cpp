#include "chart/gchart.h"

#include <algorithm>

std::array<TCrossHair, kNumCrossHairs> TGChart::NewCrossHairs() {
  std::array<TCrossHair, kNumCrossHairs> crossHairs{TCrossHair(1), TCrossHair(2), TCrossHair(3), TCrossHair(4)};
  for (TCrossHair& c : crossHairs) {
    c.OnChanging = [this](TCrossHair&) { Changing(chOverlay); };
    c.OnChange = [this](TCrossHair&) { AppearanceChanged(); };
  }
  return crossHairs;
}

std::array<TTextLabel, kNumTextLabels> TGChart::NewTextLabels() {
  std::array<TTextLabel, kNumTextLabels> labels;
  for (TTextLabel& label : labels) {
    label.OnChanging = [this](TTextLabel&) { Changing(chOverlay); };
    label.OnChange = [this](TTextLabel&) { AppearanceChanged(); };
  }
  return labels;
}

TCrossHair& TGChart::CrossHair(int32_t i) { return CrossHairs_[size_t(std::clamp(i, 1, kNumCrossHairs) - 1)]; }

const TCrossHair& TGChart::CrossHair(int32_t i) const {
  return CrossHairs_[size_t(std::clamp(i, 1, kNumCrossHairs) - 1)];
}

TTextLabel& TGChart::TextLabel(int32_t i) { return TextLabels_[size_t(std::clamp(i, 1, kNumTextLabels) - 1)]; }

const TTextLabel& TGChart::TextLabel(int32_t i) const {
  return TextLabels_[size_t(std::clamp(i, 1, kNumTextLabels) - 1)];
}

void TGChart::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TGChart::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(*this);
}
