#include "app/replay_options.h"

#include <QRegularExpression>
#include <cmath>

#include "acquisition/acquisition_state.h"
#include "acquisition/channel_table.h"
#include "acquisition/field_numbers.h"
#include "acquisition/sample_scaling.h"
#include "analysis/analysis_error.h"
#include "analysis/filter_notation.h"

namespace {

QString NumberOption(const QString& option, const QString& value) {
  try {
    ReadFieldFloat(value.toStdString(), '.');
  } catch (const std::exception&) {
    throw EReplayUsage(QStringLiteral("%1: '%2' is not a number (use \".\" as decimal separator)")
                           .arg(option, value)
                           .toStdString());
  }
  return value.trimmed();
}

double RateOption(const QString& value) {
  bool ok = false;
  const double rate = value.toDouble(&ok);
  if (!ok || !(rate > 0) || !std::isfinite(rate)) {
    throw EReplayUsage(QStringLiteral("--rate: '%1' is not a positive number of lines per second").arg(value).toStdString());
  }
  return rate;
}

QSize SizeOption(const QString& value) {
  static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
  const QRegularExpressionMatch match = pattern.match(value);
  if (!match.hasMatch()) throw EReplayUsage(QStringLiteral("--size: '%1' is not WIDTHxHEIGHT").arg(value).toStdString());
  return {match.captured(1).toInt(), match.captured(2).toInt()};
}

}  // namespace

bool IsReplayCommandLine(const QStringList& arguments) {
  return arguments.contains(QStringLiteral("--replay"));
}

TReplayOptions ParseReplayOptions(const QStringList& arguments) {
  TReplayOptions o;
  std::optional<QString> filter;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& option = arguments[i];
    auto value = [&]() -> QString {
      if (i + 1 >= arguments.size()) throw EReplayUsage(QStringLiteral("%1 needs a value").arg(option).toStdString());
      return arguments[++i];
    };
    if (option == QLatin1String("--replay")) {
      o.Capture = value();
    } else if (option == QLatin1String("--channels")) {
      const QString v = value();
      if (v == QLatin1String("auto")) {
        o.Channels = kChannelModeAuto;
      } else if (v == QLatin1String("1") || v == QLatin1String("2")) {
        o.Channels = v.toInt();
      } else {
        throw EReplayUsage("--channels must be 1, 2 or auto");
      }
    } else if (option == QLatin1String("--x-axis")) {
      const QString v = value();
      if (v != QLatin1String("tics") && v != QLatin1String("time")) throw EReplayUsage("--x-axis must be tics or time");
      o.TimeAxis = v == QLatin1String("time");
    } else if (option == QLatin1String("--rate")) {
      o.Rate = RateOption(value());
    } else if (option == QLatin1String("--device-time")) {
      o.DeviceTime = true;
    } else if (option == QLatin1String("--trend")) {
      o.Trend = true;
    } else if (option == QLatin1String("--color")) {
      o.Color = true;
    } else if (option == QLatin1String("--xmax")) {
      o.Xmax = NumberOption(option, value());
    } else if (option == QLatin1String("--factor1")) {
      o.Factor1 = NumberOption(option, value());
    } else if (option == QLatin1String("--offset1")) {
      o.Offset1 = NumberOption(option, value());
    } else if (option == QLatin1String("--factor2")) {
      o.Factor2 = NumberOption(option, value());
    } else if (option == QLatin1String("--offset2")) {
      o.Offset2 = NumberOption(option, value());
    } else if (option == QLatin1String("--ymin1")) {
      o.Ymin1 = NumberOption(option, value());
    } else if (option == QLatin1String("--ymax1")) {
      o.Ymax1 = NumberOption(option, value());
    } else if (option == QLatin1String("--ymin2")) {
      o.Ymin2 = NumberOption(option, value());
    } else if (option == QLatin1String("--ymax2")) {
      o.Ymax2 = NumberOption(option, value());
    } else if (option == QLatin1String("--name")) {
      o.Name = value();
    } else if (option == QLatin1String("--ch1-name")) {
      o.Ch1Name = value();
    } else if (option == QLatin1String("--ch2-name")) {
      o.Ch2Name = value();
    } else if (option == QLatin1String("--chunk")) {
      bool ok = false;
      o.Chunk = value().toLongLong(&ok);
      if (!ok || o.Chunk < 1 || o.Chunk > (1 << 30)) throw EReplayUsage("--chunk must be a byte count from 1 to 2^30");
    } else if (option == QLatin1String("--size")) {
      o.WindowSize = SizeOption(value());
    } else if (option == QLatin1String("--save-session")) {
      o.SaveSession = value();
    } else if (option == QLatin1String("--save-bitmap")) {
      o.SaveBitmap = value();
    } else if (option == QLatin1String("--save-csv")) {
      o.SaveCsv = value();
    } else if (option == QLatin1String("--save-png")) {
      o.SavePng = value();
    } else if (option == QLatin1String("--save-spectrum")) {
      o.SaveSpectrum = value();
    } else if (option == QLatin1String("--sample-rate")) {
      o.SampleRate = ReadFieldDouble(NumberOption(option, value()).toStdString(), '.');
      if (!(o.SampleRate > 0)) throw EReplayUsage("--sample-rate must be above 0 Hz");
    } else if (option == QLatin1String("--filter")) {
      filter = value();
    } else if (option == QLatin1String("--filter-channel")) {
      bool ok = false;
      o.FilterChannel = value().toInt(&ok);
      if (!ok || o.FilterChannel < 1 || o.FilterChannel > kMaxChannels) {
        throw EReplayUsage("--filter-channel must be a channel from 1 to 16");
      }
    } else {
      throw EReplayUsage(QStringLiteral("unknown option '%1' (see --help)").arg(option).toStdString());
    }
  }
  if (o.Capture.isEmpty()) throw EReplayUsage("--replay needs a capture file");
  if ((o.Rate > 0 || o.DeviceTime) && !o.TimeAxis) throw EReplayUsage("--rate and --device-time need --x-axis time");
  if (o.DeviceTime && o.Channels != kChannelModeAuto) throw EReplayUsage("--device-time needs --channels auto");
  if (o.SaveSession.isEmpty() && o.SaveBitmap.isEmpty() && o.SaveCsv.isEmpty() && o.SavePng.isEmpty() &&
      o.SaveSpectrum.isEmpty()) {
    throw EReplayUsage(
        "a replay needs at least one of --save-session, --save-bitmap, --save-csv, --save-png, --save-spectrum");
  }
  if (filter) {
    try {
      // On the time axis at a given rate, that rate is the sample rate.
      o.Filter = ParseFilterNotation(filter->toStdString(), o.SampleRate > 0 ? o.SampleRate : o.Rate);
    } catch (const EAnalysisError& e) {
      throw EReplayUsage("--filter: " + std::string(e.what()));
    }
  }
  return o;
}

