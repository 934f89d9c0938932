#pragma once
// Faults a simulated device can add to its output, decided per sample line (1-based):
// a line of garbage bytes or a line with a value beyond the single-precision range sent
// before the sample line, the sample line sent without its CR LF, or a burst of lines
// sent in one write without pacing.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

enum TFaultKind : uint8_t { fkGarbage, fkUnterminated, fkOverflow, fkBurst };

struct TFaultRule {
  TFaultKind Kind = fkGarbage;
  int64_t Every = 0;   // when > 0: on lines Every, 2 * Every, ...
  int64_t AtLine = 0;  // otherwise once, on this line

  bool AppliesTo(int64_t line) const { return Every > 0 ? line % Every == 0 : line == AtLine; }
};

class TFaultInjector {
 public:
  // The garbage line: 8 to 16 bytes of any value except CR and LF, then CR LF.
  static constexpr size_t MinGarbageLength = 8;
  static constexpr size_t MaxGarbageLength = 16;
  static constexpr char OverflowLine[] = "1e39\r\n";
  static constexpr size_t MaxPrefixLength = MaxGarbageLength + 2 + sizeof(OverflowLine) - 1;

  TFaultInjector() = default;
  // The seed makes the garbage bytes repeatable.
  TFaultInjector(std::vector<TFaultRule> rules, uint64_t seed) : Rules_(std::move(rules)), Seed_(seed) {}

  // Writes the fault lines that go before sample line `line` to out (room for
  // MaxPrefixLength bytes) and returns their length, 0 when none.
  size_t WritePrefix(int64_t line, char* out) const;
  bool Unterminated(int64_t line) const { return Applies(fkUnterminated, line); }
  bool StartsBurst(int64_t line) const { return Applies(fkBurst, line); }

 private:
  bool Applies(TFaultKind kind, int64_t line) const;

  std::vector<TFaultRule> Rules_;
  uint64_t Seed_ = 0;
};
