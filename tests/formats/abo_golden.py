#!/usr/bin/env python3
"""Writes the golden cases of the Tatra banka CSV and Fio banka conversions
(tests/data/golden/tatra-csv-*/ and fio-*/): the exports, and the ABO
statements and run log expected from them, computed here on their own from
the layouts of the exports and of the ABO records.

Run it from anywhere: python3 tests/formats/abo_golden.py
"""

import shutil
from pathlib import Path

GOLDEN = Path(__file__).resolve().parent.parent / "data" / "golden"
SEPARATOR = "-" * 100
MAX_14 = 99_999_999_999_999


def cp(text):
    return text.encode("cp1250")


def zeros(value, width):
    assert value.isdigit() or value == "", value
    assert len(value) <= width, (value, width)
    return value.rjust(width, "0").encode()


def text20(value):
    return value[:20].ljust(20, b" ")


def ddmmyy(key):
    return (key[6:8] + key[4:6] + key[2:4]).encode()


def key_of(date):
    """yyyymmdd of dd.mm.yyyy"""
    return date[6:10] + date[3:5] + date[0:2]


def internal(plain16):
    assert len(plain16) == 16
    return "".join(plain16[i - 1] for i in (16, 14, 15, 12, 7, 8, 9, 10, 11, 13, 1, 2, 3, 4, 5, 6))


def record_075(own, counter, amount, debit, vs, bank, ks, ss, value_date, text, code, date):
    r = (b"075" + own.encode() + counter.encode() + b"0" * 13 + zeros(amount, 12)
         + (b"1" if debit else b"2") + zeros(vs, 10) + zeros(bank, 6) + zeros(ks, 4) + zeros(ss, 10)
         + ddmmyy(value_date) + text20(text) + code + ddmmyy(date))
    assert len(r) == 128
    return r + b"\r\n"


def sign(value):
    return b"-" if value < 0 else b"+"


def record_074(own, name, first, opening, debit, credit, number, last, turnover_sign, end):
    """`turnover_sign` is b"0" or b"+"; `end` the closing field (positions 115-128)."""
    closing = opening + credit - debit
    for v in (opening, closing, debit, credit):
        assert abs(v) <= MAX_14
    assert len(end) == 14
    r = (b"074" + own.encode() + text20(name) + ddmmyy(first) + zeros(str(abs(opening)), 14) + sign(opening)
         + zeros(str(abs(closing)), 14) + sign(closing) + zeros(str(debit), 14) + turnover_sign
         + zeros(str(credit), 14) + turnover_sign + zeros(str(number), 3) + ddmmyy(last) + end)
    assert len(r) == 128
    return r + b"\r\n"


def money(hundredths, thousands=False):
    units, cents = divmod(abs(hundredths), 100)
    u = str(units)
    if thousands:
        groups = []
        while len(u) > 3:
            groups.insert(0, u[-3:])
            u = u[:-3]
        u = " ".join([u] + groups)
    return ("-" if hundredths < 0 else "") + u + "," + f"{cents:02d}"


def trim(b):
    return b.strip(bytes(range(33)))


# ---------------------------------------------------------------- Fio banka

FIO_COLUMNS = ("Prevod;Dátum;Objem;Protiúčet;Kód banky;KS;VS;ŠS;Užívateľská identifikácia;Typ;Vykonal;"
               "Názov protiúčtu;Názov banky;")


def fio_line(n, t):
    date, amount, counter, bank, ks, vs, ss, ident, typ, who, cname, bname = t
    return f"{n};{date};{money(amount)};{counter};{bank};{ks};{vs};{ss};{ident};{typ};{who};{cname};{bname};"


