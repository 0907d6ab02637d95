#!/usr/bin/env python3
"""Fails when the Win32 layer calls an 8-bit ("...A") function or names an 8-bit structure or
message, or converts text through the ANSI code page outside the one place that reads old text
files. Text in src/ is UTF-8 and reaches Windows through the wide-character API only.

Usage: check_wide_calls.py SRC_DIR [MINGW_INCLUDE_DIR]
The 8-bit names are those the MinGW-w64 headers declare in both an A and a W form; without the
headers, any call of a name ending in a capital A after a small letter or digit counts.
"""
import os
import re
import sys

# Where CP_ACP is right: a text file without UTF-8's mark was written in the system's code page.
CP_ACP_ALLOWED = {"src/platform/win/Win32FileSystem.cpp"}
# 8-bit names that are harmless, each with its reason. (None today.)
A_NAMES_ALLOWED = {}

IDENTIFIER = re.compile(r"\b[A-Za-z_][A-Za-z0-9_]*\b")
FALLBACK_CALL = re.compile(r"\b([A-Za-z_][A-Za-z0-9_]*[a-z0-9_]A)\s*\(")


def strip_comments_and_strings(text):
    """The code alone: comments and the insides of string and character literals blanked, line
    breaks kept so that line numbers still hold."""
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
        elif c == 'R' and text.startswith('R"', i):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            end = text.find(")" + (m.group(1) if m else "") + '"', i)
            j = n if end < 0 else end + len(m.group(1) if m else "") + 2
            out.append('""' + "\n" * text.count("\n", i, j))
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def eight_bit_names(include_dir):
    """Names X+'A' for which the headers hold both X+'A' and X+'W'."""
    names = set()
    for folder, _, files in os.walk(include_dir):
        for name in files:
            if name.endswith(".h"):
                with open(os.path.join(folder, name), encoding="latin-1") as f:
                    names.update(IDENTIFIER.findall(f.read()))
    return {n for n in names if n.endswith("A") and len(n) > 2 and n[:-1] + "W" in names}


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    src = sys.argv[1]
    include_dir = sys.argv[2] if len(sys.argv) > 2 else "/usr/share/mingw-w64/include"
    root = os.path.dirname(os.path.abspath(src))
    known = eight_bit_names(include_dir) if os.path.isdir(include_dir) else None
    faults = []
    for folder, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(folder, name)
            shown = os.path.relpath(path, root).replace(os.sep, "/")
            with open(path, encoding="utf-8") as f:
                code = strip_comments_and_strings(f.read())
            for number, line in enumerate(code.split("\n"), 1):
                if known is None:
                    found = FALLBACK_CALL.findall(line)
                else:
                    found = [w for w in IDENTIFIER.findall(line) if w in known]
                for word in found:
                    if word not in A_NAMES_ALLOWED:
                        faults.append(f"{shown}:{number}: {word}: use the wide-character form")
                if "CP_ACP" in IDENTIFIER.findall(line) and shown not in CP_ACP_ALLOWED:
                    faults.append(f"{shown}:{number}: CP_ACP: text is UTF-8; convert with WideText.h")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} 8-bit call(s) or code page conversion(s) in {src}" if faults else
          "no 8-bit calls in " + src)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
