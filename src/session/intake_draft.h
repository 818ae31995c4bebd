#pragma once

#include <string>
#include <vector>

// The film data being prepared on the intake tab, before "Associa" ties them to an entry.
struct IntakeDraft
{
    // The data fields as the tab shows them.
    std::string titolo, genere, durata, datau, attore1, attore2, regia, dataa, posizione, dimmb, trama;
    // The name the received poster is saved under.
    std::string posterName;
    // Set by a lookup once its poster or cover is shown: the association saves them.
    bool posterReceived = false;
    bool coverReceived = false;
    // Which entries are ticked for the archive, by slot - 1.
    std::vector<bool> ticked;

    bool operator==(const IntakeDraft&) const = default;
};

// The data a lookup accepted for a film.
struct FoundFilm
{
    std::string titolo, genere, durata, datau, attore1, attore2, regia, trama;
};
