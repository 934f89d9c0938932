#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "chart/gchart.h"
#include "chart/record_file.h"

namespace {

std::string TempPath(const std::string& name) {
  return testing::TempDir() + "tavolix_" + std::to_string(::getpid()) + "_" + name;
}

std::vector<char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

// Records of every kind with random bytes everywhere, padding included; the first has
// its layer in range, as any session has at least one such item.
std::vector<char> ForeignRecords(int count) {
  std::mt19937 random(7);
  std::vector<char> bytes(size_t(count) * sizeof(TChartItem));
  for (char& b : bytes) b = char(random());
  for (int i = 0; i < count; ++i) {
    TChartItem item;
    std::memcpy(&item, &bytes[size_t(i) * sizeof item], sizeof item);
    item.Kind = uint8_t(i % 20 == 19 ? 200 : i % 17);
    if (i == 0) item.Layer = 3;
    std::memcpy(&bytes[size_t(i) * sizeof item], &item, sizeof item);
  }
  return bytes;
}

struct SessionFile : testing::Test {
  SessionFile() { chart.SetPaintSuspended(false); }
  ~SessionFile() override {
    for (const std::string& path : paths) std::filesystem::remove(path);
  }
  std::string Path(const std::string& name) {
    paths.push_back(TempPath(name));
    return paths.back();
  }
  void Plot() {
    chart.MoveTo(0, 5);
    for (int i = 2; i <= 10; ++i) chart.DrawTo(i, i * 0.5);
    chart.SetCurrentLayer(2);
    chart.Line(0, 1, 1, 2);
  }

