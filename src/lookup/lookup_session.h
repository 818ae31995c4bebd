#pragma once

#include "film_page.h"
#include "film_search.h"

// The working tables of the lookup, one instance for the whole run; each search and each film
// page refills them.
struct LookupSession
{
    lookup::ResultTable results;
    lookup::PageLineTable pageLines;
    lookup::NameTable actors;
    lookup::NameTable genres;
};
