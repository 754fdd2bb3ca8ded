#pragma once
// Builds exports and checks, after a fault, that nothing was lost: every
// statement in the output folder is whole, every input file lies either in the
// input folder or in the output folder beside all of its statements, and no
// temporary file is left that a later run would not clear.

#include <gtest/gtest.h>

#include <map>

#include "konverzia.h"

namespace kasamat::test {

// A Tatra banka TXT export (code page 1250) with one credit per date, in the
// order given; dates dd.mm.yyyy.
inline std::string tatraTxt(const std::vector<std::string>& datumy)
{
    const std::string vzor = platnyVypis(0);
    const std::size_t koniecHlavicky = [&] {
        std::size_t pozicia = 0;
        for (int i = 0; i < 4; ++i) pozicia = vzor.find('\n', pozicia) + 1;
        return pozicia;
    }();
    const std::string hlavicka = vzor.substr(0, koniecHlavicky);
    const std::string transakcia =
        vzor.substr(koniecHlavicky, vzor.find('\n', koniecHlavicky) + 1 - koniecHlavicky);
    std::string obsah = hlavicka;
    for (const std::string& datum : datumy) obsah += datum + transakcia.substr(10);
    return obsah + hlavicka.substr(0, hlavicka.find('\n') + 1);
}

// The date `den` days after 1 January 2019, as dd.mm.yyyy.
inline std::string datumPo(int den)
{
    static const int dniMesiaca[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int rok = 2019, mesiac = 0;
    for (;;) {
        const int dni = dniMesiaca[mesiac] + (mesiac == 1 && rok % 4 == 0 ? 1 : 0);
        if (den < dni) break;
        den -= dni;
        if (++mesiac == 12) mesiac = 0, ++rok;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", den + 1, mesiac + 1, rok);
    return text;
}

// The options of kasamat-batch for the task.
inline std::vector<std::string> argumentyUlohy(const Uloha& u)
{
    return {"--format",      std::to_string(u.format),
            "--input",       u.priecinokVstup,
            "--output",      u.priecinokVystup,
            "--account",     u.cisloUctu,
            "--number",      std::to_string(u.cisloVypisu),
            "--periodicity", std::to_string(u.periodicita)};
}

// `suborov` Tatra banka TXT exports of `dni` days each, one day after another.
inline std::map<std::string, std::string> dennyVstup(int suborov, int dni, int prvyDen = 0)
{
    std::map<std::string, std::string> vstupy;
    for (int s = 0; s < suborov; ++s) {
        std::vector<std::string> datumy;
        for (int d = 0; d < dni; ++d) datumy.push_back(datumPo(prvyDen + s * dni + d));
        char meno[32];
        std::snprintf(meno, sizeof meno, "v%03d.txt", s);
        vstupy[meno] = tatraTxt(datumy);
    }
    return vstupy;
}

// What a run without any fault gives: the statements of each input file and
// the content of every statement, its statement number taken out.
struct Ocakavane {
    std::map<std::string, std::vector<std::string>> vypisySuboru;
    std::map<std::string, std::string> obsahVypisu;
    std::map<std::string, std::string> obsahVstupu;
};

// The statement without the line that carries its number (CLR "ZV:", ABO the
// "074" record), so that statements numbered by different runs compare.
inline std::string bezCisla(const std::string& vypis)
{
    std::string vysledok;
    std::size_t od = 0;
    while (od < vypis.size()) {
        const std::size_t koniec = std::min(vypis.find('\n', od), vypis.size() - 1) + 1;
        const std::string_view riadok(vypis.data() + od, koniec - od);
        if (!riadok.starts_with("ZV:") && !riadok.starts_with("074")) vysledok += riadok;
        od = koniec;
    }
    return vysledok;
}

inline bool jeDocasny(const std::string& meno) { return meno.starts_with(".kasamat-"); }

// Checks the folders against the fault-free result; answers the number of
// statements in the output folder.
inline std::size_t overNicNestratene(const fs::path& vstup, const fs::path& vystup, const Ocakavane& o,
                                     bool docasneSmu = false)
{
    const std::set<std::string> vo = menaVPriecinku(vstup), vy = menaVPriecinku(vystup);
    std::size_t vypisov = 0;
    for (const std::string& meno : vy) {
        if (jeDocasny(meno)) {
            EXPECT_TRUE(docasneSmu) << "temporary file left: " << meno;
            continue;
        }
        if (o.obsahVstupu.count(meno)) continue;
        const auto ocakavany = o.obsahVypisu.find(meno);
        if (ocakavany == o.obsahVypisu.end()) {
            ADD_FAILURE() << "unexpected file in the output folder: " << meno;
            continue;
        }
        ++vypisov;
        EXPECT_EQ(bezCisla(citajSubor(vystup / cestaZUtf8(meno))), bezCisla(ocakavany->second))
            << "statement not whole: " << meno;
    }
    for (const auto& [meno, obsah] : o.obsahVstupu) {
        const bool vo_vstupe = vo.count(meno) > 0, vo_vystupe = vy.count(meno) > 0;
        EXPECT_NE(vo_vstupe, vo_vystupe) << meno << " must be in exactly one folder";
        EXPECT_EQ(citajSubor((vo_vstupe ? vstup : vystup) / cestaZUtf8(meno)), obsah) << meno << " changed";
        if (!vo_vystupe) continue;
        for (const std::string& vypis : o.vypisySuboru.at(meno))
            EXPECT_TRUE(vy.count(vypis)) << meno << " moved without its statement " << vypis;
    }
    return vypisov;
}

// Runs the task once without faults on copies of the inputs.
inline Ocakavane ocakavane(const Uloha& uloha, const std::map<std::string, std::string>& vstupy)
{
    Konverzia ciste(uloha.format, uloha.periodicita);
    ciste.uloha.cisloUctu = uloha.cisloUctu;
    for (const auto& [meno, obsah] : vstupy) zapisSubor(ciste.vstup() / cestaZUtf8(meno), obsah);
    const ZaznamBehu hlasenie = ciste.spusti();
    Ocakavane o;
    o.obsahVstupu = vstupy;
    const std::string zaciatok = "Vygenerovaný výpis č. ";
    for (const std::string& riadok : hlasenie.riadky) {
        if (!riadok.starts_with(zaciatok)) continue;
        const std::string vypis = riadok.substr(riadok.find(": ") + 2);
        o.obsahVypisu[vypis] = citajSubor(ciste.vystup() / vypis);
        const std::string vstup = vypis.substr(0, vypis.rfind(" ("));
        o.vypisySuboru[vstup].push_back(vypis);
    }
    return o;
}

}  // namespace kasamat::test
