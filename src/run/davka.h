#pragma once
// The statement batch every conversion follows: scan the input folder, test
// and key each file, order the files, cut their transactions into numbered
// statements, write them, move the converted inputs, name the invalid files.

#include "banks/banka.h"
#include "run/hlasenie.h"
#include "store/uloha.h"

namespace kasamat {

void Konvertuj(const Banka& banka, const Uloha& uloha, Hlasenie& hlasenie);

}  // namespace kasamat
