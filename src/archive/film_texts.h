#pragma once

#include "dfilm.h"

#include <string>

// The texts a user gives a film, in the record view or on the intake tab.
struct FilmTexts
{
    std::string genere, durata, datau, attore1, attore2, regia, trama;
};

// Writes them into a record. Tabs and line breaks become blanks, so the record stays one archive line.
void writeFilmTexts(dfilm& r, const FilmTexts& texts);
