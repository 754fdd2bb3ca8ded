#pragma once
// One transaction as a bank reader hands it to a statement, and what a bank
// file says about the statements made from it. All texts are code page 1250
// bytes, already in the form the statement format writes them, except where
// a field says the writer forms it.

#include <cstdint>
#include <optional>
#include <string>

namespace kasamat {

struct Transakcia {
    // The text the daily cut compares with the previous transaction's.
    std::string rezDatum;
    // yyyymmdd: dates the records and, for the last transaction of a
    // statement, the statement and its file name.
    std::string datum;
    // yyyymmdd: the second date (CLR "KC:" second date, ABO value date).
    std::string datum2;
    // The amount's digits as written, without sign or comma (0,50 gives "050").
    std::string sumaText;
    // The amount in hundredths: sumaText read the way atol reads it.
    std::int64_t suma = 0;
    bool debet = false;
    std::string mena;
    // Counterparty's bank code (CLR: as it stands; ABO: its digits).
    std::string kodBanky;
    // CLR: the counterparty's account designation (prefix, " ", number,
    // " ", description). ABO: the 16-digit counter-account in the
    // format's order.
    std::string protiucet;
    std::string konstantnySymbol;
    // The value of the CLR "ZD:"/"ZK:" pair or of the ABO variable symbol.
    std::string variabilnySymbol;
    std::string specifickySymbol;
    // ABO item text (the writer cuts and fills it to 20 bytes).
    std::string text;
};

// Values of a whole input file that its statements carry.
struct HlavickaSuboru {
    // CLR: the task's account number as the task holds it.
    // ABO: the 16-digit own account in the format's order.
    std::string vlastnyUcet;
    // ABO Formats 3 and 4: the account holder's name from the export.
    std::string nazovUctu;
    // Set when the export states an opening balance (Fio banka, camt.053): the first
    // statement of the file opens with it and each later statement of the
    // file with the closing balance of the one before. Otherwise every
    // statement opens with 0.
    std::optional<std::int64_t> pociatocnyZostatok;
};

}  // namespace kasamat
