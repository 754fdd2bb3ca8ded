#pragma once
// Settings files (user.dat) for the tests: copies of the build's template,
// reshaped by SQL run straight on the encrypted file, and their task lists
// written and read back whole. Paths are UTF-8 texts, as the store takes them.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "store/databaza.h"
#include "store/uloha.h"

namespace kasamat {

// Every column of the two tasks is the same.
bool operator==(const Uloha& a, const Uloha& b);

// A task as a failed comparison shows it.
void PrintTo(const Uloha& uloha, std::ostream* os);

}  // namespace kasamat

namespace kasamat::test {

// The build's template, default.dat.
inline std::string sablona() { return KASAMAT_BIN_DIR "/default.dat"; }

// Runs SQL on the encrypted file at the path, creating the file if need be.
// Unlike the store's SQL, which fails silently, a failure throws with the
// engine's error and the statements, and so ends the test.
void vykonaj(const std::string& cesta, const std::string& prikazy, std::string_view heslo = hesloDatabazy);

// A copy of the template at the path, with the statements run on it.
void zoSablony(const std::string& cesta, const std::string& prikazy = {});

// The statement that stores the task as a row of Ulohy under its own ID,
// every column given.
std::string vlozenieUlohy(const Uloha& uloha);

// Makes the tasks the whole task list, under the IDs 0, 1, ... in their
// order, with entry `vybrata` as the selected task; false when a statement
// failed.
bool zapisUlohy(Databaza& databaza, std::vector<Uloha> ulohy, int vybrata);

// The task list as the window reads it: as many tasks as Ulohy has rows,
// read by the IDs 0, 1, ..., so that a gap in the IDs reads as an empty task;
// a task whose statement fails is left out.
std::vector<Uloha> citajUlohy(Databaza& databaza);

}  // namespace kasamat::test
