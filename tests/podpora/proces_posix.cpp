#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "podpora/proces.h"

extern char** environ;

namespace kasamat::test {

namespace {

constexpr uid_t nikto = 65534;

bool somSpravca() { return ::geteuid() == 0; }

}  // namespace

Proces::Proces(const std::filesystem::path& program, const std::vector<std::string>& argumenty,
               const std::filesystem::path& priecinokVystupu, bool akoPouzivatel)
{
    const std::string vystup = (priecinokVystupu / "stdout").string();
    const std::string chyby = (priecinokVystupu / "stderr").string();
    posix_spawn_file_actions_t akcie;
    posix_spawn_file_actions_init(&akcie);
    posix_spawn_file_actions_addopen(&akcie, 1, vystup.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&akcie, 2, chyby.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<std::string> texty;
    if (akoPouzivatel && somSpravca())
        texty = {"/usr/bin/setpriv", "--reuid=" + std::to_string(nikto), "--regid=" + std::to_string(nikto),
                 "--clear-groups", "--"};
    texty.push_back(program.string());
    texty.insert(texty.end(), argumenty.begin(), argumenty.end());
    std::vector<char*> argv;
    for (std::string& text : texty) argv.push_back(text.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int chyba = posix_spawn(&pid, argv[0], &akcie, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&akcie);
    if (chyba != 0) throw std::runtime_error("cannot start " + texty[0]);
    m_id = pid;
}

Proces::~Proces()
{
    if (!m_skoncil) zabi();
}

bool Proces::skoncil()
{
    int stav = 0;
    if (!m_skoncil && ::waitpid(pid_t(m_id), &stav, WNOHANG) == pid_t(m_id)) {
        m_skoncil = true;
        m_status = WIFEXITED(stav) ? WEXITSTATUS(stav) : -1;
    }
    return m_skoncil;
}

int Proces::cakaj()
{
    int stav = 0;
    if (!m_skoncil && ::waitpid(pid_t(m_id), &stav, 0) == pid_t(m_id)) {
        m_skoncil = true;
        m_status = WIFEXITED(stav) ? WEXITSTATUS(stav) : -1;
    }
    return m_status;
}

void Proces::zabi()
{
    if (!skoncil()) ::kill(pid_t(m_id), SIGKILL);
    cakaj();
}

void odovzdajPouzivatelovi(const std::filesystem::path& priecinok)
{
    if (!somSpravca()) return;
    ::lchown(priecinok.c_str(), nikto, nikto);
    for (const auto& polozka : std::filesystem::recursive_directory_iterator(priecinok))
        ::lchown(polozka.path().c_str(), nikto, nikto);
}

bool maObrazovku()
{
    const char* displej = std::getenv("DISPLAY");
    return displej && *displej && std::system("command -v xdotool >/dev/null") == 0;
}

bool zatvorOkno(const std::string& nazov)
{
    const std::string hladaj =
        "timeout 60 xdotool search --sync --onlyvisible --name '^" + nazov + "$' >/dev/null 2>&1";
    if (std::system(hladaj.c_str()) != 0) return false;
    // The window gets the focus and Enter, which its default button takes;
    // xdotool then fails on the key's release to a window already gone.
    const std::string zatvor =
        "xdotool search --onlyvisible --name '^" + nazov + "$' windowfocus --sync key Return >/dev/null 2>&1";
    static_cast<void>(std::system(zatvor.c_str()));
    return true;
}

bool podWine() { return false; }

void nastavPremennu(const std::string& meno, const std::string& hodnota)
{
    ::setenv(meno.c_str(), hodnota.c_str(), 1);
}

}  // namespace kasamat::test
