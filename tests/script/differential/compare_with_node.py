#!/usr/bin/env python3
"""Runs every program of the differential corpus under scriptrun and under
node (after the one-line prelude that defines Response.Write) and compares
what they print, byte for byte, with their exit status. Prints each
difference and the closing line "N passed, N failed"; exits 1 when a program
differs or node cannot be run.

Usage: compare_with_node.py --scriptrun PATH --prelude FILE [--node NODE] DIR
"""

import argparse
import concurrent.futures
import os
import subprocess
import sys


def run(command, stdin=None):
    result = subprocess.run(command, input=stdin, capture_output=True, timeout=120,
                            env=dict(os.environ, TZ="UTC"))
    return result.returncode, result.stdout, result.stderr


def compare(args, prelude, path):
    with open(path, "rb") as f:
        program = f.read()
    node = run([args.node, "-"], prelude + program)
    engine = run([args.scriptrun, path])
    if node[:2] == engine[:2]:
        return None
    return ("%s differs\n--- node (exit %d)\n%s%s\n--- scriptrun (exit %d)\n%s%s\n"
            % (os.path.basename(path), node[0], node[1].decode("utf-8", "replace"),
               node[2].decode("utf-8", "replace"), engine[0],
               engine[1].decode("utf-8", "replace"), engine[2].decode("utf-8", "replace")))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--scriptrun", required=True)
    ap.add_argument("--prelude", required=True)
    ap.add_argument("--node", default="node")
    ap.add_argument("--jobs", type=int, default=4)
    ap.add_argument("dir")
    args = ap.parse_args()
    with open(args.prelude, "rb") as f:
        prelude = f.read()
    prelude_name = os.path.basename(args.prelude)
    programs = sorted(os.path.join(args.dir, name) for name in os.listdir(args.dir)
                      if name.endswith(".js") and name != prelude_name)
    try:
        run([args.node, "--version"])
    except OSError as e:
        print("node cannot be run: %s" % e)
        print("0 passed, %d failed" % len(programs))
        return 1
    failed = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for difference in pool.map(lambda p: compare(args, prelude, p), programs):
            if difference is not None:
                failed += 1
                sys.stdout.write(difference)
    print("%d passed, %d failed" % (len(programs) - failed, failed))
    return 1 if failed or not programs else 0


if __name__ == "__main__":
    sys.exit(main())
