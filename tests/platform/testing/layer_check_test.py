#!/usr/bin/env python3
"""The include layer check (tools/check-include-layers.py) on small trees:
it passes a tree that includes only downward and reports, by file and
line, each include that goes up, sideways or outside every layer."""
import os
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..', 'tools', 'check-include-layers.py')

# Three layers of a small platform and a subsystem above them:
# lib/low < lib/mid < lib/high, and app over lib/high.
TABLE = """# folder: deps
lib/low:
lib/mid: lib/low
lib/high: lib/mid
lib/side: lib/low
app: lib/high
"""

GOOD_TREE = {
    'lib/low/a.h': '#pragma once\n',
    'lib/mid/b.h': '#include "lib/low/a.h"\n',
    'lib/mid/b.cpp': '#include "lib/mid/b.h"\n#include <vector>\n#include "local.h"\n',
    'lib/high/c.cpp': '#include "lib/mid/b.h"\n#include "lib/low/a.h"\n',  # reached through mid
    'app/deep/d.cpp': '#include "lib/high/c.h"\n#include "app/other/e.h"\n',
    'tools/t.cpp': '#include "app/deep/d.h"\n',  # not a library's folder: unchecked
}

# (name, files added to the good tree, expected report lines)
CASES = [
    ('upward', {'lib/low/up.cpp': '// x\n#include "lib/high/c.h"\n'},
     ['lib/low/up.cpp:2: lib/low includes lib/high/c.h of lib/high, which it does not link']),
    ('sideways', {'lib/mid/s.cpp': '#include "lib/side/s.h"\n'},
     ['lib/mid/s.cpp:1: lib/mid includes lib/side/s.h of lib/side, which it does not link']),
    ('subsystem below reaching up', {'lib/high/u.h': '  #  include "app/deep/d.h"\n'},
     ['lib/high/u.h:1: lib/high includes app/deep/d.h of app, which it does not link']),
    ('inside a test-only branch', {'lib/mid/h.cpp': '#ifdef HOOKS\n#include "lib/high/c.h"\n#endif\n'},
     ['lib/mid/h.cpp:2: lib/mid includes lib/high/c.h of lib/high, which it does not link']),
    ('undeclared area as a file', {'lib/new/n.cpp': '#include "lib/low/a.h"\n'},
     ["lib/new/n.cpp: in no library's folder (declare its library)"]),
    ('undeclared area as an include', {'lib/high/n.cpp': '#include "lib/new/n.h"\n'},
     ["lib/high/n.cpp:1: includes lib/new/n.h, in no library's folder"]),
]


def make_tree(root, files):
    for path, text in files.items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, 'w', encoding='utf-8') as out:
            out.write(text)
    table = os.path.join(root, 'layers.txt')
    with open(table, 'w', encoding='utf-8') as out:
        out.write(TABLE)
    return table


def run_check(files):
    with tempfile.TemporaryDirectory() as root:
        table = make_tree(root, files)
        done = subprocess.run([sys.executable, CHECK, root, table], capture_output=True, text=True)
        return done.returncode, done.stdout.splitlines()


class IncludeLayerCheck(unittest.TestCase):
    def test_a_tree_that_includes_downward_passes(self):
        code, lines = run_check(GOOD_TREE)
        self.assertEqual(code, 0, lines)
        self.assertEqual(len(lines), 1)
        self.assertIn('includes only downward', lines[0])

    def test_each_planted_violation_is_reported_at_its_line(self):
        for name, extra, expected in CASES:
            with self.subTest(name):
                code, lines = run_check({**GOOD_TREE, **extra})
                self.assertEqual(code, 1, lines)
                self.assertEqual(lines, expected)

    def test_a_cycle_of_layers_is_reported(self):
        with tempfile.TemporaryDirectory() as root:
            table = make_tree(root, GOOD_TREE)
            with open(table, 'a', encoding='utf-8') as out:
                out.write('lib/low: lib/high\n')  # a later line replaces low's entry
            # lib/side links lib/low but is no part of the cycle.
            done = subprocess.run([sys.executable, CHECK, root, table], capture_output=True, text=True)
            self.assertEqual(done.returncode, 1)
            self.assertEqual(done.stdout.splitlines(), [
                'lib/low: links lib/high, which links it back (a cycle of layers)',
                'lib/mid: links lib/low, which links it back (a cycle of layers)',
                'lib/high: links lib/mid, which links it back (a cycle of layers)',
            ])

    def test_a_malformed_table_is_an_error_not_a_pass(self):
        with tempfile.TemporaryDirectory() as root:
            table = make_tree(root, GOOD_TREE)
            with open(table, 'w', encoding='utf-8') as out:
                out.write('lib/low lib/mid\n')
            done = subprocess.run([sys.executable, CHECK, root, table], capture_output=True, text=True)
            self.assertEqual(done.returncode, 2, done.stderr)


if __name__ == '__main__':
    unittest.main()
