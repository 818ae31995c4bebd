#include "film_texts.h"

#include "base/text.h"

void writeFilmTexts(dfilm& r, const FilmTexts& t)
{
    r.genere = text::flattenLineBreaks(t.genere);
    r.durata = text::flattenLineBreaks(t.durata);
    r.datau = text::flattenLineBreaks(t.datau);
    r.attore1 = text::flattenLineBreaks(t.attore1);
    r.attore2 = text::flattenLineBreaks(t.attore2);
    r.regia = text::flattenLineBreaks(t.regia);
    r.trama = text::flattenLineBreaks(t.trama);
}
