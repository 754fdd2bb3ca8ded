#pragma once
// Code page 1250, the code page of every bank export and statement file.
// Window and database texts are Unicode (UTF-8 here); they become code page
// 1250 bytes where they enter a statement, and fixed texts that are compared
// with file contents are written in UTF-8 in the source and converted here.

#include <string>
#include <string_view>

namespace kasamat {

// UTF-8 to code page 1250; a character the code page lacks becomes "?".
std::string cp1250ZUtf8(std::string_view utf8);
// The same appended to `ciel`, whose room is kept from call to call.
void pridajCp1250ZUtf8(std::string& ciel, std::string_view utf8);

// One Unicode character appended to `ciel` in UTF-8.
void pridajUtf8(std::string& ciel, char32_t znak);

// Code page 1250 to UTF-8.
std::string utf8ZCp1250(std::string_view bajty);

// Upper case of code page 1250 text, letters with diacritics included
// (č -> Č, ľ -> Ľ, ô -> Ô); bytes without an upper-case letter stay.
std::string velkymiPismenami(std::string_view bajty);

}  // namespace kasamat
