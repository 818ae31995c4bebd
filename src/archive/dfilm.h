#pragma once

#include <cstdint>
#include <string>

// One film, as the archive file keeps it: texts are Windows-1252.
struct dfilm
{
    std::string titolo;
    std::string genere;
    std::string attore1;
    std::string attore2;
    std::string regia;
    std::string posizione;
    std::string durata;
    std::string datau;
    double dataa = 0;  // OLE date-time of arrival
    double dimmb = 0;  // megabytes of 1,000,000 bytes
    std::int32_t riservato = 0;
    std::string trama;

    bool operator==(const dfilm&) const = default;
};
