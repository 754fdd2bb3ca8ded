#!/usr/bin/env python3
"""Writes the golden cases of the ISO 20022 camt.053 conversion
(tests/data/golden/camt053-*/): the statement files, and the ABO statements
and run log expected from them. The expected statements are worked out here
on their own: the XML written below is read back with ElementTree by the
rules of Format 4 and turned into ABO records with the record helpers of
abo_golden.py, never by running the program.

Run it from anywhere: python3 tests/formats/camt053_golden.py
It rewrites its case folders whole.
"""

import datetime
import re
import shutil
import xml.etree.ElementTree as ET
from decimal import Decimal

from abo_golden import GOLDEN, SEPARATOR, record_074, record_075

NS = "urn:iso:std:iso:20022:tech:xsd:camt.053.001."
CODES = {"EUR": "00978", "CZK": "00203", "USD": "00840", "GBP": "00826", "CHF": "00756", "PLN": "00985",
         "HUF": "00348"}
NO_ENTRY = "Súbor neobsahuje žiadne zaúčtované pohyby: "
INVALID = "Súbory, ktoré nie sú platnými bankovými výpismi: "


# ------------------------------------------------------------------- IBANs

def mod97(text):
    return int("".join(str(int(c, 36)) for c in text)) % 97


def iban(country, bank, prefix, number):
    bban = bank + prefix.rjust(6, "0") + number.rjust(10, "0")
    return f"{country}{98 - mod97(bban + country + '00'):02d}{bban}"


def sk_cz_iban(text, check):
    """The IBAN with blanks removed and in upper case, or None when it is not a Slovak or Czech one."""
    value = text.replace(" ", "").upper()
    if not re.fullmatch(r"(SK|CZ)[0-9]{22}", value):
        return None
    if check and mod97(value[4:] + value[:4]) != 1:
        return None
    return value


# ------------------------------------------------------ writing statements

class Raw(str):
    """Text written into the XML as it stands (character references, CDATA)."""


def esc(text):
    if isinstance(text, Raw):
        return text
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def party(v, role, name):
    if name is None:
        return ""
    # From version 08 a party is a choice of a party or an agent.
    inner = f"<Nm>{esc(name)}</Nm>"
    return f"<{role}>{f'<Pty>{inner}</Pty>' if v >= 8 else inner}</{role}>"


def account(role, acct):
    if acct is None:
        return ""
    kind, value = acct
    ident = f"<IBAN>{value}</IBAN>" if kind == "IBAN" else f"<Othr><Id>{value}</Id></Othr>"
    return f"<{role}><Id>{ident}</Id></{role}>"


def amount(value, ccy):
    return f'<Amt Ccy="{ccy}">{value}</Amt>'


def tx_details(v, tx, ccy, ind):
    x = "<TxDtls>"
    if "e2e" in tx:
        x += f"<Refs><EndToEndId>{esc(tx['e2e'])}</EndToEndId></Refs>"
    elif "ref" in tx:
        x += f"<Refs><AcctSvcrRef>{tx['ref']}</AcctSvcrRef></Refs>"
    if "amt" in tx:
        a = amount(tx["amt"], tx.get("ccy", ccy))
        # Version 02 gives a transaction's amount only among its amount details.
        x += f"<AmtDtls><TxAmt>{a}</TxAmt></AmtDtls>" if v == 2 else f"{a}<CdtDbtInd>{ind}</CdtDbtInd>"
    parties = (party(v, "Dbtr", tx.get("dbtr")) + account("DbtrAcct", tx.get("dbtr_acct"))
               + party(v, "Cdtr", tx.get("cdtr")) + account("CdtrAcct", tx.get("cdtr_acct")))
    if parties:
        x += f"<RltdPties>{parties}</RltdPties>"
    rmt = "".join(f"<Ustrd>{esc(u)}</Ustrd>" for u in tx.get("ustrd", []))
    if "strd_ref" in tx:
        rmt += ("<Strd><CdtrRefInf><Tp><CdOrPrtry><Cd>SCOR</Cd></CdOrPrtry></Tp>"
                f"<Ref>{tx['strd_ref']}</Ref></CdtrRefInf></Strd>")
    if rmt:
        x += f"<RmtInf>{rmt}</RmtInf>"
    return x + "</TxDtls>"


