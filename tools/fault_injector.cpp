#include "tools/fault_injector.h"

#include <cstring>

#include "tools/signal_generator.h"

bool TFaultInjector::Applies(TFaultKind kind, int64_t line) const {
  for (const TFaultRule& rule : Rules_) {
    if (rule.Kind == kind && rule.AppliesTo(line)) return true;
  }
  return false;
}

size_t TFaultInjector::WritePrefix(int64_t line, char* out) const {
  char* p = out;
  if (Applies(fkGarbage, line)) {
    // Drawn from a stream of its own so that it never repeats the noise signal.
    const uint64_t lineBits = NoiseBits(~Seed_, line);
    const size_t length = MinGarbageLength + lineBits % (MaxGarbageLength - MinGarbageLength + 1);
    for (size_t i = 0; i < length; ++i) {
      const char c = static_cast<char>(NoiseBits(lineBits, int64_t(i)) & 0xFF);
      *p++ = c == '\r' || c == '\n' ? '#' : c;
    }
    *p++ = '\r';
    *p++ = '\n';
  }
  if (Applies(fkOverflow, line)) {
    std::memcpy(p, OverflowLine, sizeof(OverflowLine) - 1);
    p += sizeof(OverflowLine) - 1;
  }
  return size_t(p - out);
}
