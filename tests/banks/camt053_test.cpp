#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/banka.h"
#include "banks/camt053.h"
#include "formats/cp1250.h"

#include "zbierka.h"

using namespace kasamat;
using namespace kasamat::test;

namespace {

const std::string ustrd = "Faktúra   č.\n\t12 za služby v marci";
const std::string menoDlznika = "Ján  Novák\n      a syn";

// A credit with every detail the mapping reads (and a creditor it must not).
const std::string bohaty = R"(<Ntry><Amt Ccy="EUR">75.50</Amt><CdtDbtInd>CRDT</CdtDbtInd><Sts>BOOK</Sts>
  <BookgDt><Dt>2024-03-05</Dt></BookgDt><ValDt><Dt>2024-03-04</Dt></ValDt>
  <NtryDtls><TxDtls>
    <Refs><EndToEndId>/VS2024001/SS77/KS0308</EndToEndId></Refs>
    <RltdPties><Dbtr><Nm>)"
    + menoDlznika + R"(</Nm></Dbtr><DbtrAcct><Id><IBAN>cz65 0800 0000 1920 0014 5399</IBAN></Id></DbtrAcct>
      <Cdtr><Nm>Príjemca</Nm></Cdtr><CdtrAcct><Id><IBAN>SK3112000000198742637541</IBAN></Id></CdtrAcct></RltdPties>
    <RmtInf><Ustrd>)"
    + ustrd + R"(</Ustrd></RmtInf>
  </TxDtls></NtryDtls>
  <AddtlNtryInf>Prevod</AddtlNtryInf></Ntry>
)";

std::string zaznam(std::string_view suma, std::string_view smer, std::string_view datum,
                   std::string_view detaily = "")
{
    return "<Ntry><Amt Ccy=\"EUR\">" + std::string(suma) + "</Amt><CdtDbtInd>" + std::string(smer)
        + "</CdtDbtInd><Sts>BOOK</Sts><BookgDt><Dt>" + std::string(datum) + "</Dt></BookgDt>"
        + std::string(detaily) + "</Ntry>\n";
}

std::string zostatok(std::string_view typ, std::string_view suma, std::string_view smer = "CRDT")
{
    return "<Bal><Tp><CdOrPrtry><Cd>" + std::string(typ) + "</Cd></CdOrPrtry></Tp><Amt Ccy=\"EUR\">"
        + std::string(suma) + "</Amt><CdtDbtInd>" + std::string(smer)
        + "</CdtDbtInd><Dt><Dt>2024-03-01</Dt></Dt></Bal>\n";
}

// A statement of account SK31 1200 0000 1987 4263 7541 opening with 100.00.
std::string dokument(const std::vector<std::string>& zaznamy, std::string_view konecny,
                     std::string_view verzia = "02")
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                      "<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:camt.053.001." +
                      std::string(verzia) +
                      "\">\r\n<BkToCstmrStmt><GrpHdr><MsgId>1</MsgId></GrpHdr>\r\n<Stmt><Id>1</Id>\r\n"
                      "<Acct><Id><IBAN>SK31 1200 0000 1987 4263 7541</IBAN></Id><Ccy>EUR</Ccy>"
                      "<Ownr><Nm>Účtovná jednotka</Nm></Ownr></Acct>\r\n" +
                      zostatok("OPBD", "100.00") + zostatok("CLBD", konecny);
    for (const std::string& z : zaznamy) xml += z;
    return xml + "</Stmt></BkToCstmrStmt></Document>\r\n";
}

// 100.00 + 75.50 - 25.00.
const std::string zaklad = dokument({bohaty, zaznam("25.00", "DBIT", "2024-03-02")}, "150.50");

std::string nahrad(std::string text, std::string_view co, std::string_view cim)
{
    const std::size_t kde = text.find(co);
    if (kde == std::string::npos) ADD_FAILURE() << "no " << co;
    return kde == std::string::npos ? text : text.replace(kde, co.size(), cim);
}

std::string popis(const Transakcia& t)
{
    return t.rezDatum + "|" + t.datum + "|" + t.datum2 + "|" + t.sumaText + "|" + std::to_string(t.suma) + "|"
        + (t.debet ? "D" : "K") + "|" + t.mena + "|" + t.kodBanky + "|" + t.protiucet + "|"
        + t.konstantnySymbol + "|" + t.variabilnySymbol + "|" + t.specifickySymbol + "|" + t.text;
}

