#!/usr/bin/env python3
"""Builds the single-file user guide that ships beside Corvela.exe: the HTML source with every
local image inlined as a data URI, so the guide is one file that opens from anywhere."""
import base64
import pathlib
import re
import sys


def main() -> int:
    if len(sys.argv) != 3:
        print("usage: build_guide.py SOURCE.html OUTPUT.html", file=sys.stderr)
        return 2
    source = pathlib.Path(sys.argv[1])
    html = source.read_text(encoding="utf-8")

    def inline(match: re.Match) -> str:
        path = source.parent / match.group(2)
        if not path.is_file():
            raise SystemExit(f"build_guide: missing image {path}")
        data = base64.b64encode(path.read_bytes()).decode("ascii")
        return f'{match.group(1)}"data:image/png;base64,{data}"'

    html = re.sub(r'(<img[^>]*\ssrc=)"(images/[^"]+\.png)"', inline, html)
    pathlib.Path(sys.argv[2]).write_text(html, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
