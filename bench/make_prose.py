#!/usr/bin/env python3
"""Makes the whole-process benchmark's English prose from text that Debian
installs: the licence texts of /usr/share/common-licenses, then section-1
manual pages rendered to plain ASCII text by groff (groff-base), in name
order, until the wanted size. Nothing is downloaded or kept in the tree.

    make_prose.py text BYTES OUT     prose of exactly BYTES bytes
    make_prose.py html BYTES OUT     the prose as clean HTML of about BYTES
                                     bytes: one <p> per paragraph, the markup
                                     characters escaped

The text holds printable ASCII and line feeds only (form feeds and other
control characters are dropped), so a Palm Doc converter gives it back
byte for byte.
"""
import gzip
import html
import os
import subprocess
import sys

LICENCES = "/usr/share/common-licenses"
MAN1 = "/usr/share/man/man1"


def licence_texts():
    for name in sorted(os.listdir(LICENCES)):
        path = os.path.join(LICENCES, name)
        if os.path.islink(path) or not os.path.isfile(path):
            continue  # GPL -> GPL-3 and the like: each text once
        with open(path, "rb") as f:
            yield f.read()


def manual_pages():
    for name in sorted(os.listdir(MAN1)):
        if not name.endswith(".1.gz"):
            continue
        path = os.path.join(MAN1, name)
        if os.path.islink(path):
            continue
        try:
            with gzip.open(path, "rb") as f:
                source = f.read()
        except OSError:
            continue
        if source.startswith(b".so "):
            continue  # an alias of another page
        # -P-cbou: no colour escapes and no overstriking, so plain ASCII.
        done = subprocess.run(["groff", "-t", "-man", "-Tascii", "-P-cbou"], input=source,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if done.returncode == 0 and done.stdout:
            yield done.stdout


KEPT = bytes(range(32, 127)) + b"\n"
DROPPED = bytes(b for b in range(256) if b not in KEPT)


def prose(size):
    out = bytearray()
    for chunk in licence_texts():
        out += chunk.translate(None, DROPPED) + b"\n"
        if len(out) >= size:
            return bytes(out[:size])
    for page in manual_pages():
        out += page.translate(None, DROPPED) + b"\n"
        if len(out) >= size:
            return bytes(out[:size])
    raise SystemExit("make_prose.py: not enough prose on this machine for %d bytes" % size)


def prose_html(size):
    """Paragraphs of the prose (blank-line separated, lines joined) until the
    document holds about size bytes."""
    head = "<!DOCTYPE html>\n<html>\n<head><title>Prose</title></head>\n<body>\n"
    tail = "</body>\n</html>\n"
    text = prose(size * 3 // 2).decode("ascii")
    parts, used = [head], len(head) + len(tail)
    for block in text.split("\n\n"):
        lines = [line.strip() for line in block.split("\n") if line.strip()]
        if not lines:
            continue
        paragraph = "<p>" + html.escape(" ".join(lines), quote=False) + "</p>\n"
        parts.append(paragraph)
        used += len(paragraph)
        if used >= size:
            break
    parts.append(tail)
    return "".join(parts).encode("ascii")


def main(argv):
    if len(argv) != 4 or argv[1] not in ("text", "html"):
        sys.stderr.write(__doc__)
        return 2
    size = int(argv[2])
    data = prose(size) if argv[1] == "text" else prose_html(size)
    with open(argv[3], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