def date_element(name, value):
    kind = "DtTm" if "T" in value else "Dt"
    return f"<{name}><{kind}>{value}</{kind}></{name}>"


def entry(v, e, ccy, eol):
    sts = e.get("sts", "BOOK")
    x = ["<Ntry>" + (f"<NtryRef>{e['ref']}</NtryRef>" if "ref" in e else "")
         + amount(e["amt"], e.get("ccy", ccy)) + f"<CdtDbtInd>{e['ind']}</CdtDbtInd>"
         + (f"<Sts><Cd>{sts}</Cd></Sts>" if v >= 8 else f"<Sts>{sts}</Sts>")]
    x.append(date_element("BookgDt", e["book"]) + (date_element("ValDt", e["val"]) if "val" in e else ""))
    if "ref" in e:
        x.append(f"<AcctSvcrRef>{e['ref']}</AcctSvcrRef>"
                 "<BkTxCd><Domn><Cd>PMNT</Cd><Fmly><Cd>ICDT</Cd><SubFmlyCd>ESCT</SubFmlyCd></Fmly></Domn></BkTxCd>")
    txs = e.get("txs", [])
    if txs:
        batch = f"<Btch><NbOfTxs>{len(txs)}</NbOfTxs></Btch>" if len(txs) > 1 else ""
        x.append("<NtryDtls>" + batch)
        x += [" " + tx_details(v, tx, ccy, e["ind"]) for tx in txs]
        x.append("</NtryDtls>")
    if "info" in e:
        x.append(f"<AddtlNtryInf>{esc(e['info'])}</AddtlNtryInf>")
    return eol.join(x) + "</Ntry>"


def balance(code, value, ccy, day):
    ind = "DBIT" if value < 0 else "CRDT"
    return (f"<Bal><Tp><CdOrPrtry><Cd>{code}</Cd></CdOrPrtry></Tp>{amount(f'{abs(value):.2f}', ccy)}"
            f"<CdtDbtInd>{ind}</CdtDbtInd><Dt><Dt>{day}</Dt></Dt></Bal>")


def naive_closing(s):
    """Opening plus the booked credits minus the booked debits, each amount read leniently."""
    total = s["opening"]
    for e in s["entries"]:
        if e.get("sts", "BOOK").strip() == "BOOK":
            total += abs(Decimal(e["amt"])) * (-1 if e["ind"] == "DBIT" else 1)
    return total


def statement(s):
    """The bytes of a camt.053 file from its description."""
    v, ccy, eol = s["version"], s["ccy"], s.get("eol", "\n")
    acct = f"<Id><IBAN>{s['iban']}</IBAN></Id>" + ("" if s.get("no_ccy") else f"<Ccy>{ccy}</Ccy>")
    if "owner" in s:
        nm = f"<Nm>{esc(s['owner'])}</Nm>"
        acct += f"<Ownr>{f'<Pty>{nm}</Pty>' if s.get('owner_pty') else nm}</Ownr>"
    if "bic" in s:
        bic = "BICFI" if v >= 8 else "BIC"
        acct += f"<Svcr><FinInstnId><{bic}>{s['bic']}</{bic}></FinInstnId></Svcr>"
    closing = s["closing"] if "closing" in s else naive_closing(s)
    # A balance given as None is the closing one.
    bals = [(code, closing if amt is None else amt)
            for code, amt in s.get("balances", [("OPBD", s["opening"]), ("CLBD", None)])]
    lines = [f'<Document xmlns="{NS}{v:02d}" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">',
             "<BkToCstmrStmt>",
             f"<GrpHdr><MsgId>{s['id']}</MsgId><CreDtTm>{s['created']}</CreDtTm></GrpHdr>",
             f"<Stmt><Id>{s['id']}-1</Id><CreDtTm>{s['created']}</CreDtTm>",
             f"<Acct>{acct}</Acct>"]
    lines += [balance(code, value, ccy, s["created"][:10]) for code, value in bals]
    lines += [entry(v, e, ccy, eol) for e in s["entries"]]
    lines += ["</Stmt>", "</BkToCstmrStmt>", "</Document>"]
    body = eol.join(lines) + eol
    if "prefix" in s:
        p = s["prefix"]
        body = re.sub(r"<(/?)([A-Za-z])", rf"<\1{p}:\2", body).replace("xmlns=", f"xmlns:{p}=", 1)
    declaration = s.get("declaration", '<?xml version="1.0" encoding="UTF-8"?>')
    text = (declaration + eol if declaration else "") + body
    encoding = s.get("encoding", "utf-8")
    if encoding == "utf-16-le":
        return b"\xff\xfe" + text.encode("utf-16-le")
    return (b"\xef\xbb\xbf" if encoding == "utf-8-bom" else b"") + text.encode("utf-8")


