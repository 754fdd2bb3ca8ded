#pragma once
// One process at a time per settings file: an exclusive lock on the file
// "<settings file>.lock" beside it, which the system drops when the process
// ends, however it ends, so that no lock outlives its holder.

#include <filesystem>

namespace kasamat {

class ZamokNastaveni {
public:
    enum class Stav {
        Drzany,  // this process holds it
        Obsadeny,  // another process holds it
        Nedostupny  // the lock file cannot be made (a folder the user cannot write)
    };

    // Tries once, without waiting.
    explicit ZamokNastaveni(const std::filesystem::path& nastavenia);
    ~ZamokNastaveni();
    ZamokNastaveni(const ZamokNastaveni&) = delete;
    ZamokNastaveni& operator=(const ZamokNastaveni&) = delete;

    Stav stav() const { return m_stav; }
    // The id of the process that holds the lock, as it wrote it into the lock
    // file; -1 when unknown.
    long drzitel() const { return m_drzitel; }

private:
    Stav m_stav = Stav::Nedostupny;
    long m_drzitel = -1;
    long long m_subor = -1;
};

// Brings the window of the process to the front, restored when minimized;
// false where the system lets no program do that, or the process shows no
// window.
bool ukazOknoProcesu(long id);

}  // namespace kasamat
