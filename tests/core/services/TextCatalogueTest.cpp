#include "core/services/TextCatalogue.h"

#include "core/services/Cp1252.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace korvex {
namespace {

// Every test leaves the process-wide block as the main window would: German.
class TextCatalogueTest : public ::testing::Test {
protected:
    void TearDown() override { SelectTextBlock(BlockGerman); }
};

size_t LeadingBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? text.size() : first;
}

size_t TrailingBlanks(const std::string& text)
{
    const size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? text.size() : text.size() - 1 - last;
}

bool EndsWithStop(const std::string& text)
{
    const size_t last = text.find_last_not_of(' ');
    return last != std::string::npos && text[last] == '.';
}

TEST_F(TextCatalogueTest, EveryBlockHasAllRowsAndNoMore)
{
    for (int block = 0; block < kTextBlockCount; ++block) {
        for (int row = 0; row < kTextRowCount; ++row)
            EXPECT_NO_THROW(TextOf(block, row)) << block << "/" << row;
        EXPECT_THROW(TextOf(block, kTextRowCount), std::out_of_range);
        EXPECT_THROW(TextOf(block, -1), std::out_of_range);
    }
    EXPECT_THROW(TextOf(kTextBlockCount, 0), std::out_of_range);
    EXPECT_THROW(Text(kTextRowCount), std::out_of_range);
    EXPECT_THROW(Text(-1), std::out_of_range);
}

// The window title, the unit warning and the page footer are glued together from rows, so a
// translation that loses a blank at either end runs words into each other.
TEST_F(TextCatalogueTest, EveryBlockKeepsTheEnglishBlanksAndFinalStops)
{
    for (int row = 0; row < kTextRowCount; ++row) {
        const std::string& english = TextOf(BlockEnglish, row);
        for (int block = 0; block < kTextBlockCount; ++block) {
            const std::string& text = TextOf(block, row);
            EXPECT_EQ(LeadingBlanks(text), LeadingBlanks(english))
                << block << "/" << row << " \"" << text << "\"";
            EXPECT_EQ(TrailingBlanks(text), TrailingBlanks(english))
                << block << "/" << row << " \"" << text << "\"";
            EXPECT_EQ(EndsWithStop(text), EndsWithStop(english))
                << block << "/" << row << " \"" << text << "\"";
            EXPECT_EQ(text.empty(), english.empty()) << block << "/" << row;
        }
    }
}

TEST_F(TextCatalogueTest, EnglishRowsAreTheSystemsOwn)
{
    const std::pair<int, const char*> expected[] = {
        {0, "File"},
        {13, "Minimise all"},
        {16, "Analysis from "},
        {17, "Analysis from "},
        {18, " to "},
        {19, ". ("},
        {20, " files found)"},
        {50, "Error"},
        {64, "Sum of flow rate"},
        {65, "Sum of energy"},
        {76, "Search..."},
        {88, "Only the '.csv' extension is permitted for log files."},
        {94, "Access to INI file failed. Settings cannot be saved."},
        {105, ""},
        {106, ""},
        {110, "Fax."},
        {141, "Solar controller"},
        {144, "Extension"},
        {147, "Log file could not be assigned to a bus participant"},
        {149, "Different units were found for field "},
        {150, ". The displayed values/units are probably faulty."},
        {156, "Not enough memory available. The report was cancelled. Please close all unused "
              "applications and try again. If this does not work, try analysing a shorter period "
              "of time."},
        {157, "Page "},
        {158, " of "},
    };
    for (const auto& [row, text] : expected)
        EXPECT_EQ(TextOf(BlockEnglish, row), text) << row;
}

