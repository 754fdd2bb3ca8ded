#pragma once
// Reading tasks from the settings database, the same way for the window and
// the headless runner.

#include <optional>

#include "store/databaza.h"
#include "store/uloha.h"

namespace kasamat {

// Runs the task list's statement "SELECT Nazov FROM Ulohy ORDER BY ID;" and
// answers its row count (-1 when it failed); the names stay readable in the
// database's result.
int vyberNazvyUloh(Databaza& databaza);

// The task row with the given ID, read by the statement of NacitatUlohu. A
// missing row reads as empty texts and zeros; a failed statement gives no task.
// The statement number is read as stored (the window bounds it to 1..999).
std::optional<Uloha> citajUlohu(Databaza& databaza, int id);

// A stored statement number as the statement-number spinner shows it.
inline int ohranicCisloVypisu(long long cislo)
{
    return cislo < najnizsieCisloVypisu ? najnizsieCisloVypisu
        : cislo > najvyssieCisloVypisu  ? najvyssieCisloVypisu
                                        : int(cislo);
}

}  // namespace kasamat
