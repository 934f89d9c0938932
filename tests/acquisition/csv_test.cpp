#include <gtest/gtest.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "acquisition/acquisition.h"
#include "tests/acquisition/quiet_host.h"
#include "acquisition/chart_csv_export.h"
#include "acquisition/csv_format.h"
#include "chart/gchart.h"

namespace {

constexpr TCsvFormat kPoint{',', '.'};
constexpr TCsvFormat kComma{';', ','};

std::string Number(double v, const TCsvFormat& format = kPoint) {
  std::string out;
  AppendCsvNumber(out, v, format);
  return out;
}

TEST(CsvFormat, ShortestDigitsThatReadBackExactly) {
  EXPECT_EQ(Number(double(0.1f)), "0.1");  // the plotted float, not its double's digits
  EXPECT_EQ(Number(0.1), "0.1");
  EXPECT_EQ(Number(double(1.0f / 3.0f)), "0.33333334");
  EXPECT_EQ(Number(1.0 / 3.0), "0.3333333333333333");
  EXPECT_EQ(Number(double(-4.75f), kComma), "-4,75");
  EXPECT_EQ(Number(100000), "100000");  // not "1e+05"
  EXPECT_EQ(Number(123456789012.0), "123456789012");
  EXPECT_EQ(Number(16777217.0), "16777217");  // beyond the floats' integers
  EXPECT_EQ(Number(0.00001), "0.00001");
  EXPECT_EQ(Number(double(1.5e-7f)), "1.5e-07");
  EXPECT_EQ(Number(double(3.4028235e38f), kComma), "3,4028235e+38");
  EXPECT_EQ(Number(0), "0");
  EXPECT_EQ(Number(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(Number(-std::numeric_limits<double>::infinity()), "");
}

TEST(CsvFormat, SeparatorsFollowTheDesktop) {
  EXPECT_EQ(CsvFormatFor(',').Separator, ';');
  EXPECT_EQ(CsvFormatFor(',').DecimalPoint, ',');
  EXPECT_EQ(CsvFormatFor('.').Separator, ',');
  EXPECT_EQ(CsvFormatFor('.').DecimalPoint, '.');
}

TEST(CsvFormat, SecondsToTheMicrosecond) {
  std::string out;
  AppendCsvSeconds(out, 1.0000004, kComma);
  out += ' ';
  AppendCsvSeconds(out, 3600.25, kPoint);
  out += ' ';
  AppendCsvSeconds(out, 0.0000995, kPoint);  // rounds up into the next digit
  out += ' ';
  AppendCsvSeconds(out, -1.5, kPoint);
  EXPECT_EQ(out, "1,000000 3600.250000 0.000100 -1.500000");
}

TEST(CsvFormat, TextIsQuotedOnlyWhenItMustBe) {
  std::string out;
  AppendCsvText(out, "Temp", kComma);
  out += '|';
  AppendCsvText(out, "a,b", kComma);
  out += '|';
  AppendCsvText(out, "a;b", kComma);
  out += '|';
  AppendCsvText(out, "sag \"hi\"", kPoint);
  out += '|';
  AppendCsvText(out, "a\nb", kPoint);
  EXPECT_EQ(out, "Temp|a,b|\"a;b\"|\"sag \"\"hi\"\"\"|\"a\nb\"");
}


struct ChartCsv : testing::Test {
  ChartCsv() {
    chart.SetAutoRedraw(false);
    chart.SetPaintSuspended(false);
    acquisition.State.Factor1 = 1;
    acquisition.State.Factor2 = 1;
    names.X = "Sample";
    names.Layers[0] = "Druck";
    names.Layers[1] = "Höhe";
    names.Layers[2] = "Strom";
  }
  ~ChartCsv() override { std::filesystem::remove_all(dir); }

  std::string Save(const TGChart& from, const TCsvFile& file) {
    const std::string path = (dir / "out.csv").string();
    SaveChartCsv(path, from, names, file);
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "every row ends with CR LF";
    return lines;
  }

  TGChart chart;
  TQuietHost host;
  TAcquisition acquisition{host, chart, ','};
  TChartCsvNames names;
  std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("tavolix_csv_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
};

TEST_F(ChartCsv, OneChannelRowsAreTheSamplesAsPlotted) {
  acquisition.State.Factor1 = 0.1f;
  for (const char* line : {"5", "6", "7.5", "-3"}) acquisition.ProcessLine(line);
  // Normal mode plots the first sample at x 0, the later ones at their count.
  EXPECT_EQ(Save(chart, {kPoint, false}), "Sample,Druck\r\n0,0.5\r\n2,0.6\r\n3,0.75\r\n4,-0.3\r\n");
  EXPECT_EQ(Save(chart, {kComma, false}), "Sample;Druck\r\n0;0,5\r\n2;0,6\r\n3;0,75\r\n4;-0,3\r\n");
}

TEST_F(ChartCsv, TwoChannelsShareARowAndReadBackAsThePlottedFloats) {
  acquisition.State.ChannelMode = 2;
  acquisition.State.Factor1 = 1.1f;
  acquisition.State.Offset2 = 0.3f;
  const int samples = 500;
  for (int i = 0; i < samples; ++i) {
    acquisition.ProcessLine(std::to_string(i * 0.37) + ";" + std::to_string(i * -1.3));
  }
  const std::vector<std::string> lines = Lines(Save(chart, {kComma, true}));
  ASSERT_EQ(lines.size(), size_t(samples) + 1);
  EXPECT_EQ(lines[0], "\xEF\xBB\xBFSample;Druck;H\xC3\xB6he");
  for (int i = 0; i < samples; ++i) {
    std::string row = lines[size_t(i) + 1];
    for (char& c : row) c = c == ',' ? '.' : c == ';' ? ' ' : c;
    std::istringstream fields(row);
    std::string x, v1, v2;
    fields >> x >> v1 >> v2;
    float f1 = 0, f2 = 0;
    std::from_chars(v1.data(), v1.data() + v1.size(), f1);
    std::from_chars(v2.data(), v2.data() + v2.size(), f2);
    const TChartItem& item1 = chart.Items()[size_t(2 * i)];
    const TChartItem& item2 = chart.Items()[size_t(2 * i + 1)];
    EXPECT_EQ(x, std::to_string(i + 1));
    EXPECT_EQ(double(f1), item1.Y2) << row;
    EXPECT_EQ(double(f2), item2.Y2) << row;
  }
}

TEST_F(ChartCsv, ChannelsWithoutAValueLeaveTheirFieldEmpty) {
  // Three channels, the second silent at x 2, the third only from x 2 on; other kinds and
  // layers outside 1..16 (from a session file) are no samples.
  auto line = [&](int32_t layer, double x, double y) {
    chart.SetCurrentLayer(layer);
    chart.Line(x - 1, 0, x, y);
  };
  line(1, 1, 10);
  line(2, 1, 20);
  line(1, 2, 11);
  line(3, 2, 32);
  line(1, 3, 12);
  line(2, 3, 22);
  line(3, 3, 33);
  TChartItem foreign[2]{};
  foreign[0].Kind = ikText;
  foreign[0].Layer = 1;
  foreign[1].Kind = ikLine;
  foreign[1].Layer = 40;
  const std::string session = (dir / "foreign.tvx").string();
  std::ofstream(session, std::ios::binary).write(reinterpret_cast<const char*>(foreign), sizeof foreign);
  chart.LoadGraphFile(session, true);
  ASSERT_EQ(chart.NumItems(), 9);
  EXPECT_EQ(Save(chart, {kPoint, false}), "Sample,Druck,Höhe,Strom\r\n1,10,20,\r\n2,11,,32\r\n3,12,22,33\r\n");
}

TEST_F(ChartCsv, ALoadedSessionExportsAsTheAcquisitionDid) {
  acquisition.State.ChannelMode = 2;
  for (int i = 0; i < 50; ++i) acquisition.ProcessLine(std::to_string(i) + ";" + std::to_string(i / 7.0));
  const std::string session = (dir / "run.tvx").string();
  chart.SaveGraphFile(session);
  TGChart loaded;
  loaded.SetAutoRedraw(false);
  loaded.LoadGraphFile(session, true);
  EXPECT_EQ(Save(loaded, {kComma, true}), Save(chart, {kComma, true}));
}

TEST_F(ChartCsv, AFileThatCannotBeCreatedIsSaidSo) {
  try {
    SaveChartCsv((dir / "no" / "such.csv").string(), chart, names, {kPoint, false});
    FAIL() << "no error";
  } catch (const EGChartError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Datei \"" + (dir / "no" / "such.csv").string() + "\" kann nicht erstellt werden.", 0), 0u) << e.what();
  }
}

}  // namespace
