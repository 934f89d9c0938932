#include "fuzz/graph_file_input.h"

#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_finding.h"
#include "fuzz/offscreen_app.h"
#include "tests/chart/main_window_chart.h"

namespace {

using TBytes = std::vector<char>;

constexpr std::array<double, 6> kGridSteps = {0, -1, -2, -3, 0.5, 100};

// A folder of its own for the files of one process, removed when it ends.
class TScratchFolder {
 public:
  TScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavolix_fuzz_XXXXXX").string();
    Expect(::mkdtemp(pattern.data()) != nullptr, "no scratch folder");
    Path_ = pattern;
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path_, ignored);
  }
  std::string File(const char* name) const { return (Path_ / name).string(); }

 private:
  std::filesystem::path Path_;
};

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  Expect(bool(out.flush()), "the session file could not be written");
}

TBytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ItemsAre(const TGChart& chart, const TBytes& records) {
  const std::span<const TChartItem> items = chart.Items();
  return items.size_bytes() == records.size() &&
         (records.empty() || std::memcmp(items.data(), records.data(), records.size()) == 0);
}

// The view the trailing piece chooses, before anything is loaded.
void SetUpView(TGChart& chart, std::span<const uint8_t> piece, bool& append, bool& exportBitmap) {
  append = false;
  exportBitmap = false;
  if (piece.empty()) return;
  const uint8_t flags = piece.back();
  chart.SetPaintSuspended(true);
  if (flags & 3) chart.SetRange(1, 1, 1, 1000, 1000);
  chart.Scale1Y().SetLogarithmic((flags & 1) != 0);
  chart.Scale1X().SetLogarithmic((flags & 2) != 0);
  chart.SetGridStyle(TGridStyle((flags >> 2) & 7));
  append = (flags & 0x20) != 0;
  exportBitmap = (flags >> 5) == 7;
  if (piece.size() >= 2) {
    chart.SetGridDx(kGridSteps[piece[0] % kGridSteps.size()]);
    chart.SetGridDy(kGridSteps[(piece[0] >> 4) % kGridSteps.size()]);
  }
  chart.SetPaintSuspended(false);
}

void PaintFully(TGChart& chart) {
  chart.Paint();
  chart.ComposePending();
  chart.UpdateGraph();
  chart.ComposePending();
}

void ExpectSaved(const TGChart& chart, const std::string& path, const TBytes& expected) {
  chart.SaveGraphFile(path);
  Expect(ReadBytes(path) == expected, "the saved file differs from the records");
}

}  // namespace

void CheckGraphFileInput(std::span<const uint8_t> input) {
  EnsureOffscreenApp();
  static const TScratchFolder folder;
  const std::string loadPath = folder.File("input.tvx");
  const std::string savePath = folder.File("saved.tvx");
  const size_t wholeRecords = input.size() - input.size() % sizeof(TChartItem);
  const TBytes records(input.begin(), input.begin() + std::ptrdiff_t(wholeRecords));
  WriteBytes(loadPath, input.data(), input.size());

  TQtMainChart main;
  TGChart& chart = main.Chart;
  bool append = false;
  bool exportBitmap = false;
  SetUpView(chart, input.subspan(wholeRecords), append, exportBitmap);

  try {
    chart.LoadGraphFile(loadPath, false);
  } catch (const EGChartError&) {
    // Not one record could be an item: the file is refused as no session at all.
    Expect(chart.NumItems() == 0 && !records.empty(), "a refusal changed the items or refused an empty file");
    return;
  }
  Expect(ItemsAre(chart, records), "the items differ from the file's records");
  PaintFully(chart);
  ExpectSaved(chart, savePath, records);
  if (append) {
    chart.LoadGraphFile(loadPath, true);
    TBytes twice = records;
    twice.insert(twice.end(), records.begin(), records.end());
    Expect(ItemsAre(chart, twice), "appending did not give the records twice");
    PaintFully(chart);
    ExpectSaved(chart, savePath, twice);
  }
  if (exportBitmap) {
    const std::string bitmapPath = folder.File("picture.bmp");
    chart.SaveAsBitmap(bitmapPath, records.size() / sizeof(TChartItem) % 2 == 1);
    Expect(std::filesystem::file_size(bitmapPath) > 0, "the bitmap export is empty");
  }
}
