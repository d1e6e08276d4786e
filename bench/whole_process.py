#!/usr/bin/env python3
"""Whole-process benchmark: the reader's book and markup programs timed as
users meet them, beside the Debian tools that do the same work, on inputs
made here from English prose (bench/make_prose.py) that the peers handle
without a single error. Every figure comes from this one run: each pair of
programs runs alternately, and the best CPU time (user + system) of each is
compared, so that a busy machine slows both alike. Where valgrind is
installed, the instructions each program executes (callgrind's count, one
run each) are compared too: a figure that no load on the machine moves.

    whole_process.py [--bin DIR] [--runs N] [--keep DIR] [--no-instructions]

  --bin DIR   the programs (default: build-release/bin beside this folder)
  --runs N    runs of each program per comparison (default 9)
  --keep DIR  make the inputs in DIR and keep them (default: a temporary
              folder, removed at the end)
  --no-instructions  skip the instruction counts (they take a few seconds
              under valgrind)

Inputs: a 2 MB Palm Doc file made by txt2pdbdoc from the prose, the same
text as a PalmDOC-compressed UTF-8 corv book made by bookmake, a 2,000-byte
Palm Doc file, a clean 2 MB HTML file of the prose's paragraphs (xmllint
reports no error on it) and a 10 MB Palm Doc file (the prose ten times) for
peak memory. The SegmentedArray figure comes from bench_segmented_array.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_prose  # noqa: E402

PROSE_BYTES = 2_000_000
SMALL_BYTES = 2_000


def run_once(argv):
    """Runs argv with its output thrown away; answers the CPU seconds (user
    and system) of that process alone."""
    with open(os.devnull, "wb") as sink:
        child = subprocess.Popen(argv, stdout=sink, stderr=subprocess.PIPE)
        _, status, usage = os.wait4(child.pid, 0)
        child.returncode = os.waitstatus_to_exitcode(status)
        errors = child.stderr.read()
        child.stderr.close()
    if child.returncode != 0 or errors:
        raise SystemExit("%s failed (%d): %s" % (" ".join(argv), child.returncode, errors.decode(errors="replace")))
    return usage.ru_utime + usage.ru_stime


def peak_rss_kb(argv):
    """The peak resident set of argv, in KB, as GNU time reports it. (A
    child's own rusage would count this script's memory: a forked child
    starts with its parent's high-water mark. GNU time is small.)"""
    with tempfile.NamedTemporaryFile(mode="r", suffix=".rss") as report:
        with open(os.devnull, "wb") as sink:
            subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + argv, stdout=sink, check=True)
        return int(report.read().split()[-1])


def instructions_of(argv):
    """The instructions argv executes, whole process, as callgrind counts
    them; None when valgrind is not installed."""
    if shutil.which("valgrind") is None:
        return None
    with open(os.devnull, "wb") as sink:
        done = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"] + argv,
                              stdout=sink, stderr=subprocess.PIPE, check=True)
    for line in done.stderr.decode(errors="replace").splitlines():
        if "Collected :" in line:
            return int(line.split(":")[-1].strip())
    raise SystemExit("callgrind printed no count for " + " ".join(argv))


def best_of(ours, peer, runs):
    """Alternate runs of the two programs; the best CPU time of each."""
    best = {"ours": float("inf"), "peer": float("inf")}
    for _ in range(runs):
        for key, argv in (("ours", ours), ("peer", peer)):
            best[key] = min(best[key], run_once(argv))
    return best["ours"], best["peer"]


def output_of(argv):
    return subprocess.run(argv, stdout=subprocess.PIPE, check=True).stdout


def make_inputs(folder, bindir):
    paths = {name: os.path.join(folder, name) for name in
             ("prose.txt", "prose.pdb", "prose.corv", "small.txt", "small.pdb", "prose10.txt", "prose10.pdb",
              "prose.html")}
    text = make_prose.prose(PROSE_BYTES)
    with open(paths["prose.txt"], "wb") as f:
        f.write(text)
    with open(paths["small.txt"], "wb") as f:
        f.write(text[:SMALL_BYTES])
    with open(paths["prose10.txt"], "wb") as f:
        f.write(text * 10)
    with open(paths["prose.html"], "wb") as f:
        f.write(make_prose.prose_html(PROSE_BYTES))
    for name in ("prose", "small", "prose10"):
        subprocess.run(["txt2pdbdoc", name, paths[name + ".txt"], paths[name + ".pdb"]], check=True)
    subprocess.run([os.path.join(bindir, "bookmake"), paths["prose.txt"], paths["prose.corv"]], check=True,
                   stdout=subprocess.DEVNULL)
    # The peers must handle every input without a complaint, and ours must
    # give the same text.
    lint = subprocess.run(["xmllint", "--html", "--noout", paths["prose.html"]], capture_output=True)
    if lint.returncode != 0 or lint.stdout or lint.stderr:
        raise SystemExit("xmllint reports errors on the HTML input:\n" + lint.stderr.decode()[:2000])
    for book, source in (("prose.pdb", "prose.txt"), ("prose.corv", "prose.txt"), ("small.pdb", "small.txt")):
        with open(paths[source], "rb") as f:
            expected = f.read()
        if output_of([os.path.join(bindir, "booktext"), paths[book]]) != expected:
            raise SystemExit("booktext does not give back the text of " + book)
    with open(paths["prose.txt"], "rb") as f:
        if output_of(["txt2pdbdoc", "-d", paths["prose.pdb"]]) != f.read():
            raise SystemExit("txt2pdbdoc -d does not give back the text of prose.pdb")
    return paths


