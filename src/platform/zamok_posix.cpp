// The settings lock on POSIX systems: flock, which the kernel drops with the
// last descriptor of the file, when the process ends in any way.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/zamok.h"

namespace kasamat {

ZamokNastaveni::ZamokNastaveni(const std::filesystem::path& nastavenia)
{
    const std::string cesta = nastavenia.string() + ".lock";
    int fd = ::open(cesta.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A lock file that another user made: the lock needs no right to write.
    if (fd < 0 && errno == EACCES) fd = ::open(cesta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    m_subor = fd;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_stav = Stav::Drzany;
        // The holder's id, for a second start that looks for its window;
        // without it that start shows its message instead.
        const std::string id = std::to_string(::getpid());
        static_cast<void>(::ftruncate(fd, 0) == 0 && ::pwrite(fd, id.data(), id.size(), 0) > 0);
        return;
    }
    if (errno != EWOULDBLOCK) return;
    m_stav = Stav::Obsadeny;
    char text[24] = {};
    if (const ssize_t dlzka = ::pread(fd, text, sizeof text - 1, 0); dlzka > 0) m_drzitel = std::atol(text);
}

ZamokNastaveni::~ZamokNastaveni()
{
    // Closing the file drops the lock; the file stays, so that a process
    // waiting on it never locks a file that is no longer the one in the folder.
    if (m_subor >= 0) ::close(int(m_subor));
}

// An X11 or Wayland desktop lets no program raise another program's window.
bool ukazOknoProcesu(long) { return false; }

}  // namespace kasamat
