#include "platform/verzia_programu.h"

namespace kasamat {

// These systems keep no version resource in an executable.
std::string verziaSuboruProgramu() { return KASAMAT_VERSION; }

}  // namespace kasamat
