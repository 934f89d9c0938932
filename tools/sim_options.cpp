#include "tools/sim_options.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

namespace {

constexpr int64_t DefaultFaultEvery = 1000;
constexpr int64_t MaxBurstLines = 100000;

[[noreturn]] void Invalid(std::string_view option, std::string_view value, std::string_view expected) {
  throw ESimUsage("invalid value '" + std::string(value) + "' for --" + std::string(option) + ": expected " +
                  std::string(expected));
}

// from_chars reads "." as the decimal separator whatever the C locale says.
double ReadReal(std::string_view option, std::string_view text, double min, double max, std::string_view expected) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value < min || value > max) {
    Invalid(option, text, expected);
  }
  return value;
}

int64_t ReadInteger(std::string_view option, std::string_view text, int64_t min, int64_t max,
                    std::string_view expected) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < min || value > max) {
    Invalid(option, text, expected);
  }
  return value;
}

TWaveform ReadWave(std::string_view option, std::string_view text) {
  constexpr std::string_view names[] = {"sine", "triangle", "square", "ramp", "noise"};
  for (size_t i = 0; i < std::size(names); ++i) {
    if (text == names[i]) return TWaveform(i);
  }
  Invalid(option, text, "sine, triangle, square, ramp or noise");
}

// KIND or KIND@LINE; Every is filled in once all options are read.
char ReadSeparator(std::string_view option, std::string_view text, bool& named) {
  constexpr std::pair<std::string_view, char> formats[] = {
      {"semicolon", ';'}, {"comma", ','}, {"space", ' '}, {"tab", '\t'}, {"named", ','}};
  for (const auto& [name, separator] : formats) {
    if (text != name) continue;
    named = name == "named";
    return separator;
  }
  Invalid(option, text, "semicolon, comma, space, tab or named");
}

std::string ReadLineEnd(std::string_view option, std::string_view text) {
  if (text == "crlf") return "\r\n";
  if (text == "lf") return "\n";
  if (text == "cr") return "\r";
  Invalid(option, text, "crlf, lf or cr");
}

// Comma-separated names a board could print: letters, digits and "_", a letter first.
std::vector<std::string> ReadNames(std::string_view option, std::string_view text) {
  std::vector<std::string> names;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find(',', start), text.size());
    const std::string_view name = text.substr(start, end - start);
    bool valid = !name.empty() && name.size() <= MaxSimNameLength && std::isalpha(static_cast<unsigned char>(name[0]));
    for (const char c : name) valid = valid && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (!valid) Invalid(option, text, "names of 1 to 16 letters, digits or '_', a letter first, separated by ','");
    names.emplace_back(name);
    start = end + 1;
  }
  return names;
}

TFaultRule ReadFault(std::string_view text) {
  constexpr std::string_view names[] = {"garbage", "unterminated", "overflow", "burst"};
  const size_t at = text.find('@');
  const std::string_view kind = text.substr(0, at);
  TFaultRule rule;
  size_t i = 0;
  while (i < std::size(names) && kind != names[i]) ++i;
  if (i == std::size(names)) Invalid("fault", text, "garbage, unterminated, overflow or burst, optionally @LINE");
  rule.Kind = TFaultKind(i);
  if (at != std::string_view::npos) {
    rule.AtLine = ReadInteger("fault", text.substr(at + 1), 1, INT64_MAX, "a line number from 1 after '@'");
  }
  return rule;
}

struct TOptionName {
  std::string_view Name;
  bool TakesValue;
};

constexpr TOptionName Known[] = {
    {"rate", true},        {"channels", true}, {"wave", true},   {"wave2", true},
    {"amplitude", true},   {"offset", true},   {"period", true}, {"phase", true},
    {"count", true},       {"seed", true},     {"fault", true},  {"fault-every", true},
    {"burst-lines", true}, {"link", true},     {"quiet", false}, {"help", false},
    {"format", true},      {"names", true},    {"header", false}, {"line-end", true},
};

}  // namespace

