#pragma once
// The part of a run that the window's worker and the headless runner share:
// for every task in list order the separator, the list entry, the conversion
// its Format selects and the next statement number; and the validation summary
// that decides whether a run may start.

#include "run/hlasenie.h"
#include "store/uloha.h"

namespace kasamat {

// What a run needs from its host. The window carries out every call on its own
// thread, in order, while the worker waits.
class ProstredieBehu : public Hlasenie {
public:
    virtual int pocetUloh() = 0;
    // The index of the selected entry of the task list (-1 for none).
    virtual int vybrataUloha() = 0;
    // Selects entry `index` of the task list and loads it as the current task;
    // answers the task as the editor now holds it.
    virtual Uloha vyberUlohu(int index) = 0;
    // The current task's next statement number as the editor shows it.
    virtual int cisloVypisu() = 0;
};

// "1. " and the name: the task's entry in the task list.
std::string polozkaZoznamu(int index, const std::string& nazov);

// Runs every task and selects the remembered one again (worker body steps 4
// to 6). An unexpected failure inside a conversion is reported as a run-log
// line and the next task follows.
void SpustiUlohy(ProstredieBehu& prostredie);

// The validation summary (after the host has cleared the run log): the lines
// of every task, the remembered task selected again, the closing hints;
// answers whether every task is usable, and the host enables "Štart" by it.
bool KontrolaNastaveni(ProstredieBehu& prostredie);

}  // namespace kasamat
