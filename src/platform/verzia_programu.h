#pragma once
// The version text of the program's own file.

#include <string>

namespace kasamat {

// On Windows the "FileVersion" of the executable's version resource, in the
// first translation it lists; elsewhere the version compiled in from the
// build. The empty text when it cannot be read.
std::string verziaSuboruProgramu();

}  // namespace kasamat
