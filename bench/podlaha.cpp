// kasamat-bench-floor: the file work of one conversion without any parsing,
// through the batch's own file functions:
//   kasamat-bench-floor INPUT OUTPUT-FOLDER STATEMENT-BYTES
// reads INPUT whole twice into one kept text (the two passes), then writes a
// statement of STATEMENT-BYTES, built in fresh memory, whole and synced into
// OUTPUT-FOLDER, and removes it. What a conversion costs beyond this is
// parsing and writing the records.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/subory.h"

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "kasamat-bench-floor INPUT OUTPUT-FOLDER STATEMENT-BYTES\n";
        return 2;
    }
    kasamat::ObsahSuboru obsah;
    for (int prechod = 0; prechod < 2; ++prechod)
        if (!kasamat::citajCelySubor(argv[1], obsah)) return 1;
    const std::string vypis(std::strtoull(argv[3], nullptr, 10), 'x');
    const fs::path ciel = fs::path(argv[2]) / "floor.clr";
    if (!kasamat::zapisCelySubor(ciel, {vypis})) return 1;
    fs::remove(ciel);
    return 0;
}
