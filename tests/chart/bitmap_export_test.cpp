#include "chart/bitmap_export.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include <unistd.h>

#include "tests/chart/main_window_chart.h"

namespace {

TEST(BitmapFileName, CutAtTheFirstDotOfTheFileName) {
  EXPECT_EQ(BitmapFileName("/tmp/graph"), "/tmp/graph.bmp");
  EXPECT_EQ(BitmapFileName("/tmp/graph.tvx"), "/tmp/graph.bmp");
  EXPECT_EQ(BitmapFileName("/tmp/a.b.c"), "/tmp/a.bmp");
  EXPECT_EQ(BitmapFileName("/data.2024/run.1.txt"), "/data.2024/run.bmp");  // dots in the directory stay
  EXPECT_EQ(BitmapFileName("graph.bmp"), "graph.bmp");
}

struct BitmapExport : TQtMainChart, testing::Test {
  BitmapExport() {
    std::filesystem::create_directories(Dir);
    Chart.SetDataColor(clBlue);
    Chart.Line(0, 5.2, 1000, 5.2);
    Chart.SetDataColor(clMaroon);
    Chart.SetCurrentLayer(2);
    Chart.Line(0, 2.2, 1000, 2.2);  // layer 2: y -5..5
    Chart.SetCurrentLayer(1);
    Chart.Scale1X().SetColorScale(clGreen);
    Chart.ShowGraph();
  }
  ~BitmapExport() override { std::filesystem::remove_all(Dir); }
  TColor Shown(TPoint p) { return Chart.WindowBitmap()->Pixel(p.x, p.y); }

  const std::filesystem::path Dir =
      std::filesystem::temp_directory_path() / ("tavolix_export_" + std::to_string(::getpid()));
};

TEST_F(BitmapExport, BlackAndWhiteFileOfTheControlsSize) {
  const TPoint blue = Chart.MapToPixel(1, 510, 5.2), maroon = Chart.MapToPixel(2, 510, 2.2);
  const TPoint axis{Chart.MapToPixel(1, 600, 0).x, Chart.ChartArea().Bottom + 3};  // a major tick
  ASSERT_EQ(Shown(blue), clBlue);
  ASSERT_EQ(Shown(maroon), clMaroon);
  const int64_t repaints = Chart.PaintCount();
  Chart.SaveAsBitmap((Dir / "graph.tvx").string(), true);
  const QImage file((Dir / "graph.bmp").string().c_str());
  ASSERT_FALSE(file.isNull());
  EXPECT_EQ(file.size(), QSize(577, 361));
  EXPECT_EQ(file.pixel(blue.x, blue.y), qRgb(0, 0, 0));
  EXPECT_EQ(file.pixel(maroon.x, maroon.y), qRgb(0, 0, 0));
  EXPECT_EQ(file.pixel(axis.x, axis.y), qRgb(0, 0, 0));  // the green scale
  EXPECT_EQ(file.pixel(576, 200), qRgb(0, 0, 0));  // the outline over the shadow
  EXPECT_EQ(file.pixel(300, 5), qRgb(255, 255, 255));
  // The chart keeps its colours, its picture and its paint state.
  EXPECT_EQ(Chart.Scale1X().ColorScale(), clGreen);
  EXPECT_EQ(Chart.ShadowColor(), clGray);
  EXPECT_EQ(Chart.ChartColor(), clWhite);
  EXPECT_EQ(Chart.PaintCount(), repaints);
  EXPECT_FALSE(Chart.PaintSuspended());
  EXPECT_EQ(Shown(blue), clBlue);
  Chart.Paint();
  EXPECT_EQ(Shown(axis), clGreen);
  // In colour, a second file.
  Chart.SaveAsBitmap((Dir / "colour").string(), false);
  const QImage colour((Dir / "colour.bmp").string().c_str());
  EXPECT_EQ(colour.pixel(blue.x, blue.y), qRgb(0, 0, 255));
}

TEST_F(BitmapExport, PngInColourUnderTheNameAsTyped) {
  const TPoint blue = Chart.MapToPixel(1, 510, 5.2), maroon = Chart.MapToPixel(2, 510, 2.2);
  const TPoint axis{Chart.MapToPixel(1, 600, 0).x, Chart.ChartArea().Bottom + 3};
  const std::string name = (Dir / "run.2.screen").string();  // no cut at the first dot
  Chart.SaveAsPng(name);
  const QImage file(name.c_str(), "PNG");
  ASSERT_FALSE(file.isNull());
  EXPECT_EQ(file.size(), QSize(577, 361));
  EXPECT_EQ(file.pixel(blue.x, blue.y), qRgb(0, 0, 255));
  EXPECT_EQ(file.pixel(maroon.x, maroon.y), qRgb(128, 0, 0));
  EXPECT_EQ(file.pixel(axis.x, axis.y), qRgb(0, 128, 0));
  // Every pixel as the window shows it.
  Chart.Paint();
  const TBitmap& shown = *Chart.WindowBitmap();
  for (int y = 0; y < file.height(); y += 7) {
    for (int x = 0; x < file.width(); x += 3) {
      const QRgb p = file.pixel(x, y);
      ASSERT_EQ(TColor(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16), shown.Pixel(x, y)) << x << "," << y;
    }
  }
}

TEST_F(BitmapExport, FileThatCannotBeCreatedRaisesTheErrorAndKeepsTheColours) {
  const std::string name = (Dir / "missing" / "graph.x").string();
  try {
    Chart.SaveAsBitmap(name, true);
    FAIL() << "no error";
  } catch (const EGChartError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Datei \"" + (Dir / "missing" / "graph.bmp").string() + "\" kann nicht erstellt werden. " +
                  std::strerror(ENOENT));
  }
  EXPECT_EQ(Chart.Scale1X().ColorScale(), clGreen);
  EXPECT_EQ(Chart.ScaleRendererX(1).ColorScale(), clGreen);
  EXPECT_EQ(Chart.WindColor(), clWhite);
  EXPECT_EQ(Chart.ShadowColor(), clGray);
  EXPECT_FALSE(Chart.PaintSuspended());
}

}  // namespace
