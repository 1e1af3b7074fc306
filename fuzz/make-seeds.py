#!/usr/bin/env python3
"""Writes the hand-built seeds of the BIFF fuzz targets into corpus/biff_plain:
one small record stream per BIFF version touching every record the reader
handles. Run once by hand; the results are committed."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def rec(number, body=b""):
    return struct.pack("<HH", number, len(body)) + body


def bof(number, version, kind):
    body = struct.pack("<HH", version, kind)
    if number == 0x0809:
        body += bytes(12 if version == 0x0600 else 4)
    return rec(number, body)


EOF_ = rec(0x000A)


def cell(row, col, xf=15):
    return struct.pack("<HHH", row, col, xf)


def cell3(row, col):
    return struct.pack("<HH", row, col) + b"\x00\x00\x00"


def biff2():
    return (bof(0x0009, 2, 0x10) + rec(0x0002, cell3(0, 0) + struct.pack("<H", 12)) +
            rec(0x0003, cell3(0, 1) + struct.pack("<d", 1.5)) +
            rec(0x0004, cell3(1, 0) + b"\x03abc") +
            rec(0x0006, cell3(2, 0) + b"\x00\x00\x00\x00\x00\x00\xff\xff" + b"\x00\x00") +
            rec(0x0007, b"\x02ok") + EOF_)


def biff34(number, formula):
    return (bof(number, 0, 0x10) + rec(0x0204, cell(0, 0) + b"\x02\x00ab") +
            rec(0x0203, cell(0, 1) + struct.pack("<d", -2.5)) +
            rec(0x027E, cell(0, 2) + struct.pack("<I", 123 << 2 | 3)) +
            rec(formula, cell(1, 0) + b"\x01\x00\x01\x00\x00\x00\xff\xff" + b"\x00\x00") +
            rec(0x007D, struct.pack("<HHHHH", 1, 3, 2560, 15, 0)) + EOF_)


def biff5():
    globals_ = (bof(0x0809, 0x0500, 0x05) +
                rec(0x0085, struct.pack("<IH", 60, 0) + b"\x05Sheet") + EOF_)
    sheet = (bof(0x0809, 0x0500, 0x10) + rec(0x00D6, cell(0, 0) + b"\x02\x00ab\x00") +
             rec(0x00BD, struct.pack("<HH", 1, 0) + struct.pack("<HI", 15, 6) +
                 struct.pack("<HI", 15, 0x3FF00000) + struct.pack("<H", 1)) +
             rec(0x0006, cell(2, 0) + b"\x00\x00\x00\x00\x00\x00\xff\xff" + bytes(6)) +
             rec(0x0207, b"\x02\x00ok") + EOF_)
    return globals_ + sheet


def biff8():
    strings = b""
    split = None
    for i in range(600):
        text = f"shared {i:03d}".encode()
        if i % 3:
            if split is None and len(strings) > 4000:
                split = len(strings) + 3 + 4  # inside this string's characters
            strings += struct.pack("<HB", len(text), 0) + text
        else:
            strings += struct.pack("<HB", 4, 1) + "品名様々".encode("utf-16-le")
    first, rest = strings[:split], strings[split:]
    sst = rec(0x00FC, struct.pack("<II", 600, 600) + first) + rec(0x003C, b"\x00" + rest)
    globals_ = (bof(0x0809, 0x0600, 0x05) +
                rec(0x0085, struct.pack("<IHBB", 0, 0, 2, 1) + "見積".encode("utf-16-le")) +
                sst + EOF_)
    sheet = (bof(0x0809, 0x0600, 0x10) +
             b"".join(rec(0x00FD, cell(i, 0) + struct.pack("<I", i)) for i in range(0, 600, 37)) +
             rec(0x0204, cell(0, 1) + struct.pack("<HB", 2, 1) + "名前".encode("utf-16-le")) +
             rec(0x0006, cell(1, 1) + b"\x00\x00\x00\x00\x00\x00\xff\xff" + bytes(6)) +
             rec(0x0207, struct.pack("<HB", 2, 0) + b"ok") + EOF_)
    return globals_ + sheet


def main():
    out = os.path.join(HERE, "corpus", "biff_plain")
    os.makedirs(out, exist_ok=True)
    for name, data in [("biff2.bin", biff2()), ("biff3.bin", biff34(0x0209, 0x0206)),
                       ("biff4.bin", biff34(0x0409, 0x0406)), ("biff5.bin", biff5()),
                       ("biff8.bin", biff8())]:
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
