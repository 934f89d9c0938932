#include "acquisition/chart_csv_export.h"

#include <bitset>
#include <optional>

#include "chart/record_file.h"

namespace {

// What the file is written in: a piece this large goes to the disk at a time.
constexpr size_t kWriteChunk = 1 << 20;

struct TCurvePoint {
  double X;
  double Y;
  int32_t Layer;
};

// The sample a curve item stands for: the vertex of a MoveTo or DrawTo, the end of a
// Line (its start repeats the sample before). Other kinds are not samples.
std::optional<TCurvePoint> CurvePoint(const TChartItem& item) {
  if (item.Layer < 1 || item.Layer > kNumLayers) return std::nullopt;
  switch (item.Kind) {
    case ikMoveTo:
    case ikDrawTo: return TCurvePoint{item.X, item.Y, item.Layer};
    case ikLine: return TCurvePoint{item.X2, item.Y2, item.Layer};
    default: return std::nullopt;
  }
}

// A sample's channels are consecutive items with the same x, one per layer.
class TRowBuilder {
 public:
  TRowBuilder(const std::bitset<kNumLayers>& columns, const TCsvFormat& format) : Columns_(columns), Format_(format) {}

  void Add(const TCurvePoint& p, std::string& out) {
    const size_t slot = size_t(p.Layer - 1);
    if (Open_ && (p.X != X_ || Filled_[slot])) End(out);
    Open_ = true;
    X_ = p.X;
    Filled_[slot] = true;
    Values_[slot] = p.Y;
  }

  void End(std::string& out) {
    if (!Open_) return;
    AppendCsvNumber(out, X_, Format_);
    for (size_t i = 0; i < size_t(kNumLayers); ++i) {
      if (!Columns_[i]) continue;
      out += Format_.Separator;
      if (Filled_[i]) AppendCsvNumber(out, Values_[i], Format_);
    }
    out += "\r\n";
    Open_ = false;
    Filled_.reset();
  }

 private:
  const std::bitset<kNumLayers>& Columns_;
  const TCsvFormat& Format_;
  bool Open_ = false;
  double X_ = 0;
  std::bitset<kNumLayers> Filled_;
  std::array<double, kNumLayers> Values_{};
};

}  // namespace

void SaveChartCsv(const std::string& path, const TGChart& chart, const TChartCsvNames& names, const TCsvFile& file) {
  const TCsvFormat& format = file.Format;
  std::bitset<kNumLayers> columns;
  for (const TChartItem& item : chart.Items()) {
    if (const auto p = CurvePoint(item)) columns.set(size_t(p->Layer - 1));
  }

  std::string text;
  text.reserve(kWriteChunk + 4096);
  if (file.Utf8Mark) text += "\xEF\xBB\xBF";
  AppendCsvText(text, names.X, format);
  for (size_t i = 0; i < size_t(kNumLayers); ++i) {
    if (!columns[i]) continue;
    text += format.Separator;
    AppendCsvText(text, names.Layers[i], format);
  }
  text += "\r\n";

  TFileWriter writer(path);
  TRowBuilder rows(columns, format);
  for (const TChartItem& item : chart.Items()) {
    const auto p = CurvePoint(item);
    if (!p) continue;
    rows.Add(*p, text);
    if (text.size() >= kWriteChunk) {
      writer.Write(text.data(), text.size());
      text.clear();
    }
  }
  rows.End(text);
  writer.Write(text.data(), text.size());
  writer.Close();
}
