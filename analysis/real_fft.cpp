#include "analysis/real_fft.h"

#include <kiss_fftr.h>

#include <new>

static_assert(sizeof(kiss_fft_cpx) == sizeof(std::complex<float>),
              "KISS FFT's complex type must be laid out as std::complex<float>");

void TRealFft::TPlanDeleter::operator()(kiss_fftr_state* plan) const { kiss_fftr_free(plan); }

TRealFft::TRealFft(size_t size)
    : Plan_(kiss_fftr_alloc(int(size), 0, nullptr, nullptr)), Input_(size), Bins_(size / 2 + 1) {
  if (!Plan_) throw std::bad_alloc();
}

TRealFft::~TRealFft() = default;

size_t TRealFft::FastSize(size_t n) { return size_t(kiss_fftr_next_fast_size_real(int(n))); }

void TRealFft::Transform() {
  // std::complex<float> is two floats, real part first, exactly as kiss_fft_cpx; the
  // library writes the bins through its own type on its side of the call.
  kiss_fftr(Plan_.get(), Input_.data(), reinterpret_cast<kiss_fft_cpx*>(Bins_.data()));
}
