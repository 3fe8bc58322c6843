#include "core/services/MonthNameTables.h"

#include <array>

namespace korvex {

namespace {

MonthNames Make(std::array<const char*, 12> shortNames, std::array<const char*, 12> longNames)
{
    MonthNames names;
    for (std::size_t i = 0; i < 12; ++i) {
        names.shortNames[i] = shortNames[i];
        names.longNames[i] = longNames[i];
    }
    return names;
}

} // namespace

const MonthNames& MonthNamesForBlock(int block)
{
    static const std::array<MonthNames, 6> kNames = {
        Make({"Jan", "Feb", "M\u00e4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov",
              "Dez"},
             {"Januar", "Februar", "M\u00e4rz", "April", "Mai", "Juni", "Juli", "August",
              "September", "Oktober", "November", "Dezember"}),
        MonthNames::English(),
        Make({"jan", "f\u00e9v", "mar", "avr", "mai", "jun", "jul", "ao\u00fb", "sep", "oct", "nov",
              "d\u00e9c"},
             {"janvier", "f\u00e9vrier", "mars", "avril", "mai", "juin", "juillet", "ao\u00fbt",
              "septembre", "octobre", "novembre", "d\u00e9cembre"}),
        Make({"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"},
             {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto",
              "septiembre", "octubre", "noviembre", "diciembre"}),
        Make({"gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"},
             {"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio", "agosto",
              "settembre", "ottobre", "novembre", "dicembre"}),
        Make({"jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"},
             {"janeiro", "fevereiro", "mar\u00e7o", "abril", "maio", "junho", "julho", "agosto",
              "setembro", "outubro", "novembro", "dezembro"}),
    };
    if (block < 0 || block >= static_cast<int>(kNames.size()))
        return MonthNames::English();
    return kNames[static_cast<std::size_t>(block)];
}

int MonthTableBlock(std::string_view languageCode)
{
    static constexpr std::string_view kCodes[] = {"de", "en", "fr", "es", "it", "pt"};
    for (int i = 0; i < 6; ++i)
        if (languageCode == kCodes[i])
            return i;
    return -1;
}

} // namespace korvex
