#include <gtest/gtest.h>

#include <QImage>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include <unistd.h>

#include "app/fonts.h"
#include "chart/qt/qt_bitmap.h"
#include "tests/chart/main_window_chart.h"
#include "tests/support/offscreen_qt_environment.h"

namespace {

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TOffscreenQtEnvironment(InstallFontSubstitutions));

int CountPixels(const TBitmap& b, TColor color) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) == color;
  }
  return n;
}

// The box around all pixels that are not `background`: x1, y1, x2, y2 inclusive.
std::array<int, 4> InkBox(const TBitmap& b, TColor background = clWhite) {
  std::array<int, 4> box{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.Pixel(x, y) != background) {
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
      }
    }
  }
  return box;
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

std::filesystem::path TempPath(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() / ("tavolix_qt_canvas_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir / name;
}

}  // namespace

TEST(QtCanvas, RectanglesAndEllipsesExcludeRightAndBottomEdge) {
  TQtBitmap b(20, 20);
  b.Canvas().SetBrushColor(clRed);
  b.Canvas().Rectangle(2, 3, 10, 8);
  EXPECT_EQ(InkBox(b), (std::array<int, 4>{2, 3, 9, 7}));
  EXPECT_EQ(b.Pixel(9, 7), clBlack);
  EXPECT_EQ(CountPixels(b, clBlack), 2 * (8 + 5) - 4);
  EXPECT_EQ(CountPixels(b, clRed), 6 * 3);
  // Without a pen the brush covers the same box; the corners given either way round.
  TQtBitmap f(20, 20);
  f.Canvas().SetPenStyle(psClear);
  f.Canvas().SetBrushColor(clBlue);
  f.Canvas().Rectangle(10, 8, 2, 3);
  EXPECT_EQ(CountPixels(f, clBlue), 8 * 5);
  EXPECT_EQ(InkBox(f), (std::array<int, 4>{2, 3, 9, 7}));
  // A clear brush leaves the inside; a one-pixel-wide box is a line; an empty one nothing.
  TQtBitmap o(20, 20);
  o.Canvas().SetBrushStyle(bsClear);
  o.Canvas().Rectangle(2, 3, 10, 8);
  o.Canvas().Rectangle(15, 2, 16, 12);
  o.Canvas().Rectangle(15, 15, 15, 18);
  EXPECT_EQ(o.Pixel(5, 5), clWhite);
  EXPECT_EQ(CountPixels(o, clBlack), 22 + 10);

  TQtBitmap e(20, 20);
  e.Canvas().SetBrushColor(clLime);
  e.Canvas().Ellipse(2, 3, 13, 10);
  EXPECT_EQ(InkBox(e), (std::array<int, 4>{2, 3, 12, 9}));
  EXPECT_EQ(e.Pixel(7, 6), clLime);
  EXPECT_EQ(e.Pixel(2, 3), clWhite);
  TQtBitmap n(20, 20);
  n.Canvas().SetPenStyle(psClear);
  n.Canvas().SetBrushColor(clLime);
  n.Canvas().Ellipse(2, 3, 13, 10);
  const auto box = InkBox(n);
  EXPECT_TRUE(box[0] >= 2 && box[1] >= 3 && box[2] <= 12 && box[3] <= 9);
  EXPECT_EQ(n.Pixel(7, 6), clLime);
}

TEST(QtCanvas, LinesLeaveOutTheirLastPixel) {
  for (const auto& [dx, dy] : std::vector<std::pair<int, int>>{
           {6, 0}, {-6, 0}, {0, 6}, {0, -6}, {6, 6}, {-6, -6}, {6, -6}, {-6, 6}, {6, 2}, {-2, -6}, {1, 0}, {0, 0}}) {
    TQtBitmap b(21, 21);
    Line(b.Canvas(), 10, 10, 10 + dx, 10 + dy);
    const int length = std::max(std::abs(dx), std::abs(dy));
    EXPECT_EQ(b.Pixel(10, 10), length ? clBlack : clWhite) << dx << "," << dy;
    EXPECT_EQ(b.Pixel(10 + dx, 10 + dy), clWhite) << dx << "," << dy;
    EXPECT_EQ(CountPixels(b, clBlack), length) << dx << "," << dy;
    EXPECT_EQ(b.Canvas().PenPos(), (TPoint{10 + dx, 10 + dy}));
  }
  // A polyline leaves out only its final point.
  TQtBitmap p(20, 20);
  const TPoint pts[] = {{2, 2}, {8, 2}, {8, 6}, {4, 6}};
  p.Canvas().Polyline(pts, 4);
  p.Canvas().Polyline(pts, 1);
  EXPECT_EQ(p.Pixel(8, 2), clBlack);
  EXPECT_EQ(p.Pixel(8, 6), clBlack);
  EXPECT_EQ(p.Pixel(4, 6), clWhite);
  EXPECT_EQ(CountPixels(p, clBlack), 6 + 4 + 4);
}

