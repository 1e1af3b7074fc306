#!/usr/bin/env python3
"""Writes the workbook fixtures of the reader tests.

Builds one small Gnumeric workbook (three worksheets: numbers and formulas,
many texts, Japanese texts)
and has ssconvert write it as an Excel 95 (BIFF5) and an Excel 97 (BIFF8)
file. Run once by hand (needs the gnumeric package); the results are
committed, so the tests do not need gnumeric.

Two more Excel 95 files, written in a locale of code page 1252 (C.UTF-8
gives it): biff5-long-text.xls, one sheet with a text and a formula result
of 3,000 characters (longer than a record, so they go on in CONTINUE
records), boolean and error constants (BOOLERR records) and a few numbers;
biff5-cp1252.xls, texts with letters of code page 1252 that code page 932
has (e, a with accents it lacks, the pound sign) and a CODEPAGE record 1252.

    python3 make-fixtures.py OUTDIR

The Excel 95 file holds texts in the code page of the locale, so run it in a
Japanese locale to get code page 932 texts, e.g. (without installing one):

    localedef -i ja_JP -f UTF-8 /tmp/loc/ja_JP.UTF-8
    LOCPATH=/tmp/loc LC_ALL=ja_JP.UTF-8 python3 make-fixtures.py .
"""
import os
import subprocess
import sys
import tempfile
from xml.sax.saxutils import escape

ROWS_OF_TEXT = 700  # enough shared strings to spread over CONTINUE records


def cell(row, col, value):
    if isinstance(value, bool):
        return f'<gnm:Cell Row="{row}" Col="{col}" ValueType="20">{str(value).upper()}</gnm:Cell>'
    if isinstance(value, str) and value.startswith("#"):
        return f'<gnm:Cell Row="{row}" Col="{col}" ValueType="50">{escape(value)}</gnm:Cell>'
    if isinstance(value, str) and value.startswith("="):
        return f'<gnm:Cell Row="{row}" Col="{col}">{escape(value)}</gnm:Cell>'
    if isinstance(value, str):
        return f'<gnm:Cell Row="{row}" Col="{col}" ValueType="60">{escape(value)}</gnm:Cell>'
    return f'<gnm:Cell Row="{row}" Col="{col}" ValueType="40">{value!r}</gnm:Cell>'


def sheet(name, cols, cells):
    body = "\n".join(cell(r, c, v) for (r, c), v in sorted(cells.items()))
    colinfo = "".join(
        f'<gnm:ColInfo No="{no}" Unit="{unit}" Count="{count}"/>' for no, unit, count in cols)
    return f"""<gnm:Sheet>
<gnm:Name>{escape(name)}</gnm:Name>
<gnm:MaxCol>-1</gnm:MaxCol><gnm:MaxRow>-1</gnm:MaxRow>
<gnm:Cols DefaultSizePts="48">{colinfo}</gnm:Cols>
<gnm:Cells>
{body}
</gnm:Cells>
</gnm:Sheet>"""


def numbers_sheet():
    cells = {(0, 0): "qty", (0, 1): "price", (0, 2): "total", (0, 3): "big", (0, 4): "flag",
             (0, 5): "label"}
    rows = [(3, 1.5, 1e20), (40000, 0.25, -2.5e-7), (-7, 123456.789, 12345678901234567890.0),
            (0, 0.1, 1.0)]
    for i, (qty, price, big) in enumerate(rows, start=1):
        r = i + 1
        cells[(i, 0)] = qty
        cells[(i, 1)] = price
        cells[(i, 2)] = f"=A{r}*B{r}"
        cells[(i, 3)] = big
        cells[(i, 4)] = f"=A{r}>2"
        cells[(i, 5)] = f'="row "&A{r}'
    cells[(5, 0)] = "=1/0"
    return cells


def text_sheet():
    cells = {}
    for i in range(ROWS_OF_TEXT):
        if i % 50 == 7:
            cells[(i, 0)] = f"品目 {i:04d} " + "あ" * (i % 23)  # 16-bit characters
        else:
            cells[(i, 0)] = f"unique text number {i:04d} " + "x" * (i % 17)
        cells[(i, 1)] = "repeated"  # one shared string used many times
        cells[(i, 2)] = i * 3
    return cells


def japanese_sheet():
    return {(0, 0): "納品書", (0, 1): "お客様", (1, 0): "ｱｲｳｴｵ", (1, 1): "=A1&B1",
            (2, 0): "髙橋 ①"}


def long_text_sheet():
    cells = {(0, 0): "L" + "x" * 2998 + "Z", (0, 1): '=REPT("y",3000)', (0, 2): 42,
             (1, 0): True, (1, 1): False, (1, 2): "#N/A", (1, 3): "#DIV/0!", (1, 4): "#VALUE!",
             (2, 0): "after", (2, 1): 2.5}
    return cells


def cp1252_sheet():
    return {(0, 0): "naïve", (0, 1): "café", (0, 2): "£5", (1, 0): "Ærø", (1, 1): "plain"}


def workbook(sheets=None):
    if sheets is None:
        sheets = [
            ("Numbers", [(0, 90, 1), (2, 120, 3)], numbers_sheet()),
            ("Texts", [(0, 200, 1)], text_sheet()),
            ("日本語", [], japanese_sheet()),
        ]
    names = "".join(f"<gnm:SheetName>{escape(n)}</gnm:SheetName>" for n, _, _ in sheets)
    body = "\n".join(sheet(*s) for s in sheets)
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">
<gnm:SheetNameIndex>{names}</gnm:SheetNameIndex>
<gnm:Sheets>
{body}
</gnm:Sheets>
</gnm:Workbook>
"""


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "book.gnumeric")
        with open(source, "w", encoding="utf-8") as f:
            f.write(workbook())
        for exporter, name in [("Gnumeric_Excel:excel_biff7", "biff5.xls"),
                               ("Gnumeric_Excel:excel_biff8", "biff8.xls")]:
            subprocess.run(["ssconvert", "-T", exporter, source, os.path.join(out, name)],
                           check=True)
        western = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8")
        for name, sheets in [("biff5-long-text.xls", [("Long", [], long_text_sheet())]),
                             ("biff5-cp1252.xls", [("Café", [], cp1252_sheet())])]:
            source = os.path.join(tmp, name + ".gnumeric")
            with open(source, "w", encoding="utf-8") as f:
                f.write(workbook(sheets))
            subprocess.run(["ssconvert", "-T", "Gnumeric_Excel:excel_biff7", source,
                            os.path.join(out, name)], check=True, env=western)


if __name__ == "__main__":
    main()
