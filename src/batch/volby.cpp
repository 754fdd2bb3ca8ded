#include "batch/volby.h"

#include <array>
#include <charconv>
#include <string_view>

namespace kasamat {

const char* const pouzitieBehu =
    "Usage: kasamat-batch\n"
    "         runs every task of user.dat, as the window's \"Štart\" would\n"
    "       kasamat-batch --format F --input DIR --output DIR [--account DIGITS] [--number N]\n"
    "                     [--periodicity P] [--variable-symbol V] [--text TEMPLATE] [--name NAME]\n"
    "         runs one task with these values (F, N, P and V are integers)\n";

namespace {

// Each option fills one field of the task: a text or an integer.
struct Volba {
    std::string_view meno;
    std::string Uloha::*text;
    int Uloha::*cislo;
    bool povinna;
};

constexpr std::array<Volba, 9> volby = {{
    {"--format", nullptr, &Uloha::format, true},
    {"--input", &Uloha::priecinokVstup, nullptr, true},
    {"--output", &Uloha::priecinokVystup, nullptr, true},
    {"--account", &Uloha::cisloUctu, nullptr, false},
    {"--number", nullptr, &Uloha::cisloVypisu, false},
    {"--periodicity", nullptr, &Uloha::periodicita, false},
    {"--variable-symbol", nullptr, &Uloha::variabilnySymbol, false},
    {"--text", &Uloha::textPlatby, nullptr, false},
    {"--name", &Uloha::nazov, nullptr, false},
}};

bool celeCislo(std::string_view text, int& cislo)
{
    const char* koniec = text.data() + text.size();
    const auto [kde, chyba] = std::from_chars(text.data(), koniec, cislo);
    return !text.empty() && chyba == std::errc() && kde == koniec;
}

}  // namespace

std::optional<VolbyBehu> citajVolby(int argc, const char* const* argv)
{
    VolbyBehu vysledok;
    vysledok.uloha.nazov = "úloha";
    std::array<bool, volby.size()> zadane{};
    for (int i = 1; i < argc; i += 2) {
        const std::string_view meno = argv[i];
        std::size_t index = 0;
        while (index < volby.size() && volby[index].meno != meno) ++index;
        if (index == volby.size() || i + 1 >= argc) return std::nullopt;
        const Volba& volba = volby[index];
        const std::string_view hodnota = argv[i + 1];
        if (volba.text) {
            vysledok.uloha.*volba.text = hodnota;
        } else if (!celeCislo(hodnota, vysledok.uloha.*volba.cislo)) {
            return std::nullopt;
        }
        zadane[index] = true;
        vysledok.jednaUloha = true;
    }
    for (std::size_t index = 0; index < volby.size(); ++index)
        if (vysledok.jednaUloha && volby[index].povinna && !zadane[index]) return std::nullopt;
    return vysledok;
}

}  // namespace kasamat