def fio_export(account, holder, opening, transactions, lines=None):
    credits = sum(t[1] for t in transactions if t[1] > 0)
    debits = -sum(t[1] for t in transactions if t[1] < 0)
    first = transactions[0][0] if transactions else "01.03.2019"
    last = transactions[-1][0] if transactions else "31.03.2019"
    head = [
        f'Prehľad vybraných transakcií na účte "{account}/8330"',
        f"Majiteľ účtu: {holder}",
        "Vytvorené v aplikácii Internetbanking: 02.05.2019 08:14:55",
        f"Obdobie: {first} - {last}",
        f"Počiatočný stav účtu k {first}: {money(opening, True)} EUR",
        f"Koncový stav účtu k {last}: {money(opening + credits - debits, True)} EUR",
        f"Suma príjmov: +{money(credits, True)}",
        f"Suma výdajov: -{money(debits, True)}",
        "",
        FIO_COLUMNS,
    ]
    body = lines if lines is not None else [fio_line(7000 + i, t) for i, t in enumerate(transactions)]
    tail = [f"0;Suma;{money(credits - debits)};;;;;;;;;;;", "Vygenerované službou Internetbanking Fio banky"]
    return b"".join(cp(l) + b"\r\n" for l in head + body + tail)


def fio_counter(counter):
    if "-" in counter:
        prefix, number = counter.split("-", 1)
        return prefix.rjust(6, "0") + number.rjust(10, "0")
    return counter.rjust(16, "0")


def fio_statements(account, holder, opening, transactions, daily):
    """The statements of one file: (date key, bytes) in order, numbers filled in later."""
    own = account.rjust(16, "0")
    name = cp(holder.split(",", 1)[0].upper())
    groups = []
    for t in transactions:
        k = key_of(t[0])
        if not groups or (daily and key_of(groups[-1][-1][0]) != k):
            groups.append([])
        groups[-1].append(t)
    out = []
    balance = opening
    for g in groups:
        items = b""
        debit = credit = 0
        for date, amount, counter, bank, ks, vs, ss, ident, typ, *_ in g:
            k = key_of(date)
            units = money(amount).lstrip("-").replace(",", "")
            items += record_075(own, fio_counter(counter), units, amount < 0, vs, bank, ks, ss, k,
                                cp(ident if ident else typ), b"00203", k)
            if amount < 0:
                debit += -amount
            else:
                credit += amount
        first, last = key_of(g[0][0]), key_of(g[-1][0])
        out.append((last, lambda number, b=balance, d=debit, c=credit, f=first, l=last, i=items:
                    record_074(own, name, f, b, d, c, number, l, b"0", b"FIO".ljust(14)) + i))
        balance += credit - debit
    return out


