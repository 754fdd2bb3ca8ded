#include "formats/bajty.h"

#include <charconv>
#include <limits>

namespace kasamat {

namespace {
bool jeCislica(char znak) { return znak >= '0' && znak <= '9'; }
}  // namespace

std::int64_t atolHodnota(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool zaporne = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        zaporne = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t hranica = std::numeric_limits<std::int64_t>::max();
    std::int64_t hodnota = 0;
    for (; i < text.size() && jeCislica(text[i]); ++i) {
        const int cislica = text[i] - '0';
        if (hodnota > (hranica - cislica) / 10) return zaporne ? -hranica : hranica;
        hodnota = hodnota * 10 + cislica;
    }
    return zaporne ? -hodnota : hodnota;
}

bool pripocitajObrat(std::int64_t& obrat, std::int64_t suma)
{
    constexpr std::int64_t hranica = std::numeric_limits<std::int64_t>::max();
    if (suma < -hranica) return false;
    const std::int64_t velkost = suma < 0 ? -suma : suma;
    if (velkost > hranica - obrat) return false;
    obrat += velkost;
    return true;
}

bool citaSaAkoCislo(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    return !text.empty() && ibaCislice(text);
}

bool citaSaAkoCislo(std::string_view a, std::string_view b, std::string_view c)
{
    // The sign may only be the first byte of the joined text.
    bool prvy = true;
    std::size_t cislic = 0;
    for (const std::string_view cast : {a, b, c}) {
        for (const char znak : cast) {
            if (prvy && (znak == '+' || znak == '-')) {
                prvy = false;
                continue;
            }
            prvy = false;
            if (!jeCislica(znak)) return false;
            ++cislic;
        }
    }
    return cislic > 0;
}

void pridajNulami(std::string& ciel, std::string_view hodnota, std::size_t sirka)
{
    if (hodnota.size() < sirka) ciel.append(sirka - hodnota.size(), '0');
    ciel.append(hodnota);
}

std::string doplnNulami(std::string_view hodnota, std::size_t sirka)
{
    std::string vysledok;
    pridajNulami(vysledok, hodnota, sirka);
    return vysledok;
}

void pridajText(std::string& ciel, std::string_view hodnota, std::size_t sirka)
{
    hodnota = hodnota.substr(0, sirka);
    ciel.append(hodnota);
    ciel.append(sirka - hodnota.size(), ' ');
}

void pridajCislo(std::string& ciel, std::int64_t hodnota)
{
    char buffer[24];
    const auto koniec = std::to_chars(buffer, buffer + sizeof buffer, hodnota).ptr;
    ciel.append(buffer, koniec);
}

std::string cislo(std::int64_t hodnota)
{
    std::string vysledok;
    pridajCislo(vysledok, hodnota);
    return vysledok;
}

void datumovyKluc(std::string_view datum, std::string& kluc)
{
    kluc.assign(usek(datum, 7, 4)).append(usek(datum, 4, 2)).append(usek(datum, 1, 2));
}

std::string ddmmrr(std::string_view rrrrmmdd)
{
    std::string vysledok;
    vysledok.reserve(6);
    vysledok.append(usek(rrrrmmdd, 7, 2));
    vysledok.append(usek(rrrrmmdd, 5, 2));
    vysledok.append(usek(rrrrmmdd, 3, 2));
    return vysledok;
}

}  // namespace kasamat
