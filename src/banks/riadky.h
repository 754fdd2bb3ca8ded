#pragma once
// Splitting a file's bytes into physical lines and joining the lines of a
// quoted CSV record.

#include <cstddef>
#include <string>
#include <string_view>

#include "banks/banka.h"

namespace kasamat {

// Lines end at CR LF, LF or CR; a line end at the very end of the text adds no
// empty line. The lines view the text, which must outlive them.
Riadky rozdelNaRiadky(std::string_view obsah);
// The same into `riadky`, whose room is kept from file to file.
void rozdelNaRiadky(std::string_view obsah, Riadky& riadky);

// A record test of the quoted CSV exports answers 1 for a complete valid
// record, 0 for an invalid one and -1 when a quoted field is still open at the
// end, so that the record continues on the next physical line. A -1 comes only
// from a double quote that is looked for and missing, so a line without any
// double quote appended to such a record leaves the answer at -1.
using TestZaznamu = int (*)(std::string_view zaznam);

// Reads the record that begins at line `od`: while the test answers -1 and a
// further line exists, appends one blank and the next line. Answers the last
// result (-1 when the file ended inside the record); `zaznam` holds the record
// text and `dalsi` the index of the line after its last line.
int citajZaznam(const Riadky& riadky, std::size_t od, TestZaznamu test, std::string& zaznam,
                std::size_t& dalsi);

}  // namespace kasamat