FIO_MAREC = [
    ("01.03.2019", -150000, "19-1234567890", "0900", "0308", "2019001", "", "Nájomné marec 2019", "Platba prevodom", "Ján Novák", "Prenajímateľ s.r.o.", "Slovenská sporiteľňa, a.s."),
    ("01.03.2019", 25050, "2628765432", "1100", "", "31190045", "", "", "Príjem prevodom", "", "Ľubomír Šťastný", "Tatra banka, a.s."),
    ("04.03.2019", -1299, "", "", "", "", "", "", "Poplatok za vedenie účtu", "", "", ""),
    ("04.03.2019", 120000, "000000-0987654321", "0200", "0008", "2019117", "9", "Úhrada faktúry č. 2019/117 za služby", "Príjem prevodom", "", "Žilinská účtovná, s.r.o.", "Všeobecná úverová banka, a.s."),
    ("05.03.2019", -4590, "5500112233", "7500", "1178", "", "", "Telefón – február", "Platba prevodom", "Ján Novák", "Telekom", "ČSOB, a.s."),
    ("05.03.2019", -36000, "19-5566778899", "0900", "0558", "1903", "190305", "Odvod poistného", "Platba prevodom", "Ján Novák", "Sociálna poisťovňa", "Slovenská sporiteľňa, a.s."),
    ("07.03.2019", 5, "", "", "", "", "", "Úrok", "Pripísaný úrok", "", "", ""),
    ("07.03.2019", 98765, "1234567890123456", "3100", "", "9900112233", "1234567890", "Záloha na tovar", "Príjem prevodom", "", "Ďurčová Ivana", "Sberbank Slovensko"),
    ("11.03.2019", -2000000, "2000145399", "8180", "1148", "7011120199", "", "Daň z príjmov", "Platba prevodom", "Ján Novák", "Daňový úrad", "Štátna pokladnica"),
    ("11.03.2019", 2500000, "", "", "", "", "", "Vklad hotovosti", "Vklad v hotovosti", "Ján Novák", "", ""),
    ("12.03.2019", -12345, "123-4567", "5200", "0308", "555", "", "Kancelárske potreby a tonery", "Platba kartou", "Ján Novák", "Papiernictvo Ôsmička", "OTP Banka Slovensko"),
    ("13.03.2019", 7000, "670100-2202020202", "8330", "", "20190313", "", "", "Okamžitá platba", "", "Čierny Ľudovít", "Fio banka, a.s."),
    ("13.03.2019", -99, "", "", "", "", "", "", "Poplatok SMS", "", "", ""),
    ("15.03.2019", -45000, "2929292929", "1111", "0138", "2019", "", "Mzda február – Ďurica", "Platba prevodom", "Ján Novák", "Ďurica Peter", "UniCredit Bank"),
    ("15.03.2019", -45000, "2929292930", "1111", "0138", "2019", "", "Mzda február – Šimko", "Platba prevodom", "Ján Novák", "Šimko Ján", "UniCredit Bank"),
    ("18.03.2019", 333333, "4455667788", "0200", "", "2019120", "", "Faktúra 2019/120", "Príjem prevodom", "", "Kováčová Mária", "VÚB, a.s."),
    ("20.03.2019", -8888, "19-1234567890", "0900", "", "", "", "Energie", "Trvalý príkaz", "Ján Novák", "Prenajímateľ s.r.o.", "Slovenská sporiteľňa, a.s."),
    ("22.03.2019", 10, "", "", "", "", "", "", "Vrátenie poplatku", "", "", ""),
    ("25.03.2019", -160000, "1020304050", "6500", "3558", "20190325", "", "Leasing – splátka č. 14", "Inkaso", "", "Leasing, a.s.", "Poštová banka"),
    ("25.03.2019", 60000, "1020304050", "6500", "", "", "", "Preplatok", "Príjem prevodom", "", "Leasing, a.s.", "Poštová banka"),
    ("27.03.2019", -7500, "", "", "", "", "", "Výber z bankomatu", "Výber hotovosti", "Ján Novák", "", ""),
    ("29.03.2019", 45678, "8765432109", "0900", "0308", "1", "2", "Faktúra 2019/121", "Príjem prevodom", "", "Ťažká technika s.r.o.", "Slovenská sporiteľňa, a.s."),
]

FIO_APRIL = [
    ("02.04.2019", -20000, "19-1234567890", "0900", "0308", "2019004", "", "Nájomné apríl 2019", "Platba prevodom", "Ján Novák", "Prenajímateľ s.r.o.", "Slovenská sporiteľňa, a.s."),
    ("02.04.2019", 1500, "", "", "", "", "", "", "Príjem prevodom", "", "", ""),
    ("09.04.2019", 12000, "2628765432", "1100", "0008", "31190046", "", "Úhrada dobropisu", "Príjem prevodom", "", "Ľubomír Šťastný", "Tatra banka, a.s."),
    ("09.04.2019", -1299, "", "", "", "", "", "", "Poplatok za vedenie účtu", "", "", ""),
    ("16.04.2019", -3050, "5500112233", "7500", "1178", "", "", "Telefón – marec", "Platba prevodom", "Ján Novák", "Telekom", "ČSOB, a.s."),
    ("30.04.2019", 4, "", "", "", "", "", "Úrok", "Pripísaný úrok", "", "", ""),
]

FIO_HOLDER = "Účtovná jednotka Ôsmička, Hlavná 1, Bratislava"
FIO_ACCOUNT = "2801234567"
FIO_APRIL_HOLDER = "Ďurčová Ivana – živnosť, Nám. SNP 3, Žilina"


