#!/usr/bin/env python3
"""Checks a built ZUBO.dll: machine, export table, imports and version resource.

usage: check_pe.py DLL DEF_FILE EXPORTS_TSV i386|amd64

- Every function listed in DEF_FILE is exported by name at its ordinal, and
  nothing else is exported; each exported name and ordinal agrees with the
  complete export list EXPORTS_TSV (ordinal TAB name); the ordinal base is 1
  and the table has as many slots as the highest ordinal of the list, with
  only the exported ordinals filled.
- The module name is ZUBO.dll.
- Only system DLLs are imported.
- A version resource names ZUBO.dll as its original file name.
Prints each problem and a summary; exits 0 when everything holds.
"""
import re
import struct
import sys

ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "msvcrt.dll"}


class PE:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine, nsec = struct.unpack_from("<HH", data, pe + 4)
        opt_size = struct.unpack_from("<H", data, pe + 20)[0]
        self.characteristics = struct.unpack_from("<H", data, pe + 22)[0]
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        dd = opt + (96 if magic == 0x10B else 112)
        self.dirs = [struct.unpack_from("<II", data, dd + 8 * i) for i in range(16)]
        sec = opt + opt_size
        self.sections = []
        for i in range(nsec):
            vsize, va, rsize, raw = struct.unpack_from("<IIII", data, sec + 40 * i + 8)
            self.sections.append((va, vsize, raw, rsize))

    def off(self, rva):
        for va, vsize, raw, rsize in self.sections:
            if va <= rva < va + max(vsize, rsize):
                return raw + rva - va
        raise ValueError("RVA %#x outside every section" % rva)

    def cstr(self, rva):
        o = self.off(rva)
        return self.data[o:self.data.index(b"\0", o)].decode("latin-1")

    def exports(self):
        rva, size = self.dirs[0]
        if not rva:
            return None
        o = self.off(rva)
        (_, _, _, _, name_rva, base, nfunc, nnames, funcs, names, ords) = \
            struct.unpack_from("<IIHHIIIIIII", self.data, o)
        addrs = [struct.unpack_from("<I", self.data, self.off(funcs) + 4 * i)[0]
                 for i in range(nfunc)]
        named = {}
        for i in range(nnames):
            nrva = struct.unpack_from("<I", self.data, self.off(names) + 4 * i)[0]
            idx = struct.unpack_from("<H", self.data, self.off(ords) + 2 * i)[0]
            named[self.cstr(nrva)] = idx + base
        return self.cstr(name_rva), base, addrs, named

    def imports(self):
        rva, _ = self.dirs[1]
        result = []
        if not rva:
            return result
        o = self.off(rva)
        while True:
            fields = struct.unpack_from("<IIIII", self.data, o)
            if not any(fields):
                break
            result.append(self.cstr(fields[3]))
            o += 20
        return result


def read_def(path):
    wanted = {}
    in_exports = False
    for line in open(path):
        line = line.split(";", 1)[0].strip()
        if not line:
            continue
        if line.upper() == "EXPORTS":
            in_exports = True
            continue
        m = re.match(r"^(\w+)\s+@(\d+)$", line)
        if in_exports and m:
            wanted[m.group(1)] = int(m.group(2))
    return wanted


def main():
    if len(sys.argv) != 5:
        print(__doc__)
        return 2
    dll, deffile, tsv, machine = sys.argv[1:]
    problems = []
    pe = PE(open(dll, "rb").read())
    want_machine = {"i386": 0x14C, "amd64": 0x8664}[machine]
    if pe.machine != want_machine:
        problems.append("machine %#x, expected %#x" % (pe.machine, want_machine))
    if not pe.characteristics & 0x2000:
        problems.append("not a DLL")

    full = {}
    for line in open(tsv):
        if line.strip():
            o, n = line.split()
            full[n] = int(o)
    built = read_def(deffile)
    for name, o in built.items():
        if full.get(name) != o:
            problems.append("definition file: %s @%d is not in the export list" % (name, o))

    exp = pe.exports()
    if exp is None:
        problems.append("no export table")
    else:
        module, base, addrs, named = exp
        if module != "ZUBO.dll":
            problems.append("module name %r, expected 'ZUBO.dll'" % module)
        if base != 1:
            problems.append("ordinal base %d, expected 1" % base)
        if len(addrs) != max(full.values()):
            problems.append("%d ordinal slots, expected %d" % (len(addrs), max(full.values())))
        for name, o in sorted(named.items(), key=lambda kv: kv[1]):
            if name not in built:
                problems.append("extra export %s @%d" % (name, o))
            elif built[name] != o:
                problems.append("%s exported @%d, expected @%d" % (name, o, built[name]))
        for name, o in built.items():
            if name not in named:
                problems.append("missing export %s @%d" % (name, o))
        filled = {base + i for i, a in enumerate(addrs) if a}
        extra_slots = filled - set(built.values())
        if extra_slots:
            problems.append("ordinals without a name: %s" % sorted(extra_slots))

    for imp in pe.imports():
        if imp.lower() not in ALLOWED_IMPORTS:
            problems.append("imports %s, which is not a system DLL" % imp)

    utf16 = lambda s: s.encode("utf-16-le")
    if utf16("OriginalFilename") not in pe.data or utf16("ZUBO.dll") not in pe.data:
        problems.append("no version resource naming ZUBO.dll")

    for p in problems:
        print(p)
    print("%s: %d of %d functions exported, %d problem(s)"
          % (dll, len(built), len(full), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
