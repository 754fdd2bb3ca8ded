#pragma once
// The file-system work of the statement batch: the scan of the input folder by
// mask, reading a file whole, putting a statement in place whole, moving a
// converted input without replacing anything, and the existence checks of
// files and folders. Names are Unicode on every system; contents are bytes.

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kasamat {

// The names (UTF-8) of the entries of `priecinok` that match "*." + pripona,
// the extension compared without regard to letter case. Every matching entry
// counts, folders included, as the original platform lists them; the names come
// in order without regard to letter case (ties by their bytes), so that the scan
// order is the same on every run and machine. A folder that cannot be listed
// gives no names.
std::vector<std::string> prehladajPriecinok(const std::filesystem::path& priecinok, std::string_view pripona);

// A file's bytes, read whole. The memory is kept from file to file and is not
// cleared before a read: the pages of a large export are touched once, by the
// read itself.
class ObsahSuboru {
public:
    std::string_view text() const { return {m_data.get(), m_dlzka}; }
    // Room for at least `kapacita` bytes, keeping the text; its start.
    char* miesto(std::size_t kapacita);
    std::size_t kapacita() const { return m_kapacita; }
    void nastavDlzku(std::size_t dlzka) { m_dlzka = dlzka; }

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_kapacita = 0;
    std::size_t m_dlzka = 0;
};

// Reads the regular file at the path whole: sized as the file was when opened,
// a file that grows meanwhile is read on to its end, one that shrinks gives
// what it still holds. False for anything that cannot be read as a file: a
// folder, a missing or unreadable file.
bool citajCelySubor(const std::filesystem::path& cesta, ObsahSuboru& obsah);
bool citajCelySubor(const std::filesystem::path& cesta, std::string& obsah);

// Writes the parts one after the other into a new temporary file beside
// `ciel`, flushes it to the disk and renames it over `ciel`, so that the name
// holds either the whole new content or what it held before, never a part. A
// file already named `ciel` is replaced. False when any step fails; no
// temporary file is left behind then.
bool zapisCelySubor(const std::filesystem::path& ciel, std::initializer_list<std::string_view> casti);

// Removes the temporary files that a run killed while writing a statement
// left in `priecinok` (those of processes no longer running); a temporary
// file of a run still going is left alone.
void odstranOpusteneDocasne(const std::filesystem::path& priecinok);

// Moves the file `zdroj` to `ciel`, never replacing a file already there.
// Across file systems the content is copied and the source removed only once
// the copy is complete. False when the file stays where it was.
bool presunBezNahradenia(const std::filesystem::path& zdroj, const std::filesystem::path& ciel);

// A path in `priecinok` that no file has and no other process will take: a
// temporary name of this process, hidden on POSIX systems and matching no
// bank's extension.
std::filesystem::path docasnaCesta(const std::filesystem::path& priecinok);

bool odstranSubor(const std::filesystem::path& cesta);

// True when a file (not a folder) exists at the path.
bool jeSubor(const std::filesystem::path& cesta);

// True when a folder exists at the path.
bool jePriecinok(const std::filesystem::path& cesta);

}  // namespace kasamat