// The reading of the file's lines; the batch hands the file over as one
// whole text, which must read the same for every file.
Vysledok preved(const std::string& xml)
{
    Vysledok v = kasamat::test::preved(KonverziaCamt053, xml);
    Vysledok celok;
    Zbierka zbierka;
    celok.platny = KonverziaCamt053.citaj(Riadky{xml}, {}, celok.kluc, celok.hlavicka, zbierka);
    EXPECT_EQ(celok.platny, v.platny);
    if (v.platny && celok.platny) {
        EXPECT_EQ(celok.kluc.datum + celok.kluc.oddelovac, v.kluc.datum + v.kluc.oddelovac);
        EXPECT_EQ(celok.hlavicka.vlastnyUcet, v.hlavicka.vlastnyUcet);
        EXPECT_EQ(celok.hlavicka.nazovUctu, v.hlavicka.nazovUctu);
        EXPECT_EQ(celok.hlavicka.pociatocnyZostatok, v.hlavicka.pociatocnyZostatok);
        std::vector<std::string> ocakavane, celkom;
        for (const Transakcia& t : v.transakcie) ocakavane.push_back(popis(t));
        for (const Transakcia& t : zbierka.transakcie) celkom.push_back(popis(t));
        EXPECT_EQ(celkom, ocakavane);
    }
    return v;
}

std::string utf16(std::string_view utf8, bool bigEndian)
{
    std::string vysledok = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t z = b;
        if (b >= 0xE0) {
            z = (b & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
            i += 3;
        } else if (b >= 0xC0) {
            z = (b & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
            i += 2;
        } else {
            ++i;
        }
        const char vyssi = char(z >> 8), nizsi = char(z & 0xFF);
        vysledok += bigEndian ? std::string{vyssi, nizsi} : std::string{nizsi, vyssi};
    }
    return vysledok;
}

}  // namespace

