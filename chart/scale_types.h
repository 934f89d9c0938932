#pragma once
// Kinds shared by the scale property blocks and the scale renderer.

#include <cstdint>

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// Where the renderer's axis line lies within its own area: sctXT has its line at the
// top and draws downward (a scale below the plot), sctYR at the right, drawing leftward.
enum TScaleType : uint8_t { sctXB, sctXT, sctYL, sctYR };

enum TScaleLocationHoriz : uint8_t { slTop, slBottom };
enum TScaleLocationVert : uint8_t { slLeft, slRight };

// Anchor point of a scale's caption on its axis.
enum TScaleUnitAnchor : uint8_t { uaSclTopLft, uaSclCenter, uaSclBotRgt };

// Kind of tick labels.
enum TFigType : uint8_t { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };

enum TTimeFormat : uint8_t { tfHHMMSS, tfHHMM, tfMMSS };
enum TYearLength : uint8_t { ylYY, ylYYYY };
enum TDateOrder : uint8_t { doDDMMYY, doMMDDYY, doYYMMDD };
enum TDateForTime : uint8_t { dtNone, dtOnePerDay, dtAll };

// Format of time and date labels.
struct TDTLabel {
  TTimeFormat TimeFormat = tfHHMMSS;
  char DateSeparator = '-';
  char TimeSeparator = ':';
  TYearLength YearLength = ylYYYY;
  bool MonthName = false;
  TDateOrder DateOrder = doDDMMYY;
  TDateForTime DateForTime = dtOnePerDay;
  friend bool operator==(const TDTLabel&, const TDTLabel&) = default;
};

// Smallest value a logarithmic axis accepts as a bound or maps through the logarithm.
constexpr double LogFloor = 1e-100;
