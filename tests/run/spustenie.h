#pragma once
// Runs a program and collects its exit status and what it wrote. Its output
// goes to files in a folder of the caller's, so nothing can block on a pipe.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "docasny_priecinok.h"

extern char** environ;

namespace kasamat::test {

struct Beh {
    int status = -1;
    std::string vystup;
    std::string chyby;
};

inline Beh spusti(const std::filesystem::path& program, const std::vector<std::string>& argumenty,
                  const std::filesystem::path& priecinokVystupu)
{
    const std::string vystup = (priecinokVystupu / "stdout").string();
    const std::string chyby = (priecinokVystupu / "stderr").string();
    posix_spawn_file_actions_t akcie;
    posix_spawn_file_actions_init(&akcie);
    posix_spawn_file_actions_addopen(&akcie, 1, vystup.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&akcie, 2, chyby.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<std::string> texty{program.string()};
    texty.insert(texty.end(), argumenty.begin(), argumenty.end());
    std::vector<char*> argv;
    for (std::string& text : texty) argv.push_back(text.data());
    argv.push_back(nullptr);

    Beh beh;
    pid_t pid = 0;
    const int chyba = posix_spawn(&pid, argv[0], &akcie, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&akcie);
    int stav = 0;
    if (chyba == 0 && waitpid(pid, &stav, 0) == pid && WIFEXITED(stav)) beh.status = WEXITSTATUS(stav);
    beh.vystup = citajSubor(vystup);
    beh.chyby = citajSubor(chyby);
    return beh;
}

inline std::filesystem::path programBehu() { return std::filesystem::path(KASAMAT_BIN_DIR) / "kasamat-batch"; }

}  // namespace kasamat::test