TEST(Camt053, Amounts)
{
    struct Riadok {
        const char* text;
        std::optional<std::int64_t> suma;
    } riadky[] = {
        {"75.50", 7550},
        {"75.5", 7550},
        {"75", 7500},
        {"0", 0},
        {"0075.05", 7505},
        {"9999999999.99", 999'999'999'999},
        {"10000000000", std::nullopt},
        {"75.505", std::nullopt},
        {"75.", std::nullopt},
        {".50", std::nullopt},
        {"+75.50", std::nullopt},
        {"-75.50", std::nullopt},
        {"75,50", std::nullopt},
        {"7.55E1", std::nullopt},
        {"75 .50", std::nullopt},
        {"", std::nullopt},
    };
    for (const Riadok& r : riadky) EXPECT_EQ(sumaCamt(r.text), r.suma) << r.text;
}

TEST(Camt053, FileTest)
{
    const std::string nested =
        "<!DOCTYPE Document [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;\">]>\r\n<Document";
    const std::string cudziZaznam = nahrad(zaznam("1.00", "XXXX", "2024-02-30"), "BOOK", "PDNG");
    struct Riadok {
        const char* nazov;
        std::string xml;
        bool platny;
    } riadky[] = {
        {"valid", zaklad, true},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + zaklad, true},
        {"no declaration", zaklad.substr(zaklad.find('<', 1)), true},
        {"encoding named in lower case", nahrad(zaklad, "UTF-8", "utf-8"), true},
        {"declaration naming another encoding", nahrad(zaklad, "UTF-8", "windows-1250"), false},
        {"XML 1.1", nahrad(zaklad, "version=\"1.0\"", "version=\"1.1\""), false},
        {"document type declaration with nested entities", nahrad(zaklad, "<Document", nested), false},
        {"invalid UTF-8", nahrad(zaklad, "Novák", "Nov\xC3"), false},
        {"overlong UTF-8", nahrad(zaklad, "Novák", "Nov\xC0\xAF"), false},
        {"control character", nahrad(zaklad, "Novák", "Nov\x01k"), false},
        {"truncated", zaklad.substr(0, zaklad.size() / 2), false},
        {"empty", "", false},
        {"text outside the root", zaklad + "x", false},
        {"a second root", zaklad + "<Document/>", false},
        {"root of another message", nahrad(zaklad, "camt.053.001.02", "camt.052.001.02"), false},
        {"namespace prefix",
         nahrad(nahrad(zaklad, "<Document xmlns=", "<c:Document xmlns:c="), "</Document>", "</c:Document>"),
         true},
        {"markup in CDATA, comments and values",
         nahrad(nahrad(zaklad, "<AddtlNtryInf>Prevod", "<AddtlNtryInf><![CDATA[</Ntry></Stmt>]]>"),
                "<Amt Ccy=\"EUR\">75", "<!-- <Ntry> --><?pi </Ntry>?><Amt x='/>' Ccy=\"EUR\">75"),
         true},
        {"tags that do not match inside an entry", nahrad(zaklad, "<Refs>", "<Refs><a></b>"), false},
        {"several statements", nahrad(zaklad, "</BkToCstmrStmt>", "<Stmt/></BkToCstmrStmt>"), false},
        {"no statement", nahrad(nahrad(zaklad, "<Stmt>", "<Stmt2>"), "</Stmt>", "</Stmt2>"), false},
        {"IBAN check digits", nahrad(zaklad, "SK31", "SK32"), false},
        {"IBAN of another country", nahrad(zaklad, "SK31 1200 0000 1987 4263 7541", "DE89370400440532013000"),
         false},
        {"IBAN too long", nahrad(zaklad, "7541<", "75410<"), false},
        {"PRCD opens when no OPBD", nahrad(zaklad, "OPBD", "PRCD"), true},
        {"OPBD wins over PRCD", nahrad(zaklad, "</Stmt>", zostatok("PRCD", "1.00") + "</Stmt>"), true},
        {"no opening balance", nahrad(zaklad, "OPBD", "ITBD"), false},
        {"two opening balances", nahrad(zaklad, "</Stmt>", zostatok("OPBD", "100.00") + "</Stmt>"), false},
        {"no closing balance", nahrad(zaklad, "CLBD", "CLAV"), false},
        {"two closing balances", nahrad(zaklad, "</Stmt>", zostatok("CLBD", "150.50") + "</Stmt>"), false},
        {"negative opening balance",
         nahrad(nahrad(zaklad, "100.00</Amt><CdtDbtInd>CRDT", "100.00</Amt><CdtDbtInd>DBIT"),
                "150.50</Amt><CdtDbtInd>CRDT", "49.50</Amt><CdtDbtInd>DBIT"),
         true},
        {"balance indicator", nahrad(zaklad, "100.00</Amt><CdtDbtInd>CRDT", "100.00</Amt><CdtDbtInd>CR"),
         false},
        {"balance amount shape", nahrad(zaklad, "100.00", "1E2"), false},
        {"currency from the opening balance", nahrad(zaklad, "<Ccy>EUR</Ccy>", ""), true},
        {"balance in another currency", nahrad(zaklad, "Ccy=\"EUR\">100.00", "Ccy=\"CZK\">100.00"), false},
        {"entry in another currency", nahrad(zaklad, "Ccy=\"EUR\">75.50", "Ccy=\"CZK\">75.50"), false},
        {"entry indicator", nahrad(zaklad, "DBIT", "DEBT"), false},
        {"entry amount written short", nahrad(zaklad, "75.50", "75.5"), true},
        {"entry amount with a sign", nahrad(zaklad, "25.00", "+25.00"), false},
        {"booking date with time", nahrad(zaklad, "<Dt>2024-03-02</Dt>", "<DtTm>2024-03-02T10:00:00</DtTm>"),
         true},
        {"29 February of a leap year", nahrad(zaklad, "2024-03-02", "2024-02-29"), true},
        {"29 February of another year", nahrad(zaklad, "2024-03-02", "2023-02-29"), false},
        {"month 13", nahrad(zaklad, "2024-03-02", "2024-13-02"), false},
        {"date written otherwise", nahrad(zaklad, "2024-03-02", "02.03.2024"), false},
        {"bad value date", nahrad(zaklad, "2024-03-04", "2024-03-32"), false},
        {"no booking date", nahrad(zaklad, "<BookgDt><Dt>2024-03-02</Dt></BookgDt>", ""), false},
        {"figures do not add up", nahrad(zaklad, "150.50", "150.51"), false},
        {"other entries do not count", nahrad(zaklad, "</Stmt>", cudziZaznam + "</Stmt>"), true},
        {"status as a code", nahrad(zaklad, "<Sts>BOOK</Sts>", "<Sts><Cd>BOOK</Cd></Sts>"), true},
        {"pending entry leaves the figures short", nahrad(zaklad, "<Sts>BOOK</Sts>", "<Sts>PDNG</Sts>"),
         false},
    };
    for (const Riadok& r : riadky) EXPECT_EQ(preved(r.xml).platny, r.platny) << r.nazov;
}

