#!/usr/bin/env python3
"""Writes the workbooks of the reader benchmark with xlwt (BIFF8 in a
compound document, as Excel 97 and later write them).

    python3 make-bench-files.py OUTDIR

numbers.xls: 65,536 rows x 10 columns = 655,360 numbers: whole numbers
(RK records), prices with two decimals and random fractions of 15 to 17
digits (NUMBER records), so every path of the number format is taken.
numbers-half.xls: the first half of it (time must grow linearly).
strings.xls: 65,536 rows x 4 columns: a unique Japanese text, one of 100
repeated Japanese texts, a number and an ASCII text; 196,608 shared strings
cells and 65,536 numbers.
"""
import os
import random
import sys

import xlwt

ROWS = 65536


def numbers(path, rows=ROWS):
    rnd = random.Random(14)
    book = xlwt.Workbook()
    sheet = book.add_sheet("numbers")
    for r in range(rows):
        row = sheet.row(r)
        for c in range(4):
            row.set_cell_number(c, r * (c + 1) - 1000)
        for c in range(4, 7):
            row.set_cell_number(c, ((r * 37 + c * 101) % 1000000) / 100)
        for c in range(7, 10):
            row.set_cell_number(c, rnd.random() * 10 ** rnd.randint(-3, 8))
        if r % 4096 == 0:
            sheet.flush_row_data()
    book.save(path)


def strings(path):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("文字列")
    names = ["得意先%03d 様" % i for i in range(100)]
    for r in range(ROWS):
        row = sheet.row(r)
        row.set_cell_text(0, "品目 %05d 納品書（控）" % r)
        row.set_cell_text(1, names[r % 100])
        row.set_cell_number(2, r * 1.5)
        row.set_cell_text(3, "item %d" % r)
        if r % 4096 == 0:
            sheet.flush_row_data()
    book.save(path)


def main():
    out = sys.argv[1]
    numbers(os.path.join(out, "numbers.xls"))
    numbers(os.path.join(out, "numbers-half.xls"), ROWS // 2)
    strings(os.path.join(out, "strings.xls"))


if __name__ == "__main__":
    main()
