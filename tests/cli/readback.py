#!/usr/bin/env python3
"""velmarin.exe's CSV and JSON, read with Python's own modules, against what cli_tests stored."""
import csv, io, json, pathlib, re, sys

REGISTRATION = ["scope", "key", "status", "statusText", "installation", "program", "path",
                "company", "description", "version", "signature", "signer", "warnings"]
FIELDS = {"list": REGISTRATION, "check": REGISTRATION, "diff": ["change", "scope", "key", "parts"]}
LISTS = {"warnings", "parts"}  # JSON arrays; in CSV their texts joined by ";"

def stored(hex_units):  # a lone surrogate is written as U+FFFD (README)
    text = bytes.fromhex(hex_units).decode("utf-16-le", "surrogatepass")
    return re.sub("[\ud800-\udfff]", "\ufffd", text)

def from_csv(raw, fields):
    rows = list(csv.reader(io.StringIO(raw.decode("utf-8"), newline="")))
    rewritten = io.StringIO(newline="")  # RFC 4180: quoted only where needed, CRLF
    csv.writer(rewritten, lineterminator="\r\n").writerows(rows)
    assert rewritten.getvalue().encode("utf-8") == raw and rows[0] == fields, "not RFC 4180"
    return [dict(zip(fields, row, strict=True)) for row in rows[1:]]

def from_json(raw, fields):
    records = json.loads(raw.decode("ascii"))  # strict: a raw control character fails
    assert all(list(record) == fields for record in records), "fields missing or out of order"
    return records  # a text or a list of texts: compared as such, a wrong type differs

def failures(folder):
    for command, fields in FIELDS.items():
        lines = (folder / f"expected-{command}.txt").read_text("ascii").splitlines()
        expected = [dict(zip(fields, map(stored, line.split("\t")), strict=True)) for line in lines]
        for fmt, read in (("csv", from_csv), ("json", from_json)):
            got = read((folder / f"{command}.{fmt}").read_bytes(), fields)
            for want, have in zip(expected, got, strict=True):  # as many records as keys
                want = {f: (v.split(";") if v else []) if fmt == "json" and f in LISTS else v
                        for f, v in want.items()}  # the expected files hold a list as CSV does
                yield from (f"{command} {fmt} {want['key']!r} {field}: {have[field]!r} != "
                            f"{want[field]!r}" for field in fields if have[field] != want[field])

if __name__ == "__main__":
    found = list(failures(pathlib.Path(sys.argv[1])))
    print("\n".join(found) or "CSV and JSON read back field by field: all equal")
    sys.exit(1 if found else 0)