def fio_case(name, daily, number):
    files = [
        ("vypis_marec.csv", FIO_ACCOUNT, FIO_HOLDER, 123456, FIO_MAREC),
        # Opens below zero and ends there.
        ("Fio_april.csv", "0000012345", FIO_APRIL_HOLDER, -5000, FIO_APRIL),
    ]
    inputs = {}
    statements = []
    for fname, account, holder, opening, txs in files:
        inputs[fname] = fio_export(account, holder, opening, txs)
        statements += [(fname[:-4], last, make) for last, make in
                       fio_statements(account, holder, opening, txs, daily)]
    invalid = {
        # An amount written with "+" passes the line test but cannot be written.
        "plus_suma.csv": fio_export(FIO_ACCOUNT, FIO_HOLDER, 0, FIO_MAREC[:3],
                                    [fio_line(1, FIO_MAREC[0]), fio_line(2, FIO_MAREC[1]).replace(";250,50;", ";+250,50;"),
                                     fio_line(3, FIO_MAREC[2])]),
        # A header and a sum line without any transaction line.
        "prazdny.csv": fio_export(FIO_ACCOUNT, FIO_HOLDER, 0, []),
        # The column line without its last ";".
        "stlpce.csv": fio_export(FIO_ACCOUNT, FIO_HOLDER, 0, FIO_MAREC[:3]).replace(cp("Názov banky;\r\n"),
                                                                                   cp("Názov banky\r\n")),
    }
    write_case(name, 3, None, daily, number, inputs, invalid, statements, ".gpc")


# ---------------------------------------------------------- Tatra banka CSV

TATRA_COLUMNS = ('"Dátum spracovania","Dátum zúčtovania",Suma,Mena,Typ,"Predčíslie","Číslo účtu","Kód banky",'
                 'IBAN,"Variabilný symbol","Špecifický symbol","Konštantný symbol","Referencia platiteľa",'
                 '"Informácia pre príjemcu",Popis')


def tatra_record(r):
    """The export's text of one record; a line break inside a quoted field splits it into lines."""
    return ",".join([r["proc"], r["book"], '"' + money(r["amount"]) + '"', r.get("cur", "EUR"), r["typ"],
                     r.get("pre", ""), r.get("acc", ""), r.get("bank", ""), r.get("iban", ""), r.get("vs", ""),
                     r.get("ss", ""), r.get("ks", ""), r.get("ref", ""), r.get("info", ""), r.get("popis", "")])


def tatra_text(r):
    def field(raw, quoted_strip):
        b = cp(raw.replace("\n", " "))
        if quoted_strip and b.startswith(b'"'):
            b = b[1:-1]
        return trim(b)

    info = field(r.get("info", ""), True)
    return info if info else field(r.get("popis", ""), True)


def tatra_export(records, newest_first):
    order = list(reversed(records)) if newest_first else records
    text = TATRA_COLUMNS + "\n" + "\n".join(tatra_record(r) for r in order) + "\n"
    return cp(text.replace("\n", "\r\n"))


def tatra_statements(account, records, daily):
    own = internal(account.rjust(16, "0"))
    groups = []
    for r in records:
        if not groups or (daily and key_of(groups[-1][-1]["proc"]) != key_of(r["proc"])):
            groups.append([])
        groups[-1].append(r)
    out = []
    for g in groups:
        items = b""
        debit = credit = 0
        for r in g:
            counter = internal(trim(r.get("pre", "").encode()).decode().rjust(6, "0")
                               + trim(r.get("acc", "").encode()).decode().rjust(10, "0"))
            amount = money(r["amount"]).replace(",", "")
            items += record_075(own, counter, amount, r["typ"] == "Debet", r.get("vs", "").strip(),
                                r.get("bank", "").strip(), r.get("ks", "").strip(), r.get("ss", "").strip(),
                                key_of(r["book"]), tatra_text(r), b"00000", key_of(r["proc"]))
            if r["typ"] == "Debet":
                debit += r["amount"]
            else:
                credit += r["amount"]
        first, last = key_of(g[0]["proc"]), key_of(g[-1]["proc"])
        currency = cp(g[-1].get("cur", "EUR"))
        out.append((last, lambda number, d=debit, c=credit, f=first, l=last, i=items, m=currency:
                    record_074(own, m, f, 0, d, c, number, l, b"+", b" " * 14) + i))
    return out