  TGChart chart;
  std::vector<std::string> paths;
};

TEST_F(SessionFile, RoundTripIsBitForBit) {
  const std::string foreign = Path("foreign.tvx");
  const std::vector<char> records = ForeignRecords(40);
  WriteBytes(foreign, records);
  Plot();
  chart.LoadGraphFile(foreign, false);
  ASSERT_EQ(chart.NumItems(), 40);
  EXPECT_EQ(chart.Capacity(), 40);
  EXPECT_EQ(chart.ItemCountOfKind(0), 3);  // kinds 0..16 in turn, 200 for every 20th
  EXPECT_EQ(chart.ItemCountOfKind(ikMoveTo), 2);
  EXPECT_EQ(chart.ItemCountOfKind(200), 0);
  const std::string again = Path("again.tvx");
  chart.SaveGraphFile(again);
  EXPECT_EQ(ReadBytes(again), records);
  chart.DrawTo(1, 1);
  EXPECT_EQ(chart.Capacity(), 40 + 1000);  // grows from the loaded size
}

TEST_F(SessionFile, AppendingTheSameFileDoublesItemsAndCounters) {
  Plot();
  const std::string path = Path("plot.tvx");
  chart.SaveGraphFile(path);
  const int64_t paints = chart.PaintCount();
  chart.LoadGraphFile(path, true);
  EXPECT_EQ(chart.NumItems(), 22);
  EXPECT_EQ(chart.ItemCountOfKind(ikMoveTo), 2);
  EXPECT_EQ(chart.ItemCountOfKind(ikDrawTo), 18);
  EXPECT_EQ(chart.ItemCountOfKind(ikLine), 2);
  EXPECT_EQ(std::filesystem::file_size(path), 11 * sizeof(TChartItem));  // the items, not the spare slots
  EXPECT_EQ(std::memcmp(&chart.Items()[0], &chart.Items()[11], 11 * sizeof(TChartItem)), 0);
  EXPECT_EQ(chart.PaintCount() - paints, 1);
  EXPECT_EQ(chart.CurrentLayer(), 2);  // survives loading
}

TEST_F(SessionFile, TrailingPieceEmptyFileAndWhatCannotBeOpened) {
  const std::string partial = Path("partial.tvx");
  std::vector<char> bytes = ForeignRecords(3);
  bytes.resize(bytes.size() + 103, 'x');
  WriteBytes(partial, bytes);
  chart.LoadGraphFile(partial, false);
  EXPECT_EQ(chart.NumItems(), 3);
  const int64_t paints = chart.PaintCount();
  chart.LoadGraphFile(TempPath("missing.tvx"), false);
  chart.LoadGraphFile(testing::TempDir(), false);  // a directory
  const std::string fifo = Path("pipe.tvx");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  chart.LoadGraphFile(fifo, false);  // must not wait for a writer
  EXPECT_EQ(chart.NumItems(), 3);
  EXPECT_EQ(chart.PaintCount(), paints);
  const std::string empty = Path("empty.tvx");
  TGChart().SaveGraphFile(empty);
  EXPECT_EQ(std::filesystem::file_size(empty), 0u);
  chart.LoadGraphFile(empty, true);
  EXPECT_EQ(chart.NumItems(), 3);
  EXPECT_EQ(chart.PaintCount(), paints + 1);
  chart.LoadGraphFile(empty, false);
  EXPECT_EQ(chart.NumItems(), 0);
  EXPECT_EQ(chart.Capacity(), 0);
}

TEST_F(SessionFile, FileWithoutASingleItemIsRefusedWhole) {
  Plot();
  std::string capture;
  while (capture.size() < 5000) capture += "1.5;2.25\r\n";
  const std::string path = Path("capture.txt");
  WriteBytes(path, {capture.begin(), capture.end()});
  const int64_t paints = chart.PaintCount();
  for (const bool append : {false, true}) {
    try {
      chart.LoadGraphFile(path, append);
      ADD_FAILURE() << "loaded";
    } catch (const EGChartError& e) {
      EXPECT_EQ(e.what(), "Die Datei \"" + path +
                              "\" ist keine Tavolix-Sitzung: keiner ihrer 48 Datensätze beschreibt ein Element einer Grafik.");
    }
  }
  EXPECT_EQ(chart.NumItems(), 11);
  EXPECT_EQ(chart.PaintCount(), paints);
  // One item among them makes it a session, loaded whole.
  const std::string session = Path("session.tvx");
  chart.SaveGraphFile(session);
  std::vector<char> bytes = ReadBytes(session);
  bytes.resize(sizeof(TChartItem));
  bytes.insert(bytes.end(), capture.begin(), capture.end());
  WriteBytes(session, bytes);
  chart.LoadGraphFile(session, false);
  EXPECT_EQ(chart.NumItems(), 49);
}

// Loaded as a user who may only read the file: root may open anything, so a root test run
// checks from a child process that has given up root.
TEST_F(SessionFile, ReadOnlyFileLoads) {
  Plot();
  const std::string path = Path("readonly.tvx");
  chart.SaveGraphFile(path);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  if (::geteuid() != 0) {
    TGChart reader;
    reader.LoadGraphFile(path, false);
    EXPECT_EQ(reader.NumItems(), 11);
    return;
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    if (::open(path.c_str(), O_RDWR) >= 0) ::_exit(3);  // the check would prove nothing
    TGChart reader;
    reader.LoadGraphFile(path, false);
    ::_exit(reader.NumItems() == 11 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(SessionFile, TooLargeForMemoryFailsAndChangesNothing) {
  Plot();
  const std::string path = Path("huge.tvx");
  const uint64_t memory = PhysicalMemoryBytes();
  for (const uint64_t size : {uint64_t(1) << 40, memory + (memory / 2)}) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const bool sparse = ::ftruncate(fd, off_t(size)) == 0;
    ::close(fd);
    if (!sparse) continue;  // the file system cannot hold such a file
    try {
      chart.LoadGraphFile(path, true);
      ADD_FAILURE() << "loaded " << size << " bytes";
    } catch (const EGChartError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_EQ(chart.NumItems(), 11);
    EXPECT_EQ(chart.Capacity(), 1000);
    EXPECT_EQ(chart.ItemCountOfKind(ikDrawTo), 9);
  }
}

TEST_F(SessionFile, SaveReportsWhatGoesWrong) {
  Plot();
  const std::string path = TempPath("no-such-folder") + "/plot.tvx";
  try {
    chart.SaveGraphFile(path);
    FAIL() << "no error";
  } catch (const EGChartError& e) {
    EXPECT_EQ(std::string(e.what()), "Datei \"" + path + "\" kann nicht erstellt werden. " + std::strerror(ENOENT));
  }
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  try {
    chart.SaveGraphFile("/dev/full");
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), 101);
    EXPECT_STREQ(e.what(), "Zu wenig Speicherplatz");
  }
}

TEST(InOutErrors, MessagesByCode) {
  EXPECT_EQ(InOutErrorText(3), "Ungültiger Dateiname");
  EXPECT_EQ(InOutErrorText(4), "Zu viele geöffnete Dateien");
  EXPECT_EQ(InOutErrorText(100), "Versuch hinter dem Dateiende zu lesen");
  EXPECT_EQ(InOutErrorText(101), "Zu wenig Speicherplatz");
  EXPECT_EQ(InOutErrorText(106), "Ungültige numerische Eingabe");
  EXPECT_EQ(InOutErrorText(42), "E/A-Fehler 42");
  EXPECT_STREQ(InOutErrorFor(ENOENT).what(), "Datei nicht gefunden");
  EXPECT_EQ(InOutErrorFor(ENAMETOOLONG).ErrorCode(), 3);
  EXPECT_EQ(InOutErrorFor(ENFILE).ErrorCode(), 4);
  EXPECT_STREQ(InOutErrorFor(EROFS).what(), "Dateizugriff verweigert");
  EXPECT_STREQ(InOutErrorFor(EACCES).what(), "Dateizugriff verweigert");
  EXPECT_STREQ(InOutErrorFor(EDQUOT).what(), "Zu wenig Speicherplatz");
  // System numbers are no runtime codes: EIO is 5, ENETUNREACH 101, EFBIG 27.
  for (const int systemError : {EIO, ENETUNREACH, EFBIG}) {
    const EInOutError e = InOutErrorFor(systemError);
    EXPECT_EQ(e.ErrorCode(), 0);
    EXPECT_STREQ(e.what(), std::strerror(systemError));
  }
}

}  // namespace
