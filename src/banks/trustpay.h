#pragma once
// The TrustPay conversion's payment text, made from the task's template.

#include <string>
#include <string_view>

#include "banks/trustpay_zaznam.h"

namespace kasamat {

// Replaces the first occurrence of each variable ("$ks", "$vs", "$ss",
// "$ref", "$txt", "$npu", in that order) by the record's value, then trims
// the result and keeps its first 20 bytes. The template is code page 1250.
std::string textPlatbyZoSablony(std::string_view sablona, const PolozkaTrustPay& polozka);

}  // namespace kasamat
