#pragma once
// The XML side of the camt.053 conversion: a file's bytes checked as XML 1.0
// in UTF-8 or UTF-16 with a byte-order mark and read with pugixml, and the
// elements below its Document found by their local names.
//
// A statement of many entries is not read into one tree: a tree costs more
// memory than the text it holds, several times more for short elements. The
// statement's entries (Document/BkToCstmrStmt/Stmt/Ntry) are cut out of the
// text and each is read into a tree of its own, one at a time; the rest of
// the document, its skeleton, is one small tree. The file is well-formed
// exactly when the skeleton and every entry are, the entries standing where
// the skeleton's Stmt holds its children.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace kasamat {

class XmlCamt {
public:
    // Checks the text, cuts out the entries and reads the skeleton. False when
    // the bytes of a UTF-16 file or of the skeleton are not XML 1.0 in their
    // encoding, the declaration names another encoding, the file holds a
    // document type declaration, the skeleton is not well-formed, nests
    // elements deeper than any statement or holds a value longer than any
    // statement's, or its root is not the Document of a camt.053 namespace,
    // or the text is longer than 4 GiB, far beyond any bank's statement.
    // The bytes must outlive the reading of the entries.
    bool citaj(std::string_view obsah);
    // The Document element of the skeleton; empty until a reading succeeded.
    pugi::xml_node koren() const { return m_koren; }

    std::size_t pocetZaznamov() const { return m_zaznamy.size(); }
    // Reads entry `index` (in file order) into the entry tree, in place of
    // the one before; an empty node when its bytes are not XML 1.0 in UTF-8
    // or it is not a well-formed element within the same limits. A file is
    // valid XML only when every one of its entries reads.
    pugi::xml_node zaznam(std::size_t index);

private:
    // Where an entry stands in the text. Half the width of a size: a file of
    // millions of empty entries must not take several times its size only
    // to list them.
    struct Usek {
        std::uint32_t od;
        std::uint32_t dlzka;
    };
    bool rozdel();

    // A UTF-16 file decoded into UTF-8; a UTF-8 file is read where it stands.
    std::string m_dekodovany;
    std::string_view m_text;
    std::vector<Usek> m_zaznamy;
    // The texts parsed in place: the trees' names and values point into them.
    std::string m_kostra;
    std::string m_textZaznamu;
    // Whether the pieces are checked as UTF-8 when they are copied out.
    bool m_overitUtf8 = false;
    pugi::xml_document m_dokument;
    pugi::xml_document m_dokumentZaznamu;
    pugi::xml_node m_koren;
};

// The element's name without its namespace prefix.
std::string_view lokalneMeno(pugi::xml_node uzol);

// The first child element, or the next sibling element, of the local name;
// an empty node when there is none (an empty node has no children either).
pugi::xml_node dieta(pugi::xml_node rodic, std::string_view meno);
pugi::xml_node dalsi(pugi::xml_node uzol, std::string_view meno);

// For each local name of `mena`, its first child element in the same place of
// `najdene` (an empty node where there is none): what `dieta` finds for each
// of them, in one walk of the children.
void najdiDeti(pugi::xml_node rodic, std::span<const std::string_view> mena,
               std::span<pugi::xml_node> najdene);

// The first element down a path of local names, each a child of the one before.
pugi::xml_node cesta(pugi::xml_node od, std::initializer_list<std::string_view> mena);

// The element's text trimmed of blanks, tabs and line ends.
std::string_view hodnota(pugi::xml_node uzol);

}  // namespace kasamat