# ------------------------------------------------------ reading statements

class Invalid(Exception):
    pass


def need(condition):
    if not condition:
        raise Invalid()


def local(tag):
    return tag.rsplit("}", 1)[-1]


def children(el, name):
    return [] if el is None else [c for c in el if local(c.tag) == name]


def child(el, *path):
    for name in path:
        found = children(el, name)
        el = found[0] if found else None
    return el


def value(el):
    return "" if el is None else (el.text or "").strip(" \t\r\n")


def hundredths(amt, ccy):
    """An amount in hundredths, or None when it does not read."""
    if amt is None or amt.get("Ccy") != ccy:
        return None
    m = re.fullmatch(r"([0-9]+)(?:\.([0-9]{1,2}))?", value(amt))
    if not m:
        return None
    n = int(m.group(1)) * 100 + int((m.group(2) or "0").ljust(2, "0"))
    return n if n <= 999_999_999_999 else None


def read_amount(amt, ccy):
    n = hundredths(amt, ccy)
    need(n is not None)
    return n


def is_debit(el):
    ind = value(child(el, "CdtDbtInd"))
    need(ind in ("DBIT", "CRDT"))
    return ind == "DBIT"


def read_date(el):
    """yyyymmdd of a Dt, or of the first 10 characters of a DtTm."""
    if child(el, "Dt") is not None:
        text = value(child(el, "Dt"))
    else:
        need(child(el, "DtTm") is not None)
        text = value(child(el, "DtTm"))[:10]
    need(re.fullmatch(r"[0-9]{4}-[0-9]{2}-[0-9]{2}", text))
    try:
        datetime.date(int(text[:4]), int(text[5:7]), int(text[8:10]))
    except ValueError:
        raise Invalid()
    return text.replace("-", "")


def symbol(e2e, tag, width):
    at = e2e.find(tag)
    if at < 0:
        return ""
    digits = e2e[at + len(tag):].split("/", 1)[0]
    return digits if re.fullmatch(f"[0-9]{{1,{width}}}", digits) else ""


def cp1250_text(text):
    return text.encode("cp1250", "replace")


def item(ntry, tx, debit, amt, book, val):
    parties = child(tx, "RltdPties")
    who = child(parties, "Cdtr" if debit else "Dbtr")
    other = sk_cz_iban(value(child(parties, "CdtrAcct" if debit else "DbtrAcct", "Id", "IBAN")), False)
    e2e = value(child(tx, "Refs", "EndToEndId"))
    vs = symbol(e2e, "/VS", 10)
    if "/VS" not in e2e:
        ref = value(child(tx, "RmtInf", "Strd", "CdtrRefInf", "Ref"))
        if re.fullmatch(r"[0-9]{1,10}", ref):
            vs = ref
    ustrd = re.sub(r"[ \t\r\n]+", " ", value(child(tx, "RmtInf", "Ustrd")))
    name = value(child(who, "Nm")) or value(child(who, "Pty", "Nm"))
    text = ustrd or name or value(child(ntry, "AddtlNtryInf"))
    return dict(date=book, value_date=val, amount=amt, debit=debit,
                counter=other[8:] if other else "0" * 16, bank="00" + other[4:8] if other else "",
                vs=vs, ss=symbol(e2e, "/SS", 10), ks=symbol(e2e, "/KS", 4), text=cp1250_text(text)[:20])


