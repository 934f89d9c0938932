#pragma once
// The program-wide acquisition state: what Start, Stop and the per-line routine share.

#include <cstdint>

// Values per line in the fixed modes, 1 or 2; the "Auto" mode reads whatever channels
// the lines name or place.
constexpr int32_t kChannelModeAuto = 3;

// A Normal acquisition keeps at most this many items in the chart: one per sample with
// one channel, one per channel and sample with more.
constexpr int32_t kMaxNormalItems = 100000;

// A Trend window in seconds keeps at most this many items: a long window at a high rate
// must not take all memory. Beyond it the oldest go, and the window shows less time.
constexpr int32_t kMaxTimeWindowItems = 1000000;

// The Normal-mode sample limit of a fixed channel mode.
constexpr int32_t MaxSamplesFor(int32_t channelMode) { return channelMode == 2 ? kMaxNormalItems / 2 : kMaxNormalItems; }

// The factors and offsets of the two fixed channels.
struct TFixedScaling {
  float Factor1 = 1;
  float Offset1 = 0;
  float Factor2 = 0;
  float Offset2 = 0;
};

// The visible x extent and the y range of layers 1 and 2.
struct TAxisRanges {
  float Xmax = 0;
  float Ymin1 = 0;
  float Ymax1 = 0;
  float Ymin2 = 0;
  float Ymax2 = 0;
};

struct TAcquisitionState {
  bool TrendMode = false;
  // The x axis "Zeit": a sample's x is the seconds since Start at which its line arrived
  // (or, with DeviceTime in "Auto", the device's own timestamp); otherwise its count.
  // Xmax is then in seconds.
  bool TimeAxis = false;
  bool DeviceTime = false;
  int32_t ChannelMode = 1;  // 1 or 2 values per line, or kChannelModeAuto
  int32_t MaxSamples = MaxSamplesFor(1);  // Normal-mode limit of the fixed modes
  int64_t SampleCount = 0;  // lines since Start; x of the newest sample on the sample axis
  double NewestX = 0;  // x of the newest sample: its count, or its time on the time axis
  double PrevX = 0;  // x of the sample before; 0 at Start
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
