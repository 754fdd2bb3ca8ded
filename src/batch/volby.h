#pragma once
// The command line of kasamat-batch: either no option at all (run the tasks of
// user.dat) or the values of one task.

#include <optional>
#include <string>

#include "store/uloha.h"

namespace kasamat {

struct VolbyBehu {
    // True when the command line gives a task; otherwise user.dat's tasks run.
    bool jednaUloha = false;
    Uloha uloha;
};

// Nothing for a command line that cannot be used: an unknown option, an
// option without its value, a number that is not an integer, or a task
// without its Format or folders.
std::optional<VolbyBehu> citajVolby(int argc, const char* const* argv);

extern const char* const pouzitieBehu;

}  // namespace kasamat
