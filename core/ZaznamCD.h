#pragma once

#include <string>

/// One CD and its loan. Texts are bytes in the database file's code page (Windows-1250).
/// A record never owns the records after it: deleting it leaves `Dalsi` alone.
struct ZaznamCD {
    /// The ten song titles, each followed by one bar.
    std::string Pesnicky = "Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|";
    std::string NazovCD = "Name CD ";
    std::string AutorCD = "Autor CD";
    std::string TypCD = "Typ CD ";
    std::string DatumPozicania = "01012003";
    std::string Meno = "Nedefinovane";
    std::string Priezvisko = "Nedefinovane";
    std::string DatumVratenia = "31122100";
    ZaznamCD *Dalsi = nullptr;
};
