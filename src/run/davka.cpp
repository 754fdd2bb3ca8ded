#include "run/davka.h"

namespace kasamat {

// Placeholder until the batch is built.
void Konvertuj(const Banka&, const Uloha&, Hlasenie&) {}

}  // namespace kasamat