TEST_F(TextCatalogueTest, QuotedRowsOfTheOtherLanguagesAreExact)
{
    struct Row {
        int row;
        const char* german;
        const char* french;
        const char* spanish;
        const char* italian;
        const char* portuguese;
    };
    const Row rows[] = {
        {9, "Sprachauswahl", "Sélection de la langue", "Selección del idioma", "Selezione lingua",
         "Escolha de língua"},
        {18, " bis ", " au ", " al ", " al ", " até "},
        {20, " Dateien gefunden)", " fichiers trouvés)", " ficheros encontrados)", " file)",
         " dados encontrados)"},
        {49, "Frage", "Question", "Pregunta", "Richiesta", "Pergunta"},
        {50, "Fehler", "Erreur", "Error", "Errore", "Erro"},
        {51, "Warnung", "Avertissement", "Advertencia", "Avvertenza", "Aviso"},
        {52, "Information", "Informations", "Información", "Informazione", "Informação"},
        {79, "Abbruch durch Benutzer.", "Annulation par l'utilisateur.", "Cancelación por usuario.",
         "Interruzione da parte dell'utente.", "Interrupção pelo utente."},
        {94, "Zugriff auf Ini-Datei fehlgeschlagen. Einstellungen können nicht gespeichert werden.",
         "L'accès au fichier ini a échoué. Les réglages ne peuvent pas être enregistrés.",
         "El acceso al fichero .ini ha fallado. Los ajustes no se pueden guardar.",
         "Accesso al file ini fallito. Impossibile salvare le impostazioni.",
         "Não foi possível acesder aos ficheiros Ini. As configurações não poderão ser gravadas."},
        {104, "Ungültige Linienbreite. Bitte geben Sie eine Zahl zwischen 1 und 10 ein.",
         "Largeur de raie non valide. Veuillez entrer un chiffre entre 1 et 10.",
         "Ancho de línea no válido. Por favor introduzca un número entre 1 y 10.",
         "Larghezza linee non valida. Immettere una larghezza tra 1 e 10.",
         "Largura de linha inválida. Por favor introduza um número entre 1 e 10."},
        {141, "Solarregler", "Régulateur solaire", "Regulador solar", "Centralina solare",
         "Regulador solar"},
        {157, "Seite ", "Page ", "Págine ", "Pagina ", "Págine "},
        {158, " von ", " sur ", " de ", " di ", " de "},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(TextOf(BlockGerman, r.row), r.german) << r.row;
        EXPECT_EQ(TextOf(BlockFrench, r.row), r.french) << r.row;
        EXPECT_EQ(TextOf(BlockSpanish, r.row), r.spanish) << r.row;
        EXPECT_EQ(TextOf(BlockItalian, r.row), r.italian) << r.row;
        EXPECT_EQ(TextOf(BlockPortuguese, r.row), r.portuguese) << r.row;
    }
}

TEST_F(TextCatalogueTest, TheWindowTitlePiecesMatchInEveryBlock)
{
    for (int block = 0; block < kTextBlockCount; ++block) {
        EXPECT_EQ(TextOf(block, 16), TextOf(block, 17)) << block;
        EXPECT_EQ(TextOf(block, 19), ". (") << block;
    }
}

// Log files, the settings file and exports are Windows-1252: a character outside it would turn
// into '?' on the way out.
TEST_F(TextCatalogueTest, EveryTextSurvivesWindows1252)
{
    for (int block = 0; block < kTextBlockCount; ++block) {
        for (int row = 0; row < kTextRowCount; ++row) {
            const std::string& text = TextOf(block, row);
            const std::string bytes = Utf8ToCp1252(text);
            EXPECT_EQ(Cp1252ToUtf8(bytes), text) << block << "/" << row;
            // Control characters would mean a broken source encoding, not a translation.
            for (unsigned char c : bytes)
                EXPECT_GE(c, 0x20) << block << "/" << row;
        }
    }
    EXPECT_EQ(Utf8ToCp1252(TextOf(BlockGerman, 2)), "Schlie\xDF"
                                                    "en");
}

TEST_F(TextCatalogueTest, TextFollowsTheSelectedBlock)
{
    SelectTextBlock(BlockGerman);
    EXPECT_EQ(Text(50), "Fehler");
    SelectTextBlock(BlockItalian);
    EXPECT_EQ(CurrentTextBlock(), BlockItalian);
    EXPECT_EQ(Text(50), "Errore");
    EXPECT_THROW(SelectTextBlock(kTextBlockCount), std::out_of_range);
    EXPECT_THROW(SelectTextBlock(-1), std::out_of_range);
    EXPECT_EQ(CurrentTextBlock(), BlockItalian);
}

