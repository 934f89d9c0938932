#pragma once
// The command line of tavolix-sim.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/fault_injector.h"
#include "tools/line_formatter.h"
#include "tools/line_source.h"
#include "tools/signal_generator.h"

// A command line that cannot be run; the text says what is wrong.
class ESimUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TSimOptions {
  double Rate = 100;  // lines per second
  int Channels = 1;  // 1 to MaxSimChannels
  TLineFormat Format;  // Names always holds one name per channel
  bool Header = false;
  TWaveform Wave = wfSine;
  std::optional<TWaveform> Wave2;  // channel 2 repeats Wave when not given
  double Amplitude = 1;
  double Offset = 0;
  double Period = 100;  // samples
  double Phase = 90;    // degrees by which channel 2 leads channel 1
  int64_t Count = 0;    // 0: until stopped
  uint64_t Seed = 0;
  bool SeedGiven = false;
  std::vector<TFaultRule> Faults;
  int64_t BurstLines = 1000;
  std::string Link;
  bool Quiet = false;
  bool Help = false;
};

// Reads the arguments after the program name. Throws ESimUsage.
TSimOptions ParseSimOptions(const std::vector<std::string>& args);

// The settings of channel 1 to Channels that the options describe.
TSignalSettings ChannelSettings(const TSimOptions& options, int channel);

// The lines the options describe.
TLineSource LineSourceFor(const TSimOptions& options);

extern const char* const SimUsageText;
