#pragma once
// Start-up: the companion files that ship with the program are checked, and
// user.dat is brought to the current layout before it is opened for good.

#include <string>

#include "store/databaza.h"

namespace kasamat {

// The companion files, all in the program's folder.
struct CestyAplikacie {
    std::string sablona;  // default.dat
    std::string databaza;  // user.dat
    std::string releaseInfo;  // release.nfo
    std::string vzdialenaPomoc;  // TeamViewerQS_sk.exe

    // The paths in the given folder (its trailing separator optional).
    static CestyAplikacie v(const std::string& priecinokProgramu);
    // The paths of the running program: the files that ship with it where
    // they were installed, user.dat where its user's settings are kept.
    static CestyAplikacie programu();
};

// The text of the "Chyba" message shown when a companion file is missing or unusable.
extern const char* const chybaSuborovAplikacie;

// The template is current, and release.nfo and the remote-support tool exist.
bool KontrolaSuborovAplikacie(Databaza& databaza, const CestyAplikacie& cesty);

// Makes user.dat current: opens a current file as it is; upgrades a file of a
// known older release, carrying its tasks and selected task into a fresh copy
// of the template; replaces anything else by the template, except a file that
// another program holds locked, which is left as it is. The previous file
// is kept as user.dat.bak, and the new one is put in place through a temporary
// copy, so that no failure can leave the folder without a usable user.dat.
// Afterwards the connection is open on user.dat. Callers hold the settings
// lock (ZamokNastaveni), so that no other process replaces the file between
// the check of its version and its replacement.
void PripravDatabazu(Databaza& databaza, const CestyAplikacie& cesty);

}  // namespace kasamat
