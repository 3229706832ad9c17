#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

/// A day of the calendar.
struct Datum {
    int Den = 1;
    int Mesiac = 1;
    int Rok = 1;
};

/// A loan past its due date: the day it was due and how many days ago that was (at least 1).
struct Omeskanie {
    Datum Splatnost;
    std::int64_t Dni = 0;
};

/// How late, on `dnes`, a loan due on `datumVratenia` is. The date is read as users type it:
/// day, month and four-digit year split by dots, dashes or slashes, one kind throughout
/// (`5.3.2003`, `05-03-2003`, `5/3/2003`), or as eight digits (`05032003`); or year, month and
/// day split by dashes (`2003-03-05`); blanks around it ignored. Nothing when the loan is due
/// today or later, or when the text is not a real calendar date: a date is never guessed.
std::optional<Omeskanie> PoTermine(std::string_view datumVratenia, const Datum &dnes);
