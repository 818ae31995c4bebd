#pragma once

#include <random>
#include <string>

// Italian words for made-up titles, names and plots of the benchmark archives.
inline std::string sampleWords(std::mt19937& rnd, int count)
{
    static const char* const kWords[] = {"il", "la", "amore", "notte", "ritorno", "ombra", "guerra", "segreto",
                                         "viaggio", "mare", "fuoco", "ultimo", "tempo", "strada", "cuore", "cielo"};
    std::uniform_int_distribution<int> word(0, 15);
    std::string s;
    for (int i = 0; i < count; ++i)
        s += (i ? " " : "") + std::string(kWords[word(rnd)]);
    return s;
}
