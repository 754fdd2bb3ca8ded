// The batch's file work on POSIX systems.

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/subory.h"
#include "platform/system.h"

namespace kasamat {

namespace fs = std::filesystem;

namespace {

// An open file descriptor, closed when it goes out of scope.
class Deskriptor {
public:
    explicit Deskriptor(int fd) : m_fd(fd) {}
    ~Deskriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    Deskriptor(Deskriptor&& iny) noexcept : m_fd(std::exchange(iny.m_fd, -1)) {}
    Deskriptor(const Deskriptor&) = delete;
    Deskriptor& operator=(const Deskriptor&) = delete;

    int fd() const { return m_fd; }
    bool platny() const { return m_fd >= 0; }
    // Closes now and tells whether the close succeeded: on some file systems a
    // failed write shows only here.
    bool zatvor()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Writes the parts one after the other in one call (a statement's records
// and its closing records reach the file together); a call that writes
// less goes on from where it stopped.
bool zapisVsetko(int fd, std::initializer_list<std::string_view> casti)
{
    std::vector<iovec> zvysok;
    for (const std::string_view cast : casti)
        if (!cast.empty()) zvysok.push_back({const_cast<char*>(cast.data()), cast.size()});
    std::size_t prva = 0;
    while (prva < zvysok.size()) {
        const int pocet = int(std::min<std::size_t>(zvysok.size() - prva, IOV_MAX));
        const ssize_t zapisane = ::writev(fd, zvysok.data() + prva, pocet);
        if (zapisane < 0 && errno == EINTR) continue;
        if (zapisane <= 0) return false;
        for (auto n = std::size_t(zapisane); n > 0;) {
            iovec& cast = zvysok[prva];
            const std::size_t z = std::min(n, cast.iov_len);
            cast.iov_base = static_cast<char*>(cast.iov_base) + z;
            cast.iov_len -= z;
            n -= z;
            if (cast.iov_len == 0) ++prva;
        }
    }
    return true;
}

bool kopirujObsah(int zdroj, int ciel)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t precitane = ::read(zdroj, buffer, sizeof buffer);
        if (precitane < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (precitane == 0) return true;
        if (!zapisVsetko(ciel, {std::string_view(buffer, std::size_t(precitane))})) return false;
    }
}

// A new file of a name no other file has, in `priecinok`.
Deskriptor novyDocasnySubor(const fs::path& priecinok, fs::path& cesta)
{
    for (int pokus = 0; pokus < 100; ++pokus) {
        cesta = docasnaCesta(priecinok);
        Deskriptor subor(::open(cesta.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (subor.platny() || errno != EEXIST) return subor;
    }
    return Deskriptor(-1);
}

// Makes a rename in the folder durable.
void synchronizujPriecinok(const fs::path& priecinok)
{
    Deskriptor subor(::open(priecinok.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (subor.platny()) ::fsync(subor.fd());
}

// The copy is written under a temporary name and given the target name only
// when complete, so that a run killed while copying leaves no part of an
// export under the export's name, only a temporary file that a later run clears.
bool kopirujBezNahradenia(const fs::path& zdroj, const fs::path& ciel)
{
    Deskriptor vstup(::open(zdroj.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat udaje {};
    if (!vstup.platny() || ::fstat(vstup.fd(), &udaje) != 0 || !S_ISREG(udaje.st_mode)) return false;
    fs::path docasna;
    Deskriptor vystup = novyDocasnySubor(ciel.parent_path(), docasna);
    if (!vystup.platny()) return false;
    bool hotovo = ::fchmod(vystup.fd(), udaje.st_mode & 07777) == 0 && kopirujObsah(vstup.fd(), vystup.fd())
        && ::fsync(vystup.fd()) == 0;
    hotovo = vystup.zatvor() && hotovo;
    if (hotovo && ::link(docasna.c_str(), ciel.c_str()) != 0) {
        // A file system without hard links: the name is checked, then taken.
        struct stat existujuci {};
        hotovo = errno != EEXIST && ::lstat(ciel.c_str(), &existujuci) != 0 && errno == ENOENT
            && ::rename(docasna.c_str(), ciel.c_str()) == 0;
    }
    ::unlink(docasna.c_str());
    return hotovo;
}

bool druhSuboru(const fs::path& cesta, mode_t druh)
{
    struct stat udaje {};
    return ::stat(cesta.c_str(), &udaje) == 0 && (udaje.st_mode & S_IFMT) == druh;
}

}  // namespace

bool system::polozkyPriecinka(const fs::path& priecinok, std::vector<std::string>& mena)
{
    DIR* const zoznam = ::opendir(priecinok.c_str());
    if (!zoznam) return false;
    while (const dirent* polozka = ::readdir(zoznam)) {
        const std::string_view meno = polozka->d_name;
        if (meno != "." && meno != "..") mena.emplace_back(meno);
    }
    ::closedir(zoznam);
    return true;
}

long system::idProcesu() { return long(::getpid()); }

bool system::procesSkoncil(long id) { return ::kill(pid_t(id), 0) != 0 && errno == ESRCH; }

bool odstranSubor(const fs::path& cesta) { return ::unlink(cesta.c_str()) == 0; }

bool citajCelySubor(const fs::path& cesta, ObsahSuboru& obsah)
{
    obsah.nastavDlzku(0);
    // Without O_NONBLOCK the open of a pipe named like an export would wait
    // for a writer for ever; anything but a regular file is refused below.
    Deskriptor subor(::open(cesta.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat udaje {};
    if (!subor.platny() || ::fstat(subor.fd(), &udaje) != 0 || !S_ISREG(udaje.st_mode)) return false;
    // One byte of room beyond the size lets the read that finds the end
    // return nothing rather than need more room.
    char* data = obsah.miesto(std::size_t(udaje.st_size) + 1);
    std::size_t precitanych = 0;
    for (;;) {
        if (precitanych == obsah.kapacita()) data = obsah.miesto(2 * precitanych);
        const ssize_t precitane = ::read(subor.fd(), data + precitanych, obsah.kapacita() - precitanych);
        if (precitane < 0) {
            if (errno == EINTR) continue;
            obsah.nastavDlzku(0);
            return false;
        }
        if (precitane == 0) break;
        precitanych += std::size_t(precitane);
        obsah.nastavDlzku(precitanych);
    }
    return true;
}

bool zapisCelySubor(const fs::path& ciel, std::initializer_list<std::string_view> casti)
{
    fs::path docasna;
    Deskriptor subor = novyDocasnySubor(ciel.parent_path(), docasna);
    if (!subor.platny()) return false;
    bool hotovo = zapisVsetko(subor.fd(), casti) && ::fsync(subor.fd()) == 0;
    hotovo = subor.zatvor() && hotovo;
    hotovo = hotovo && ::rename(docasna.c_str(), ciel.c_str()) == 0;
    if (!hotovo) {
        ::unlink(docasna.c_str());
        return false;
    }
    synchronizujPriecinok(ciel.parent_path());
    return true;
}

bool presunBezNahradenia(const fs::path& zdroj, const fs::path& ciel)
{
    // A hard link fails when the target name exists, which a rename would
    // silently replace.
    if (::link(zdroj.c_str(), ciel.c_str()) == 0) {
        if (::unlink(zdroj.c_str()) == 0) return true;
        ::unlink(ciel.c_str());
        return false;
    }
    if (errno == EEXIST) return false;
    // Another file system, or one without hard links: copy, then remove the
    // source only after the copy is complete.
    if (!kopirujBezNahradenia(zdroj, ciel)) return false;
    if (::unlink(zdroj.c_str()) == 0) return true;
    ::unlink(ciel.c_str());
    return false;
}

bool jeSubor(const fs::path& cesta) { return druhSuboru(cesta, S_IFREG); }

bool jePriecinok(const fs::path& cesta) { return druhSuboru(cesta, S_IFDIR); }

}  // namespace kasamat
