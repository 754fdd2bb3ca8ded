#pragma once
// A small bank and statement format for testing the batch on its own: an
// export is an optional opening-balance line "PS;<hundredths>" followed by
// transaction lines "dd.mm.yyyy;<hundredths>;D" (debit) or ";K" (credit).

#include "banks/banka.h"

namespace kasamat::test {

// Extension "csv"; statements "<name without its last four bytes> (<date>).out":
// "H;<number>;<opening>", one "T;<seq>;<date>;<D|K>;<amount>" per transaction,
// "S;<count>;<debit>;<credit>;<closing>;<date>", each line ending in CR LF.
extern const Banka testovaciaBanka;

// The same bank read as a whole text in one walk: its test and reader take the
// file as one line and split it themselves, pass 1 is its testACitaj, and
// its test answers false, so that a batch that called it would find no
// valid file.
extern const Banka testovaciaBankaJednymCitanim;

// From now on, the citaj call with this number (counted from 1) hands over
// every transaction and then fails, as when a file changes between the
// passes; 0 for none.
void nastavZlyhanieCitania(int cislo);

}  // namespace kasamat::test
