#!/usr/bin/env python3
"""Writes the golden cases of the two CLR conversions (Tatra banka TXT and
TrustPay) into tests/data/golden/: the exports, the task, and the statements
and run log expected of them, worked out here on their own from the layouts
of the exports and of the CLR file, never by running the program.

Run it again after changing the data below; it rewrites its case folders whole.
"""

import os
import shutil
import sys

GOLDEN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "golden")
SEPARATOR = "-" * 100


def cp(text):
    return text.encode("cp1250")


# ---------------------------------------------------------------- CLR file


def clr_block(t, k, own_code, own_account):
    """t: dict of byte values; one transaction with record number k."""
    d_code, k_code = (own_code, t["bank"]) if t["debit"] else (t["bank"], own_code)
    own = b" " + own_account
    lines = [
        b"HD:11 " + t["date"] + b" " + d_code + b" " + str(k).encode() + b" " + k_code,
        b"KC:" + t["amount_text"] + b" " + t["date2"] + b" " + t["currency"],
        b"ID:" + t["date"],
    ]
    if t["ks"]:
        lines.append(b"EC:" + t["ks"])
    lines.append(b"UD:" + (own if t["debit"] else t["party"]))
    lines.append(b"UK:" + (t["party"] if t["debit"] else own))
    if t["ss"]:
        lines += [b"AD:" + t["ss"], b"AK:" + t["ss"]]
    if t["vs"]:
        lines += [b"ZD:" + t["vs"], b"ZK:" + t["vs"]]
    return lines


def signed(balance):
    return str(abs(balance)).encode() + (b" - R" if balance < 0 else b" + R")


def clr_statement(transactions, own_code, own_account, number):
    lines = []
    for k, t in enumerate(transactions, 1):
        lines += clr_block(t, k, own_code, own_account)
    n = len(transactions)
    date = transactions[-1]["date"]
    currency = transactions[-1]["currency"]
    debit = sum(t["value"] for t in transactions if t["debit"])
    credit = sum(t["value"] for t in transactions if not t["debit"])
    total = sum(t["value"] for t in transactions)
    lines += [
        b"HD:51 " + date + b" " + own_code + b" " + str(n + 1).encode() + b" 1030",
        b"IN:1 " + str(n).encode(),
        b"S1:" + str(n).encode() + b" " + str(total).encode(),
        b"HD:52 " + date + b" " + own_code + b" " + str(n + 2).encode() + b" " + own_code,
        b"ZV:" + currency + b" " + own_code + b" 0 " + date + b" " + str(number).encode() + b" 1 " + signed(0),
        b"KV:" + str(n + 2).encode() + b" " + str(debit).encode() + b" + " + str(credit).encode() + b" + "
        + signed(credit - debit),
    ]
    return b"".join(line + b"\r\n" for line in lines)


def atol(text):
    text = text.lstrip(b" \t\n\v\f\r")
    sign = 1
    if text[:1] in (b"+", b"-"):
        sign = -1 if text[:1] == b"-" else 1
        text = text[1:]
    digits = b""
    for c in text:
        if not 48 <= c <= 57:
            break
        digits += bytes([c])
    return sign * int(digits) if digits else 0


def trim(text):
    start, end = 0, len(text)
    while start < end and text[start] <= 32:
        start += 1
    while end > start and text[end - 1] <= 32:
        end -= 1
    return text[start:end]


def lines_of(data):
    data = data.replace(b"\r\n", b"\n").replace(b"\r", b"\n")
    if data.endswith(b"\n"):
        data = data[:-1]
    return data.split(b"\n") if data else []


# ---------------------------------------------------------------- Tatra banka TXT

WIDTHS = [12, 12, 18, 6, 8, 8, 12, 9, 12, 12, 12, 72, 72]
RULE = "".join("-" * w + "+" for w in WIDTHS)
TITLES1 = ["Datum", "Datum", "Suma", "Mena", "Typ", "Prefix", "Cislo", "Kod", "Konstantny", "Variabilny",
           "Specificky", "Ucel Platby", "Popis"]
TITLES2 = ["Spracovania", "Zuctovania", "", "", "Platby", "Uctu", "Uctu", "Banky", "Symbol", "Symbol", "Symbol",
           "", ""]


def title(names):
    out = ""
    for i, (w, n) in enumerate(zip(WIDTHS, names)):
        cell = n if i == 0 else " " + n
        out += cell.ljust(w) + "|"
    return out


TITLE1 = title(TITLES1)
TITLE2 = title(TITLES2)
assert len(RULE) == len(TITLE1) == len(TITLE2) == 278