def segmented_array_ratios(bindir):
    """Appending 1,000 and 100,000 items: SegmentedArray (typed and generic)
    beside std::vector, in one run of bench_segmented_array; answers
    {(form, items): ratio}. Each figure is the median of five repetitions,
    so that one slow stretch of the machine does not make the ratio."""
    done = subprocess.run([os.path.join(bindir, "bench_segmented_array"), "--benchmark_filter=^Append",
                           "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true",
                           "--benchmark_format=json"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True)
    times = {b["run_name"]: b["cpu_time"] for b in json.loads(done.stdout)["benchmarks"]
             if b.get("aggregate_name") == "median"}
    return {(form, n): times["Append%s/%d" % (form, n)] / times["AppendVector/%d" % n]
            for form in ("Typed", "Generic") for n in (1000, 100000)}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", default=os.path.join(os.path.dirname(HERE), "build-release", "bin"))
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--keep")
    parser.add_argument("--no-instructions", action="store_true")
    args = parser.parse_args()
    bindir = os.path.abspath(args.bin)
    booktext = os.path.join(bindir, "booktext")
    elements = os.path.join(bindir, "markup-elements")

    with tempfile.TemporaryDirectory(prefix="tessalyn-bench-") as temp:
        folder = args.keep or temp
        os.makedirs(folder, exist_ok=True)
        paths = make_inputs(folder, bindir)

        rows = []

        def compare(title, ours, peer, goal, check, runs=args.runs):
            our_cpu, peer_cpu = best_of(ours, peer, runs)
            ratio = our_cpu / peer_cpu if peer_cpu > 0 else float("inf")
            verdict = "met" if check(ratio) else "NOT MET"
            counted = "-"
            if not args.no_instructions:
                our_ir, peer_ir = instructions_of(ours), instructions_of(peer)
                if our_ir is not None and peer_ir:
                    counted = "%.2fx" % (our_ir / peer_ir)
                    verdict += ", by instructions " + ("met" if check(our_ir / peer_ir) else "NOT MET")
            rows.append((title, "%.1f ms" % (our_cpu * 1e3), "%.1f ms" % (peer_cpu * 1e3), "%.2fx" % ratio, counted,
                         goal, verdict))

        compare("booktext / txt2pdbdoc -d, 2 MB Palm Doc", [booktext, paths["prose.pdb"]],
                ["txt2pdbdoc", "-d", paths["prose.pdb"]], "<= 0.67x", lambda r: r <= 1 / 1.5)
        compare("booktext / txt2pdbdoc -d -D, UTF-8 corv book", [booktext, paths["prose.corv"]],
                ["txt2pdbdoc", "-d", "-D", paths["prose.corv"]], "<= 1.00x", lambda r: r <= 1.0)
        compare("booktext / txt2pdbdoc -d, 2,000-byte book", [booktext, paths["small.pdb"]],
                ["txt2pdbdoc", "-d", paths["small.pdb"]], "<= 1.50x", lambda r: r <= 1.5, runs=max(args.runs, 31))
        compare("markup-elements --count / xmllint --html --noout", [elements, "--count", paths["prose.html"]],
                ["xmllint", "--html", "--noout", paths["prose.html"]], "<= 0.50x", lambda r: r <= 0.5)
        compare("booktext / txt2pdbdoc -d, 10 MB Palm Doc (time)", [booktext, paths["prose10.pdb"]],
                ["txt2pdbdoc", "-d", paths["prose10.pdb"]], "-", lambda r: True, runs=max(3, args.runs // 3))
        our_rss = max(peak_rss_kb([booktext, paths["prose10.pdb"]]) for _ in range(3))
        peer_rss = max(peak_rss_kb(["txt2pdbdoc", "-d", paths["prose10.pdb"]]) for _ in range(3))
        rss_ratio = our_rss / peer_rss
        rows.append(("peak RSS, booktext / txt2pdbdoc -d, 10 MB Palm Doc", "%d KB" % our_rss, "%d KB" % peer_rss,
                     "%.2fx" % rss_ratio, "-", "<= 2.00x", "met" if rss_ratio <= 2.0 else "NOT MET"))
        for (form, n), ratio in sorted(segmented_array_ratios(bindir).items()):
            rows.append(("SegmentedArray / std::vector, %s appends (%s)" % (format(n, ","), form.lower()), "-", "-",
                         "%.2fx" % ratio, "-", "<= 2.00x", "met" if ratio <= 2.0 else "NOT MET"))

    header = ("comparison", "ours", "peer", "ratio (CPU time)", "ratio (instructions)", "goal", "")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(str(cell).ljust(widths[i]) for i, cell in enumerate(row)).rstrip())
    return 0


if __name__ == "__main__":
    sys.exit(main())
