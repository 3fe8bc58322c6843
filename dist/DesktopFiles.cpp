#include "dist/DesktopFiles.h"

#include "core/services/BuildInfo.h"
#include "core/services/TextCatalogue.h"
#include "ui/shell/ProgramInfo.h"

#include <array>

namespace korvex::dist {

namespace {

// Texts the catalogue does not hold, one per catalogue block.
struct Language {
    TextBlock block;
    const char* code; // locale of the desktop entry and of xml:lang; English is the default
    const char* genericName;
    const char* summary;
};

constexpr std::array<Language, kTextBlockCount> kLanguages{{
    {BlockEnglish, "", "Solar log analyser", "Analyse the log files of solar-thermal controllers"},
    {BlockGerman, "de", "Solarlog-Auswertung", "Logdateien solarthermischer Regler auswerten"},
    {BlockFrench, "fr", "Analyse de journaux solaires",
     "Analyser les fichiers journaux des régulateurs solaires thermiques"},
    {BlockSpanish, "es", "Análisis de registros solares",
     "Analizar los ficheros de registro de reguladores solares térmicos"},
    {BlockItalian, "it", "Analisi dei log solari",
     "Analizzare i file di log delle centraline solari termiche"},
    {BlockPortuguese, "pt", "Análise de registos solares",
     "Analisar os ficheiros de registo de reguladores solares térmicos"},
}};

// Log files, solar controller, heating circuit, fresh water, annual and monthly yield, diagram:
// what a user types into the menu's search, in each catalogue language.
constexpr std::array<TextId, 7> kKeywordRows{
    TextId::FilterLogFiles, TextId::SolarController, TextId::HeatingCircuit, TextId::FreshWater,
    TextId::AnnualYield,    TextId::MonthlyYield,    TextId::ViewDiagram};

const char* const kDescription[] = {
    "Korvex analyses the log files of solar-thermal controllers. A controller and the other "
    "devices on its bus (solar controllers, heating circuits, fresh-water stations, extension "
    "modules) write one log file per device and day. Korvex reads a directory of them for a "
    "range of days and shows:",
    "temperatures and other measured values as curves over time, controller outputs as step "
    "lines below them",
    "daily, monthly and annual yields of energy and flow as tables, and an overview across "
    "devices",
    "one hour up to one year on screen, moved with a slider and zoomed with the mouse",
    "printing and pictures of every view",
    "The interface speaks German, English, French, Spanish, Italian and Portuguese. The "
    "command-line companion korvex-report prints the yield tables without a display.",
};

std::string Key(const char* key, const Language& language)
{
    std::string out = key;
    if (language.code[0] != '\0')
        out += std::string("[") + language.code + "]";
    return out + "=";
}

std::string Keywords(TextBlock block)
{
    std::string out;
    for (TextId row : kKeywordRows)
        out += DesktopValue(TextOf(block, row), true) + ";";
    return out;
}

std::string Lang(const Language& language)
{
    return language.code[0] == '\0' ? std::string()
                                    : std::string(" xml:lang=\"") + language.code + "\"";
}

std::string MetainfoDescription()
{
    std::string out = "  <description>\n    <p>" + XmlText(kDescription[0]) + "</p>\n    <ul>\n";
    for (std::size_t i = 1; i + 1 < std::size(kDescription); ++i)
        out += "      <li>" + XmlText(kDescription[i]) + "</li>\n";
    out += "    </ul>\n    <p>" + XmlText(kDescription[std::size(kDescription) - 1]) + "</p>\n";
    return out + "  </description>\n";
}

} // namespace

std::string DesktopValue(std::string_view text, bool asListItem)
{
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case ';':
                out += asListItem ? "\\;" : ";";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string XmlText(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string DesktopEntry()
{
    const std::string id = ApplicationId();
    std::string out = "[Desktop Entry]\nType=Application\nVersion=1.4\n";
    out += "Name=" + DesktopValue(kProgramTitle) + "\n";
    for (const Language& language : kLanguages)
        out += Key("GenericName", language) + DesktopValue(language.genericName) + "\n";
    for (const Language& language : kLanguages)
        out += Key("Comment", language) + DesktopValue(language.summary) + "\n";
    for (const Language& language : kLanguages)
        out += Key("Keywords", language) + Keywords(language.block) + "\n";
    out += "Icon=" + id + "\n";
    out += "Exec=korvex\nTryExec=korvex\nTerminal=false\nStartupNotify=true\n";
    out += "StartupWMClass=korvex\n";
    out += "Categories=Science;DataVisualization;Qt;\n";
    return out;
}

std::string Metainfo()
{
    const std::string id = ApplicationId();
    const std::string web = XmlText(kMakerWeb);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<component type=\"desktop-application\">\n";
    out += "  <id>" + id + "</id>\n";
    out += "  <metadata_license>CC0-1.0</metadata_license>\n";
    out += "  <project_license>LicenseRef-proprietary</project_license>\n";
    out += "  <name>" + XmlText(kProgramTitle) + "</name>\n";
    for (const Language& language : kLanguages)
        out += "  <summary" + Lang(language) + ">" + XmlText(language.summary) + "</summary>\n";
    out += MetainfoDescription();
    out += "  <launchable type=\"desktop-id\">" + id + ".desktop</launchable>\n";
    out += "  <developer_name>" + XmlText(kMakerName) + "</developer_name>\n";
    out += "  <url type=\"homepage\">" + web + "</url>\n";
    out += "  <screenshots>\n    <screenshot type=\"default\">\n";
    out += "      <caption>A day of the bundled sample logs</caption>\n";
    out += "      <image>" + web + "/korvex/analysis.jpg</image>\n";
    out += "    </screenshot>\n  </screenshots>\n";
    out += "  <provides>\n";
    for (const char* binary : {"korvex", "korvex-report", "korvex-samplegen"})
        out += std::string("    <binary>") + binary + "</binary>\n";
    out += "  </provides>\n";
    out += "  <content_rating type=\"oars-1.1\"/>\n";
    out += "</component>\n";
    return out;
}

} // namespace korvex::dist