def txt_line(processed, booked, amount, kind, prefix, number, bank, ks, vs, ss, purpose, description,
             currency="EUR"):
    units, cents = amount.split(",")
    cells = [processed, " " + booked, " " + units.rjust(13) + "," + cents, " " + currency, " " + kind,
             " " + prefix, " " + number, " " + bank, " " + ks, " " + vs, " " + ss, " " + purpose, " " + description]
    line = "".join(c.ljust(w)[:w] + "|" for c, w in zip(cells, WIDTHS))
    return cp(line)


def txt_file(transactions):
    head = [cp(RULE), cp(TITLE1), cp(TITLE2), cp(RULE)]
    return b"".join(line + b"\r\n" for line in head + transactions + [cp(RULE)])


def cut(line, pos, width):
    return line[pos - 1:pos - 1 + width]


def txt_test(lines):
    if len(lines) < 6 or lines[0] != cp(RULE) or lines[1] != cp(TITLE1) or lines[2] != cp(TITLE2) \
            or lines[3] != cp(RULE) or lines[-1] != cp(RULE):
        return None
    first, last = lines[4], lines[-2]

    def ymd(line):
        d = cut(line, 7, 4) + cut(line, 4, 2) + cut(line, 1, 2)
        return d if len(d) == 8 and d.isdigit() else None

    a, b = ymd(first), ymd(last)
    if a is None or b is None:
        return None
    return (a, ">") if int(a) > int(b) else (b, "<")


def txt_read(lines, marker, settings):
    body = lines[4:-1]
    if marker == ">":
        body = body[::-1]
    out = []
    for line in body:
        amount_text = trim(cut(line, 28, 13)) + cut(line, 42, 2)
        number = trim(cut(line, 72, 10)) or b"00"
        bank = trim(cut(line, 85, 7)) or b"0000"
        description = trim(cut(line, 134, 70)) or trim(cut(line, 207, 70))
        out.append({
            "cut": cut(line, 1, 10),
            "date": cut(line, 7, 4) + cut(line, 4, 2) + cut(line, 1, 2),
            "date2": cut(line, 21, 4) + cut(line, 18, 2) + cut(line, 15, 2),
            "amount_text": amount_text,
            "value": atol(amount_text),
            "currency": cut(line, 47, 3),
            "debit": cut(line, 54, 5) == b"Debet",
            "bank": bank,
            "party": trim(cut(line, 63, 6)) + b" " + number + b" " + description[:20],
            "ks": trim(cut(line, 95, 10)),
            "vs": trim(cut(line, 108, 10)),
            "ss": trim(cut(line, 121, 10)),
        })
    return out


# ---------------------------------------------------------------- TrustPay

BOM = b"\xef\xbb\xbf"


def converts(text):
    text = text.lstrip(b" ")
    if text[:1] in (b"+", b"-"):
        text = text[1:]
    return text.isdigit()


def tp_test(record):
    """1, 0 or -1 for one record text; the date and the amount as plain digits."""
    r = record[3:] if record.startswith(BOM) else record
    date = r[0:2] + r[4:6] + r[8:12]
    if len(date) != 8 or not date.isdigit():
        return 0
    if r[2:4] != b". " or r[6:8] != b". " or r[12:14] != b';"':
        return 0
    rest = r[14:]
    q = rest.find(b'"')
    if q < 0:
        return -1
    rest = rest[q + 1:]
    if rest[:2] not in (b";+", b";-"):
        return 0
    rest = rest[2:]
    c = rest.find(b",")
    if c < 0 or not rest[:c].isdigit():
        return 0
    rest = rest[c + 1:]
    if not (len(rest[:2]) == 2 and rest[:2].isdigit()):
        return 0
    if rest[2:3] != b";" or rest[6:8] != b';"':
        return 0
    rest = rest[8:]
    q = rest.find(b'"')
    if q < 0:
        return -1
    rest = rest[q + 1:]
    if rest[:2] != b';"':
        return 0
    rest = rest[2:]
    q = rest.find(b'"')
    if q < 0:
        return -1
    if rest[q + 1:q + 2] != b";":
        return 0
    rest = rest[q + 2:]
    s = rest.find(b";")
    if s < 0:
        return 0
    seven = rest[:s]
    if seven.endswith(b'"'):
        seven = seven[:-1]
    if not converts(seven):
        return 0
    rest = rest[s + 1:]
    if rest[:1] != b'"':
        return 0
    q = rest.find(b'"', 1)
    if q < 0:
        return -1
    return 1 if q == len(rest) - 1 else 0


