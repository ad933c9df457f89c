#!/usr/bin/env python3
"""Writes the starting corpus of the zip reader's fuzzer into corpus/.

Each seed is a small archive that reaches one part of the reader: stored and
deflated data, Unix and DOS hosts, "UT" blocks, data descriptors, the
encryption header, long comments, data in front, parent steps in names and
damaged headers. Run it again only to rebuild the seeds; the fuzzer adds its
own finds beside them.
"""
import os
import struct
import zipfile
import io
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")


def raw_deflate(data):
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush()


def entry(name, data, method=8, made_by=20, ext=0x20, flags=0, local_extra=b"",
          central_extra=b"", crc=None, payload=None, usize=None, dos_time=0, dos_date=0x5821):
    return dict(name=name.encode() if isinstance(name, str) else name, data=data,
                method=method, made_by=made_by, ext=ext, flags=flags, lx=local_extra,
                cx=central_extra, crc=crc, payload=payload, usize=usize, t=dos_time, d=dos_date)


def build(entries, comment=b"", prefix=b""):
    out = bytearray(prefix)
    central = bytearray()
    for e in entries:
        payload = e["payload"]
        if payload is None:
            payload = raw_deflate(e["data"]) if e["method"] == 8 else e["data"]
        crc = e["crc"] if e["crc"] is not None else zlib.crc32(e["data"])
        usize = e["usize"] if e["usize"] is not None else len(e["data"])
        offset = len(out) - len(prefix)
        dd = e["flags"] & 8
        out += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, e["flags"], e["method"], e["t"],
                           e["d"], 0 if dd else crc, 0 if dd else len(payload),
                           0 if dd else usize, len(e["name"]), len(e["lx"]))
        out += e["name"] + e["lx"] + payload
        if dd:
            out += struct.pack("<IIII", 0x08074B50, crc, len(payload), usize)
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, e["made_by"], 20, e["flags"],
                               e["method"], e["t"], e["d"], crc, len(payload), usize,
                               len(e["name"]), len(e["cx"]), 0, 0, 0, e["ext"], offset)
        central += e["name"] + e["cx"]
    cd_offset = len(out) - len(prefix)
    out += central
    out += struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(central),
                       cd_offset, len(comment)) + comment
    return bytes(out)


def ut(flags, *times, declared=None):
    body = bytes([flags]) + b"".join(struct.pack("<I", t) for t in times)
    return b"UT" + struct.pack("<H", len(body) if declared is None else declared) + body


def main():
    os.makedirs(OUT, exist_ok=True)
    text = b"[Setting]\r\nfullscreen=F11\r\n" * 20
    seeds = {
        "stored_deflated.zip": build([entry("a.txt", text, 0), entry("b.txt", text, 8)]),
        "unix_host_ut.zip": build([
            entry("dir/", b"", 0, made_by=0x0314, ext=0o40755 << 16),
            entry("dir/f.txt", text, 8, made_by=0x0314, ext=0o100444 << 16,
                  local_extra=ut(7, 1, 2, 3), central_extra=ut(1, 1))]),
        "ut_past_field.zip": build([entry("u.txt", b"u", 0, local_extra=ut(7, 5, declared=40))]),
        "data_descriptor.zip": build([entry("dd.txt", text, 8, flags=8)]),
        "encrypted.zip": build([entry("e.txt", b"x", 0, flags=1, payload=bytes(range(13)))]),
        "long_comment.zip": build([entry("c.txt", b"c", 0)], comment=b"C" * 3000),
        "prefixed.zip": build([entry("p.txt", text, 8)], prefix=b"\x7fELF" + b"\0" * 500),
        "traversal.zip": build([entry("../up.txt", b"x", 0), entry("a/../../b.txt", b"y", 0),
                                entry("..\\win.txt", b"z", 0), entry("C:\\abs\\x.txt", b"w", 0),
                                entry("/etc/x", b"v", 0)]),
        "bad_crc.zip": build([entry("crc.txt", text, 8, crc=1)]),
        "bad_method.zip": build([entry("m.txt", b"m", 12)]),
        "short_size.zip": build([entry("s.txt", text, 8, usize=10)]),
        "long_size.zip": build([entry("l.txt", text, 8, usize=100000)]),
        "truncated_deflate.zip": build([entry("t.txt", text, 8,
                                              payload=raw_deflate(text)[:20])]),
        "dos_attributes.zip": build([entry("h.txt", b"h", 0, ext=0x27),
                                     entry("d", b"", 0, ext=0x10)]),
        "empty_archive.zip": build([]),
        "empty_entry.zip": build([entry("e", b"", 8)]),
    }
    # Python's own writer: Unix host, its own extra handling.
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("py/one.txt", text)
        z.writestr(zipfile.ZipInfo("py/dir/"), b"")
    seeds["python_zipfile.zip"] = buf.getvalue()
    good = seeds["stored_deflated.zip"]
    seeds["cut_in_half.zip"] = good[: len(good) // 2]
    broken_cd = bytearray(good)
    broken_cd[broken_cd.find(b"PK\x01\x02", broken_cd.find(b"PK\x01\x02") + 4)] = 0x58
    seeds["broken_second_header.zip"] = bytes(broken_cd)
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