TEST(QtCanvas, ClippedLinesKeepTheirPixels) {
  // A line clipped to a small bitmap sets the same pixels as on a large one.
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-60, 80);
  for (int i = 0; i < 200; ++i) {
    const int x1 = coordinate(random), y1 = coordinate(random), x2 = coordinate(random), y2 = coordinate(random);
    TQtBitmap small(20, 20), large(300, 300);
    Line(small.Canvas(), x1, y1, x2, y2);
    Line(large.Canvas(), x1 + 100, y1 + 100, x2 + 100, y2 + 100);
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        ASSERT_EQ(small.Pixel(x, y), large.Pixel(x + 100, y + 100))
            << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ") at " << x << "," << y;
      }
    }
  }
  // Coordinates far outside cost nothing and still hit the right pixels.
  TQtBitmap b(20, 20);
  Line(b.Canvas(), -2000000000, 5, 2000000000, 5);
  Line(b.Canvas(), 3, 2147483647, 3, -2147483647);
  EXPECT_EQ(CountPixels(b, clBlack), 39);
}

TEST(QtCanvas, XorInvertsEachPixelOnceAndTwiceRestores) {
  TQtBitmap b(20, 20);
  TCanvas& c = b.Canvas();
  c.SetPenStyle(psClear);
  c.SetBrushColor(clBlack);
  c.Rectangle(0, 0, 20, 20);
  c.SetPixel(15, 15, 0x563412);
  c.SetPenStyle(psSolid);
  c.SetPenColor(clWhite);
  c.SetPenMode(pmXor);
  const TPoint pts[] = {{1, 1}, {10, 1}, {10, 8}, {1, 8}, {1, 1}};
  c.Polyline(pts, 5);
  Line(c, 15, 15, 15, 18);
  EXPECT_EQ(CountPixels(b, clWhite), 9 + 7 + 9 + 7 + 2);  // corners inverted once, not twice
  EXPECT_EQ(b.Pixel(15, 15), 0x563412u ^ 0xFFFFFFu);
  c.Polyline(pts, 5);
  Line(c, 15, 15, 15, 18);
  EXPECT_EQ(CountPixels(b, clBlack), 399);
  EXPECT_EQ(b.Pixel(15, 15), 0x563412u);
  // Shapes XOR as well; pixels ignore the mode.
  c.SetBrushStyle(bsClear);
  c.Rectangle(2, 2, 12, 12);
  EXPECT_EQ(b.Pixel(2, 2), clWhite);
  c.Rectangle(2, 2, 12, 12);
  EXPECT_EQ(CountPixels(b, clBlack), 399);
  c.SetPixel(0, 0, clRed);
  EXPECT_EQ(b.Pixel(0, 0), clRed);
}

TEST(QtCanvas, PenStyles) {
  TQtBitmap b(40, 5);
  TCanvas& c = b.Canvas();
  c.SetPenStyle(psDot);
  Line(c, 0, 1, 12, 1);
  std::string dots;
  for (int x = 0; x < 13; ++x) dots += b.Pixel(x, 1) == clBlack ? '#' : '.';
  EXPECT_EQ(dots, "###...###....");
  c.SetPenStyle(psDash);
  Line(c, 0, 2, 40, 2);
  EXPECT_EQ(b.Pixel(17, 2), clBlack);
  EXPECT_EQ(b.Pixel(18, 2), clWhite);
  EXPECT_EQ(b.Pixel(24, 2), clBlack);
  c.SetPenStyle(psClear);
  Line(c, 0, 3, 40, 3);
  c.Rectangle(0, 4, 40, 5);
  EXPECT_EQ(CountPixels(b, clBlack), 6 + 18 + 16);
  // Wide pens draw solid whatever their style, with covered joints.
  TQtBitmap w(20, 20);
  w.Canvas().SetPenWidth(3);
  w.Canvas().SetPenColor(clBlue);
  w.Canvas().SetPenStyle(psDash);
  Line(w.Canvas(), 5, 10, 15, 10);
  for (int x = 5; x < 15; ++x) EXPECT_EQ(w.Pixel(x, 10), clBlue) << x;
  EXPECT_EQ(w.Pixel(10, 9), clBlue);
  EXPECT_EQ(w.Pixel(10, 11), clBlue);
  EXPECT_EQ(w.Pixel(10, 13), clWhite);
  const TPoint corner[] = {{3, 3}, {16, 3}, {16, 16}};
  w.Canvas().SetPenColor(clRed);
  w.Canvas().Polyline(corner, 3);
  EXPECT_EQ(w.Pixel(16, 3), clRed);
}

