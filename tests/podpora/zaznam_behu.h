#pragma once
// A host of a run that records what the run reports: its log lines and the
// statement numbers it hands over. For a run over all tasks it also holds
// the task list, as the window's editor would.

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "run/beh.h"

namespace kasamat::test {

struct ZaznamBehu : ProstredieBehu {
    std::vector<std::string> riadky;
    // (task ID, next statement number) as each statement was written.
    std::vector<std::pair<int, int>> cisla;
    // Whether the host manages to store the numbers.
    bool uklada = true;
    // The first time this line is appended, the host fails instead.
    std::string zlyhanieNaRiadku;

    std::vector<Uloha> ulohy;
    int vybrata = -1;
    // The entries selected and loaded, in order.
    std::vector<int> nacitane;

    // The next number the run handed over last; 0 when it wrote no statement.
    int posledneCislo() const { return cisla.empty() ? 0 : cisla.back().second; }

    void riadok(const std::string& text) override
    {
        if (!zlyhanieNaRiadku.empty() && text == zlyhanieNaRiadku) {
            zlyhanieNaRiadku.clear();
            throw std::runtime_error("disk je plný");
        }
        riadky.push_back(text);
    }
    bool noveCisloVypisu(int idUlohy, int cislo) override
    {
        cisla.emplace_back(idUlohy, cislo);
        // A run over the task list numbers only the tasks in it.
        if (!ulohy.empty()) ulohy.at(std::size_t(idUlohy)).cisloVypisu = cislo;
        return uklada;
    }
    int pocetUloh() override { return int(ulohy.size()); }
    int vybrataUloha() override { return vybrata; }
    Uloha vyberUlohu(int index) override
    {
        nacitane.push_back(index);
        m_aktualna = index;
        return index >= 0 && index < pocetUloh() ? ulohy[std::size_t(index)] : Uloha{};
    }
    int cisloVypisu() override { return ulohy.at(std::size_t(m_aktualna)).cisloVypisu; }

private:
    int m_aktualna = -1;
};

}  // namespace kasamat::test