def t(proc, book, amount, typ, **kw):
    return dict(proc=proc, book=book, amount=amount, typ=typ, **kw)


# Oldest first, as the bank lists a period by default.
TATRA_MAREC = [
    t("01.03.2019", "01.03.2019", 150000, "Debet", pre="19", acc="1234567890", bank="0900", iban="SK3109000000191234567890", vs="2019001", ks="0308", info='"Nájomné marec 2019"', popis="Platba prevodom"),
    t("01.03.2019", "28.02.2019", 25050, "Kredit", acc="2801234567", bank="8330", iban="SK6183300000002801234567", vs="31190045", info="", popis="Príjem prevodom"),
    t("04.03.2019", "04.03.2019", 1299, "Debet", info='""', popis='"Poplatok za vedenie účtu"'),
    t("04.03.2019", "02.03.2019", 120000, "Kredit", acc="0987654321", bank="0200", vs=" 2019117", ss="9", ks="8",
      ref='"REF-2019/117"', info='"Úhrada faktúry č. 2019/117\nza účtovné služby"', popis="Platba prevodom"),
    t("05.03.2019", "05.03.2019", 4590, "Debet", pre="000000", acc="5500112233", bank="7500", ks="1178", info='"Telefón – február"', popis="SEPA prevod"),
    t("05.03.2019", "05.03.2019", 36000, "Debet", pre="19", acc="5566778899", bank="0900", vs="1903", ss="190305", ks="0558", info="Odvod poistného", popis="Platba prevodom"),
    t("07.03.2019", "07.03.2019", 5, "Kredit", info='""', popis='"Úrok, kladný"'),
    t("07.03.2019", "06.03.2019", 98765, "Kredit", pre="123456", acc="7890123456", bank="3100", vs="9900112233", ss="1234567890",
      info='"Záloha na tovar,\nobjednávka č. 55,\nĎakujeme"', popis="Platba prevodom"),
    t("11.03.2019", "11.03.2019", 2000000, "Debet", acc="2000145399", bank="8180", vs="7011120199", ks="1148", info='"Daň z príjmov"', popis="Platba prevodom"),
    t("11.03.2019", "11.03.2019", 2500000, "Kredit", info="", popis="   Vklad hotovosti   "),
    t("12.03.2019", "12.03.2019", 12345, "Debet", pre="123", acc="4567", bank="5200", vs="555", ks="0308", info='"Kancelárske potreby a tonery pre kanceláriu"', popis="Platba kartou"),
    t("13.03.2019", "13.03.2019", 7000, "Kredit", pre="670100", acc="2202020202", bank="8330", vs="20190313", info="", popis='"Okamžitá platba\nod Ľudovíta Čierneho"'),
    t("15.03.2019", "15.03.2019", 45000, "Debet", acc="2929292929", bank="1111", vs="2019", ks="0138", info='"Mzda február – Ďurica"', popis="Platba prevodom"),
    t("15.03.2019", "15.03.2019", 45000, "Debet", acc="2929292930", bank="1111", vs="2019", ks="0138", info='"Mzda február – Šimko"', popis="Platba prevodom"),
    t("18.03.2019", "18.03.2019", 333333, "Kredit", acc=" 4455667788 ", bank=" 0200 ", vs="2019120", info='"Faktúra 2019/120"', popis="Platba prevodom"),
    t("20.03.2019", "20.03.2019", 8888, "Debet", pre="19", acc="1234567890", bank="0900", info='"Energie"', popis="Trvalý príkaz"),
    t("25.03.2019", "25.03.2019", 160000, "Debet", acc="1020304050", bank="6500", vs="20190325", ks="3558", info='"Leasing – splátka č. 14"', popis="Inkaso"),
    t("25.03.2019", "25.03.2019", 60000, "Kredit", acc="1020304050", bank="6500", info="", popis="Preplatok"),
    t("27.03.2019", "27.03.2019", 7500, "Debet", info='"Výber z bankomatu"', popis="Výber hotovosti"),
    t("29.03.2019", "28.03.2019", 45678, "Kredit", acc="8765432109", bank="0900", vs="1", ss="2", ks="0308",
      info='"Faktúra 2019/121"', popis='"Platba,\nprevodom"'),
]

