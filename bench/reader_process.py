#!/usr/bin/env python3
"""Whole-process benchmark of the reader itself (release build, headless):

  - start to the first painted page of a 2 MB and of a 20 MB book (goals:
    under 1 s; the 20 MB book within 1.5 times the 2 MB figure), each start
    in a fresh copy of a device root prepared by deviceprep, the two books
    alternated so that a busy machine slows both alike;
  - a page turn, from the key to the painted page, at 240x320 and 480x640
    (goals: a median of 200 turns under 30 ms and 60 ms);
  - the longest PostCommand (99.9th percentile) while the UI thread drains
    the queue (goal: under 50 us), 100,000 posts from a second thread.

The reader runs as bench_reader_process (bench/reader_process.cpp): the
program of tessalyn_main.cpp over a backend that notes the times at the
message loop's idle turns. A start is timed from just before this script
starts the process to the first idle turn at which the main window shows
the book (both on CLOCK_MONOTONIC). Beside it, the real `tessalyn` is
timed from start to exit with an input file that quits at once, as a
check on the whole run (it also saves and closes).

    reader_process.py [--bin DIR] [--runs N] [--fonts builtin|freetype] [--keep DIR]

Books: the prose of bench/make_prose.py as HTML paragraphs, made into corv
books (PalmDOC-compressed) by bookmake: files of about 2 MB (two copies of
2.1 MB of markup) and 20 MB (twenty copies).
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_prose  # noqa: E402

# About 2.1 MB of markup, which bookmake compresses to about 1 MB: two
# copies make the 2 MB book, twenty the 20 MB book (sizes of the files).
UNIT_BYTES = 2_100_000


def make_books(folder, bindir):
    html = make_prose.prose_html(UNIT_BYTES)
    head, _, rest = html.partition(b"<body>\n")
    body, _, tail = rest.rpartition(b"</body>")
    books = {}
    for name, copies in (("prose2.corv", 2), ("prose20.corv", 20)):
        source = os.path.join(folder, name.replace(".corv", ".html"))
        with open(source, "wb") as f:
            f.write(head + b"<body>\n" + body * copies + b"</body>" + tail)
        books[name] = os.path.join(folder, name)
        subprocess.run([os.path.join(bindir, "bookmake"), source, books[name]], check=True,
                       stdout=subprocess.DEVNULL)
    return books


def make_template(folder, bindir, books):
    root = os.path.join(folder, "root")
    subprocess.run([os.path.join(bindir, "deviceprep"), root], check=True, stdout=subprocess.DEVNULL)
    for path in books.values():
        shutil.copy(path, os.path.join(root, "eBooks"))
    return root


def fresh_root(template, folder):
    root = os.path.join(folder, "run-root")
    shutil.rmtree(root, ignore_errors=True)
    shutil.copytree(template, root, symlinks=True)
    return root


def environment(root, screen, fonts, extra=None):
    env = dict(os.environ)
    env.update({"TESSALYN_DEVICE_ROOT": root, "TESSALYN_BACKEND": "headless", "TESSALYN_FONTS": fonts,
                "TESSALYN_SCREEN": screen, "SDL_AUDIODRIVER": "dummy", "TESSALYN_AUDIO": "null"})
    env.pop("DISPLAY", None)
    env.pop("TESSALYN_INPUT", None)
    env.update(extra or {})
    return env


def run_driver(bindir, template, folder, book, screen, fonts, extra=None):
    """One process of bench_reader_process on a fresh root; answers its JSON
    and the nanoseconds from just before the start to the first page."""
    root = fresh_root(template, folder)
    env = environment(root, screen, fonts, extra)
    argv = [os.path.join(bindir, "bench_reader_process"), "\\eBooks\\" + book]
    started = time.monotonic_ns()
    done = subprocess.run(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=600)
    if done.returncode != 0:
        raise SystemExit("bench_reader_process failed (%d): %s" % (done.returncode, done.stderr.decode()[-2000:]))
    lines = [line for line in done.stdout.decode().splitlines() if line.startswith("{")]
    if not lines:
        raise SystemExit("bench_reader_process printed no figures: " + done.stderr.decode()[-2000:])
    result = json.loads(lines[-1])
    if result["first_page_ns"] == 0:
        raise SystemExit("no book was shown: " + done.stderr.decode()[-2000:])
    return result, result["first_page_ns"] - started


def run_real_start_to_exit(bindir, template, folder, book, screen, fonts):
    root = fresh_root(template, folder)
    script = os.path.join(folder, "quit.txt")
    with open(script, "w") as f:
        f.write("quit\n")
    env = environment(root, screen, fonts, {"TESSALYN_INPUT": script})
    started = time.monotonic_ns()
    subprocess.run([os.path.join(bindir, "tessalyn"), "\\eBooks\\" + book], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
    return time.monotonic_ns() - started


def ms(ns):
    return ns / 1e6


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", default=os.path.join(os.path.dirname(HERE), "build-release", "bin"))
    parser.add_argument("--runs", type=int, default=7, help="starts of each book, and processes of each other test")
    parser.add_argument("--fonts", default="freetype", choices=("freetype", "builtin"))
    parser.add_argument("--turns", type=int, default=200)
    parser.add_argument("--posts", type=int, default=100000)
    parser.add_argument("--keep")
    args = parser.parse_args()
    bindir = os.path.abspath(args.bin)

    with tempfile.TemporaryDirectory(prefix="tessalyn-reader-bench-") as temp:
        folder = args.keep or temp
        os.makedirs(folder, exist_ok=True)
        books = make_books(folder, bindir)
        template = make_template(folder, bindir, books)
        print("books: %s %.1f MB, %s %.1f MB; fonts %s; load average %s" % (
            "prose2.corv", os.path.getsize(books["prose2.corv"]) / 1e6,
            "prose20.corv", os.path.getsize(books["prose20.corv"]) / 1e6, args.fonts,
            " ".join("%.1f" % x for x in os.getloadavg())))

        # Start to the first painted page, the two books alternated.
        starts = {"prose2.corv": [], "prose20.corv": []}
        real = {"prose2.corv": [], "prose20.corv": []}
        for _ in range(args.runs):
            for book in starts:
                starts[book].append(run_driver(bindir, template, folder, book, "240x320", args.fonts)[1])
                real[book].append(run_real_start_to_exit(bindir, template, folder, book, "240x320", args.fonts))
        small = statistics.median(starts["prose2.corv"])
        large = statistics.median(starts["prose20.corv"])
        for book, goal in (("prose2.corv", "< 1000 ms"), ("prose20.corv", "<= 1.5x the 2 MB figure")):
            runs = starts[book]
            print("start to first page, %-13s median %7.1f ms  best %7.1f ms  worst %7.1f ms  (goal %s)  "
                  "tessalyn start to exit: median %.1f ms" % (book, ms(statistics.median(runs)), ms(min(runs)),
                                                               ms(max(runs)), goal, ms(statistics.median(real[book]))))
        print("start ratio 20 MB / 2 MB (medians): %.2fx  %s; 2 MB under 1 s: %s" % (
            large / small, "met" if large <= 1.5 * small else "NOT MET", "met" if small < 1e9 else "NOT MET"))

        # Page turns.
        for screen, goal in (("240x320", 30.0), ("480x640", 60.0)):
            medians = []
            for run in range(max(1, args.runs // 2)):
                result, _ = run_driver(bindir, template, folder, "prose2.corv", screen, args.fonts,
                                       {"BENCH_TURNS": str(args.turns)})
                turns = [ms(t) for t in result["turns_ns"]]
                if len(turns) != args.turns:
                    raise SystemExit("%d turns made of %d" % (len(turns), args.turns))
                median = statistics.median(turns)
                medians.append(median)
                turns.sort()
                print("page turn %s, run %d: median %.2f ms  p90 %.2f ms  max %.2f ms  first %.2f ms  "
                      "turns that changed nothing on the screen: %d" % (
                          screen, run + 1, median, turns[int(0.9 * (len(turns) - 1))], turns[-1],
                          ms(result["turns_ns"][0]), result["unchanged_turns"]))
            print("page turn %s: median of %d turns, best run %.2f ms (goal < %.0f ms): %s" % (
                screen, args.turns, min(medians), goal, "met" if min(medians) < goal else "NOT MET"))

        # The queue.
        worst = []
        for run in range(max(1, args.runs // 2)):
            result, _ = run_driver(bindir, template, folder, "prose2.corv", "240x320", args.fonts,
                                   {"BENCH_POSTS": str(args.posts)})
            p = result["post_ns"]
            worst.append(p["p999"])
            print("PostCommand, run %d: %d posts, %d failed, drained %s; p50 %.2f us  p99 %.2f us  "
                  "p99.9 %.2f us  max %.2f us" % (run + 1, result["posts"], result["post_failures"],
                                                   result["drained"], p["p50"] / 1e3, p["p99"] / 1e3,
                                                   p["p999"] / 1e3, p["max"] / 1e3))
        print("PostCommand p99.9, best run %.2f us (goal < 50 us): %s" % (
            min(worst) / 1e3, "met" if min(worst) < 50e3 else "NOT MET"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
