#pragma once
// The command line of a headless replay: a captured device output plotted without a
// window, saved as a session file, a bitmap, a CSV file of its samples or a PNG picture.

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

class EReplayUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TReplayOptions {
  QString Capture;
  int Channels = 1;  // 1, 2 or kChannelModeAuto
  bool Trend = false;
  bool TimeAxis = false;  // the x axis "Zeit"
  double Rate = 0;  // lines per second the times are taken from; 0: as the blocks are handed over
  bool DeviceTime = false;  // "Auto": the device's t, time or ms field is the time
  // Field texts with "." as decimal separator; unset fields keep the window's defaults.
  std::optional<QString> Xmax, Factor1, Offset1, Factor2, Offset2, Ymin1, Ymax1, Ymin2, Ymax2;
  std::optional<QString> Name, Ch1Name, Ch2Name;
  qint64 Chunk = 4096;
  std::optional<QSize> WindowSize;
  QString SaveSession;
  QString SaveBitmap;
  QString SaveCsv;
  QString SavePng;
  bool Color = false;
};

// True when the arguments ask for a replay (they hold --replay).
bool IsReplayCommandLine(const QStringList& arguments);

// arguments without the program name. Throws EReplayUsage with a message for the user.
TReplayOptions ParseReplayOptions(const QStringList& arguments);

// The text of --help.
QString ReplayUsage();