def read_entry(ntry, ccy):
    amt = read_amount(child(ntry, "Amt"), ccy)
    debit = is_debit(ntry)
    book = read_date(child(ntry, "BookgDt"))
    val = read_date(child(ntry, "ValDt")) if child(ntry, "ValDt") is not None else book
    txs = [tx for d in children(ntry, "NtryDtls") for tx in children(d, "TxDtls")]
    sums = [hundredths(child(tx, "Amt") if child(tx, "Amt") is not None else child(tx, "AmtDtls", "TxAmt", "Amt"),
                       ccy) for tx in txs]
    if len(txs) > 1 and None not in sums and sum(sums) == amt:
        return [item(ntry, tx, debit, tx_sum, book, val) for tx, tx_sum in zip(txs, sums)]
    return [item(ntry, txs[0] if txs else None, debit, amt, book, val)]


def read_camt(data):
    """The statement of a file as Format 4 reads it, or None when the file is not a valid one."""
    try:
        return read_statement(data)
    except Invalid:
        return None


def read_statement(data):
    try:
        if data[:2] in (b"\xff\xfe", b"\xfe\xff"):
            encoding = "utf-16"
            text = data[2:].decode("utf-16-le" if data[:2] == b"\xff\xfe" else "utf-16-be")
        else:
            encoding = "utf-8"
            text = data[3:].decode() if data.startswith(b"\xef\xbb\xbf") else data.decode()
    except UnicodeDecodeError:
        raise Invalid()
    declaration = re.match(r"<\?xml\s[^>]*\?>", text)
    if declaration:
        named = re.search(r"""encoding\s*=\s*["']([^"']*)["']""", declaration.group(0))
        need(not named or named.group(1).lower() == encoding)
    # No entity of the file's own is ever expanded.
    need("<!DOCTYPE" not in text)
    try:
        root = ET.fromstring(text)
    except ET.ParseError:
        raise Invalid()
    m = re.fullmatch(r"\{([^}]*)\}(.*)", root.tag)
    need(m and m.group(1).startswith(NS) and m.group(2) == "Document")

    stmts = [s for bk in children(root, "BkToCstmrStmt") for s in children(bk, "Stmt")]
    need(len(stmts) == 1)
    stmt = stmts[0]
    acct = child(stmt, "Acct")
    own = sk_cz_iban(value(child(acct, "Id", "IBAN")), True)
    need(own)
    name = value(child(acct, "Ownr", "Nm")) or value(child(acct, "Ownr", "Pty", "Nm"))
    balances = {}
    for bal in children(stmt, "Bal"):
        balances.setdefault(value(child(bal, "Tp", "CdOrPrtry", "Cd")), []).append(bal)
    opening = balances.get("OPBD") or balances.get("PRCD") or []
    closing = balances.get("CLBD", [])
    need(len(opening) == 1 and len(closing) == 1)
    ccy = value(child(acct, "Ccy")) or child(opening[0], "Amt").get("Ccy")

    def signed(bal):
        n = read_amount(child(bal, "Amt"), ccy)
        return -n if is_debit(bal) else n

    items = []
    for ntry in children(stmt, "Ntry"):
        sts = child(ntry, "Sts")
        if value(sts) == "BOOK" or value(child(sts, "Cd")) == "BOOK":
            items += read_entry(ntry, ccy)
    start = signed(opening[0])
    need(start + sum(-i["amount"] if i["debit"] else i["amount"] for i in items) == signed(closing[0]))
    items.sort(key=lambda i: i["date"])
    return dict(own=own[8:], name=name, ccy=ccy, opening=start, items=items)