TEST(Camt053, KeyIsTheLatestBookingDate)
{
    const Vysledok v = preved(zaklad);
    ASSERT_TRUE(v.platny);
    EXPECT_EQ(v.kluc.datum, "20240305");
    EXPECT_EQ(v.kluc.oddelovac, ' ');
    const Vysledok prazdny = preved(dokument({}, "100.00"));
    ASSERT_TRUE(prazdny.platny);
    EXPECT_EQ(prazdny.kluc.datum, "00000000");
    EXPECT_TRUE(prazdny.transakcie.empty());
}

TEST(Camt053, HeaderAndRichEntry)
{
    const Vysledok v = preved(zaklad);
    ASSERT_TRUE(v.platny);
    EXPECT_EQ(v.hlavicka.vlastnyUcet, "0000198742637541");
    EXPECT_EQ(v.hlavicka.nazovUctu, cp1250ZUtf8("ÚČTOVNÁ JEDNOTKA"));
    EXPECT_EQ(v.hlavicka.pociatocnyZostatok, 10000);
    ASSERT_EQ(v.transakcie.size(), 2u);
    const Transakcia& t = v.transakcie[1];
    EXPECT_EQ(t.rezDatum, "20240305");
    EXPECT_EQ(t.datum, "20240305");
    EXPECT_EQ(t.datum2, "20240304");
    EXPECT_EQ(t.sumaText, "7550");
    EXPECT_EQ(t.suma, 7550);
    EXPECT_FALSE(t.debet);
    EXPECT_EQ(t.mena, "EUR");
    EXPECT_EQ(t.protiucet, "0000192000145399");
    EXPECT_EQ(t.kodBanky, "000800");
    EXPECT_EQ(t.variabilnySymbol, "2024001");
    EXPECT_EQ(t.specifickySymbol, "77");
    EXPECT_EQ(t.konstantnySymbol, "0308");
    EXPECT_EQ(t.text, cp1250ZUtf8("Faktúra č. 12 za slu"));
    // The debit without details: its value date is its booking date.
    EXPECT_EQ(v.transakcie[0].datum2, "20240302");
    EXPECT_EQ(v.transakcie[0].protiucet, "0000000000000000");
    EXPECT_EQ(v.transakcie[0].kodBanky, "");
}

