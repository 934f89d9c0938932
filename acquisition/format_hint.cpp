#include "acquisition/format_hint.h"

#include <cctype>

#include "acquisition/sample_reading.h"

namespace {

// A "," with a digit on each side.
bool HasCommaBetweenDigits(std::string_view line) {
  for (size_t i = 1; i + 1 < line.size(); ++i) {
    if (line[i] == ',' && std::isdigit(static_cast<unsigned char>(line[i - 1])) &&
        std::isdigit(static_cast<unsigned char>(line[i + 1]))) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string_view FormatHintText(TFormatHint hint) {
  switch (hint) {
    case fhNone:
      return {};
    case fhLineEnds:
      return "Die Zeilen enden nicht mit CR LF, sondern nur mit LF oder CR: \"1 Ch\" und \"2 Ch's\" erkennen "
             "sie nicht. \"Auto\" unter \"Anzahl Kanäle\" liest sie.";
    case fhSeparators:
      return "Die Zeilen enthalten mehrere Zahlen, getrennt durch Komma, Semikolon, Leerzeichen oder Tabulator. "
             "\"Auto\" unter \"Anzahl Kanäle\" zeigt jede als eigenen Kanal.";
    case fhNamedValues:
      return "Die Zeilen enthalten benannte Werte (Name:Wert). \"Auto\" unter \"Anzahl Kanäle\" zeigt sie als "
             "Kanäle mit ihren Namen.";
    case fhDecimalComma:
      return "Die Zahlen enthalten ein Dezimalkomma: gelesen wird nur der Teil vor dem Komma. Das Gerät muss "
             "einen Punkt senden (4.75 statt 4,75).";
    case fhCommaBetweenDigits:
      return "Die Zahlen enthalten ein Komma. Als Dezimalkomma gelesen zählt nur der Teil davor, das Gerät "
             "muss einen Punkt senden; trennt es zwei Werte, zeigt \"Auto\" sie als zwei Kanäle.";
    case fhTooManyChannels:
      return "Die Zeilen enthalten mehr als 16 Kanäle: gezeigt werden die ersten 16.";
  }
  return {};
}

void TFormatSniffer::Restart() { *this = TFormatSniffer(); }

TFormatHint TFormatSniffer::Give(TFormatHint hint) {
  if (hint != fhNone) HintGiven_ = true;
  return hint;
}

TFormatHint TFormatSniffer::InspectBytes(const uint8_t* data, size_t count) {
  if (HintGiven_ || BytesDone_) return fhNone;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t b = data[i];
    if (b == '\n' && AfterCr_) {
      BytesDone_ = true;  // the board ends its lines with CR LF
      return fhNone;
    }
    if (b == '\n' || AfterCr_) ++OtherEnds_;
    AfterCr_ = b == '\r';
    if (OtherEnds_ == kOtherEndsForHint) return Give(fhLineEnds);
    if (++BytesSeen_ == kBytesLookedAt) {
      BytesDone_ = true;
      return fhNone;
    }
  }
  return fhNone;
}

TFormatHint TFormatSniffer::InspectLine(std::string_view line, int32_t channelMode) {
  if (HintGiven_ || LinesDone_) return fhNone;
  LinesDone_ = ++LinesSeen_ == kLinesLookedAt;
  if (SplitAutoLine(line, Fields_) != alSample) return fhNone;
  int32_t numbers = 0;
  for (int32_t i = 0; i < Fields_.Count; ++i) {
    const TAutoField& f = Fields_.Fields[size_t(i)];
    if (!f.IsNumber) continue;
    if (!f.Name.empty()) return Give(fhNamedValues);
    ++numbers;
  }
  const std::string_view text = TrimControls(line);
  const bool semicolon = text.find(';') != std::string_view::npos;
  if (channelMode == 2 && semicolon) return Give(HasCommaBetweenDigits(text) ? fhDecimalComma : fhNone);
  if (numbers < 2) return fhNone;
  // "4,75" may be a decimal comma or two values; "1.5,2.5" can only be two values.
  const bool oneComma = Fields_.Count == 2 && text.find_first_of(" \t;.") == std::string_view::npos;
  return Give(oneComma && HasCommaBetweenDigits(text) ? fhCommaBetweenDigits : fhSeparators);
}