def abo_statements(st, daily):
    """The statements of one file, each (last booking date, bytes of the number)."""
    name = cp1250_text(st["name"].upper()) if st["name"] else st["ccy"].encode()
    code = CODES.get(st["ccy"], "00000").encode()
    groups = []
    for i in st["items"]:
        if not groups or (daily and groups[-1][-1]["date"] != i["date"]):
            groups.append([])
        groups[-1].append(i)
    out = []
    opening = st["opening"]
    for g in groups:
        records = b"".join(record_075(st["own"], i["counter"], str(i["amount"]), i["debit"], i["vs"], i["bank"],
                                      i["ks"], i["ss"], i["value_date"], i["text"], code, i["date"]) for i in g)
        debit = sum(i["amount"] for i in g if i["debit"])
        credit = sum(i["amount"] for i in g if not i["debit"])
        first, last = g[0]["date"], g[-1]["date"]
        out.append((last, lambda n, o=opening, d=debit, c=credit, f=first, l=last, r=records:
                    record_074(st["own"], name, f, o, d, c, n, l, b"0", b" " * 14) + r))
        opening += credit - debit
    return out


# ------------------------------------------------------------------- cases

OWN_A = iban("SK", "1100", "19", "2628765432")
OWN_B = iban("CZ", "0800", "19", "2000145399")
OWN_C = iban("SK", "0200", "", "1234567890")
OWN_D = iban("SK", "0900", "", "5500112233")
OWN_E = iban("SK", "8330", "", "2801234567")


def spaced(text):
    return " ".join(text[i:i + 4] for i in range(0, len(text), 4))


# Version 02, UTF-8: debits and credits mixed and out of date order, two batch
# entries, symbols of every shape, texts from each of their sources.
MAREC = dict(
    version=2, id="TB20240305", created="2024-03-05T18:00:00", iban=spaced(OWN_A), ccy="EUR", bic="TATRSKBX",
    owner="Účtovná jednotka Ôsmička s.r.o.", opening=Decimal("1234.56"),
    balances=[("PRCD", Decimal("999.99")), ("OPBD", Decimal("1234.56")), ("ITBD", Decimal("50.00")),
              ("CLBD", None), ("CLAV", Decimal("1.00"))],
    entries=[
        dict(ref="E1", amt="1500.00", ind="CRDT", book="2024-03-05", val="2024-03-04", txs=[dict(
            e2e="/VS2024001/SS77/KS0308", dbtr="Ľubomír Šťastný",
            dbtr_acct=("IBAN", iban("SK", "0900", "", "8765432109")),
            cdtr="Účtovná jednotka Ôsmička s.r.o.", cdtr_acct=("IBAN", OWN_A),
            ustrd=["Faktúra   č.\n\t2024/001 za služby v marci"])], info="Platba prijatá"),
        dict(ref="E2", amt="250.00", ind="DBIT", book="2024-03-01", txs=[dict(
            e2e="/VS12345678901/SS1234567890/KS00308", cdtr="Prenajímateľ s.r.o.",
            cdtr_acct=("IBAN", iban("CZ", "0800", "19", "1234567890")), ustrd=["Nájomné marec"], strd_ref="555")]),
        dict(amt="12.5", ind="DBIT", book="2024-03-05T14:22:10+01:00", info="Platba kartou Ωmega"),
        dict(ref="E4", amt="300.00", ind="CRDT", book="2024-03-03", val="2024-03-03", txs=[
            dict(e2e="/vs2024100", amt="100.00", dbtr="Novák & syn",
                 dbtr_acct=("IBAN", spaced(iban("SK", "1200", "", "9874263754").lower())),
                 ustrd=["Záloha"], strd_ref="2024100"),
            dict(e2e="NOTPROVIDED", amt="150.50", dbtr="Ďurčová Ivana", dbtr_acct=("Othr", "1234567890/0200"),
                 ustrd=["   "]),
            dict(e2e="/SS12A/KS308", amt="49.50", dbtr_acct=("IBAN", "DE89370400440532013000"),
                 ustrd=["Členský príspevok 2024", "druhý riadok"], strd_ref="RF18539007547034")],
             info="Hromadný kredit"),
        # Its second amount is in another currency: the entry is not split.
        dict(ref="E5", amt="80.00", ind="CRDT", book="2024-03-02", txs=[
            dict(e2e="/VS88/VS99", amt="30.00", dbtr="Prvý platiteľ",
                 dbtr_acct=("IBAN", "CZ0008000000191234567890")),
            dict(e2e="/VS77", amt="50.00", ccy="USD", dbtr="Druhý platiteľ")]),
        dict(amt="1,50", ind="DBIT", sts="PDNG", book="2024-03-04", info="Čaká na zaúčtovanie"),
        dict(ref="E7", amt="0012.30", ind="DBIT", book="2024-03-03", txs=[dict(
            e2e="/VS/SS/KS", cdtr="Telekom 😀", cdtr_acct=("IBAN", iban("SK", "7500", "", "5500112233")),
            strd_ref="4455")]),
        dict(amt="0.05", ind="CRDT", book="2024-03-05", val="2024-03-29T00:00:00", info="Úrok"),
        dict(ref="E9", amt="9999999999.99", ind="CRDT", book="2024-03-01", txs=[dict(
            e2e="/VS1/SS2/KS3", dbtr="Veľký investor a.s.", dbtr_acct=("IBAN", iban("SK", "0200", "", "4455667788")),
            ustrd=["Vklad do základného imania"])]),
        dict(ref="E10", amt="45.00", ind="DBIT", sts=" BOOK ", book="2024-03-04", txs=[dict(
            e2e="/KS1178", cdtr=Raw("&#352;kola &amp; jedáleň"),
            cdtr_acct=("IBAN", iban("SK", "5600", "", "7788990011")),
            ustrd=[Raw("<![CDATA[Obedy <marec>]]>")])]),
        # Brings the closing balance back within the 12 digits of an amount.
        dict(ref="E11", amt="9999999000.00", ind="DBIT", book="2024-03-03", txs=[dict(
            e2e="/VS20240303", cdtr="Termínovaný vklad", cdtr_acct=("IBAN", iban("SK", "1100", "", "2628765440")))]),
    ],
)

