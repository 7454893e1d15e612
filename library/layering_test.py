#!/usr/bin/env python3
"""The source tree's layering rules, checked on the sources themselves.

1. Every exported function (library/exports.tsv) is defined in its family's
   exports file: FOLDER/exports.cpp or FOLDER/exports_win32.cpp.
2. No code of a subsystem calls, or takes the address of, an exported
   function of its own family: code behind the exports uses the typed
   internals. (Another family's exports may be used: that is a client.)
3. Platform-independent files (no _win32 in the name) include neither
   <windows.h> nor a _win32 header, so that the core builds natively.
4. A folder includes headers only from the folders it may depend on.

Usage: layering_test.py SOURCE_ROOT. Prints every breach; exit status 1 if
there is any.
"""
import os
import re
import sys

# Family of each exported name, by folder.
FAMILIES = {
    "recordlist": re.compile(r"^(CreateGdirlist|Gdirlist_\w+|SplitGdirlistLine)$"),
    "listview": re.compile(r"^(InitZubolist|Zubolist_\w+)$"),
    "console": re.compile(r"^(CreateConsout|Consout_\w+)$"),
    "kanji": re.compile(r"^(ConvJisToSjis|ConvSjisToJis)$"),
    "memorydc": re.compile(r"^CreateMemoryDC$"),
    "util": re.compile(r"^(MatchDosWildcard|ZuboMenu_\w+|ZuboSelectDirectory)$"),
}

# Which folders' headers a folder may include (besides its own, zubo.h and
# the system's).
MAY_INCLUDE = {
    "library": set(),
    "kanji": set(),
    "util": set(),
    "recordlist": {"library"},
    "memorydc": {"library"},
    "console": {"kanji", "library"},
    "listview": {"recordlist", "library"},
}

SOURCE = re.compile(r"\.(cpp|h|c)$")


def strip_comments_and_strings(text):
    """Blanks out comments and string and character literals, keeping lines."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("\n" * text.count("\n", i, j))
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def is_test(name):
    return "_test" in name or name.startswith("test_support")


def main(root):
    names = []
    with open(os.path.join(root, "library", "exports.tsv")) as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2 and parts[0].isdigit():
                names.append(parts[1])
    family_of = {}
    for name in names:
        owners = [folder for folder, rx in FAMILIES.items() if rx.match(name)]
        if len(owners) != 1:
            print(f"{name}: belongs to {owners or 'no family'}")
            return 1
        family_of[name] = owners[0]

    breaches = []
    defined = {}
    for folder in MAY_INCLUDE:
        path = os.path.join(root, folder)
        for fname in sorted(os.listdir(path)):
            if not SOURCE.search(fname) or is_test(fname):
                continue
            rel = f"{folder}/{fname}"
            with open(os.path.join(path, fname), encoding="utf-8") as f:
                raw = f.read()
            code = strip_comments_and_strings(raw)
            is_exports = fname in ("exports.cpp", "exports_win32.cpp")

            for name, folder_of_name in family_of.items():
                for m in re.finditer(r"\b%s\b" % re.escape(name), code):
                    line = code.count("\n", 0, m.start()) + 1
                    before = code[max(0, m.start() - 40):m.start()]
                    after = code[m.end():m.end() + 200]
                    if re.search(r"ZUBOAPI\s*$", before) and re.match(r"\s*\([^;{]*\)\s*\{", after):
                        defined.setdefault(name, []).append(rel)
                    elif folder_of_name == folder:
                        breaches.append(f"{rel}:{line}: uses {name}, an export of its own family")

            platform_free = "_win32" not in fname
            for m in re.finditer(r'#\s*include\s*([<"])([^>"]+)[>"]', raw):
                header = m.group(2)
                line = raw.count("\n", 0, m.start()) + 1
                if platform_free and (header.lower() in ("windows.h", "shlobj.h") or
                                      "_win32" in header):
                    breaches.append(f"{rel}:{line}: platform-independent file includes {header}")
                if m.group(1) == '"' and "/" in header:
                    dep = header.split("/")[0]
                    if dep in MAY_INCLUDE and dep != folder and dep not in MAY_INCLUDE[folder]:
                        breaches.append(f"{rel}:{line}: {folder}/ may not include {header}")

    for name in names:
        places = defined.get(name, [])
        home = [f"{family_of[name]}/exports.cpp", f"{family_of[name]}/exports_win32.cpp"]
        if len(places) != 1 or places[0] not in home:
            breaches.append(f"{name}: defined in {places or 'no file'}, not in {home[0]} or "
                            f"{home[1]}")

    for b in breaches:
        print(b)
    print(f"{len(names)} exports, {len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
