#include "tools/report/ReportMessages.h"

#include "core/services/TextCatalogue.h"
#include "tools/report/ReportOptions.h"

#include <array>

namespace korvex::report {

namespace {

// German, English, French, Spanish, Italian, Portuguese: the catalogue's block order.
using Row = std::array<const char*, kTextBlockCount>;

// clang-format off
const Row kMessages[] = {
    {"--at mit Uhrzeit braucht --stats", "--at with a time of day needs --stats",
     "--at avec une heure attend --stats", "--at con hora necesita --stats",
     "--at con l'ora richiede --stats", "--at com hora precisa de --stats"},
    {"--roles braucht --check", "--roles needs --check", "--roles attend --check",
     "--roles necesita --check", "--roles richiede --check", "--roles precisa de --check"},
    {"--check nimmt kein --table, --span, --stats, --picture oder --workbook",
     "--check takes no --table, --span, --stats, --picture or --workbook",
     "--check n'accepte ni --table, ni --span, ni --stats, ni --picture, ni --workbook",
     "--check no admite --table, --span, --stats, --picture ni --workbook",
     "--check non accetta --table, --span, --stats, --picture o --workbook",
     "--check n\u00e3o aceita --table, --span, --stats, --picture nem --workbook"},
    {"--roles: \"%1\" braucht eine Ger\u00e4tenummer und einen Doppelpunkt",
     "--roles: \"%1\" needs a device number and a colon",
     "--roles : \"%1\" attend un num\u00e9ro d'appareil et deux-points",
     "--roles: \"%1\" necesita un n\u00famero de equipo y dos puntos",
     "--roles: \"%1\" richiede un numero di dispositivo e i due punti",
     "--roles: \"%1\" precisa de um n\u00famero de dispositivo e dois pontos"},
    {"--roles: \"%1\" ist keine zweistellige Ger\u00e4tenummer",
     "--roles: \"%1\" is no two-digit device number",
     "--roles : \"%1\" n'est pas un num\u00e9ro d'appareil \u00e0 deux chiffres",
     "--roles: \"%1\" no es un n\u00famero de equipo de dos cifras",
     "--roles: \"%1\" non \u00e8 un numero di dispositivo a due cifre",
     "--roles: \"%1\" n\u00e3o \u00e9 um n\u00famero de dispositivo de dois d\u00edgitos"},
    {"--roles: unbekannte Rolle \"%1\" (collector, store, pump, flow)",
     "--roles: unknown role \"%1\" (collector, store, pump, flow)",
     "--roles : r\u00f4le inconnu \"%1\" (collector, store, pump, flow)",
     "--roles: rol desconocido \"%1\" (collector, store, pump, flow)",
     "--roles: ruolo sconosciuto \"%1\" (collector, store, pump, flow)",
     "--roles: papel desconhecido \"%1\" (collector, store, pump, flow)"},
    {"--roles: die Rolle %1 braucht ein Feldk\u00fcrzel", "--roles: the role %1 needs a field key",
     "--roles : le r\u00f4le %1 attend une cl\u00e9 de champ",
     "--roles: el rol %1 necesita una clave de campo",
     "--roles: il ruolo %1 richiede una chiave di campo",
     "--roles: o papel %1 precisa de uma chave de campo"},
    {"--roles: Ger\u00e4t %1 ist nicht in der Auswertung", "--roles: device %1 is not in the analysis",
     "--roles : l'appareil %1 n'est pas dans l'analyse", "--roles: el equipo %1 no est\u00e1 en el an\u00e1lisis",
     "--roles: il dispositivo %1 non \u00e8 nell'analisi", "--roles: o dispositivo %1 n\u00e3o est\u00e1 na an\u00e1lise"},
    {"--roles: Ger\u00e4t %1 hat kein Feld %2", "--roles: device %1 has no field %2",
     "--roles : l'appareil %1 n'a pas de champ %2", "--roles: el equipo %1 no tiene el campo %2",
     "--roles: il dispositivo %1 non ha il campo %2", "--roles: o dispositivo %1 n\u00e3o tem o campo %2"},
    {"%1 braucht einen Wert", "%1 needs a value", "%1 attend une valeur",
     "%1 necesita un valor", "%1 richiede un valore", "%1 precisa de um valor"},
    {"%1 braucht ein Datum als YYYY-MM-DD, nicht \"%2\"", "%1 needs a date as YYYY-MM-DD, not \"%2\"",
     "%1 attend une date au format YYYY-MM-DD, pas \"%2\"", "%1 necesita una fecha como YYYY-MM-DD, no \"%2\"",
     "%1 richiede una data come YYYY-MM-DD, non \"%2\"", "%1 precisa de uma data como YYYY-MM-DD, n\u00e3o \"%2\""},
    {"--language braucht de, en, fr, es, it oder pt", "--language needs one of de, en, fr, es, it, pt",
     "--language attend de, en, fr, es, it ou pt", "--language necesita de, en, fr, es, it o pt",
     "--language richiede de, en, fr, es, it o pt", "--language precisa de de, en, fr, es, it ou pt"},
    {"--span braucht 1h, 3h, 8h, day, month, quarter oder year",
     "--span needs one of 1h, 3h, 8h, day, month, quarter, year",
     "--span attend 1h, 3h, 8h, day, month, quarter ou year",
     "--span necesita 1h, 3h, 8h, day, month, quarter o year",
     "--span richiede 1h, 3h, 8h, day, month, quarter o year",
     "--span precisa de 1h, 3h, 8h, day, month, quarter ou year"},
    {"--picture braucht einen Dateinamen mit der Endung .jpg oder .bmp",
     "--picture needs a file name ending in .jpg or .bmp",
     "--picture attend un nom de fichier se terminant par .jpg ou .bmp",
     "--picture necesita un nombre de archivo terminado en .jpg o .bmp",
     "--picture richiede un nome di file che termini con .jpg o .bmp",
     "--picture precisa de um nome de ficheiro terminado em .jpg ou .bmp"},
    {"--view braucht chart oder table", "--view needs chart or table", "--view attend chart ou table",
     "--view necesita chart o table", "--view richiede chart o table", "--view precisa de chart ou table"},
    {"--graphs braucht durch Kommas getrennte Feldk\u00fcrzel wie T1,P,R1",
     "--graphs needs field keys separated by commas, such as T1,P,R1",
     "--graphs attend des cl\u00e9s de champ s\u00e9par\u00e9es par des virgules, comme T1,P,R1",
     "--graphs necesita claves de campo separadas por comas, como T1,P,R1",
     "--graphs richiede chiavi di campo separate da virgole, come T1,P,R1",
     "--graphs precisa de chaves de campo separadas por v\u00edrgulas, como T1,P,R1"},
    {"--workbook braucht einen Dateinamen mit der Endung .xlsx",
     "--workbook needs a file name ending in .xlsx",
     "--workbook attend un nom de fichier se terminant par .xlsx",
     "--workbook necesita un nombre de archivo terminado en .xlsx",
     "--workbook richiede un nome di file che termini con .xlsx",
     "--workbook precisa de um nome de ficheiro terminado em .xlsx"},
    {"--table braucht daily, monthly oder annual", "--table needs one of daily, monthly, annual",
     "--table attend daily, monthly ou annual", "--table necesita daily, monthly o annual",
     "--table richiede daily, monthly o annual", "--table precisa de daily, monthly ou annual"},
    {"--device braucht eine zweistellige Ger\u00e4tenummer wie 10",
     "--device needs a two-digit device number such as 10",
     "--device attend un num\u00e9ro d'appareil \u00e0 deux chiffres, comme 10",
     "--device necesita un n\u00famero de equipo de dos cifras, como 10",
     "--device richiede un numero di dispositivo a due cifre, come 10",
     "--device precisa de um n\u00famero de aparelho com dois d\u00edgitos, como 10"},
    {"unbekannte Option %1", "unknown option %1", "option inconnue %1", "opci\u00f3n desconocida %1",
     "opzione sconosciuta %1", "op\u00e7\u00e3o desconhecida %1"},
    {"DIR (das Verzeichnis) fehlt", "DIR is missing", "DIR (le r\u00e9pertoire) manque",
     "falta DIR (el directorio)", "manca DIR (la cartella)", "falta DIR (o diret\u00f3rio)"},
    {"nur ein DIR (Verzeichnis) ist m\u00f6glich", "only one DIR can be given",
     "un seul DIR (r\u00e9pertoire) est possible", "solo se puede indicar un DIR (directorio)",
     "si pu\u00f2 indicare una sola DIR (cartella)", "s\u00f3 pode ser indicado um DIR (diret\u00f3rio)"},
    {"--to liegt vor --from", "--to lies before --from", "--to est ant\u00e9rieur \u00e0 --from",
     "--to es anterior a --from", "--to \u00e8 precedente a --from", "--to \u00e9 anterior a --from"},
    {"--at braucht --span", "--at needs --span", "--at n\u00e9cessite --span", "--at necesita --span",
     "--at richiede --span", "--at precisa de --span"},
    {"--table und --span schlie\u00dfen einander aus: die Spanne w\u00e4hlt die Tabelle",
     "--table and --span exclude each other: the span chooses the table",
     "--table et --span s'excluent : la dur\u00e9e choisit le tableau",
     "--table y --span se excluyen: el intervalo elige la tabla",
     "--table e --span si escludono: l'intervallo sceglie la tabella",
     "--table e --span excluem-se: o intervalo escolhe a tabela"},
    {"--view braucht --picture", "--view needs --picture", "--view n\u00e9cessite --picture",
     "--view necesita --picture", "--view richiede --picture", "--view precisa de --picture"},
    {"--graphs braucht --picture", "--graphs needs --picture", "--graphs n\u00e9cessite --picture",
     "--graphs necesita --picture", "--graphs richiede --picture", "--graphs precisa de --picture"},
    {"--picture braucht --span: die Spanne w\u00e4hlt, was das Fenster zeigt",
     "--picture needs --span: the span chooses what the window shows",
     "--picture n\u00e9cessite --span : la dur\u00e9e choisit ce que montre la fen\u00eatre",
     "--picture necesita --span: el intervalo elige lo que muestra la ventana",
     "--picture richiede --span: l'intervallo sceglie cosa mostra la finestra",
     "--picture precisa de --span: o intervalo escolhe o que a janela mostra"},
    {"--picture und --json schlie\u00dfen einander aus", "--picture and --json exclude each other",
     "--picture et --json s'excluent", "--picture y --json se excluyen",
     "--picture e --json si escludono", "--picture e --json excluem-se"},
    {"--workbook schreibt alle drei Tabellen; es nimmt kein --table, --span, --json, --stats oder --picture",
     "--workbook writes all three tables; it takes no --table, --span, --json, --stats or --picture",
     "--workbook \u00e9crit les trois tableaux ; il n'accepte ni --table, ni --span, ni --json, ni --stats, ni --picture",
     "--workbook escribe las tres tablas; no admite --table, --span, --json, --stats ni --picture",
     "--workbook scrive tutte e tre le tabelle; non accetta --table, --span, --json, --stats o --picture",
     "--workbook escreve as tr\u00eas tabelas; n\u00e3o aceita --table, --span, --json, --stats nem --picture"},
    {"--stats braucht --span: die Spanne w\u00e4hlt das Fenster",
     "--stats needs --span: the span chooses the window",
     "--stats n\u00e9cessite --span : la dur\u00e9e choisit la fen\u00eatre",
     "--stats necesita --span: el intervalo elige la ventana",
     "--stats richiede --span: l'intervallo sceglie la finestra",
     "--stats precisa de --span: o intervalo escolhe a janela"},
    {"--stats nimmt kein --picture oder --table", "--stats takes no --picture or --table",
     "--stats n'accepte ni --picture ni --table", "--stats no admite --picture ni --table",
     "--stats non accetta --picture o --table", "--stats n\u00e3o aceita --picture nem --table"},
    {"--json gibt alles aus; es nimmt kein --table, --span, --at oder --device",
     "--json prints everything; it takes no --table, --span, --at or --device",
     "--json \u00e9crit tout ; il n'accepte ni --table, ni --span, ni --at, ni --device",
     "--json lo escribe todo; no admite --table, --span, --at ni --device",
     "--json scrive tutto; non accetta --table, --span, --at o --device",
     "--json escreve tudo; n\u00e3o aceita --table, --span, --at nem --device"},
    {"%1 (Hilfe: korvex-report --help)", "%1 (try korvex-report --help)",
     "%1 (aide : korvex-report --help)", "%1 (ayuda: korvex-report --help)",
     "%1 (guida: korvex-report --help)", "%1 (ajuda: korvex-report --help)"},
    {"%1: Verzeichnis nicht gefunden", "%1: no such directory", "%1 : r\u00e9pertoire introuvable",
     "%1: no existe el directorio", "%1: cartella inesistente", "%1: o diret\u00f3rio n\u00e3o existe"},
    {"%1: das Verzeichnis kann nicht gelesen werden", "%1: the directory cannot be read",
     "%1 : le r\u00e9pertoire ne peut pas \u00eatre lu", "%1: no se puede leer el directorio",
     "%1: la cartella non pu\u00f2 essere letta", "%1: o diret\u00f3rio n\u00e3o pode ser lido"},
    {"keine Daten im gew\u00e4hlten Zeitraum (%1): die Protokolldateien dieses Verzeichnisses reichen von %2 bis %3",
     "no data in the range chosen (%1): the log files of this directory cover %2 to %3",
     "aucune donn\u00e9e dans la p\u00e9riode choisie (%1) : les fichiers journaux de ce r\u00e9pertoire couvrent du %2 au %3",
     "no hay datos en el periodo elegido (%1): los archivos de registro de este directorio abarcan del %2 al %3",
     "nessun dato nel periodo scelto (%1): i file di registro di questa cartella coprono dal %2 al %3",
     "sem dados no per\u00edodo escolhido (%1): os ficheiros de registo deste diret\u00f3rio abrangem de %2 a %3"},
    {"Ger\u00e4t %1 hat keine Datei im Zeitraum (Ger\u00e4te: %2)",
     "device %1 has no file in the range (devices: %2)",
     "l'appareil %1 n'a aucun fichier dans la p\u00e9riode (appareils : %2)",
     "el equipo %1 no tiene ning\u00fan archivo en el periodo (equipos: %2)",
     "il dispositivo %1 non ha file nel periodo (dispositivi: %2)",
     "o aparelho %1 n\u00e3o tem ficheiros no per\u00edodo (aparelhos: %2)"},
    {"keine Datei konnte gelesen werden (%1 von %2 fehlerhaft)",
     "no file could be read (%1 of %2 failed)",
     "aucun fichier n'a pu \u00eatre lu (%1 sur %2 en \u00e9chec)",
     "no se pudo leer ning\u00fan archivo (fallaron %1 de %2)",
     "nessun file ha potuto essere letto (%1 di %2 non riusciti)",
     "nenhum ficheiro p\u00f4de ser lido (%1 de %2 falharam)"},
    {"die Ausgabe kann nicht geschrieben werden", "the output cannot be written",
     "la sortie ne peut pas \u00eatre \u00e9crite", "no se puede escribir la salida",
     "l'output non pu\u00f2 essere scritto", "a sa\u00edda n\u00e3o pode ser escrita"},
    {"--picture braucht ein korvex-report mit Benutzeroberfl\u00e4che",
     "--picture needs a korvex-report built with the user interface",
     "--picture n\u00e9cessite un korvex-report construit avec l'interface graphique",
     "--picture necesita un korvex-report compilado con la interfaz gr\u00e1fica",
     "--picture richiede un korvex-report compilato con l'interfaccia grafica",
     "--picture precisa de um korvex-report compilado com a interface gr\u00e1fica"},
    {"%1/%2 Dateien", "%1/%2 files", "%1/%2 fichiers", "%1/%2 archivos", "%1/%2 file",
     "%1/%2 ficheiros"},
    {"Warnung: %1", "warning: %1", "avertissement : %1", "aviso: %1", "avviso: %1", "aviso: %1"},
    {"die Arbeitsmappe %1 kann nicht geschrieben werden: %2",
     "the workbook %1 cannot be written: %2",
     "le classeur %1 ne peut pas \u00eatre \u00e9crit : %2", "no se puede escribir el libro %1: %2",
     "la cartella di lavoro %1 non pu\u00f2 essere scritta: %2",
     "o livro %1 n\u00e3o pode ser escrito: %2"},
    {"--graphs: %1 ist kein Feld mit Daten des Ger\u00e4ts (%2)",
     "--graphs: %1 is no field with data of the device (%2)",
     "--graphs : %1 n'est pas un champ avec des donn\u00e9es de l'appareil (%2)",
     "--graphs: %1 no es un campo con datos del equipo (%2)",
     "--graphs: %1 non \u00e8 un campo con dati del dispositivo (%2)",
     "--graphs: %1 n\u00e3o \u00e9 um campo com dados do aparelho (%2)"},
};
// clang-format on

// %1..%9 replaced by the values; a marker without a value stays as it is.
std::string Fill(const std::string& text, const std::vector<std::string>& values)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < values.size()) {
                out += values[n];
                ++i;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

} // namespace

const char* Translation(int block, const std::string& english)
{
    if (block < 0 || block >= kTextBlockCount)
        return nullptr;
    for (const Row& row : kMessages)
        if (english == row[BlockEnglish])
            return row[static_cast<std::size_t>(block)];
    return nullptr;
}

std::string MessageIn(int block, const std::string& english, const std::vector<std::string>& values)
{
    const char* text = Translation(block, english);
    return Fill(text ? std::string(text) : english, values);
}

std::string Message(const std::string& english, const std::vector<std::string>& values)
{
    return MessageIn(CurrentTextBlock(), english, values);
}

std::vector<std::string> MessageKeys()
{
    std::vector<std::string> keys;
    for (const Row& row : kMessages)
        keys.emplace_back(row[BlockEnglish]);
    return keys;
}

} // namespace korvex::report
