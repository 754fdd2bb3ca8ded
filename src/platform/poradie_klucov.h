#pragma once
// The order of the file keys: date, separator, then the file name, compared as
// text without regard to letter case by the user's locale collation, so that
// files of one day come in the order the user's file list shows them.

#include <cstddef>
#include <string>
#include <vector>

namespace kasamat {

// The indexes of `kluce` in ascending key order. Keys that the collation holds
// equal (names differing only in letter case) are ordered by their bytes, so
// the order is total and the same on every run.
std::vector<std::size_t> poradieKlucov(const std::vector<std::string>& kluce);

}  // namespace kasamat
