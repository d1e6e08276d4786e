#!/usr/bin/env python3
"""Feeds the resource generator one faulty text per case and checks that it
fails with status 1, names the file and line of the fault, and writes no
output; then that a good text compiles.

    gen_dialog_resources_errors.py GENERATOR WORK
"""
import os
import shutil
import subprocess
import sys

CASES = [
    ('an unknown statement', 'DIALOGUE 1 0 0 10 10\nEND\n', 1),
    ('an unknown class', 'DIALOG 1 0 0 10 10\n CONTROL 5 LISTBOXEN "" 0 0 1 1 WS_VISIBLE\nEND\n', 2),
    ('an unknown style', 'DIALOG 1 0 0 10 10\n STYLE WS_SHOUTING\nEND\n', 2),
    ('an identifier out of range', 'MENU 70000\n ITEM 1 "a"\nEND\n', 1),
    ('a missing END', 'MENU 3\n ITEM 1 "a"\n POPUP "b"\n  ITEM 2 "c"\nEND\n', 1),
    ('a statement in the wrong block', 'MENU 3\n CONTROL 1 EDIT "" 0 0 1 1 0\nEND\n', 2),
    ('an identifier used twice', 'MENU 3\n ITEM 1 "a"\nEND\nMENU 3\n ITEM 1 "a"\nEND\n', 6),
    ('an unquoted text', 'MENU 3\n ITEM 1 a\nEND\n', 2),
    ('an unterminated text', 'MENU 3\n ITEM 1 "a\nEND\n', 2),
    ('a bar key short of values', 'SOFTKEYS 3 MENU 3\n KEY NONE 1 4 16\nEND\n', 2),
    ('an empty accelerator table', 'ACCELERATORS 2\nEND\n', 2),
]
GOOD = ('DIALOG 1 0 0 10 10\n CAPTION "x"\n CONTROL 1 BUTTON "OK" 0 0 5 5 WS_TABSTOP\nEND\n'
        'MENU 2\n POPUP "p"\n  ITEM 3 "q" CHECKED\n  SEPARATOR\n END\nEND\n'
        'SOFTKEYS 2 MENU 2\n KEY NONE 3 4 0x18 5063 0\nEND\n'
        'ACCELERATORS 4\n KEY a 3\nEND\n')


def run(generator, work, name, text):
    source = os.path.join(work, name + '.txt')
    output = os.path.join(work, name + '.cpp')
    with open(source, 'w', encoding='utf-8') as f:
        f.write(text)
    done = subprocess.run([sys.executable, generator, source, output, '--function', 'Table'],
                          capture_output=True, text=True)
    return done, source, output


def main():
    if len(sys.argv) != 3:
        print('usage: gen_dialog_resources_errors.py GENERATOR WORK', file=sys.stderr)
        return 2
    generator, work = sys.argv[1], sys.argv[2]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    failures = []
    for index, (what, text, line) in enumerate(CASES):
        done, source, output = run(generator, work, 'case%d' % index, text)
        expected = '%s:%d:' % (source, line)
        if done.returncode != 1 or not done.stderr.startswith(expected) or os.path.exists(output):
            failures.append('%s: exit %d, stderr %r (expected %r)' % (what, done.returncode, done.stderr, expected))
    done, _, output = run(generator, work, 'good', GOOD)
    if done.returncode != 0 or not os.path.exists(output):
        failures.append('the good text: exit %d, %s' % (done.returncode, done.stderr))
    for failure in failures:
        print('FAILED: ' + failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
