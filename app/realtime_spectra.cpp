#include "app/realtime_spectra.h"

void TRealtimeSpectra::SetLength(size_t length) {
  TRealtimeSpectrum check(length, Options_);  // throws for a bad length before anything changes
  Length_ = length;
  for (TChannel& c : Channels_) c = {};
  Cleared_ = true;
}

void TRealtimeSpectra::SetOptions(const TSpectrumOptions& options) {
  for (TChannel& c : Channels_) {
    if (!c.Spectrum) continue;
    c.Spectrum->SetOptions(options);
    c.Fresh = true;
  }
  Options_ = options;
}

void TRealtimeSpectra::Push(int32_t layer, double value) {
  if (layer < 1 || layer > int32_t(Channels_.size())) return;
  TChannel& c = ChannelOf(layer);
  if (!c.Spectrum) c.Spectrum = std::make_unique<TRealtimeSpectrum>(Length_, Options_);
  c.Spectrum->Push(value);
  c.Fresh = true;
}

void TRealtimeSpectra::Clear() {
  for (TChannel& c : Channels_) {
    if (c.Spectrum) c.Spectrum->Clear();
    c.Fresh = false;
  }
  Cleared_ = true;
}

bool TRealtimeSpectra::Collect(std::vector<TChannelSpectrum>& spectra) {
  bool changed = Cleared_;
  Cleared_ = false;
  size_t n = 0;
  for (size_t i = 0; i < Channels_.size(); ++i) {
    TChannel& c = Channels_[i];
    if (!c.Spectrum || c.Spectrum->Filled() < MinSpectrumSamples) continue;
    if (n == spectra.size()) spectra.emplace_back();
    TChannelSpectrum& s = spectra[n++];
    const int32_t layer = int32_t(i + 1);
    if (!c.Fresh && s.Layer == layer && !s.Spectrum.Frequency.empty()) continue;
    c.Spectrum->Update();
    c.Fresh = false;
    changed = true;
    if (s.Layer != layer) s.Name.clear();  // named again by the window
    s.Layer = layer;
    s.Spectrum.Frequency.assign(c.Spectrum->Frequency().begin(), c.Spectrum->Frequency().end());
    s.Spectrum.Magnitude.assign(c.Spectrum->Magnitude().begin(), c.Spectrum->Magnitude().end());
    s.Spectrum.Peak = c.Spectrum->Peak();
    s.Spectrum.FftSize = c.Spectrum->Length();
  }
  if (n != spectra.size()) changed = true;
  spectra.resize(n);
  return changed;
}