def tp_records(lines):
    """The records of a file, or None when it is no TrustPay export."""
    if not lines:
        return None
    records, i = [], 0
    while i < len(lines):
        record = lines[i]
        i += 1
        result = tp_test(record)
        while result == -1 and i < len(lines):
            record += b" " + lines[i]
            i += 1
            result = tp_test(record)
        if result != 1:
            return None
        records.append(record[3:] if record.startswith(BOM) else record)
    return records


def tp_account(text):
    if len(text) == 24 and text[:2] == b"SK" and converts(text[2:9]) and converts(text[9:16]) \
            and converts(text[16:24]):
        bank, prefix, number = text[4:8], text[8:14], text[14:24]
    else:
        bank, part = b"0000", text
        p = text.find(b"/")
        if p >= 0:
            if p + 1 < len(text) // 2:
                bank, part = text[:p], text[p + 1:]
            else:
                bank, part = text[p + 1:], text[:p]
            bank = trim(bank)
        d = part.find(b"-")
        prefix, number = (trim(part[:d]), trim(part[d + 1:])) if d >= 0 else (b"", trim(part))
    prefix = prefix[-6:]
    number = b"00" if not number else (b"0" + number if len(number) == 1 else number[-10:])
    if not bank:
        bank = b"0000"
    elif len(bank) < 4:
        bank = b"0" * (4 - len(bank)) + bank
    elif len(bank) >= 8:
        bank = bank[-7:]
    return prefix, number, bank


def tp_split(r):
    item = {"cut": r[0:12], "date": r[8:12] + r[4:6] + r[0:2]}
    rest = r[14:]
    q = rest.find(b'"')
    item["prefix"], item["number"], item["bank"] = tp_account(rest[:q])
    rest = rest[q + 1:]
    item["debit"] = rest[1:2] == b"-"
    rest = rest[2:]
    c = rest.find(b",")
    item["amount_text"] = rest[:c] + rest[c + 1:c + 3]
    item["value"] = atol(item["amount_text"])
    after = rest[c + 1:]
    item["currency"] = after[3:6]
    rest = after[8:]
    q = rest.find(b'"')
    text = rest[:q]
    rest = rest[q + 3:]
    q = rest.find(b'"')
    field6 = rest[:q]
    rest = rest[q + 2:]
    rest = rest[rest.find(b";") + 2:]
    item["name"] = rest[:rest.find(b'"')]
    for tag, key in ((b"KS:", "ks"), (b"VS:", "vs"), (b"SS:", "ss"), (b"REF:", "ref")):
        p = text.find(tag)
        if p < 0:
            item[key] = field6[:10] if key == "ref" else b""
            continue
        value = trim(text[p + len(tag):])
        text = text[:p]
        s = value.find(b" ")
        if s >= 0:
            text += value[s + 1:]
            value = value[:s]
        item[key] = value[:10]
    item["txt"] = text
    return item


def tp_payment_text(template, item):
    text = template
    for var, key in ((b"$ks", "ks"), (b"$vs", "vs"), (b"$ss", "ss"), (b"$ref", "ref"), (b"$txt", "txt"),
                     (b"$npu", "name")):
        p = text.find(var)
        if p >= 0:
            text = text[:p] + item[key] + text[p + len(var):]
    return trim(text)[:20]


def tp_read(lines, settings):
    out = []
    for r in tp_records(lines):
        item = tp_split(r)
        item["date2"] = item["date"]
        item["party"] = item["prefix"] + b" " + item["number"] + b" " + tp_payment_text(settings["text"], item)
        if settings["option"] == 1:
            item["vs"] = item["ref"]
        out.append(item)
    return out


def tp_key(lines):
    records = tp_records(lines)
    if records is None:
        return None
    last = records[-1]
    return last[8:12] + last[4:6] + last[0:2], " "


# ---------------------------------------------------------------- the batch


