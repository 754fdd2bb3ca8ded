#pragma once
// The settings database: one connection on an encrypted SQLCipher file and the
// one SQL entry point, SQL. Failures are silent by design: SQL answers -1 and
// a failed SELECT reads as no rows. Not thread-safe: the window serializes
// every use (the worker asks the window's thread to run its statements).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace kasamat {

// The password built into the program; both database files carry it.
inline constexpr std::string_view hesloDatabazy = "vanu7kestrodiaPyKolm";

class Databaza {
public:
    Databaza() = default;
    ~Databaza();
    Databaza(const Databaza&) = delete;
    Databaza& operator=(const Databaza&) = delete;

    // Closes the connection, then opens the existing file at the path with the
    // password, in shared mode. A missing file is not created. A wrong password
    // is noticed only by the first statement, which then fails.
    bool otvor(const std::string& cesta, std::string_view heslo = hesloDatabazy);
    void zatvor();
    bool jeOtvorena() const { return m_spojenie != nullptr; }

    // Runs one statement. A statement whose first six characters are exactly
    // "SELECT" returns its number of rows and leaves them for reading; any
    // other statement returns -1, and so does every failure.
    int SQL(std::string_view prikaz);

    // The rows of the last SELECT, counted from 0, columns by name. A NULL,
    // a missing row or a missing column reads as the empty text or as 0.
    std::string text(int riadok, std::string_view stlpec) const;
    long long cislo(int riadok, std::string_view stlpec) const;

    // The last statement failed because another connection held the file
    // locked for longer than the wait: the file is in use, not damaged.
    bool zamknuta() const { return m_zamknuta; }
    // The last statement did not run to its end: for a statement other than
    // a SELECT, whose answer is -1 either way, the only sign that it failed.
    bool zlyhal() const { return m_zlyhal; }

private:
    sqlite3* m_spojenie = nullptr;
    bool m_zamknuta = false;
    bool m_zlyhal = false;
    std::vector<std::string> m_stlpce;
    std::vector<std::vector<std::optional<std::string>>> m_riadky;
};

// A text as it is written between the single quotes of a statement: every
// apostrophe doubled, so the text is stored exactly as typed and can never end
// the literal and change another column or row.
std::string sqlText(std::string_view text);

// "UPDATE Ulohy SET CisloVypisu='<cislo>' WHERE ID=<id>;", the statement that
// stores a task's next statement number after each statement written.
std::string prikazCisloVypisu(int idUlohy, int cislo);

}  // namespace kasamat
