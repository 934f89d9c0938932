#pragma once
// The Fourier transform of real samples, through KISS FFT (single precision, mixed radix
// 2, 3, 4, 5). The plan and both buffers are made once per size; a transform allocates
// nothing.

#include <complex>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

struct kiss_fftr_state;

class TRealFft {
 public:
  // size even, >= 2. Sizes with a prime factor above 5 work, but slowly: see FastSize.
  explicit TRealFft(size_t size);
  ~TRealFft();

  // The smallest even size >= n whose prime factors are 2, 3 and 5 only.
  static size_t FastSize(size_t n);

  size_t Size() const { return Input_.size(); }
  // The Size() samples to transform; kept from one transform to the next.
  std::span<float> Input() { return Input_; }
  // Input to bins 0..Size()/2 without scaling: a cosine of amplitude A on bin k gives
  // A * Size() / 2 there.
  void Transform();
  std::span<const std::complex<float>> Bins() const { return Bins_; }

 private:
  struct TPlanDeleter {
    void operator()(kiss_fftr_state* plan) const;
  };
  std::unique_ptr<kiss_fftr_state, TPlanDeleter> Plan_;
  std::vector<float> Input_;
  std::vector<std::complex<float>> Bins_;
};
