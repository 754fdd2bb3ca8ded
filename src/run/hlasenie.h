#pragma once
// How a conversion reports: the window's worker and the headless runner each
// implement it. Lines are UTF-8, the way the window and the console show them.

#include <string>

namespace kasamat {

class Hlasenie {
public:
    virtual ~Hlasenie() = default;
    // Appends one line to the run log.
    virtual void riadok(const std::string& text) = 0;
    // A statement was written: the task's next statement number. The host
    // shows it and stores it at once (prikazCisloVypisu) before the next
    // statement is numbered; false when it could not be stored.
    virtual bool noveCisloVypisu(int idUlohy, int cislo) = 0;
};

// The separator line of the run log: 100 hyphen-minus characters.
inline const std::string oddelovaciRiadok(100, '-');

}  // namespace kasamat
