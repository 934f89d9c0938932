#include "app/help_text.h"

#include <QStringList>

namespace {

struct TSection {
  const char* Heading;
  const char* Body;
};

constexpr TSection kSections[] = {
    {"Übersicht",
     "Tavolix zeigt serielle Daten, die über die COM-Schnittstelle des PCs empfangen werden, fortlaufend "
     "als Liniengrafik an. Das Programm ist als Hilfsmittel für die Entwicklung von "
     "Mikroprozessor-Anwendungen gedacht: Das Gerät in Entwicklung sendet seine Messwerte als Text, und "
     "Tavolix stellt sie Wert für Wert dar, sobald sie eintreffen.\n"
     "Auch Daten aus anderen Quellen können angezeigt werden, sofern sie das unten beschriebene Format "
     "einhalten."},
    {"Datenformat / Formatierungsvorgaben",
     "Ein Kanal: Jeder Wert wird als Text gesendet und mit CR + LF (ASC 13 und ASC 10) abgeschlossen, "
     "zum Beispiel \"1.5\" gefolgt von CR + LF.\n"
     "Zwei Kanäle: Beide Werte werden als Text gesendet, durch ein Semikolon getrennt und mit CR + LF "
     "abgeschlossen, zum Beispiel \"1.5;2.25\" gefolgt von CR + LF.\n"
     "Als Dezimaltrennzeichen der empfangenen Werte gilt immer der Punkt. Ein Vorzeichen und ein "
     "Exponent sind erlaubt (\"-4E2\", \"2.5e-3\"). Die Schnittstelle arbeitet mit 8 Datenbits, "
     "1 Stoppbit, ohne Parität und ohne Flusssteuerung."},
    {"X-Achse",
     "Mit \"Tics\" zählt die X-Achse die empfangenen Werte beziehungsweise Wertepaare. Mit \"Zeit\" "
     "steht jeder Wert bei den Sekunden seit Start, zu denen seine Zeile empfangen wurde; Xmax ist dann "
     "in Sekunden angegeben, und der Trend-Modus zeigt die neuesten Xmax Sekunden. Im Modus \"Auto\" "
     "kann stattdessen die Zeit des Geräts gelten (Seite \"Kanäle\"): ein Feld namens t oder time in "
     "Sekunden oder ms in Millisekunden."},
    {"Limitierungen ",
     "Die zulässigen Datenraten werden oben rechts im Fenster angezeigt. Ein großer Puffer der "
     "Schnittstelle und eine dynamische Anzeige sorgen dafür, dass die Grafik auch bei hohen Datenraten "
     "funktioniert: Je mehr Punkte die Grafik enthält, desto größer wird der Abstand, in dem neue Punkte "
     "gezeichnet werden (zum Beispiel 200 Werte auf einmal). Die Anzeige kann deshalb mit wechselnder "
     "Geschwindigkeit voranschreiten, es gehen dabei aber keine Werte verloren."},
    {"Bedienung",
     "Die Bedienung ist weitgehend selbsterklärend. Einige Hinweise folgen in den nächsten Abschnitten."},
    {"Die Bedeutung von Xmax",
     "Xmax skaliert die Grafik auf den sichtbaren Bereich. Die Erfassung endet nicht bei Xmax: Spätere "
     "Daten werden außerhalb des sichtbaren Teils gezeichnet und lassen sich mit Pan und Zoom in den "
     "sichtbaren Bereich holen.\n"
     "Anders im Trend-Modus: Dort ist Xmax das tatsächlich angezeigte Fenster, und die ältesten Daten "
     "werden entfernt. Der Normal-Modus läuft bis 100.000 Punkte, der Trend-Modus ohne Begrenzung."},
    {"Grafik Pan und Zoom",
     "Bei gedrückter linker Maustaste lässt sich die Grafik verschieben (Normal) oder zoomen (Zoom). "
     "Ziehen nach rechts vergrößert die Darstellung in X-Richtung, Ziehen nach oben in Y-Richtung."},
    {"Reset",
     "Die Schaltfläche Reset setzt die Achsen auf die Werte in den Eingabefeldern zurück. Sie sorgt "
     "außerdem dafür, dass geänderte Werte und Bezeichnungen in der Grafik wirksam werden."},
    {"Nach der Datenerfassung",
     "Nach einer Erfassung kann die Grafik weiterhin neu skaliert werden: Ändern Sie die Werte in den "
     "Eingabefeldern und drücken Sie Reset. Die Grafik kann außerdem als Bitmap oder als Sitzung "
     "gespeichert und später wieder geladen werden."},
};

}  // namespace

QString HelpText() {
  QStringList parts;
  for (const TSection& section : kSections) {
    const QString heading = QString::fromUtf8(section.Heading);
    parts << heading + QLatin1Char('\n') + QString(heading.size(), QLatin1Char('-')) + QLatin1Char('\n') +
                 QString::fromUtf8(section.Body);
  }
  return parts.join(QStringLiteral("\n\n"));
}
