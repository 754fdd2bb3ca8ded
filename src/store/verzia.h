#pragma once
// Version texts: four numbers joined by points, compared as exact text. A
// database file is current when its stored version equals the program's.

#include <string>

#include "store/databaza.h"

namespace kasamat {

// Shown when the program's version cannot be read.
inline constexpr const char* nezistenaVerzia = "Nezistená";

// The program's own version, compiled in from the build ("2.5.0.0").
std::string VerziaProgramu();

// True when a file (not a folder) exists at the path.
bool KontrolaSuboru(const std::string& cesta);

// The version stored in the database file at the path, or the empty text for
// a missing, unopenable or foreign file. Leaves the connection open on the
// file when it could be opened; a missing file does not touch the connection.
std::string VerziaDatabazy(Databaza& databaza, const std::string& cesta);

// True when the file at the path is present, opens, and holds the program's version.
bool KontrolaDatabazy(Databaza& databaza, const std::string& cesta);

}  // namespace kasamat
