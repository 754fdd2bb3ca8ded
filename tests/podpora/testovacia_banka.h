#pragma once
// A small bank and statement format for testing the batch on its own: an
// export is an optional opening-balance line "PS;<hundredths>" followed by
// transaction lines "dd.mm.yyyy;<hundredths>;D" (debit) or ";K" (credit);
// "dd/mm/yyyy" is the same date.

#include "banks/banka.h"

namespace kasamat::test {

// Extension "csv"; statements "<name without its last four bytes> (<date>).out":
// "H;<number>;<opening>", one "T;<seq>;<date>;<D|K>;<amount>" per transaction,
// "S;<count>;<debit>;<credit>;<closing>;<date>", each line ending in CR LF.
extern const Banka testovaciaBanka;

// The same bank read as a whole text: its reader takes the file as one line
// and splits it itself, and finds no valid file in lines the batch split.
extern const Banka testovaciaBankaCelyText;

// How the file that the chosen reading gets has changed since the reading
// before: it no longer reads (every transaction is handed over, then the
// reading fails), or it reads with other amounts.
enum class ZmenaSuboru { NeCitaSa, InaSuma };

// From now on, the citaj call with this number (counted from 1) reads a file
// changed this way; 0 for none.
void nastavZmenuCitania(int cislo, ZmenaSuboru zmena = ZmenaSuboru::NeCitaSa);

}  // namespace kasamat::test
