#pragma once
// Runs a program of the build for real, as a user or a second process would,
// and collects its exit status and what it wrote. Its output goes to files in
// a folder of the caller's, so nothing can block on a pipe.

#include <filesystem>
#include <string>
#include <vector>

#include "podpora/docasny_priecinok.h"

namespace kasamat::test {

struct Beh {
    int status = -1;
    std::string vystup;
    std::string chyby;
};

// A program started in the background; its standard output and error go to
// the files "stdout" and "stderr" in the given folder. Arguments are UTF-8.
class Proces {
public:
    // `akoPouzivatel`: where the tests run as root (as CI runs them), the
    // program runs as the user "nobody", so that the file permissions it
    // meets are an ordinary user's; the folders it works in must be handed to
    // that user first (odovzdajPouzivatelovi).
    Proces(const std::filesystem::path& program, const std::vector<std::string>& argumenty,
           const std::filesystem::path& priecinokVystupu, bool akoPouzivatel = false);
    ~Proces();
    Proces(const Proces&) = delete;
    Proces& operator=(const Proces&) = delete;

    long id() const { return m_id; }
    // True once the program has ended, without waiting.
    bool skoncil();
    // Waits for the end; the exit status, or -1 when it did not exit by itself.
    int cakaj();
    // Ends it at once, as a crash or a kill from outside would: nothing of
    // the program runs any more.
    void zabi();

private:
    long m_id = -1;
    void* m_proces = nullptr;
    int m_status = -1;
    bool m_skoncil = false;
};

inline Beh spusti(const std::filesystem::path& program, const std::vector<std::string>& argumenty,
                  const std::filesystem::path& priecinokVystupu)
{
    Beh beh;
    beh.status = Proces(program, argumenty, priecinokVystupu).cakaj();
    beh.vystup = citajSubor(priecinokVystupu / "stdout");
    beh.chyby = citajSubor(priecinokVystupu / "stderr");
    return beh;
}

// Hands the folder and everything in it to the user that Proces runs a
// program as; nothing to do where that is the tests' own user.
void odovzdajPouzivatelovi(const std::filesystem::path& priecinok);

// Sets a variable of this process's environment, which the programs it
// starts inherit.
void nastavPremennu(const std::string& meno, const std::string& hodnota);

// True when the tests run under Wine, whose system calls differ from
// Windows' in a few known ways.
bool podWine();

// The name of kasamat-batch's file on this system.
inline const std::string menoProgramuBehu = std::string("kasamat-batch") + KASAMAT_EXE_SUFFIX;

inline std::filesystem::path programBehu()
{
    return std::filesystem::path(KASAMAT_BIN_DIR) / menoProgramuBehu;
}

// Copies the files that ship beside the programs (the template default.dat,
// release.nfo and the remote-support tool) into `priecinok`.
void kopirujSuboryAplikacie(const std::filesystem::path& priecinok);

// Copies kasamat-batch and the files that ship beside it into `priecinok`,
// a program folder of its own.
void kopirujProgram(const std::filesystem::path& priecinok);

// A program folder of kasamat-batch's own (kopirujProgram) with an input and
// an output folder in it; the first run makes user.dat there.
class PriecinokProgramuBehu {
public:
    PriecinokProgramuBehu();
    const std::filesystem::path& koren() const { return m_priecinok.cesta(); }
    std::filesystem::path program() const { return koren() / menoProgramuBehu; }
    std::filesystem::path userDat() const { return koren() / "user.dat"; }
    std::filesystem::path vstup() const { return koren() / "vstup"; }
    // Named with a letter outside ASCII, as users name their folders.
    std::filesystem::path vystup() const;
    // A run without options: every task of user.dat.
    Beh spustiBeh() const { return spusti(program(), {}, koren()); }

private:
    DocasnyPriecinok m_priecinok;
};

// The name of the window program's file on this system.
inline const std::string menoProgramuOkna = std::string("kasamat") + KASAMAT_EXE_SUFFIX;

// True when programs of the tests can show windows on a screen, and the
// tests can close them as a user would.
bool maObrazovku();

// Waits up to a minute for a window titled `nazov` to show, and closes it as
// a user would; false when none showed.
bool zatvorOkno(const std::string& nazov);

}  // namespace kasamat::test
