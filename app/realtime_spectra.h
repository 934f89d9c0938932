#pragma once
// The newest N samples of each channel of a running acquisition and their spectra. The
// acquisition pushes every sample while a realtime window is open; the window collects
// the spectra at most once per frame, and only those of channels with new samples are
// transformed again.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "analysis/realtime_spectrum.h"
#include "app/channel_spectra.h"

class TRealtimeSpectra {
 public:
  // Throws EAnalysisError for a length that TRealtimeSpectrum does not take; forgets the
  // samples.
  void SetLength(size_t length);
  size_t Length() const { return Length_; }
  // Throws EAnalysisError for a bad sample rate; the samples stay.
  void SetOptions(const TSpectrumOptions& options);
  // Whether samples are wanted (a realtime window is shown).
  bool Active() const { return Active_; }
  void SetActive(bool active) { Active_ = active; }

  // Allocates nothing once the channel has had its first sample since SetLength.
  void Push(int32_t layer, double value);
  // Forgets every sample, as at the start of an acquisition.
  void Clear();

  // Channels with at least 2 samples, ascending by layer, into spectra (whose entries are
  // reused). True when a spectrum changed since the last call.
  bool Collect(std::vector<TChannelSpectrum>& spectra);

 private:
  struct TChannel {
    std::unique_ptr<TRealtimeSpectrum> Spectrum;
    bool Fresh = false;  // samples since its last transform
  };
  TChannel& ChannelOf(int32_t layer) { return Channels_[size_t(layer - 1)]; }

  size_t Length_ = 4096;  // the window offers it first
  TSpectrumOptions Options_;
  bool Active_ = false;
  bool Cleared_ = false;  // since the last Collect
  std::array<TChannel, 16> Channels_;
};
