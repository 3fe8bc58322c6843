#include "tools/report/ReportLanguage.h"

#include "core/services/MonthNameTables.h"
#include "core/services/TextCatalogue.h"

#include <cctype>
#include <cstdlib>

namespace korvex::report {

namespace {

// The six catalogue languages are the six month tables.
int BlockOfCode(const std::string& code)
{
    return MonthTableBlock(code);
}

} // namespace

int BlockOfLocaleName(const std::string& locale)
{
    // language[_territory][.codeset][@modifier]
    std::string code;
    for (char c : locale) {
        if (c == '_' || c == '.' || c == '@')
            break;
        code.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    const int block = BlockOfCode(code);
    return block < 0 ? BlockEnglish : block;
}

int BlockOfEnvironment(const char* lcAll, const char* lcMessages, const char* lang)
{
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value)
            return BlockOfLocaleName(value);
    return BlockEnglish;
}

int BlockOfEnvironment()
{
    return BlockOfEnvironment(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                              std::getenv("LANG"));
}

int BlockOfLanguageOption(const std::vector<std::string>& args)
{
    int block = -1;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--language") {
            const int b = BlockOfCode(args[i + 1]);
            if (b >= 0)
                block = b;
            ++i;
        }
    }
    return block;
}

} // namespace korvex::report