# Version 04 with a namespace prefix, UTF-8 with a byte-order mark, CR LF,
# CZK, opening below zero, a batch debit split in two.
APRIL = dict(
    version=4, id="CS20240410", created="2024-04-10T20:00:00", iban=OWN_B, ccy="CZK", prefix="c", eol="\r\n",
    encoding="utf-8-bom", declaration='<?xml version="1.0" encoding="utf-8" standalone="yes"?>',
    owner="Ďurčová Ivana – živnosť", opening=Decimal("-500.00"),
    entries=[
        dict(ref="A1", amt="1200", ind="CRDT", book="2024-04-02", val="2024-04-01", txs=[dict(
            e2e="/VS20240402", amt="1200", dbtr="Ján Novák", dbtr_acct=("IBAN", iban("CZ", "0100", "", "123457")),
            ustrd=["Úhrada dobropisu"])]),
        dict(ref="A2", amt="99.9", ind="DBIT", book="2024-04-10", txs=[dict(
            e2e="/KS0558/SS190305/VS1903", amt="99.9", cdtr="Sociálna poisťovňa",
            cdtr_acct=("IBAN", iban("SK", "8180", "", "7000123456")), ustrd=["Odvod poistného"])]),
        dict(ref="A3", amt="2000.00", ind="DBIT", book="2024-04-02", txs=[
            dict(e2e="/VS202404", amt="1500.00", cdtr="Ďurica Peter",
                 cdtr_acct=("IBAN", iban("CZ", "0300", "", "2929292929")),
                 ustrd=["Mzda marec – Ďurica"]),
            dict(e2e="/VS202404", amt="500", cdtr="Šimko Ján",
                 cdtr_acct=("IBAN", iban("CZ", "0300", "", "2929292930")),
                 ustrd=["Mzda marec – Šimko"])]),
    ],
)

# Version 08 in UTF-16 (little-endian, with its mark), USD, the holder's and
# the payer's names as Pty/Nm, the status as Sts/Cd; an upper-case extension.
MAJ = dict(
    version=8, id="SL20240520", created="2024-05-20T23:59:59", iban=OWN_C, ccy="USD", eol="\r\n",
    encoding="utf-16-le", declaration='<?xml version="1.0" encoding="UTF-16"?>', bic="SUBASKBX",
    owner="Firma Łódź čaj Ω", owner_pty=True, opening=Decimal("250.00"),
    entries=[
        dict(ref="M1", amt="10.00", ind="CRDT", book="2024-05-20", val="2024-05-19", txs=[dict(
            e2e="/VS5", amt="10.00", dbtr="Žltý kôň 😀",
            dbtr_acct=("IBAN", iban("SK", "1100", "", "2628765432")))]),
        dict(amt="3.00", ind="DBIT", book="2024-05-14T09:00:00.000+02:00", info="Poplatok za čísla účtu"),
        dict(amt="1000.00", ind="CRDT", sts="PDNG", book="2024-05-21", info="Pending"),
    ],
)

