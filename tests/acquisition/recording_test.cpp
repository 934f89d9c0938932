#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

#include "acquisition/line_recording.h"

namespace {

constexpr TCsvFile kScriptCsv{{',', '.'}, false};

struct Recording : testing::Test {
  ~Recording() override { std::filesystem::remove_all(dir); }
  std::string Read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("tavolix_rec_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  TLineRecording recording;
  const std::array<std::string, 2> names{"Druck", "a;b"};
};

TEST_F(Recording, RowsCarryTimeSampleRawAndScaledValues) {
  const std::string path = (dir / "rec.csv").string();
  recording.Open(path, {{';', ','}, true}, names);
  const double raw[] = {1.5f, 200};
  const double scaled[] = {0.15f, std::nan("")};
  recording.AddRow(0.0000015, 1, raw, scaled);
  recording.AddRow(3600.5, 1234567890123, raw, scaled);
  EXPECT_EQ(recording.Close(), "");
  EXPECT_EQ(Read(path),
            "\xEF\xBB\xBFZeit [s];Sample;Druck roh;\"a;b roh\";Druck;\"a;b\"\r\n"
            "0,000002;1;1,5;200;0,15;\r\n"
            "3600,500000;1234567890123;1,5;200;0,15;\r\n");
}

TEST_F(Recording, EveryRowOfALongRunReachesTheFileInOrder) {
  const std::string path = (dir / "long.csv").string();
  recording.Open(path, kScriptCsv, std::span(names).first(1));
  const int64_t rows = 300000;  // many chunks
  for (int64_t n = 1; n <= rows; ++n) {
    const double raw[] = {double(n % 1000)};
    recording.AddRow(double(n) * 1e-6, n, raw, raw);
    if (n % 4096 == 0) recording.BlockEnded(double(n) * 1e-6);
  }
  EXPECT_EQ(recording.Close(), "");
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "Zeit [s],Sample,Druck roh,Druck\r");
  int64_t n = 0;
  while (std::getline(in, line)) {
    ++n;
    const std::string expected = "," + std::to_string(n) + "," + std::to_string(n % 1000) + "," + std::to_string(n % 1000) + "\r";
    ASSERT_EQ(line.substr(line.find(',')), expected) << "row " << n;
  }
  EXPECT_EQ(n, rows);
}

TEST_F(Recording, AFullDiskEndsTheRecordingWithAGermanReason) {
  recording.Open("/dev/full", kScriptCsv, names);
  const double v[] = {1, 2};
  for (int i = 0; i < 10; ++i) recording.AddRow(i, i, v, v);
  EXPECT_EQ(recording.Close(), "Die Aufzeichnung in \"/dev/full\" wurde beendet: Zu wenig Speicherplatz");
  EXPECT_FALSE(recording.Active());
}

TEST_F(Recording, AFileThatCannotBeCreatedIsRefusedAtOnce) {
  EXPECT_THROW(recording.Open((dir / "no" / "rec.csv").string(), kScriptCsv, names), EGChartError);
  EXPECT_FALSE(recording.Active());
}

TEST_F(Recording, ADiskThatStallsNeverHoldsUpTheRowsButEndsTheRecording) {
  // A pipe nobody reads stands for a disk that stopped answering: the worker hangs in
  // its write, and the rows must still be taken at once until the backlog is too large.
  const std::string fifo = (dir / "stalled").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  recording.Open(fifo, kScriptCsv, names);
  const double v[] = {123456.78f, -0.000123f};
  const size_t backlog = TRecordingWriter::kChunkSize * TRecordingWriter::kMaxChunks;
  int64_t n = 0;
  for (size_t bytes = 0; bytes < backlog * 11 / 10 && !recording.Failed(); bytes += 60) {
    recording.AddRow(double(n), n, v, v);
    ++n;
  }
  EXPECT_TRUE(recording.Failed());
  std::thread drain([reader] {
    ::fcntl(reader, F_SETFL, 0);
    char buffer[65536];
    while (::read(reader, buffer, sizeof buffer) > 0) {
    }
  });
  EXPECT_EQ(recording.Close(), "Die Aufzeichnung in \"" + fifo + "\" wurde beendet: der Datenträger schreibt langsamer, als die Daten kommen");
  drain.join();
  ::close(reader);
}

}  // namespace
