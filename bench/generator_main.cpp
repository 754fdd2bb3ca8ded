// kasamat-bench-gen: writes seeded bank exports for the benchmarks.
//   kasamat-bench-gen --format F --transactions N --output FILE
//                     [--days D] [--newest-first] [--seed S]
//   kasamat-bench-gen --format F --transactions N --files K --output FOLDER
// The second form writes K small exports into FOLDER, each of its own day.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "bench/generator.h"

namespace fs = std::filesystem;
using kasamat::bench::ZadanieExportu;

namespace {

int pouzitie()
{
    std::cerr << "kasamat-bench-gen --format F --transactions N --output PATH [--files K] [--days D]"
                 " [--newest-first] [--seed S]\n";
    return 2;
}

bool zapis(const ZadanieExportu& zadanie, const fs::path& cesta)
{
    std::ofstream subor(cesta, std::ios::binary);
    kasamat::bench::generujExport(zadanie, subor);
    return bool(subor.flush());
}

}  // namespace

int main(int argc, char** argv)
{
    ZadanieExportu zadanie;
    std::string vystup;
    unsigned long suborov = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view volba = argv[i];
        if (volba == "--newest-first") {
            zadanie.odNajnovsieho = true;
            continue;
        }
        if (i + 1 >= argc) return pouzitie();
        const char* hodnota = argv[++i];
        if (volba == "--format")
            zadanie.format = std::atoi(hodnota);
        else if (volba == "--transactions")
            zadanie.transakcii = std::strtoull(hodnota, nullptr, 10);
        else if (volba == "--days")
            zadanie.dni = unsigned(std::strtoul(hodnota, nullptr, 10));
        else if (volba == "--seed")
            zadanie.seed = std::strtoull(hodnota, nullptr, 10);
        else if (volba == "--files")
            suborov = std::strtoul(hodnota, nullptr, 10);
        else if (volba == "--output")
            vystup = hodnota;
        else
            return pouzitie();
    }
    if (vystup.empty() || zadanie.format < 0 || zadanie.format > 4 || zadanie.transakcii == 0)
        return pouzitie();
    if (suborov == 0) return zapis(zadanie, vystup) ? 0 : 1;

    fs::create_directories(vystup);
    const std::string pripona = zadanie.format == 0 ? ".txt" : zadanie.format == 4 ? ".xml" : ".csv";
    const std::uint64_t seed = zadanie.seed;
    for (unsigned long k = 0; k < suborov; ++k) {
        zadanie.seed = seed + k;
        zadanie.dni = 1;
        zadanie.prvyDen = unsigned(k % 3000);
        char meno[32];
        std::snprintf(meno, sizeof meno, "vypis_%06lu", k);
        if (!zapis(zadanie, fs::path(vystup) / (meno + pripona))) return 1;
    }
    return 0;
}
