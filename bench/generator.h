#pragma once
// A seeded generator of bank exports for the benchmarks: the five layouts
// Kasamat reads, with the variety a real account shows (code page 1250 text
// with Slovak diacritics, several dates, every kind of symbol and counter-
// account, debits and credits, multi-line records, newest-first files). The
// same seed always gives the same bytes.

#include <cstddef>
#include <cstdint>
#include <ostream>

namespace kasamat::bench {

struct ZadanieExportu {
    // The Format index of the conversion that reads the export (0 to 4).
    int format = 0;
    std::size_t transakcii = 1000;
    // The transactions are spread over this many consecutive days.
    unsigned dni = 20;
    // Days counted from 1 March 2019; lets the small files of one folder
    // carry different dates.
    unsigned prvyDen = 0;
    // Tatra banka exports (Formats 0 and 2) may list the newest first.
    bool odNajnovsieho = false;
    std::uint64_t seed = 1;
};

// Writes the export's bytes. Answers the number of physical lines written.
std::size_t generujExport(const ZadanieExportu& zadanie, std::ostream& vystup);

}  // namespace kasamat::bench