QString ReplayUsage() {
  return QStringLiteral(
      "Usage: tavolix --replay CAPTURE [options] --save-session FILE.tvx | --save-bitmap FILE.bmp\n"
      "                                          | --save-csv FILE.csv | --save-png FILE.png\n"
      "                                          | --save-spectrum FILE.csv\n"
      "Plots a captured device output without a window, as Start would with a live port.\n\n"
      "  --channels 1|2|auto   values per line (default 1); auto reads lines ended by LF,\n"
      "                        CR LF or CR with up to 16 channels, named (a:1.5) or not\n"
      "  --trend               Trend mode (sliding window)\n"
      "  --x-axis tics|time    x axis: sample count (default) or seconds since Start\n"
      "  --rate HZ             with --x-axis time: lines arrive at HZ per second\n"
      "                        (without it, as the replay hands its blocks over)\n"
      "  --device-time         with --channels auto and --x-axis time: a field named\n"
      "                        t or time (seconds) or ms is the time\n"
      "  --xmax N              Graph X max (seconds on the time axis)\n"
      "  --factor1 F --offset1 O --factor2 F --offset2 O   scaling per channel\n"
      "  --ymin1 Y --ymax1 Y --ymin2 Y --ymax2 Y           y ranges\n"
      "  --name TEXT --ch1-name TEXT --ch2-name TEXT       chart and axis captions\n"
      "  --chunk BYTES         bytes handed over per received block (default 4096)\n"
      "  --size WxH            window size\n"
      "  --save-session FILE   write the session file\n"
      "  --save-bitmap FILE    write the bitmap (black and white unless --color)\n"
      "  --color               keep the chart's colours in the bitmap\n"
      "  --save-csv FILE       write the plotted samples as CSV (\",\" between fields, \".\" in numbers)\n"
      "  --save-png FILE       write the picture in colour as PNG, under the name as given\n"
      "  --save-spectrum FILE  write the amplitude spectrum of every channel over all its samples as CSV\n"
      "                        (Hann window; frequency, then one column per channel)\n"
      "  --sample-rate HZ      samples per second: frequencies in Hz instead of cycles per sample\n"
      "                        (on the time axis without it: the samples' mean rate, or --rate)\n"
      "  --filter NOTATION     add a filtered copy of a channel as another layer, filtered sample by\n"
      "                        sample: ma:L, median:L, lp1:F, hp1:F, butter-lp:N:F, butter-hp:N:F,\n"
      "                        butter-bp:N:F1:F2 (F in cycles per sample, or \"50Hz\" with --sample-rate)\n"
      "  --filter-channel N    the channel --filter filters, 1 to 16 (default 1)\n"
      "Numbers use \".\" as decimal separator.\n");
}
