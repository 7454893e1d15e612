#!/usr/bin/env python3
"""Checks an MSVC import library against the module-definition file.

    check_import_lib.py ZUBO.lib ZUBO.def i386|amd64

Every export of the .def file must have a short import record (the format
link.exe and lld-link read) for the DLL named in the .def file, as code,
with its ordinal as the hint, reachable from the archive's symbol table
under the name a compiler emits for a call and under its __imp_ pointer:
on i386 the __cdecl name _Foo, imported as Foo (name type NOPREFIX, the
underscore dropped); on amd64 Foo itself (name type NAME). The archive
must hold nothing else but the three import descriptor objects.
"""
import re
import struct
import sys

MACHINES = {"i386": 0x14C, "amd64": 0x8664}
NAME_TYPES = {0: "ORDINAL", 1: "NAME", 2: "NOPREFIX", 3: "UNDECORATE"}


def read_def(path):
    text = open(path, encoding="ascii").read()
    library = re.search(r'^LIBRARY\s+"?([^"\s]+)"?', text, re.M).group(1)
    exports = {}
    for name, ordinal in re.findall(r"^\s+([A-Za-z_][A-Za-z0-9_]*)\s+@(\d+)", text, re.M):
        exports[name] = int(ordinal)
    return library, exports


def read_archive(path):
    """Returns (symbol table {name: member offset}, {offset: member data})."""
    data = open(path, "rb").read()
    if not data.startswith(b"!<arch>\n"):
        raise SystemExit(f"{path}: not an archive")
    members, pos, symbols = {}, 8, None
    while pos < len(data):
        header = data[pos:pos + 60]
        name = header[:16].decode("ascii").rstrip()
        size = int(header[48:58].decode("ascii"))
        body = data[pos + 60:pos + 60 + size]
        if name == "/" and symbols is None:
            count = struct.unpack(">I", body[:4])[0]
            offsets = struct.unpack(f">{count}I", body[4:4 + 4 * count])
            names = body[4 + 4 * count:].split(b"\0")[:count]
            symbols = {n.decode("ascii"): o for n, o in zip(names, offsets)}
        elif name not in ("/", "//"):
            members[pos] = body
        pos += 60 + size + (size & 1)
    if symbols is None:
        raise SystemExit(f"{path}: no symbol table")
    return symbols, members


def short_import(body):
    """Decodes a short import record, or None for a regular object."""
    sig1, sig2, _version, machine, _time, size, hint, bits = struct.unpack("<HHHHIIHH", body[:20])
    if sig1 != 0 or sig2 != 0xFFFF:
        return None
    symbol, dll = body[20:20 + size].split(b"\0")[:2]
    return {"machine": machine, "hint": hint, "type": bits & 3,
            "name_type": NAME_TYPES.get((bits >> 2) & 7, "?"),
            "symbol": symbol.decode("ascii"), "dll": dll.decode("ascii")}


def main():
    lib_path, def_path, machine = sys.argv[1], sys.argv[2], sys.argv[3]
    library, exports = read_def(def_path)
    symbols, members = read_archive(lib_path)
    errors = []
    records = {}
    for offset, body in members.items():
        record = short_import(body)
        if record:
            records[offset] = record
    descriptors = len(members) - len(records)
    if descriptors != 3:
        errors.append(f"{descriptors} objects besides the import records, expected 3")
    if len(records) != len(exports):
        errors.append(f"{len(records)} import records for {len(exports)} exports")

    prefix, name_type = ("_", "NOPREFIX") if machine == "i386" else ("", "NAME")
    for name, ordinal in exports.items():
        symbol = prefix + name
        offset = symbols.get(symbol)
        if offset is None or offset not in records:
            errors.append(f"{name}: no import record under {symbol}")
            continue
        if symbols.get("__imp_" + symbol) != offset:
            errors.append(f"{name}: __imp_{symbol} missing or elsewhere")
        record = records[offset]
        expected = {"machine": MACHINES[machine], "hint": ordinal, "type": 0,
                    "name_type": name_type, "symbol": symbol, "dll": library}
        for key, value in expected.items():
            if record[key] != value:
                errors.append(f"{name}: {key} is {record[key]!r}, expected {value!r}")
    for e in errors:
        print("FAIL:", e)
    print(f"{lib_path}: {len(exports)} exports checked, {len(errors)} problems")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
