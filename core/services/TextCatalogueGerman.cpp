// German texts of the catalogue.
// Each row is the text of the same index in every block; blanks at either end are part of it.

#include "core/services/TextCatalogueBlocks.h"

#include <iterator>

namespace korvex::detail {

namespace {

constexpr const char* kRows[] = {
    /*   0 */ "Datei",
    /*   1 */ "Öffnen",
    /*   2 */ "Schließen",
    /*   3 */ "Speichern",
    /*   4 */ "Drucken",
    /*   5 */ "Beenden",
    /*   6 */ "Einstellungen",
    /*   7 */ "Neue Fenster",
    /*   8 */ "Aktuelles Fenster",
    /*   9 */ "Sprachauswahl",
    /*  10 */ "Fenster",
    /*  11 */ "Überlappend",
    /*  12 */ "Untereinander",
    /*  13 */ "Alle minimieren",
    /*  14 */ "Info",
    /*  15 */ "Neu",
    /*  16 */ "Auswertung vom ",
    /*  17 */ "Auswertung vom ",
    /*  18 */ " bis ",
    /*  19 */ ". (",
    /*  20 */ " Dateien gefunden)",
    /*  21 */ "Angezeigter Zeitraum",
    /*  22 */ "Bildlaufleiste",
    /*  23 */ "In Excel öffnen",
    /*  24 */ "1 Stunde",
    /*  25 */ "3 Stunden",
    /*  26 */ "8 Stunden",
    /*  27 */ "1 Tag",
    /*  28 */ "1 Monat",
    /*  29 */ "Grafik- und Anzeigeoptionen",
    /*  30 */ "Linienbreite",
    /*  31 */ "Skalierung Y-Achse",
    /*  32 */ "dynamisch",
    /*  33 */ "fest",
    /*  34 */ "Min",
    /*  35 */ "Max",
    /*  36 */ "Ausgänge darstellen als:",
    /*  37 */ "Darstellen als:",
    /*  38 */ "Balken",
    /*  39 */ "Linien",
    /*  40 */ "Diagrammüberschrift",
    /*  41 */ "Drucküberschrift",
    /*  42 */ "Standard",
    /*  43 */ "Abbrechen",
    /*  44 */ "OK",
    /*  45 */ "Auswählbarer Messwert",
    /*  46 */ "Eingänge",
    /*  47 */ "Sonstige Messwerte",
    /*  48 */ "Ausgänge",
    /*  49 */ "Frage",
    /*  50 */ "Fehler",
    /*  51 */ "Warnung",
    /*  52 */ "Information",
    /*  53 */ "Datum",
    /*  54 */ "Firma",
    /*  55 */ "Temperaturfühler 1",
    /*  56 */ "Temperaturfühler 2",
    /*  57 */ "Temperaturfühler 3",
    /*  58 */ "Temperaturfühler 4",
    /*  59 */ "Temperaturfühler 5",
    /*  60 */ "Temperaturfühler 6",
    /*  61 */ "Direkter Temperaturfühler",
    /*  62 */ "Volumenstrom",
    /*  63 */ "Wärmeleistung",
    /*  64 */ "Summe Volumenstrom",
    /*  65 */ "Summe Energie",
    /*  66 */ "Ausgang 1",
    /*  67 */ "Ausgang 2",
    /*  68 */ "Ausgang 3",
    /*  69 */ "Störmeldeausgang",
    /*  70 */ "Version",
    /*  71 */ "Logdateien",
    /*  72 */ "Bilddateien",
    /*  73 */ "Alle Dateien",
    /*  74 */ "Von Datum",
    /*  75 */ "Bis Datum",
    /*  76 */ "Durchsuchen...",
    /*  77 */ "Auswerten",
    /*  78 */ "Zum Abbrechen die Esc-Taste drücken.",
    /*  79 */ "Abbruch durch Benutzer.",
    /*  80 */
    "Die Einstellungen wurden übernommen. Sollen diese Einstellungen auch für zukünftige "
    "Auswertungen gespeichert werden?",
    /*  81 */
    "Die Einstellungen wurden gespeichert. Sollen diese Einstellungen für alle derzeit geöffneten "
    "Auswertungen übernommen werden?",
    /*  82 */ "Bitte öffnen Sie zuerst eine Logdatei (*.csv).",
    /*  83 */ "Fehler beim Öffnen der Datei",
    /*  84 */ "Die angegebene Datei enthält keine Messwerte.",
    /*  85 */ "Die angegebene Datei ist keine gültige Logdatei.",
    /*  86 */
    "Es wurden keine Dateien gefunden, bitte überprüfen Sie den Dateipfad und versuchen Sie es "
    "erneut.",
    /*  87 */ "Die angegebenen Dateinamen enthalten keine gültige Datumsangabe.",
    /*  88 */ "Für Logdateien ist nur die Endung '.csv' zulässig.",
    /*  89 */ "Die gewählte Startdatei kann keinem Datum zugeordnet werden.",
    /*  90 */ "Die gewählte Enddatei kann keinem Datum zugeordnet werden.",
    /*  91 */ "Das Datum der Enddatei liegt vor dem Datum der Startdatei.",
    /*  92 */ "Sie haben nur 1 Tag ausgewählt. Einfache Auswertung gestartet.",
    /*  93 */ "Datensatz unvollständig",
    /*  94 */
    "Zugriff auf Ini-Datei fehlgeschlagen. Einstellungen können nicht gespeichert werden.",
    /*  95 */
    "Sie haben bereits die maximale Anzahl an Auswertungen geöffnet. Soll eine neue Auswertung "
    "geöffnet werden? Hinweis: Dadurch geht die aktuelle Auswertung verloren.",
    /*  96 */
    "Es konnte kein weiteres Auswertungsfenster geöffnet werden. Möglicherweise ist nicht genügend "
    "Arbeitsspeicher verfügbar. Bitte schließen Sie nicht benötigte Anwendungen und versuchen Sie "
    "es erneut.",
    /*  97 */
    "Beim Anlegen der Datenstruktur ist ein Fehler aufgetreten. Wahrscheinlich ist nicht genügend "
    "Arbeitsspeicher vorhanden. Bitte schließen Sie nicht benötigte Anwendungen und versuchen Sie "
    "es erneut.",
    /*  98 */ "Excel.exe wurde nicht gefunden, bitte wählen Sie den Pfad zu Excel manuell aus.",
    /*  99 */ "Excel konnte nicht gestartet werden. Die Datei muss manuell geöffnet werden.",
    /* 100 */ "Drucken nicht möglich.",
    /* 101 */ "Keine Daten vorhanden.",
    /* 102 */ "Bitte geben Sie eine Bezeichnung ein.",
    /* 103 */ "Bitte geben Sie den Wert der Y-Achse nur in Ziffern ein.",
    /* 104 */ "Ungültige Linienbreite. Bitte geben Sie eine Zahl zwischen 1 und 10 ein.",
    /* 105 */ "",
    /* 106 */ "",
    /* 107 */ "Im Auftrag von:",
    /* 108 */ "Deutschland",
    /* 109 */ "Tel.",
    /* 110 */ "Fax.",
    /* 111 */ "Ansicht",
    /* 112 */ "Diagramm",
    /* 113 */ "Tabelle",
    /* 114 */ "Grafische Ansicht",
    /* 115 */ "Tabellarische Ansicht",
    /* 116 */ "Übersichtsanzeige",
    /* 117 */ "Auswertung öffnen",
    /* 118 */ "1. Schritt: Verzeichnis mit Logdateien auswählen:",
    /* 119 */ "2. Schritt: Auswertungszeitraum auswählen:",
    /* 120 */ "Beginn des Zeitraums:",
    /* 121 */ "Ende des Zeitraums:",
    /* 122 */ "Fortschritt:",
    /* 123 */ "Bitte wählen Sie ein Logverzeichnis aus",
    /* 124 */ "Geräte und Messwerte",
    /* 125 */ "Allgemeine Einstellungen",
    /* 126 */ "Gerätespezifisch",
    /* 127 */ "Kurveneinstellungen",
    /* 128 */ "Eintrag in der Logdatei:",
    /* 129 */ "Anzeigename:",
    /* 130 */ "Anzeigefarbe:",
    /* 131 */ "Übersicht",
    /* 132 */ "Gesamt",
    /* 133 */ "1 Quartal",
    /* 134 */ "1 Jahr",
    /* 135 */ "Tagesübersicht",
    /* 136 */ "Monatsübersicht",
    /* 137 */ "Jahresübersicht",
    /* 138 */ "Jahresertrag",
    /* 139 */ "Quartalsertrag",
    /* 140 */ "Monatsertrag",
    /* 141 */ "Solarregler",
    /* 142 */ "Heizkreis",
    /* 143 */ "Frischwasser",
    /* 144 */ "Erweiterung",
    /* 145 */ "Datei konnte nicht erstellt werden",
    /* 146 */ "Keine Datei zum Öffnen gefunden",
    /* 147 */ "Logdatei konnte keinem Busteilnehmer zugeordnet werden",
    /* 148 */ "Sie müssen zuerst Daten für die Übersichtsanzeige auswählen",
    /* 149 */ "Unterschiedliche Einheiten gefunden für Feld ",
    /* 150 */ ". Die angezeigten Werte/Einheiten sind vermutlich fehlerhaft.",
    /* 151 */ "Verschiedene Busteilnehmer verwenden dieselbe Gerätenummer",
    /* 152 */ "Beim Öffnen der Logdatei sind Fehler aufgetreten.",
    /* 153 */ "Beim Anlegen der internen Datenstruktur ist ein Indexfehler aufgetreten",
    /* 154 */ "Geräteeinstellung: Zugriff außerhalb des gültigen Bereichs",
    /* 155 */ "Schwerer Fehler: Die Auswertung konnte nicht erstellt werden.",
    /* 156 */
    "Nicht genügend Arbeitsspeicher verfügbar. Die Auswertung wurde abgebrochen. Bitte schließen "
    "Sie alle nicht benötigten Anwendungen und versuchen Sie es erneut. Falls das nicht hilft, "
    "werten Sie einen kürzeren Zeitraum aus.",
    /* 157 */ "Seite ",
    /* 158 */ " von ",
    /* 159 */ "Werteanzeige",
    /* 160 */ "Marken löschen",
    /* 161 */ "Statistik des Zeitfensters",
    /* 162 */ "Grafik",
    /* 163 */ "Einheit",
    /* 164 */ "Minimum",
    /* 165 */ "Zeitpunkt Minimum",
    /* 166 */ "Maximum",
    /* 167 */ "Zeitpunkt Maximum",
    /* 168 */ "Mittelwert",
    /* 169 */ "Energie / Volumen",
};

static_assert(std::size(kRows) == kTextRowCount);

} // namespace

std::span<const char* const, kTextRowCount> GermanTexts()
{
    return std::span<const char* const, kTextRowCount>(kRows);
}

} // namespace korvex::detail
