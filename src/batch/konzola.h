#pragma once
// The host of a run without a window: tasks are read from the settings
// database, each new statement number is stored there at once, and every
// run-log line is written to a stream in UTF-8.

#include <ostream>

#include "run/beh.h"
#include "store/databaza.h"

namespace kasamat {

class KonzolovyBeh final : public ProstredieBehu {
public:
    KonzolovyBeh(Databaza& databaza, std::ostream& vystup);

    void riadok(const std::string& text) override;
    bool noveCisloVypisu(int idUlohy, int cislo) override;
    int pocetUloh() override;
    int vybrataUloha() override { return m_vybrata; }
    // Reads the task's row as the window loads it; a row that cannot be read
    // at all is an unexpected failure of the run.
    Uloha vyberUlohu(int index) override;
    int cisloVypisu() override { return m_cisloVypisu; }

private:
    Databaza& m_databaza;
    std::ostream& m_vystup;
    int m_vybrata = -1;
    int m_cisloVypisu = najnizsieCisloVypisu;
};

}  // namespace kasamat
