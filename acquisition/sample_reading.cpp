#include "acquisition/sample_reading.h"

#include <algorithm>

#include "acquisition/number_reader.h"
#include "acquisition/sample_scaling.h"

namespace {

float ReadField(std::string_view field, TAcquisitionState& state) {
  state.RawValue = StoreSingle(ReadNumber(TrimControls(field)).Value);
  return state.RawValue;
}

}  // namespace

std::string_view TrimControls(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
  return text.substr(first, last - first);
}

void ReadSamples(std::string_view line, TAcquisitionState& state) {
  if (state.ChannelMode != 2) {
    state.RawValue1 = ReadField(line, state);
    state.Value1 = ScaleSample(state.RawValue1, state.Factor1, state.Offset1);
    return;
  }
  // Only the first ";" splits; the line as a whole is not trimmed, and the second field
  // ends at the line's first byte 0.
  const size_t length = std::min(line.find('\0'), line.size());
  const size_t semicolon = line.find(';');
  const std::string_view first = semicolon == std::string_view::npos ? std::string_view() : line.substr(0, semicolon);
  const size_t secondStart = semicolon == std::string_view::npos ? 0 : semicolon + 1;
  const std::string_view second = secondStart < length ? line.substr(secondStart, length - secondStart) : std::string_view();
  state.RawValue1 = ReadField(first, state);
  state.Value1 = ScaleSample(state.RawValue1, state.Factor1, state.Offset1);
  state.RawValue2 = ReadField(second, state);
  state.Value2 = ScaleSample(state.RawValue2, state.Factor2, state.Offset2);
}