TEST(Camt053, DetailsOfAnItem)
{
    struct Riadok {
        const char* nazov;
        std::string zaznam;
        std::string Transakcia::*pole;
        std::string ocakavane;
    } riadky[] = {
        {"symbol of 11 digits", nahrad(bohaty, "/VS2024001", "/VS12345678901"), &Transakcia::variabilnySymbol,
         ""},
        {"symbol not all digits", nahrad(bohaty, "/VS2024001", "/VS12A"), &Transakcia::variabilnySymbol, ""},
        {"first of two tags", nahrad(bohaty, "/VS2024001", "/VS1/VS2"), &Transakcia::variabilnySymbol, "1"},
        {"empty tag", nahrad(bohaty, "/VS2024001/SS77", "/VS/SS77"), &Transakcia::specifickySymbol, "77"},
        {"constant symbol of 5 digits", nahrad(bohaty, "/KS0308", "/KS03080"), &Transakcia::konstantnySymbol,
         ""},
        {"reference when no /VS",
         nahrad(nahrad(bohaty, "/VS2024001", "/vs1"), "<Ustrd>",
                "<Strd><CdtrRefInf><Ref>42</Ref></CdtrRefInf></Strd><Ustrd>"),
         &Transakcia::variabilnySymbol, "42"},
        {"no reference when an empty /VS",
         nahrad(nahrad(bohaty, "/VS2024001", "/VS"), "<Ustrd>",
                "<Strd><CdtrRefInf><Ref>42</Ref></CdtrRefInf></Strd><Ustrd>"),
         &Transakcia::variabilnySymbol, ""},
        {"reference of letters",
         nahrad(nahrad(bohaty, "/VS2024001", ""), "<Ustrd>",
                "<Strd><CdtrRefInf><Ref>RF18</Ref></CdtrRefInf></Strd><Ustrd>"),
         &Transakcia::variabilnySymbol, ""},
        {"name when the remittance text is blank", nahrad(bohaty, ustrd, " \t "), &Transakcia::text,
         cp1250ZUtf8("Ján Novák a syn")},
        {"name of a party",
         nahrad(nahrad(nahrad(bohaty, ustrd, ""), "<Nm>Ján", "<Pty><Nm>Ľ Š"), "</Nm></Dbtr>",
                "</Nm></Pty></Dbtr>"),
         &Transakcia::text, cp1250ZUtf8("Ľ Š Novák a syn")},
        {"entry's information last", nahrad(nahrad(bohaty, ustrd, ""), menoDlznika, ""), &Transakcia::text,
         "Prevod"},
        {"character without a letter in code page 1250", nahrad(bohaty, "Faktúra", "Fa€→ ©"),
         &Transakcia::text, cp1250ZUtf8("Fa€? © č. 12 za služ")},
        {"counterparty of another country",
         nahrad(bohaty, "cz65 0800 0000 1920 0014 5399", "DE89370400440532013000"), &Transakcia::kodBanky,
         ""},
        {"counterparty's check digits are not checked", nahrad(bohaty, "cz65", "CZ00"),
         &Transakcia::protiucet, "0000192000145399"},
    };
    for (const Riadok& r : riadky) {
        const Vysledok v = preved(dokument({r.zaznam}, "175.50"));
        ASSERT_TRUE(v.platny) << r.nazov;
        ASSERT_EQ(v.transakcie.size(), 1u) << r.nazov;
        EXPECT_EQ(v.transakcie[0].*r.pole, r.ocakavane) << r.nazov;
    }
    // A debit's counterparty is the creditor.
    const Vysledok debet = preved(dokument({nahrad(nahrad(bohaty, "CRDT", "DBIT"), ustrd, "")}, "24.50"));
    ASSERT_TRUE(debet.platny);
    EXPECT_EQ(debet.transakcie[0].protiucet, "0000198742637541");
    EXPECT_EQ(debet.transakcie[0].kodBanky, "001200");
    EXPECT_EQ(debet.transakcie[0].text, cp1250ZUtf8("Príjemca"));
}

TEST(Camt053, BatchEntrySplitsWhenItsTransactionsAddUp)
{
    const auto davka = [](std::string_view a, std::string_view b) {
        return zaznam("30.00", "DBIT", "2024-03-05",
                      "<NtryDtls><TxDtls><Amt Ccy=\"EUR\">" + std::string(a) +
                          "</Amt><RmtInf><Ustrd>prva</Ustrd></RmtInf></TxDtls></NtryDtls><NtryDtls><TxDtls>"
                          "<AmtDtls><TxAmt><Amt Ccy=\"EUR\">" +
                          std::string(b) + "</Amt></TxAmt></AmtDtls><RmtInf><Ustrd>druha</Ustrd></RmtInf></TxDtls>"
                                           "</NtryDtls>");
    };
    struct Riadok {
        const char* nazov;
        std::string zaznam;
        std::vector<std::pair<std::int64_t, std::string>> polozky;
    } riadky[] = {
        {"adds up", davka("10.00", "20.00"), {{1000, "prva"}, {2000, "druha"}}},
        {"does not add up", davka("10.00", "21.00"), {{3000, "prva"}}},
        {"an amount does not read", davka("10.00", "20,00"), {{3000, "prva"}}},
        {"another currency", nahrad(davka("10.00", "20.00"), "\"EUR\">20", "\"CZK\">20"), {{3000, "prva"}}},
    };
    for (const Riadok& r : riadky) {
        const Vysledok v = preved(dokument({r.zaznam}, "70.00"));
        ASSERT_TRUE(v.platny) << r.nazov;
        ASSERT_EQ(v.transakcie.size(), r.polozky.size()) << r.nazov;
        for (std::size_t i = 0; i < r.polozky.size(); ++i) {
            EXPECT_EQ(v.transakcie[i].suma, r.polozky[i].first) << r.nazov;
            EXPECT_EQ(v.transakcie[i].text, r.polozky[i].second) << r.nazov;
            EXPECT_TRUE(v.transakcie[i].debet) << r.nazov;
        }
    }
}