TEST_F(TextCatalogueTest, LanguageNumbersMapToTheirBlocks)
{
    EXPECT_EQ(TextBlockForLanguage(0), BlockGerman);
    EXPECT_EQ(TextBlockForLanguage(1), BlockGerman);
    EXPECT_EQ(TextBlockForLanguage(2), BlockEnglish);
    EXPECT_EQ(TextBlockForLanguage(3), BlockFrench);
    EXPECT_EQ(TextBlockForLanguage(4), BlockSpanish);
    EXPECT_EQ(TextBlockForLanguage(5), BlockItalian);
    EXPECT_EQ(TextBlockForLanguage(6), BlockPortuguese);
    EXPECT_EQ(TextBlockForLanguage(7), BlockEnglish);
    EXPECT_EQ(TextBlockForLanguage(8), BlockGerman);
    EXPECT_EQ(TextBlockForLanguage(9), BlockGerman);
    EXPECT_EQ(TextBlockForLanguage(-1), BlockGerman);
    EXPECT_EQ(TextBlockForLanguage(-128), BlockGerman);

    SelectLanguage(7);
    EXPECT_EQ(Text(0), "File");
    SelectLanguage(6);
    EXPECT_EQ(Text(50), "Erro");
    SelectLanguage(-1);
    EXPECT_EQ(Text(50), "Fehler");
}

TEST_F(TextCatalogueTest, LanguageCaptionsAreNeverTranslated)
{
    SelectLanguage(3);
    EXPECT_EQ(LanguageCaption(1), "Deutsch");
    EXPECT_EQ(LanguageCaption(2), "English (GB)");
    EXPECT_EQ(LanguageCaption(3), "Français");
    EXPECT_EQ(LanguageCaption(4), "Español");
    EXPECT_EQ(LanguageCaption(5), "Italiano");
    EXPECT_EQ(LanguageCaption(6), "Português");
    EXPECT_EQ(LanguageCaption(7), "English (US)");
    EXPECT_THROW(LanguageCaption(0), std::out_of_range);
    EXPECT_THROW(LanguageCaption(8), std::out_of_range);
}

TEST_F(TextCatalogueTest, MatchesAnyLanguageIsExactAndIgnoresTheCurrentBlock)
{
    SelectTextBlock(BlockGerman);
    EXPECT_TRUE(MatchesAnyLanguage("Régulateur solaire", 141));
    EXPECT_TRUE(MatchesAnyLanguage("Solar controller", 141));
    EXPECT_TRUE(MatchesAnyLanguage(TextOf(BlockPortuguese, 64), 64));
    EXPECT_FALSE(MatchesAnyLanguage("régulateur solaire", 141));
    EXPECT_FALSE(MatchesAnyLanguage("Régulateur Solaire", 141));
    EXPECT_FALSE(MatchesAnyLanguage("Régulateur solaire ", 141));
    EXPECT_FALSE(MatchesAnyLanguage("Regulateur solaire", 141));
    // Right text, wrong row: a heating circuit named like a solar controller is user-chosen.
    EXPECT_FALSE(MatchesAnyLanguage("Solarregler", 142));
    EXPECT_FALSE(MatchesAnyLanguage("Solarregler", -1));
    EXPECT_FALSE(MatchesAnyLanguage("Solarregler", kTextRowCount));
    for (int block = 0; block < kTextBlockCount; ++block) {
        for (int row : {64, 65, 141, 142, 143, 144})
            EXPECT_TRUE(MatchesAnyLanguage(TextOf(block, row), row)) << block << "/" << row;
    }
}

TEST_F(TextCatalogueTest, TwoLanguageSettingsErrorShowsEnglishThenGerman)
{
    SelectLanguage(5);
    EXPECT_EQ(
        TwoLanguageSettingsErrorText(),
        "Access to INI file failed. Settings cannot be saved.\n\n"
        "Zugriff auf Ini-Datei fehlgeschlagen. Einstellungen können nicht gespeichert werden.");
}

} // namespace
} // namespace korvex
