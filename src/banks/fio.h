#pragma once
// Fio banka's transaction overview (*.csv, semicolon-separated) to ABO.

#include <string_view>

namespace kasamat {

// The test of one transaction line: 1 when it is valid, 0 when it is not.
int KontrolaRiadkuFio(std::string_view riadok);

}  // namespace kasamat
