#pragma once
// Splitting a file's bytes into physical lines.

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

}  // namespace kasamat