# Every optional element left out: no declaration, no Ccy (the currency is
# the opening balance's, previously closed), no holder, no value date, no
# remittance, no EndToEndId, no name, an account without an IBAN.
JUN = dict(
    version=2, id="X1", created="2024-06-03T10:00:00", iban=OWN_D, ccy="NOK", no_ccy=True, declaration=None,
    opening=Decimal("20.00"), balances=[("PRCD", Decimal("20.00")), ("CLBD", None)],
    entries=[
        dict(amt="7.00", ind="DBIT", book="2024-06-03"),
        dict(amt="100", ind="CRDT", book="2024-06-03", txs=[dict(ref="R2", dbtr_acct=("Othr", "123456789"))],
             info="Vklad"),
    ],
)

# Valid, with nothing booked.
BEZ_POHYBOV = dict(
    version=8, id="E0", created="2024-07-01T06:00:00", iban=OWN_E, ccy="EUR", owner="Prázdny účet",
    opening=Decimal("15.00"),
    entries=[dict(amt="5.00", ind="DBIT", sts="PDNG", book="2024-07-01", info="Rezervácia kartou")],
)

VALID = {
    "a_marec.xml": MAREC,
    "b_april.xml": APRIL,
    "C_UTF16.XML": MAJ,
    "d_jun.xml": JUN,
    "e_bez_pohybov.xml": BEZ_POHYBOV,
}

BASE = dict(
    version=2, id="INV", created="2024-07-03T18:00:00", iban=OWN_E, ccy="EUR", owner="Uctovna jednotka",
    opening=Decimal("100.00"),
    entries=[
        dict(amt="75.50", ind="CRDT", book="2024-07-02", txs=[dict(
            e2e="/VS2024070", dbtr="Odberatel a.s.", dbtr_acct=("IBAN", iban("SK", "0900", "", "8765432109")),
            ustrd=["Faktura 2024/070"])]),
        dict(amt="25.00", ind="DBIT", book="2024-07-03", info="Poplatok"),
    ],
)


def variant(second=None, **kw):
    """BASE with keys replaced, and with the second entry's keys replaced."""
    s = dict(BASE, **kw)
    if second:
        s["entries"] = [BASE["entries"][0], dict(BASE["entries"][1], **second)]
    return statement(s)


def replaced(data, old, new):
    assert data.count(old) == 1, old
    return data.replace(old, new)


