#include "banks/riadky.h"

#include <cstring>

namespace kasamat {

Riadky rozdelNaRiadky(std::string_view obsah)
{
    Riadky riadky;
    rozdelNaRiadky(obsah, riadky);
    return riadky;
}

void rozdelNaRiadky(std::string_view obsah, Riadky& riadky)
{
    // The exports are hundreds of megabytes: memchr finds the next LF, and a
    // CR before it, far faster than testing each byte against both line ends.
    // The next LF is kept across lines, so a file whose lines end with CR
    // alone is still scanned once.
    const char* const data = obsah.data();
    const std::size_t n = obsah.size();
    const auto najdi = [&](char znak, std::size_t od, std::size_t po) {
        const void* miesto = std::memchr(data + od, znak, po - od);
        return miesto ? std::size_t(static_cast<const char*>(miesto) - data) : po;
    };
    riadky.clear();
    std::size_t zaciatok = 0;
    std::size_t lf = 0;
    while (zaciatok < n) {
        if (zaciatok == 0 || lf < zaciatok) lf = najdi('\n', zaciatok, n);
        const std::size_t koniec = najdi('\r', zaciatok, lf);
        riadky.emplace_back(data + zaciatok, koniec - zaciatok);
        if (koniec == n) break;
        zaciatok = koniec + 1;
        if (data[koniec] == '\r' && zaciatok < n && data[zaciatok] == '\n') ++zaciatok;
    }
}

}  // namespace kasamat
