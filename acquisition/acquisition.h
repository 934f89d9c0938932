#pragma once
// The per-line routine of an acquisition: counts each received line, reads and scales
// its values and shows them through the host (the main window).

#include <string>
#include <string_view>

#include "acquisition/acquisition_state.h"
#include "acquisition/line_framing.h"

class TAcquisitionHost {
 public:
  virtual ~TAcquisitionHost() = default;
  // The raw-value display (Label10).
  virtual void ShowRawValues(std::string_view text) = 0;
};

class TAcquisition final : public TLineReceiver {
 public:
  TAcquisition(TAcquisitionHost& host, char decimalSeparator);

  void ProcessLine(std::string_view line) override;

  TAcquisitionState State;

 private:
  void ShowValues();

  TAcquisitionHost& Host_;
  const char DecimalSeparator_;
  std::string RawValuesText_;  // reused for every line
};
