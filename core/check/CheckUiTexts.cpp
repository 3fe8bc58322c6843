#include "core/check/CheckUiTexts.h"

#include "core/check/KeyedTexts.h"
#include "core/services/TextCatalogue.h"

#include <array>

namespace korvex {

namespace {

constexpr KeyedText kRows[] = {
    {"panel-caption", {"Funktionskontrolle", "Function check", "Contrôle de fonctionnement",
                       "Control de funcionamiento", "Controllo di funzionamento",
                       "Controlo de funcionamento"}},
    {"count-none", {"Keine Auffälligkeiten", "No incidents", "Aucun incident", "Ningún incidente",
                    "Nessun evento", "Nenhum incidente"}},
    {"count-one", {"1 Auffälligkeit", "1 incident", "1 incident", "1 incidente", "1 evento",
                   "1 incidente"}},
    {"count-many", {"%1 Auffälligkeiten", "%1 incidents", "%1 incidents", "%1 incidentes",
                    "%1 eventi", "%1 incidentes"}},
    {"heading-duration", {"Dauer", "Duration", "Durée", "Duración", "Durata", "Duração"}},

    {"rule-sensor-fault", {"Fühlerfehler", "Sensor fault", "Défaut de sonde", "Fallo de sonda",
                           "Guasto sonda", "Falha de sonda"}},
    {"rule-sensor-stuck", {"Fühler hängt", "Sensor stuck", "Sonde figée", "Sonda bloqueada",
                           "Sonda bloccata", "Sonda bloqueada"}},
    {"rule-log-gap", {"Protokolllücke", "Log gap", "Lacune du journal", "Hueco en el registro",
                      "Lacuna nel registro", "Falha no registo"}},
    {"rule-missing-days", {"Fehlende Tage", "Missing days", "Jours manquants", "Días faltantes",
                           "Giorni mancanti", "Dias em falta"}},
    {"rule-night-circulation", {"Nachtzirkulation", "Night circulation", "Circulation nocturne",
                                "Circulación nocturna", "Circolazione notturna",
                                "Circulação noturna"}},
    {"rule-delta-t-high", {"ΔT zu hoch", "ΔT too high", "ΔT trop élevé", "ΔT demasiado alto",
                           "ΔT troppo alto", "ΔT demasiado alto"}},
    {"rule-no-flow", {"Kein Durchfluss", "No flow", "Pas de débit", "Sin caudal",
                      "Nessuna portata", "Sem caudal"}},
    {"rule-stagnation", {"Stagnation", "Stagnation", "Stagnation", "Estancamiento", "Stagnazione",
                         "Estagnação"}},
    {"rule-pump-not-running", {"Pumpe läuft nicht", "Pump not running", "Pompe à l'arrêt",
                               "Bomba parada", "Pompa ferma", "Bomba parada"}},
    {"rule-pump-cycling", {"Pumpe taktet", "Pump cycling", "Pompe en cycles courts",
                           "Bomba con ciclos cortos", "Pompa a cicli brevi",
                           "Bomba com ciclos curtos"}},

    {"settings-button", {"Funktionskontrolle...", "Function check...",
                         "Contrôle de fonctionnement...", "Control de funcionamiento...",
                         "Controllo di funzionamento...", "Controlo de funcionamento..."}},
    {"settings-title", {"Funktionskontrolle: Gerät %1", "Function check: device %1",
                        "Contrôle de fonctionnement : appareil %1",
                        "Control de funcionamiento: equipo %1",
                        "Controllo di funzionamento: apparecchio %1",
                        "Controlo de funcionamento: aparelho %1"}},
    {"settings-roles", {"Rollen der Felder", "Roles of the fields", "Rôles des champs",
                        "Funciones de los campos", "Ruoli dei campi", "Funções dos campos"}},
    {"settings-thresholds", {"Schwellen", "Thresholds", "Seuils", "Umbrales", "Soglie",
                             "Limiares"}},
    {"settings-defaults", {"Standardwerte", "Defaults", "Valeurs par défaut", "Predeterminados",
                           "Predefiniti", "Predefinições"}},
    {"settings-not-a-number", {"Die Schwellen müssen Zahlen sein.", "The thresholds must be numbers.",
                               "Les seuils doivent être des nombres.",
                               "Los umbrales deben ser números.", "Le soglie devono essere numeri.",
                               "Os limiares têm de ser números."}},
    {"role-none", {"(keine)", "(none)", "(aucun)", "(ninguno)", "(nessuno)", "(nenhum)"}},
    {"role-collector", {"Kollektor", "Collector", "Capteur", "Colector", "Collettore", "Coletor"}},
    {"role-store", {"Speicher", "Store", "Ballon", "Acumulador", "Accumulo", "Depósito"}},
    {"role-pump", {"Pumpe", "Pump", "Pompe", "Bomba", "Pompa", "Bomba"}},
    {"role-flow", {"Volumenstrom", "Flow", "Débit", "Caudal", "Portata", "Caudal"}},

    {"threshold-SensorLowest", {"Fühlerfehler unter °C", "Sensor fault below °C",
                                "Défaut de sonde sous °C", "Fallo de sonda bajo °C",
                                "Guasto sonda sotto °C", "Falha de sonda abaixo de °C"}},
    {"threshold-SensorHighest", {"Fühlerfehler über °C", "Sensor fault above °C",
                                 "Défaut de sonde au-dessus de °C", "Fallo de sonda sobre °C",
                                 "Guasto sonda sopra °C", "Falha de sonda acima de °C"}},
    {"threshold-StuckHours", {"Fühler hängt ab h", "Sensor stuck from h", "Sonde figée dès h",
                              "Sonda bloqueada desde h", "Sonda bloccata da h",
                              "Sonda bloqueada a partir de h"}},
    {"threshold-GapMinutes", {"Protokolllücke ab min", "Log gap from min",
                              "Lacune du journal dès min", "Hueco en el registro desde min",
                              "Lacuna nel registro da min", "Falha no registo a partir de min"}},
    {"threshold-NightCollector", {"Nacht: Kollektor über °C", "Night: collector above °C",
                                  "Nuit : capteur au-dessus de °C", "Noche: colector sobre °C",
                                  "Notte: collettore sopra °C", "Noite: coletor acima de °C"}},
    {"threshold-NightMinutes", {"Nacht: ab min", "Night: from min", "Nuit : dès min",
                                "Noche: desde min", "Notte: da min", "Noite: a partir de min"}},
    {"threshold-DeltaTHigh", {"ΔT zu hoch über K", "ΔT too high above K",
                              "ΔT trop élevé au-dessus de K", "ΔT demasiado alto sobre K",
                              "ΔT troppo alto sopra K", "ΔT demasiado alto acima de K"}},
    {"threshold-DeltaTMinutes", {"ΔT zu hoch ab min", "ΔT too high from min",
                                 "ΔT trop élevé dès min", "ΔT demasiado alto desde min",
                                 "ΔT troppo alto da min", "ΔT demasiado alto a partir de min"}},
    {"threshold-NoFlowMinutes", {"Kein Durchfluss ab min", "No flow from min",
                                 "Pas de débit dès min", "Sin caudal desde min",
                                 "Nessuna portata da min", "Sem caudal a partir de min"}},
    {"threshold-Stagnation", {"Stagnation ab °C", "Stagnation from °C", "Stagnation dès °C",
                              "Estancamiento desde °C", "Stagnazione da °C",
                              "Estagnação a partir de °C"}},
    {"threshold-StagnationMinutes", {"Stagnation ab min", "Stagnation from min",
                                     "Stagnation dès min", "Estancamiento desde min",
                                     "Stagnazione da min", "Estagnação a partir de min"}},
    {"threshold-PumpOffDeltaT", {"Pumpe aus: ΔT ab K", "Pump off: ΔT from K",
                                 "Pompe arrêtée : ΔT dès K", "Bomba parada: ΔT desde K",
                                 "Pompa ferma: ΔT da K", "Bomba parada: ΔT a partir de K"}},
    {"threshold-PumpOffStoreBelow", {"Pumpe aus: Speicher unter °C", "Pump off: store below °C",
                                     "Pompe arrêtée : ballon sous °C",
                                     "Bomba parada: acumulador bajo °C",
                                     "Pompa ferma: accumulo sotto °C",
                                     "Bomba parada: depósito abaixo de °C"}},
    {"threshold-PumpOffMinutes", {"Pumpe aus ab min", "Pump off from min",
                                  "Pompe arrêtée dès min", "Bomba parada desde min",
                                  "Pompa ferma da min", "Bomba parada a partir de min"}},
    {"threshold-CyclingStarts", {"Takten: Starts ab", "Cycling: starts from",
                                 "Cycles : démarrages dès", "Ciclos: arranques desde",
                                 "Cicli: avvii da", "Ciclos: arranques a partir de"}},
    {"threshold-CyclingWindowMinutes", {"Takten: innerhalb min", "Cycling: within min",
                                        "Cycles : en min", "Ciclos: en min", "Cicli: entro min",
                                        "Ciclos: em min"}},
};

constexpr int kRowCount = static_cast<int>(sizeof(kRows) / sizeof(kRows[0]));

} // namespace

const char* CheckUiTextOf(int block, std::string_view key)
{
    return FindKeyedText(kRows, block, key);
}

const char* CheckUiText(std::string_view key)
{
    return CheckUiTextOf(CurrentTextBlock(), key);
}

std::string RuleDisplayName(std::string_view rule)
{
    const std::string key = "rule-" + std::string(rule);
    const char* text = CheckUiText(key);
    return *text ? std::string(text) : std::string(rule);
}

std::string IncidentCountText(std::size_t count)
{
    if (count == 0)
        return CheckUiText("count-none");
    if (count == 1)
        return CheckUiText("count-one");
    std::string text = CheckUiText("count-many");
    const std::size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(count));
    return text;
}

std::string_view CheckUiTextKey(int index)
{
    return index >= 0 && index < kRowCount ? kRows[index].key : "";
}

int CheckUiTextCount()
{
    return kRowCount;
}

} // namespace korvex
