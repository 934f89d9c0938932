#pragma once
// The program-wide acquisition state: what Start, Stop and the per-line routine share.

#include <cstdint>

struct TAcquisitionState {
  bool TrendMode = false;
  int32_t ChannelMode = 1;  // 1 or 2 values per line
  int32_t MaxSamples = 100000;  // Normal-mode limit
  int64_t SampleCount = 0;  // lines since Start; x of the newest sample
  int32_t PaintCounter = 0;  // lines since the last incremental drawing
  int32_t PaintInterval = 0;  // lines between two incremental drawings
  uint32_t TrendWindowCount = 0;  // trend lines before the window slides
  float PrevValue1 = 0;
  float PrevValue2 = 0;
  float Factor1 = 1;
  float Factor2 = 0;
  float Offset1 = 0;
  float Offset2 = 0;
  float Xmax = 0;
  float Ymax1 = 0;
  float Ymin1 = 0;
  float Ymax2 = 0;
  float Ymin2 = 0;
  int32_t ComPortNumber = 0;
  int32_t BaudRateValue = 0;
  float RawValue = 0;  // the number just read
  float RawValue1 = 0;  // the numbers read for each channel, as a recording keeps them
  float RawValue2 = 0;
  float Value1 = 0;  // scaled values of the newest line
  float Value2 = 0;  // computed only with two channels; keeps its value otherwise
};