TSimOptions ParseSimOptions(const std::vector<std::string>& args) {
  TSimOptions o;
  int64_t faultEvery = DefaultFaultEvery;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg == "-h") arg = "--help";
    if (!arg.starts_with("--") || arg.size() == 2) throw ESimUsage("unexpected argument '" + args[i] + "'");
    arg.remove_prefix(2);
    const size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const TOptionName* known = nullptr;
    for (const TOptionName& k : Known) {
      if (k.Name == name) known = &k;
    }
    if (!known) throw ESimUsage("unknown option '--" + std::string(name) + "'");
    std::string_view value;
    if (equals != std::string_view::npos) {
      if (!known->TakesValue) throw ESimUsage("option '--" + std::string(name) + "' takes no value");
      value = arg.substr(equals + 1);
    } else if (known->TakesValue) {
      if (i + 1 == args.size()) throw ESimUsage("option '--" + std::string(name) + "' needs a value");
      value = args[++i];
    }

    if (name == "rate") {
      o.Rate = ReadReal(name, value, 1, 1e6, "lines per second from 1 to 1000000");
    } else if (name == "channels") {
      o.Channels = int(ReadInteger(name, value, 1, MaxSimChannels, "1 to 16"));
    } else if (name == "wave") {
      o.Wave = ReadWave(name, value);
    } else if (name == "wave2") {
      o.Wave2 = ReadWave(name, value);
    } else if (name == "amplitude") {
      o.Amplitude = ReadReal(name, value, -FLT_MAX, FLT_MAX, "a number");
    } else if (name == "offset") {
      o.Offset = ReadReal(name, value, -FLT_MAX, FLT_MAX, "a number");
    } else if (name == "period") {
      o.Period = ReadReal(name, value, 1, 1e15, "a number of samples, at least 1");
    } else if (name == "phase") {
      o.Phase = ReadReal(name, value, -1e6, 1e6, "degrees");
    } else if (name == "count") {
      o.Count = ReadInteger(name, value, 0, INT64_MAX, "a number of lines, 0 for no limit");
    } else if (name == "seed") {
      o.Seed = uint64_t(ReadInteger(name, value, 0, INT64_MAX, "a whole number from 0"));
      o.SeedGiven = true;
    } else if (name == "fault") {
      o.Faults.push_back(ReadFault(value));
    } else if (name == "fault-every") {
      faultEvery = ReadInteger(name, value, 1, INT64_MAX, "a number of lines, at least 1");
    } else if (name == "burst-lines") {
      o.BurstLines = ReadInteger(name, value, 1, MaxBurstLines, "a number of lines from 1 to 100000");
    } else if (name == "link") {
      if (value.empty()) Invalid(name, value, "a path");
      o.Link = value;
    } else if (name == "format") {
      o.Format.Separator = ReadSeparator(name, value, o.Format.Named);
    } else if (name == "names") {
      o.Format.Names = ReadNames(name, value);
    } else if (name == "header") {
      o.Header = true;
    } else if (name == "line-end") {
      o.Format.LineEnd = ReadLineEnd(name, value);
    } else if (name == "quiet") {
      o.Quiet = true;
    } else if (name == "help") {
      o.Help = true;
    }
  }
  for (TFaultRule& rule : o.Faults) {
    if (rule.AtLine == 0) rule.Every = faultEvery;
  }
  if (o.Format.Names.empty()) {
    for (int channel = 1; channel <= o.Channels; ++channel) o.Format.Names.push_back("ch" + std::to_string(channel));
  } else if (int(o.Format.Names.size()) != o.Channels) {
    throw ESimUsage("--names gives " + std::to_string(o.Format.Names.size()) + " names for " +
                    std::to_string(o.Channels) + " channels");
  }
  if (std::fabs(o.Offset) + std::fabs(o.Amplitude) > FLT_MAX) {
    throw ESimUsage("--offset and --amplitude together exceed the single-precision range");
  }
  return o;
}

TSignalSettings ChannelSettings(const TSimOptions& options, int channel) {
  TSignalSettings s;
  s.Wave = channel == 2 && options.Wave2 ? *options.Wave2 : options.Wave;
  s.Amplitude = options.Amplitude;
  s.Offset = options.Offset;
  s.Period = options.Period;
  // Each channel leads the one before it by the phase.
  s.Shift = (channel - 1) * options.Phase / 360 * options.Period;
  // Each channel's noise is a stream of its own, not a copy of channel 1's.
  s.Seed = channel == 1 ? options.Seed : channel == 2 ? ~options.Seed : NoiseBits(options.Seed, channel);
  return s;
}

TLineSource LineSourceFor(const TSimOptions& options) {
  std::vector<TSignalGenerator> channels;
  for (int channel = 1; channel <= options.Channels; ++channel) channels.emplace_back(ChannelSettings(options, channel));
  return TLineSource(options.Format, std::move(channels), TFaultInjector(options.Faults, options.Seed), options.Header);
}

const char* const SimUsageText =
    "Usage: tavolix-sim [OPTION]...\n"
    "Serves a pseudo-terminal that behaves like a device sending measurements: lines of one\n"
    "number, or several separated by ';', with '.' as decimal separator, ended by CR LF;\n"
    "or in the other formats boards print (see --format, --header, --line-end).\n"
    "Prints the pseudo-terminal's path on the first line of its output, then writes until\n"
    "--count lines are written and the reader has closed the port, or until Ctrl-C.\n"
    "\n"
    "  --rate N            lines per second, 1 to 1000000 (default 100)\n"
    "  --channels N        values per line, 1 to 16 (default 1)\n"
    "  --format KIND       semicolon (1;2), comma (1,2), space (1 2), tab, or named\n"
    "                      (ch1:1,ch2:2) (default semicolon)\n"
    "  --names A,B,...     the channels' names for named and --header (default ch1,ch2,...)\n"
    "  --header            print a line of the names first, as a CSV header\n"
    "  --line-end KIND     crlf, lf or cr (default crlf)\n"
    "  --wave KIND         sine, triangle, square, ramp or noise (default sine)\n"
    "  --wave2 KIND        channel 2's waveform (default: that of channel 1)\n"
    "  --amplitude A       peak value of the waveform (default 1)\n"
    "  --offset O          value added to every sample (default 0)\n"
    "  --period P          samples per period, at least 1 (default 100)\n"
    "  --phase DEG         degrees by which each channel leads the one before (default 90)\n"
    "  --count N           stop after N lines; 0 for no limit (default 0)\n"
    "  --seed S            repeatable noise and garbage (default: a new seed each run)\n"
    "  --fault KIND[@LINE] add a fault, repeatable: garbage (a line of junk bytes before a\n"
    "                      sample line), unterminated (a sample line without CR LF),\n"
    "                      overflow (a line '1e39' before a sample line), burst (--burst-lines\n"
    "                      lines written at once); once at LINE, else every --fault-every lines\n"
    "  --fault-every N     lines between faults without @LINE (default 1000)\n"
    "  --burst-lines N     lines in a burst, 1 to 100000 (default 1000)\n"
    "  --link PATH         also make PATH a symbolic link to the pseudo-terminal\n"
    "  --quiet             do not report the number of lines written on exit\n"
    "  --help              show this text\n"
    "\n"
    "Decimal numbers use '.' whatever the locale. Exit status: 0 when done or stopped,\n"
    "1 when the pseudo-terminal fails, 2 for a bad command line.\n";
