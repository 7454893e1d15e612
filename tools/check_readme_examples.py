#!/usr/bin/env python3
"""Compiles the README's host examples with a Windows compiler, warnings as
errors: the C host as C and as C++ (-Wwrite-strings), the C++ host as C++.

    check_readme_examples.py README.md CC CXX INCLUDE_DIR
"""
import subprocess
import sys

# The C example's functions are static: a user keeps them from being
# reported as unused.
C_USES = "\nvoid readme_uses(void) { records(); console(0); listview(0, 0); }\n"


def code_block(text, heading, language):
    """The first ```language block after the heading line."""
    start = text.index("\n" + heading + "\n")
    fence = text.index("```" + language + "\n", start) + len(language) + 4
    return text[fence:text.index("```", fence)]


def compile_source(compiler, language, flags, source, include):
    command = [compiler, "-x", language] + flags + ["-I", include, "-fsyntax-only", "-"]
    result = subprocess.run(command, input=source, text=True, capture_output=True)
    ok = result.returncode == 0
    print(("ok   " if ok else "FAIL ") + " ".join(command[:3] + flags))
    if not ok:
        print(result.stderr)
    return ok


def main():
    readme, cc, cxx, include = sys.argv[1:5]
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    c_host = code_block(text, "## A host in C", "c") + C_USES
    cxx_host = code_block(text, "## A host in C++", "cpp")
    warnings = ["-Wall", "-Wextra", "-Werror"]
    results = [
        compile_source(cc, "c", ["-std=c99"] + warnings, c_host, include),
        compile_source(cxx, "c++", ["-std=c++17", "-Wwrite-strings"] + warnings, c_host, include),
        compile_source(cxx, "c++", ["-std=c++17", "-Wwrite-strings"] + warnings, cxx_host, include),
    ]
    print("%d passed, %d failed" % (results.count(True), results.count(False)))
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
