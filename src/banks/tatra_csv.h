#pragma once
// Tatra banka's comma-separated export of the newer internet banking to ABO.

#include <string_view>

namespace kasamat {

// The test of one record text (a physical line, or several lines joined with
// a blank): 1 for a complete valid record, 0 for an invalid one, -1 when a
// quoted field is still open at its end and the record continues on the next
// physical line.
int KontrolaRiadkuTatraCsv(std::string_view zaznam);

}  // namespace kasamat