TEST(QtCanvas, Text) {
  TQtBitmap b(100, 40);
  TCanvas& c = b.Canvas();
  TFont font;
  font.Color = clRed;
  c.SetFont(font);
  c.SetBrushStyle(bsClear);
  const int w = c.TextWidth("Hg8"), h = c.TextHeight("Hg8");
  EXPECT_TRUE(h >= 13 && h <= 20) << h;
  c.TextOut(10, 5, "Hg8");
  EXPECT_GT(CountPixels(b, clRed), 20);
  EXPECT_EQ(CountPixels(b, clRed) + CountPixels(b, clWhite), 100 * 40);  // no antialiasing
  const auto box = InkBox(b);
  EXPECT_TRUE(box[0] >= 10 && box[1] >= 5 && box[2] < 10 + w && box[3] < 5 + h);
  // A solid brush fills the text's cell; the font colour can change alone.
  c.SetBrushStyle(bsSolid);
  c.SetBrushColor(clYellow);
  c.SetFontColor(clBlue);
  c.TextOut(50, 5, "Hg8");
  EXPECT_EQ(InkBox(b), (std::array<int, 4>{box[0], 5, 50 + w - 1, 5 + h - 1}));
  EXPECT_GT(CountPixels(b, clBlue), 20);
  // Bytes are Windows-1252; the height sets the size, bold measures wider.
  EXPECT_EQ(c.TextWidth("\xE4"), c.TextWidth("a"));
  font.Height = -26;
  c.SetFont(font);
  EXPECT_GE(c.TextHeight("0"), 2 * h - 4);
  const int plain = c.TextWidth("rtfrtf");
  font.Style = fsBold;
  c.SetFont(font);
  EXPECT_GT(c.TextWidth("rtfrtf"), plain);
  font.Height = 30;  // the whole cell
  c.SetFont(font);
  EXPECT_NEAR(c.TextHeight("0"), 30, 1);
}

// Widths are remembered per face: a canvas that goes back and forth between faces, more
// of them than it remembers, measures each text as a fresh canvas in that face does.
TEST(QtCanvas, TextWidthsStayThoseOfTheirFaceWhenFacesAlternate) {
  std::vector<TFont> faces;
  for (int height = -8; height >= -50; --height) {
    TFont font;
    font.Height = height;
    font.Style = height % 2 ? fsBold : 0;
    faces.push_back(font);
  }
  const char* const texts[] = {"1000", "-2,5", "Kanal 1"};
  const auto fresh = [](const TFont& font, const char* text) {
    TQtBitmap b(1, 1);
    b.Canvas().SetFont(font);
    return b.Canvas().TextWidth(text);
  };
  TQtBitmap b(1, 1);
  TCanvas& c = b.Canvas();
  for (int round = 0; round < 2; ++round) {
    for (size_t i = 0; i < faces.size(); i += (round == 0 ? 1 : 7)) {
      c.SetFont(faces[i]);
      for (const char* text : texts) EXPECT_EQ(c.TextWidth(text), fresh(faces[i], text)) << i << " " << text;
    }
  }
  EXPECT_LT(fresh(faces.front(), "1000"), fresh(faces.back(), "1000"));
}

// Item texts of session files may ask for any size in points.
TEST(QtCanvas, FontSizesOfAnyMagnitudeStayDrawable) {
  TFont font;
  font.SetSizePoints(INT_MIN);
  EXPECT_EQ(font.Height, INT_MAX);
  EXPECT_EQ(font.SizePoints(), int(std::lround(INT_MAX * 0.6)));
  font.SetSizePoints(INT_MAX);
  EXPECT_EQ(font.Height, -INT_MAX);
  TQtBitmap b(100, 40);
  TCanvas& c = b.Canvas();
  for (const int height : {INT_MIN, -INT_MAX, -5000, 1768597762, INT_MAX}) {
    font.Height = height;
    c.SetFont(font);
    const int h = c.TextHeight("0");
    EXPECT_TRUE(h >= 4096 && h < 6000) << height << ": " << h;
    c.TextOut(0, 0, "0");
  }
}

