#pragma once
// The per-line routine of an acquisition: counts each received line, reads and scales
// its values, shows them through the host (the main window), applies the Normal-mode
// sample limit and plots the sample into the chart with the redraw pacing and, in Trend
// mode, the sliding window.

#include <cstdint>
#include <string>
#include <string_view>

#include "acquisition/acquisition_state.h"
#include "acquisition/line_framing.h"

class TGChart;

class TAcquisitionHost {
 public:
  virtual ~TAcquisitionHost() = default;
  // The raw-value display (Label10).
  virtual void ShowRawValues(std::string_view text) = 0;
  // The line counter in the status bar.
  virtual void ShowSampleCount(int64_t count) = 0;
  // A Normal acquisition went past its limit: stop it and tell the user.
  virtual void SampleLimitReached() = 0;
  // Lets the window system process pending messages (user commands, repaints). False
  // when they stopped the acquisition: the rest of the received block is not meant for it.
  virtual bool ProcessMessages() = 0;
};

// Lines between two incremental drawings in Normal mode, growing with the sample count.
int32_t PaintIntervalFor(int64_t sampleCount);

class TAcquisition final : public TLineReceiver {
 public:
  TAcquisition(TAcquisitionHost& host, TGChart& chart, char decimalSeparator);

  // False when the line crossed the sample limit or the messages processed after it
  // stopped the acquisition: the rest of its block is dropped.
  bool ProcessLine(std::string_view line) override;

  TAcquisitionState State;

 private:
  void ShowValues();
  void AddNormalSample();
  void AddSegments();
  void PaceRedraw();
  void TrendStep();
  void SlideLayer(int32_t layer);

  TAcquisitionHost& Host_;
  TGChart& Chart_;
  const char DecimalSeparator_;
  std::string RawValuesText_;  // reused for every line
};
