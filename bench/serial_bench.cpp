// Bytes from a pseudo-terminal through the serial component's two worker threads to the
// receive handler on a pumped main thread, and the time from a write to its delivery.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "serial/comm.h"
#include "serial/posix/posix_port_platform.h"
#include "serial/pumped_handover.h"
#include "tests/serial/pty.h"

namespace {

struct TReceiver {
  TReceiver() {
    Comm.SetDevicePath(Pty.DevicePath());
    Comm.SetBufferInSize(32768);  // the main window's size
    Comm.OnAfterReceive = [this](TscComm&, const void*, uint32_t count) {
      Received += count;
      ++Blocks;
    };
    Comm.SetActive(true);
  }
  void PumpUntil(uint64_t total) {
    while (Received < total) Handover.RunPending(std::chrono::milliseconds(1));
  }

  TPty Pty;
  TscPumpedHandover Handover;
  uint64_t Received = 0;
  uint64_t Blocks = 0;
  TscComm Comm{PosixPortPlatform(), &Handover};
};

void Throughput(benchmark::State& s) {
  TReceiver r;
  std::string line;
  while (line.size() < 4096) line += "512.125;170.70\r\n";
  constexpr size_t kPerIteration = 1 << 20;
  for (auto _ : s) {
    const uint64_t target = r.Received + kPerIteration;
    std::jthread writer([&] {
      for (size_t sent = 0; sent < kPerIteration; sent += line.size()) {
        r.Pty.Write(line.substr(0, std::min(line.size(), kPerIteration - sent)));
      }
    });
    r.PumpUntil(target);
  }
  s.SetBytesProcessed(int64_t(r.Received));
  s.counters["bytes_per_block"] = double(r.Received) / double(r.Blocks);
}
BENCHMARK(Throughput)->Unit(benchmark::kMillisecond)->UseRealTime();

void WriteToDelivery(benchmark::State& s) {
  TReceiver r;
  for (auto _ : s) {
    r.Pty.Write("1.5\r\n");
    r.PumpUntil(r.Received + 5);
  }
}
BENCHMARK(WriteToDelivery)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
