#pragma once
// Shared by the robustness tests: a conversion run in this process with its
// log collected, and valid exports of every bank taken from the golden cases.

#include <QLocale>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "banks/formaty.h"
#include "platform/cesta.h"
#include "podpora/docasny_priecinok.h"
#include "podpora/zaznam_behu.h"
#include "run/davka.h"
#include "store/uloha.h"

namespace kasamat::test {

namespace fs = std::filesystem;

inline const std::string neplatneSubory = "Súbory, ktoré nie sú platnými bankovými výpismi: ";

// A valid export of the format, from the golden cases.
inline std::string platnyVypis(int format)
{
    static const char* const subory[] = {
        "tatra-txt-per-file/input/vypis_marec.txt", "trustpay-per-file/input/trustpay_2024_02.csv",
        "tatra-csv-per-file/input/tb_marec.csv", "fio-per-file/input/vypis_marec.csv"};
    return citajSubor(fs::path(KASAMAT_TEST_DATA) / "golden" / subory[format]);
}

inline std::string priponaVstupu(int format) { return format == 0 ? ".txt" : ".csv"; }

// An input and an output folder and a task of the format over them.
class Konverzia {
public:
    explicit Konverzia(int format, int periodicita = 0)
    {
        QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
        fs::create_directory(vstup());
        fs::create_directory(vystup());
        uloha.id = 1;
        uloha.format = format;
        uloha.periodicita = periodicita;
        uloha.cisloUctu = "2628765432";
        uloha.cisloVypisu = 5;
        uloha.textPlatby = "$vs $txt";
        uloha.priecinokVstup = utf8ZCesty(vstup());
        uloha.priecinokVystup = utf8ZCesty(vystup());
    }

    fs::path vstup() const { return m_priecinok.cesta() / "vstup"; }
    fs::path vystup() const { return m_priecinok.cesta() / "vystup"; }
    const fs::path& koren() const { return m_priecinok.cesta(); }

    ZaznamBehu spusti() const
    {
        ZaznamBehu hlasenie;
        Konvertuj(*formatUlohy(uloha.format).konverzia, uloha, hlasenie);
        return hlasenie;
    }

    Uloha uloha;

private:
    DocasnyPriecinok m_priecinok;
};

}  // namespace kasamat::test
