#pragma once
// The Format table: one row per value of a task's Format, in the order of the
// window's format list. The editor, the validation summary and the run read a
// task's Format only through it, so a new conversion is one module and one row.

#include <span>
#include <string_view>

#include "banks/banka.h"

namespace kasamat {

struct FormatUlohy {
    // The entry of the format list.
    std::string_view text;
    const Banka* konverzia;
    // The own bank's code, shown after the account number; the CLR
    // conversions also write it into their statements.
    std::string_view kodBanky;
    // Whether the task's account number is used: without it the export
    // names the account itself.
    bool cisloUctu;
    // Whether the variable-symbol option and the payment text are used.
    bool platba;
};

// The rows, in Format order.
std::span<const FormatUlohy> formatyUloh();

// Whether a stored Format has a row of its own.
bool jeFormatVZozname(int format);

// The row of a stored Format. A value without a row of its own is run, shown
// and edited as Fio banka's, as tasks stored with such a value always were.
const FormatUlohy& formatUlohy(int format);

// Appends a row and answers its Format. For a conversion that is not part of
// the program; call it before a window or a run reads the table.
int pridajFormat(const FormatUlohy& riadok);

}  // namespace kasamat