def invalid_files():
    base = statement(BASE)
    text = base.decode()
    stmt = text[text.index("<Stmt>"):text.index("</Stmt>") + len("</Stmt>")]
    bad_check = OWN_E[:2] + f"{(int(OWN_E[2:4]) + 1) % 100:02d}" + OWN_E[4:]
    o, c = ("OPBD", Decimal("100.00")), ("CLBD", Decimal("150.50"))
    nested = "".join(f'<!ENTITY l{i} "{f"&l{i - 1};" * 10}">' for i in range(1, 10))
    doctype = ('<!DOCTYPE Document [<!ENTITY l0 "lol">' + nested
               + '<!ENTITY subor SYSTEM "file:///etc/passwd">]>\n')
    files = {
        "a_dva_vypisy.xml": replaced(text, stmt, stmt + "\n" + stmt.replace("INV-1", "INV-2")).encode(),
        "b_iban_kontrola.xml": variant(iban=bad_check),
        "c_iban_krajina.xml": variant(iban="DE89370400440532013000"),
        "d_bez_otvaracieho.xml": variant(balances=[("ITBD", Decimal("100.00")), c]),
        "e_dva_otvaracie.xml": variant(balances=[o, o, c]),
        "f_bez_zaverecneho.xml": variant(balances=[o, ("CLAV", Decimal("150.50"))]),
        "g_dva_zaverecne.xml": variant(balances=[o, c, c]),
        "h_smer.xml": variant(second=dict(ind="DEBIT"), closing=Decimal("150.50")),
        "i_znamienko.xml": variant(second=dict(amt="-25.00")),
        "j_exponent.xml": variant(second=dict(amt="2.5E1")),
        "k_tri_desatiny.xml": variant(second=dict(amt="25.000")),
        # 13 digits of hundredths, the file's figures otherwise in balance.
        "l_13_cislic.xml": variant(entries=BASE["entries"] + [
            dict(amt="12345678901.00", ind="CRDT", book="2024-07-03"),
            dict(amt="9999999999.99", ind="DBIT", book="2024-07-03"),
            dict(amt="2345678901.01", ind="DBIT", book="2024-07-03")]),
        "m_ina_mena.xml": variant(second=dict(ccy="CZK")),
        "n_datum.xml": variant(second=dict(book="2024-02-30")),
        "o_zostatok.xml": variant(closing=Decimal("150.49")),
        "p_doctype.xml": replaced(text, "<Document", doctype + "<Document")
        .replace("Uctovna jednotka", "&l9;&subor;").encode(),
        # The holder's name written in code page 1250.
        "q_utf8.xml": replaced(base, b"Uctovna", "Účtovná".encode("cp1250")),
        "r_skrateny.xml": base[:len(base) * 2 // 3],
        "s_kodovanie.xml": replaced(text, 'encoding="UTF-8"', 'encoding="windows-1250"').encode(),
        "t_koren.xml": replaced(replaced(text, "</Document>\n", ""), "<BkToCstmrStmt>\n", "")
        .replace('<Document xmlns=', '<BkToCstmrStmt xmlns=').encode(),
        "u_menny_priestor.xml": replaced(text, NS + "02", "urn:iso:std:iso:20022:tech:xsd:camt.052.001.02").encode(),
    }
    assert read_camt(base) is not None
    return files


def write_case(name, daily, number, valid, invalid):
    root = GOLDEN / name
    if root.exists():
        shutil.rmtree(root)
    (root / "input").mkdir(parents=True)
    (root / "expected" / "out").mkdir(parents=True)
    (root / "task").write_text(f"--format 4\n--number {number}\n--periodicity {1 if daily else 0}\n")
    files = []
    for fname, data in valid.items():
        st = read_camt(data)
        assert st is not None, fname
        files.append((st["items"][-1]["date"] if st["items"] else "00000000", fname, st))
    for fname, data in invalid.items():
        assert read_camt(data) is None, fname
    # The files' latest dates differ, so the key order is the order of the dates.
    assert len({f[0] for f in files}) == len(files)
    log = [SEPARATOR, "1. úloha"]
    for _, fname, st in sorted(files):
        if not st["items"]:
            log.append(NO_ENTRY + fname)
        for last, make in abo_statements(st, daily):
            out = f"{fname[:-4]} ({last}).gpc"
            (root / "expected" / "out" / out).write_bytes(make(number))
            log.append(f"Vygenerovaný výpis č. {number}: {out}")
            number = min(number + 1, 999)
        (root / "expected" / "out" / fname).write_bytes(valid[fname])
    for fname, data in {**valid, **invalid}.items():
        (root / "input" / fname).write_bytes(data)
    if invalid:
        (root / "expected" / "in").mkdir()
        for fname, data in invalid.items():
            (root / "expected" / "in" / fname).write_bytes(data)
        log.append(INVALID + ", ".join(sorted(invalid, key=str.lower)))
    log.append(f"Číslo ďalšieho výpisu: {number}")
    (root / "expected" / "log.txt").write_text("\n".join(log) + "\n", encoding="utf-8")


def main():
    valid = {fname: statement(s) for fname, s in VALID.items()}
    write_case("camt053-per-file", False, 41, valid, {})
    write_case("camt053-daily", True, 1, valid, {})
    write_case("camt053-invalid", False, 5, {}, invalid_files())


if __name__ == "__main__":
    main()