TEST(QtCanvas, BitmapsDrawSizeAndFactory) {
  TQtBitmap tile(4, 4);
  tile.Canvas().SetPenStyle(psClear);
  tile.Canvas().SetBrushColor(clRed);
  tile.Canvas().Rectangle(0, 0, 4, 4);
  tile.Canvas().SetPixel(3, 3, clBlue);
  TQtBitmap b(20, 20);
  b.Canvas().SetPenMode(pmXor);  // copying ignores the pen mode
  b.Canvas().Draw(3, 3, tile);
  EXPECT_EQ(InkBox(b), (std::array<int, 4>{3, 3, 6, 6}));
  EXPECT_EQ(b.Pixel(6, 6), clBlue);
  b.Canvas().StretchDraw(10, 10, 18, 18, tile);
  EXPECT_EQ(b.Pixel(10, 10), clRed);
  EXPECT_EQ(b.Pixel(16, 16), clBlue);
  EXPECT_EQ(b.Pixel(18, 18), clWhite);
  b.Canvas().Draw(1, 1, b);  // onto itself: copied first
  EXPECT_EQ(b.Pixel(7, 7), clBlue);
  EXPECT_EQ(b.Pixel(4, 4), clRed);

  // Resizing keeps the common part, adds white, and the canvas draws on the new picture.
  b.SetSize(30, 22);
  EXPECT_EQ(b.Width() * 100 + b.Height(), 3022);
  EXPECT_EQ(b.Pixel(4, 4), clRed);
  EXPECT_EQ(b.Pixel(25, 21), clWhite);
  b.Canvas().SetPenMode(pmCopy);
  b.Canvas().Rectangle(20, 17, 30, 22);
  EXPECT_EQ(b.Pixel(29, 21), clBlack);
  b.Canvas().SetPixel(-1, 1, clRed);  // outside: ignored, and read as black
  EXPECT_EQ(b.Pixel(-1, 0), clBlack);
  EXPECT_EQ(b.Pixel(0, 22), clBlack);

  // An empty bitmap takes every operation without effect.
  b.SetSize(0, 0);
  TCanvas& c = b.Canvas();
  const TPoint pts[] = {{0, 0}, {3, 3}, {0, 3}};
  c.LineTo(5, 5);
  c.Polyline(pts, 3);
  c.Polygon(pts, 3);
  c.Ellipse(0, 0, 3, 3);
  c.SetPixel(0, 0, clRed);
  c.TextOut(0, 0, "x");
  c.Draw(0, 0, tile);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_GT(c.TextWidth("x"), 0);

  const auto made = TQtBitmapFactory().NewBitmap(7, 5);
  EXPECT_EQ(made->Width() * 100 + made->Height(), 705);
  EXPECT_EQ(CountPixels(*made, clWhite), 35);
}

TEST(QtCanvas, BmpRoundTrip) {
  TQtBitmap b(13, 7);
  b.Canvas().SetPenColor(clMaroon);
  Line(b.Canvas(), 0, 3, 13, 3);
  b.Canvas().SetPixel(12, 6, 0x123456);
  const auto path = TempPath("round.bmp");
  ASSERT_EQ(b.SaveToFile(path.string(), pfBmp), "");
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(bytes.size(), 54u);
  const auto u32 = [&](size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(bytes[at + size_t(i)]);
    return v;
  };
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(u32(2), bytes.size());
  EXPECT_EQ(u32(14), 40u);  // BITMAPINFOHEADER
  EXPECT_EQ(u32(18), 13u);
  EXPECT_EQ(u32(22), 7u);
  EXPECT_EQ(u32(30), 0u);  // uncompressed
  TQtBitmap back(1, 1);
  ASSERT_TRUE(back.LoadFromFile(path.string()));
  ASSERT_EQ(back.Width() * 100 + back.Height(), 1307);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) EXPECT_EQ(back.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
  }
  std::filesystem::remove_all(path.parent_path());
}

TEST(QtCanvas, FileErrors) {
  TQtBitmap b(4, 4);
  EXPECT_EQ(b.SaveToFile("/nonexistent-tavolix-dir/chart.bmp", pfBmp), std::strerror(ENOENT));
  const auto dir = TempPath("a-directory");
  std::filesystem::create_directories(dir);
  EXPECT_EQ(b.SaveToFile(dir.string(), pfPng), std::strerror(EISDIR));
  // Loading fails without changing the bitmap; transparency turns white.
  b.Canvas().SetPixel(0, 0, clRed);
  std::ofstream(TempPath("junk.png")) << "not an image";
  EXPECT_FALSE(b.LoadFromFile("/nonexistent-tavolix-dir/x.png"));
  EXPECT_FALSE(b.LoadFromFile(TempPath("junk.png").string()));
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Pixel(0, 0), clRed);
  QImage clear(3, 2, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  clear.setPixel(1, 1, qRgba(0, 0, 255, 255));
  ASSERT_TRUE(clear.save(QString::fromStdString(TempPath("clear.png").string())));
  ASSERT_TRUE(b.LoadFromFile(TempPath("clear.png").string()));
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Pixel(0, 0), clWhite);
  EXPECT_EQ(b.Pixel(1, 1), clBlue);
  b.Canvas().SetPixel(2, 0, clGreen);
  EXPECT_EQ(b.Pixel(2, 0), clGreen);
  std::filesystem::remove_all(dir.parent_path());
}
