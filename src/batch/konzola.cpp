#include "batch/konzola.h"

#include <algorithm>
#include <stdexcept>

#include "store/citanie_uloh.h"

namespace kasamat {

KonzolovyBeh::KonzolovyBeh(Databaza& databaza, std::ostream& vystup) : m_databaza(databaza), m_vystup(vystup)
{
    // The task stored as selected, when it is one of the list.
    if (m_databaza.SQL("SELECT Uloha FROM Nastavenia;") > 0) {
        const long long uloha = m_databaza.cislo(0, "Uloha");
        if (uloha >= 0 && uloha < pocetUloh()) m_vybrata = int(uloha);
    }
}

void KonzolovyBeh::riadok(const std::string& text) { m_vystup << text << '\n' << std::flush; }

bool KonzolovyBeh::noveCisloVypisu(int idUlohy, int cislo)
{
    m_cisloVypisu = cislo;
    m_databaza.SQL(prikazCisloVypisu(idUlohy, cislo));
    return !m_databaza.zlyhal();
}

int KonzolovyBeh::pocetUloh() { return std::max(vyberNazvyUloh(m_databaza), 0); }

Uloha KonzolovyBeh::vyberUlohu(int index)
{
    std::optional<Uloha> uloha = citajUlohu(m_databaza, index);
    if (!uloha) throw std::runtime_error("Úlohu č. " + std::to_string(index + 1) + " nemožno načítať.");
    // As the statement-number box shows it, and stores it again when it had to bound it.
    const int cislo = ohranicCisloVypisu(uloha->cisloVypisu);
    if (index >= 0 && cislo != uloha->cisloVypisu) m_databaza.SQL(prikazCisloVypisu(index, cislo));
    uloha->cisloVypisu = m_cisloVypisu = cislo;
    return *uloha;
}

}  // namespace kasamat
