#include "analysis/biquad_cascade.h"

#include <algorithm>

TBiquadCascade::TBiquadCascade(std::vector<TBiquad> sections)
    : Sections_(std::move(sections)), State_(Sections_.size()) {}

double TBiquadCascade::Step(double x) {
  TState* state = State_.data();
  for (const TBiquad& s : Sections_) {
    const double y = s.B0 * x + state->S1;
    state->S1 = s.B1 * x - s.A1 * y + state->S2;
    state->S2 = s.B2 * x - s.A2 * y;
    x = y;
    ++state;
  }
  return x;
}

void TBiquadCascade::Reset() { std::fill(State_.begin(), State_.end(), TState{}); }
