#pragma once
// The shape of one bank's conversion: its file extension, its reader (the
// file test with the key and the records in one walk) and the statement
// format it writes. The batch
// (scan, order, daily cut, numbering, writing, moving, reporting) lives once
// in run/; a new bank is one module defining a Banka and one row of the Format
// table (formaty.h).

#include <string>
#include <string_view>
#include <vector>

#include "formats/format_vypisu.h"
#include "formats/transakcia.h"

namespace kasamat {

// The physical lines of a file (ended by CR LF, LF or CR), viewing its bytes.
using Riadky = std::vector<std::string_view>;

// The task values a conversion reads besides folders, number and periodicity,
// as code page 1250 bytes.
struct NastaveniaKonverzie {
    std::string cisloUctu;
    // 0: the variable symbol fills ZD:/ZK:, 1: the reference does.
    int variabilnySymbol = 0;
    std::string textPlatby;
};

// The date and separator of a file key; the file's name follows them.
struct KlucSuboru {
    std::string datum;  // yyyymmdd, exactly 8 bytes
    char oddelovac = '<';  // '>' when the file lists its transactions newest first
};

class PrijemcaTransakcii {
public:
    virtual ~PrijemcaTransakcii() = default;
    // Takes the next transaction in statement order; false stops the reading.
    virtual bool prijmi(const Transakcia& transakcia) = 0;
};

struct Banka {
    // The extension the scan looks for ("txt", "csv" or "xml"), letter case ignored.
    std::string_view pripona;
    const FormatVypisu& format;
    // Reads a file in one walk: the bank's file test, which gives a valid
    // file the date and separator of its key, the header, and each
    // transaction in statement order (">" files from their last record up).
    // Answers false when the file does not pass its test, a record does not
    // read, or a value does not fit its statement field: the file is then not
    // a valid bank statement. Pass 1 reads a file with it to key and plan it,
    // pass 2 to convert it; a file that changed between them gives another
    // key or other statements.
    bool (*citaj)(const Riadky& riadky, const NastaveniaKonverzie& nastavenia, KlucSuboru& kluc,
                  HlavickaSuboru& hlavicka, PrijemcaTransakcii& prijemca);
    // For a bank whose valid file may hold no transaction: the run-log text
    // that names such a file, which then gives no statement and is moved like
    // a converted one. Empty: a file without a transaction is not valid.
    std::string_view bezPohybov = {};
    // A bank that reads the file's text as a whole, not line by line (XML):
    // the batch hands it over as one line that holds every byte of the file,
    // without splitting it first.
    bool celyText = false;
};

extern const Banka KonverziaTatraTxt;
extern const Banka KonverziaTrustPay;
extern const Banka KonverziaTatraCsv;
extern const Banka KonverziaFio;
extern const Banka KonverziaCamt053;

}  // namespace kasamat
