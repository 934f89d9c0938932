#pragma once
// Kinds of the chart's appearance: shadow, grid, text background, frames of framed
// rectangles and the background image with its highlighted area.

#include <cstdint>
#include <string>

#include "chart/colors.h"

enum TShadowStyle : uint8_t { ssFlying, ssBox };

enum TGridStyle : uint8_t {
  gsNone,
  gsVertLines,
  gsHorizLines,
  gsLines,
  gsVertDotLines,
  gsHorizDotLines,
  gsDotLines,
  gsPoints,
};

// Background of item texts.
enum TTextBkStyle : uint8_t { tbSolid, tbClear };

// Frame of an ikFramedRect item; the ordinal is stored in the record.
enum TFrameStyle : uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };

enum TBkgFill : uint8_t { bfSimple, bfStretch, bfTile };

// The part of the chart area painted in AreaColor when there is no background image.
enum TBGAreaMode : uint8_t { bamNone, bamLeft, bamRight, bamTop, bamBottom, bamVStripe, bamHStripe, bamRect };

struct TBakGndImg {
  std::string Name;  // image file; empty: no image
  bool IncludePath = true;  // false: only the file-name part of Name, looked up in the working directory
  TBkgFill FillMode = bfSimple;
  TBGAreaMode AreaMode = bamNone;
  TColor AreaColor = clSilver;
  double AreaLeft = 0;  // data units of layer 1
  double AreaRight = 0;
  double AreaTop = 0;
  double AreaBottom = 0;
  friend bool operator==(const TBakGndImg&, const TBakGndImg&) = default;
};