def run_case(name, options, inputs, test, read, own_code, extension):
    """inputs: {file name: bytes}. Writes the case folder."""
    folder = os.path.join(GOLDEN, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, "input"))
    os.makedirs(os.path.join(folder, "expected", "out"))
    with open(os.path.join(folder, "task"), "w", encoding="utf-8", newline="\n") as f:
        for key, value in options:
            f.write(f"--{key} {value}\n")
    for file_name, data in inputs.items():
        with open(os.path.join(folder, "input", file_name), "wb") as f:
            f.write(data)

    opts = dict(options)
    number = int(opts.get("number", "1"))
    daily = opts.get("periodicity") == "1"
    settings = {"account": cp(opts.get("account", "")), "option": int(opts.get("variable-symbol", "0")),
                "text": cp(opts.get("text", ""))}
    log = [SEPARATOR, "1. úloha"]
    scan = sorted((n for n in inputs if n.lower().endswith(extension)), key=str.lower)
    valid, invalid = [], []
    for n in scan:
        key = test(lines_of(inputs[n]))
        if key is None:
            invalid.append(n)
        else:
            valid.append((key[0].decode() + key[1] + n, key[1], n))
    out, stay = {}, dict(inputs)
    if not scan:
        log.append(f"Vstupný priečinok neobsahuje žiadne *{extension} súbory.")
    for _, marker, n in sorted(valid, key=lambda v: v[0].lower()):
        transactions = read(lines_of(inputs[n]), marker, settings)
        statements, current = [], []
        for t in transactions:
            if daily and current and t["cut"] != current[-1]["cut"]:
                statements.append(current)
                current = []
            current.append(t)
        statements.append(current)
        for s in statements:
            file_name = f"{n} ({s[-1]['date'].decode()}).clr"
            out[file_name] = clr_statement(s, own_code, settings["account"], number)
            log.append(f"Vygenerovaný výpis č. {number}: {file_name}")
            number = min(number + 1, 999)
        out[n] = stay.pop(n)
    if invalid:
        log.append("Súbory, ktoré nie sú platnými bankovými výpismi: " + ", ".join(invalid))
    log.append(f"Číslo ďalšieho výpisu: {number}")

    for file_name, data in out.items():
        with open(os.path.join(folder, "expected", "out", file_name), "wb") as f:
            f.write(data)
    if stay:
        os.makedirs(os.path.join(folder, "expected", "in"))
        for file_name, data in stay.items():
            with open(os.path.join(folder, "expected", "in", file_name), "wb") as f:
                f.write(data)
    with open(os.path.join(folder, "expected", "log.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(log) + "\n")


def tatra_txt_case(name, options, inputs):
    run_case(name, options, inputs, txt_test, txt_read, b"1100", ".txt")


def trustpay_case(name, options, inputs):
    run_case(name, options, inputs, tp_key, lambda lines, marker, settings: tp_read(lines, settings), b"9952",
             ".csv")


# ---------------------------------------------------------------- the cases

L = txt_line
MARCH = txt_file([
    L("01.03.2019", "01.03.2019", "1250,00", "Kredit", "", "2600123456", "1100", "0308", "2019001", "",
      "Úhrada faktúry č. 2019001 za február", "Žilinská energetika a.s."),
    L("01.03.2019", "01.03.2019", "0,50", "Debet", "000019", "2000145399", "0800", "", "", "", "",
      "Poplatok za vedenie účtu"),
    L("04.03.2019", "05.03.2019", "320,15", "Debet", "", "", "", "0558", "7788", "20190304",
      "Nájomné marec – kancelária Košice", ""),
    L("04.03.2019", "04.03.2019", "18,90", "debet", "", "1234567890", "5600", "", "", "", "", ""),
    L("04.03.2019", "04.03.2019", "1999999,99", "Kredit", "35", "4455667788", "0200", "0138", "", "1",
      "Ľubomír Šťastný – záloha", "Popis sa nepoužije"),
    L("05.03.2019", "06.03.2019", "75,00", "Debet", "", "9988776655", "7500", "", "0000000000", "",
      "", "Čerpanie karty"),
])
SUPPLEMENT = txt_file([
    L("05.03.2019", "05.03.2019", "12,00", "Kredit", "", "1111111111", "1100", "", "55", "", "Dobropis", ""),
    L("04.03.2019", "04.03.2019", "7,10", "Debet", "", "2222222222", "0900", "", "", "", "Poštovné", ""),
])
APRIL = txt_file([
    L("03.04.2019", "03.04.2019", "5000,00", "Kredit", "", "2600123456", "1100", "", "2019044", "",
      "Úhrada faktúry č. 2019044", ""),
    L("02.04.2019", "03.04.2019", "140,00", "Debet", "000000", "0011223344", "0720", "1148", "201904", "",
      "Daň z príjmov – preddavok apríl", ""),
    L("02.04.2019", "02.04.2019", "60,00", "Kredit", "", "5566778899", "6500", "", "", "",
      "Vrátenie preplatku", ""),
    L("01.04.2019", "01.04.2019", "2,35", "Debet", "", "", "", "", "", "", "", "Úroky"),
])
BAD_DATE = txt_file([
    L("  .  .    ", "01.03.2019", "10,00", "Kredit", "", "1", "1100", "", "", "", "", ""),
    L("02.03.2019", "02.03.2019", "10,00", "Kredit", "", "1", "1100", "", "", "", "", ""),
])
TXT_INPUTS = {
    "vypis_marec.txt": MARCH,
    "a_doplnok.txt": SUPPLEMENT,
    "VYPIS_APRIL.TXT": APRIL,
    "chybny_datum.txt": BAD_DATE,
    "poznamky.txt": cp("Poznámky k výpisom\r\n"),
    "prazdny_riadok.txt": MARCH + b"\r\n",
}
TXT_INVALID = {
    "bez_zaveru.txt": MARCH[:MARCH.rfind(cp(RULE))],
    "iba_hlavicka.txt": txt_file([]),
    "mala_pismena.txt": MARCH.replace(b"Spracovania", b"spracovania"),
    "nadpis_posunuty.txt": MARCH.replace(cp("Suma "), cp("Suma")),
}

R = lambda *fields: cp(";".join(fields))
FEBRUARY = BOM + b"\r\n".join([
    R("01. 02. 2024", '"SK3111000000002628765432"', "+1250,00", "EUR",
      '"Úhrada faktúry VS:2024015 KS:0308"', '"TP-88120"', "1", '"Žilinská energetika a.s."'),
    R("01. 02. 2024", '"19-2000145399/0800"', "-0,50", "EUR", '"Poplatok za transakciu"', '""', "2",
      '"TrustPay"'),
    R("05. 02. 2024", '"0900/4455667788"', "-320,15", "EUR",
      '"Nájomné február\r\nkancelária Košice VS:20240201 SS:77 REF:NAJ-02-2024-KE"', '"X"', "3",
      '"Ľubomír Šťastný"'),
    R("05. 02. 2024", '"SK31 1100 0000 0026 2876 5432"', "+18,90", "EUR", '"vrátenie"', '"REFERENCIA-DLHA"',
      '4"', '"Peter\r\nNovák"'),
    R("06. 02. 2024", '"CZ6508000000192000145399"', "-1999,99", "CZK", '"KS:0558 VS:1 VS:2 faktúra"',
      '""', "5", '""'),
]) + b"\r\n"
JANUARY = b"\n".join([
    R("30. 01. 2024", '"SK6809000000190123456789"', "+75,00", "EUR", '"Záloha VS:2024001"', '"Z1"', "6",
      '"Mária Horváthová"'),
    R("31. 01. 2024", '"1234/5600"', "-12,00", "EUR", '"Čerpanie"', '""', "7", '"Obchod"'),
])
SAME_DAY = R("06. 02. 2024", '"1/2"', "+100,00", "EUR", '"Dobropis REF:DOB1"', '""', "8", '"Dodávateľ"') \
    + b"\r\n"
TP_INPUTS = {
    "trustpay_2024_02.csv": FEBRUARY,
    "TrustPay_januar.csv": JANUARY,
    "zaloha.csv": SAME_DAY,
    "hlavicka.csv": cp("Dátum;Protiúčet;Suma;Mena;Text;Referencia;Číslo;Názov\r\n") + JANUARY,
    "otvoreny.csv": JANUARY + b"\r\n" + R("01. 02. 2024", '"1/2"', "+1,00", "EUR", '"bez konca', ""),
    "prazdny.csv": b"",
}
TP_INVALID = {
    "bodka.csv": JANUARY.replace(b"+75,00", b"+75.00"),
    "dvojita.csv": JANUARY.replace(b'"Z1"', b'"Z""1"'),
    "medzera_na_konci.csv": JANUARY + b" ",
    "prazdny_riadok.csv": JANUARY + b"\r\n\r\n" + SAME_DAY,
}


def main():
    account = [("format", "0"), ("account", "2628765432"), ("number", "7")]
    tatra_txt_case("tatra-txt-per-file", account + [("periodicity", "0")], TXT_INPUTS)
    tatra_txt_case("tatra-txt-daily", account + [("periodicity", "1")], TXT_INPUTS)
    tatra_txt_case("tatra-txt-invalid", account, TXT_INVALID)
    tp = [("format", "1"), ("account", "1234567890")]
    trustpay_case("trustpay-per-file", tp + [("periodicity", "0"), ("variable-symbol", "0"),
                                             ("text", "Úhrada $vs $txt")], TP_INPUTS)
    trustpay_case("trustpay-daily", tp + [("number", "998"), ("periodicity", "1"), ("variable-symbol", "1"),
                                          ("text", "$npu ($ref)")], TP_INPUTS)
    trustpay_case("trustpay-invalid", tp + [("variable-symbol", "1")], TP_INVALID)


if __name__ == "__main__":
    sys.exit(main())
