#include "run/beh.h"

namespace kasamat {

std::string polozkaZoznamu(int index, const std::string& nazov)
{
    return std::to_string(index + 1) + ". " + nazov;
}

// Placeholders until the run is built.
void SpustiUlohy(ProstredieBehu&) {}
bool KontrolaNastaveni(ProstredieBehu&) { return false; }

}  // namespace kasamat