# Listed newest first, as the bank lists a search result.
TATRA_APRIL = [
    t("02.04.2019", "02.04.2019", 20000, "Debet", pre="19", acc="1234567890", bank="0900", vs="2019004", ks="0308", info='"Nájomné apríl 2019"', popis="Platba prevodom"),
    t("02.04.2019", "01.04.2019", 1500, "Kredit", info="", popis="Príjem prevodom"),
    t("09.04.2019", "09.04.2019", 12000, "Kredit", acc="2628765432", bank="1100", vs="31190046", ks="0008",
      info='"Úhrada dobropisu\nč. 2019/7"', popis="Platba prevodom"),
    t("09.04.2019", "09.04.2019", 1299, "Debet", info='""', popis='"Poplatok za vedenie účtu"'),
    t("16.04.2019", "16.04.2019", 3050, "Debet", acc="5500112233", bank="7500", ks="1178", info='"Telefón – marec"', popis="SEPA prevod"),
    t("26.04.2019", "26.04.2019", 4, "Kredit", info='""', popis='"Úrok"'),
    t("26.04.2019", "25.04.2019", 987600, "Debet", acc="9988776655", bank="0900", vs="2019044", info='"Splátka úveru\n\nč. 2019/44"', popis="Platba prevodom"),
]

TATRA_ACCOUNT = "2628765432"


def tatra_case(name, daily, number):
    files = [("tb_marec.csv", TATRA_MAREC, False), ("tb_april.csv", TATRA_APRIL, True)]
    inputs = {}
    statements = []
    for fname, records, newest_first in files:
        inputs[fname] = tatra_export(records, newest_first)
        statements += [(fname[:-4], last, make) for last, make in tatra_statements(TATRA_ACCOUNT, records, daily)]
    invalid = {
        # The export gives the direction in Typ only; a signed amount is not one of its.
        "znamienko.csv": tatra_export(TATRA_MAREC[:2], False).replace(cp('"250,50"'), cp('"-250,50"')),
        # The last record opens a quote that the file never closes.
        "otvorena.csv": tatra_export(TATRA_MAREC[:2] + [dict(TATRA_MAREC[3], info='"Úhrada faktúry')], False),
        "hlavicka.csv": cp(TATRA_COLUMNS + "\r\n"),
        # A variable symbol of 11 digits does not fit its 10.
        "dlhy_symbol.csv": tatra_export([dict(TATRA_MAREC[0], vs="12345678901")], False),
    }
    write_case(name, 2, TATRA_ACCOUNT, daily, number, inputs, invalid, statements, ".gpc")


def fio_invalid_case(name):
    ok = [fio_line(i, r) for i, r in enumerate(FIO_MAREC[:4])]
    big = ("01.03.2019", 999_999_999_999, "", "", "", "", "", "Veľký vklad", "Vklad", "", "", "")

    def with_line(line):
        return fio_export(FIO_ACCOUNT, FIO_HOLDER, 0, FIO_MAREC[:4], ok[:2] + [line] + ok[2:])

    invalid = {
        "a_kratky.csv": b"\r\n".join(fio_export(FIO_ACCOUNT, FIO_HOLDER, 0, []).split(b"\r\n")[:11]) + b"\r\n",
        "b_ucet.csv": fio_export("262876543", FIO_HOLDER, 0, FIO_MAREC[:4]),
        "c_protiucet.csv": with_line("9;04.03.2019;-1,00;12345678901234567;;;;;;Platba;;;;"),
        "d_symbol.csv": with_line("9;04.03.2019;-1,00;;;;12a;;;Platba;;;;"),
        "e_suma.csv": with_line("9;04.03.2019;-99999999999,99;;;;;;;Platba;;;;"),
        "f_zostatok.csv": fio_export(FIO_ACCOUNT, FIO_HOLDER, 100_000_000_000_000, FIO_MAREC[:4]),
        # Each amount fits, their sum does not fit the 14 digits of the credit turnover.
        "g_obrat.csv": fio_export(FIO_ACCOUNT, FIO_HOLDER, 0, [big] * 101),
        "h_pole_navyse.csv": with_line(ok[0] + "navyše;"),
        "i_kod_banky.csv": with_line("9;04.03.2019;-1,00;;+900;;;;;Platba;;;;"),
    }
    write_case(name, 3, None, False, 5, {}, invalid, [], ".gpc")