TEST(Camt053, ItemsInBookingDateOrderFileOrderWithinADate)
{
    const auto polozka = [](std::string_view datum, std::string_view text) {
        return zaznam("1.00", "CRDT", datum, "<AddtlNtryInf>" + std::string(text) + "</AddtlNtryInf>");
    };
    const Vysledok v = preved(dokument({polozka("2024-03-07", "a"), polozka("2024-03-05", "b"),
                                        polozka("2024-03-07", "c"), polozka("2024-03-05", "d")},
                                       "104.00"));
    ASSERT_TRUE(v.platny);
    std::string poradie;
    for (const Transakcia& t : v.transakcie) poradie += t.text + t.rezDatum.substr(6) + " ";
    EXPECT_EQ(poradie, "b05 d05 a07 c07 ");
    EXPECT_EQ(v.kluc.datum, "20240307");
}

TEST(Camt053, EncodingsAndVersions)
{
    const std::string utf16Deklaracia = nahrad(zaklad, "UTF-8", "UTF-16");
    std::string verzia08 =
        nahrad(dokument({bohaty}, "175.50", "08"), "<Sts>BOOK</Sts>", "<Sts><Cd>BOOK</Cd></Sts>");
    verzia08 =
        nahrad(nahrad(verzia08, "<Ownr><Nm>", "<Ownr><Pty><Nm>"), "</Nm></Ownr>", "</Nm></Pty></Ownr>");
    struct Riadok {
        const char* nazov;
        std::string xml;
        bool platny;
    } riadky[] = {
        {"UTF-16 little-endian", utf16(utf16Deklaracia, false), true},
        {"UTF-16 big-endian", utf16(utf16Deklaracia, true), true},
        {"UTF-16 big-endian ending with LF alone",
         utf16(utf16Deklaracia.substr(0, utf16Deklaracia.size() - 2) + "\n", true), true},
        {"UTF-16 declared as UTF-8", utf16(zaklad, false), false},
        {"UTF-16 without its mark", utf16(utf16Deklaracia, false).substr(2), false},
        {"UTF-16 cut inside a character", utf16(utf16Deklaracia, false) + "x", false},
        {"version 04", dokument({bohaty}, "175.50", "04"), true},
        {"version 08: status as a code, holder as a party", verzia08, true},
    };
    for (const Riadok& r : riadky) {
        const Vysledok v = preved(r.xml);
        ASSERT_EQ(v.platny, r.platny) << r.nazov;
        if (!v.platny) continue;
        EXPECT_EQ(v.hlavicka.nazovUctu, cp1250ZUtf8("ÚČTOVNÁ JEDNOTKA")) << r.nazov;
        EXPECT_EQ(v.transakcie.back().text, cp1250ZUtf8("Faktúra č. 12 za slu")) << r.nazov;
    }
}

TEST(Camt053, HostileFilesAreRefusedWithoutHarm)
{
    std::string hlboky;
    hlboky.reserve(200'000 * 7);
    for (int i = 0; i < 200'000; ++i) hlboky += "<a>";
    for (int i = 0; i < 200'000; ++i) hlboky += "</a>";
    EXPECT_FALSE(preved(nahrad(zaklad, "<AddtlNtryInf>", hlboky + "<AddtlNtryInf>")).platny);

    std::string dlhy = nahrad(zaklad, "Prevod", "");
    dlhy.insert(dlhy.find("</AddtlNtryInf>"), std::string(100'000'000, 'x'));
    EXPECT_FALSE(preved(dlhy).platny);
}