def tatra_invalid_case(name):
    ok = TATRA_MAREC[:3]
    big = t("02.03.2019", "02.03.2019", 999_999_999_999, "Debet", info='"Splátka"', popis="Platba")
    invalid = {
        "a_debet.csv": tatra_export(ok, False).replace(b",Debet,", b",debet,", 1),
        "b_popis.csv": tatra_export(ok + [dict(TATRA_MAREC[3], popis="")], False),
        "c_stlpce.csv": tatra_export(ok, False).replace(b",Suma,", b", Suma,", 1),
        "d_predcislie.csv": tatra_export(ok + [dict(TATRA_MAREC[4], pre="1234567")], False),
        "e_suma.csv": tatra_export(ok + [dict(TATRA_MAREC[4], amount=1_000_000_000_000)], False),
        # Each amount fits, their sum does not fit the 14 digits of the debit turnover.
        "f_obrat.csv": tatra_export([big] * 101, False),
        "g_datum.csv": tatra_export(ok + [dict(TATRA_MAREC[4], proc="5.03.2019")], False),
        "h_bez_desatin.csv": tatra_export(ok, False).replace(b'"12,99"', b'"1299"'),
    }
    write_case(name, 2, TATRA_ACCOUNT, False, 5, {}, invalid, [], ".gpc")


# ------------------------------------------------------------------- cases

def write_case(name, fmt, account, daily, number, inputs, invalid, statements, ext):
    root = GOLDEN / name
    if root.exists():
        shutil.rmtree(root)
    (root / "input").mkdir(parents=True)
    (root / "expected" / "out").mkdir(parents=True)
    task = [f"--format {fmt}"]
    if account:
        task.append(f"--account {account}")
    task += [f"--number {number}", f"--periodicity {1 if daily else 0}"]
    (root / "task").write_text("\n".join(task) + "\n")
    for fname, data in {**inputs, **invalid}.items():
        (root / "input" / fname).write_bytes(data)
    log = [SEPARATOR, "1. úloha"]
    if statements:
        # The valid files come in the order of their newest date; the cases keep
        # the files' dates apart, so the order of `inputs` is the key order.
        for base, last, make in statements:
            out = f"{base} ({last}){ext}"
            (root / "expected" / "out" / out).write_bytes(make(number))
            log.append(f"Vygenerovaný výpis č. {number}: {out}")
            number = min(number + 1, 999)
        for fname, data in inputs.items():
            (root / "expected" / "out" / fname).write_bytes(data)
    if invalid:
        (root / "expected" / "in").mkdir()
        for fname, data in invalid.items():
            (root / "expected" / "in" / fname).write_bytes(data)
        names = sorted(invalid, key=str.lower)
        log.append("Súbory, ktoré nie sú platnými bankovými výpismi: " + ", ".join(names))
    log.append(f"Číslo ďalšieho výpisu: {number}")
    (root / "expected" / "log.txt").write_text("\n".join(log) + "\n", encoding="utf-8")


def main():
    fio_case("fio-per-file", False, 7)
    fio_case("fio-daily", True, 1)
    tatra_case("tatra-csv-per-file", False, 7)
    tatra_case("tatra-csv-daily", True, 990)
    fio_invalid_case("fio-invalid")
    tatra_invalid_case("tatra-csv-invalid")


if __name__ == "__main__":
    main()
