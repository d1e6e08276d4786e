#!/usr/bin/env python3
"""Holds the code of every layered library to its place in the layers.

The libraries share one include root, so a header of any folder can be
found from any other; the link dependencies alone cannot stop a lower layer
from including a higher one. This check can: every `#include "a/b/..."`
in a library's folder must name a file of its own folder or of a folder
the library reaches through the libraries it links.

Usage: check-include-layers.py ROOT TABLE
TABLE has one line per library, `folder: folder...` (the folders of the
libraries it links directly; CMake writes it); `#` starts a comment.
A library that links itself back through others (a cycle) is an error.
A path under the top folder of some library that belongs to no library
(a new area nobody declared) is an error too, both as a file and as an
include. Exit status 0 when every include fits, 1 otherwise.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_SUFFIXES = ('.h', '.hpp', '.cpp', '.cc', '.c', '.inc')


def read_table(path):
    deps = {}
    with open(path, encoding='utf-8') as table:
        for number, line in enumerate(table, 1):
            line = line.split('#', 1)[0].strip()
            if not line:
                continue
            folder, sep, rest = line.partition(':')
            if not sep or not folder.strip():
                raise ValueError(f'{path}:{number}: expected "folder: folder..."')
            deps[folder.strip().strip('/')] = rest.split()
    return deps


def reachable(deps):
    """Each folder with every folder it reaches, itself included."""
    closure = {}
    for start in deps:
        seen, stack = {start}, [start]
        while stack:
            for dep in deps.get(stack.pop(), []):
                dep = dep.strip('/')
                if dep not in seen:
                    seen.add(dep)
                    stack.append(dep)
        closure[start] = seen
    return closure


def owner(path, folders):
    """The deepest folder holding `path`, or None."""
    best = None
    for folder in folders:
        if (path == folder or path.startswith(folder + '/')) and (best is None or len(folder) > len(best)):
            best = folder
    return best


def cycles(deps):
    """The folders that reach themselves through the libraries they link."""
    problems = []
    for start in deps:
        for dep in deps[start]:
            if start in reachable({**deps, '': [dep]})['']:
                problems.append(f'{start}: links {dep}, which links it back (a cycle of layers)')
    return problems


def check(root, deps):
    folders = set(deps)
    tops = {folder.split('/')[0] for folder in folders}
    allowed = reachable(deps)
    problems = cycles(deps)
    for top in sorted(tops):
        for dirpath, dirnames, filenames in os.walk(os.path.join(root, top)):
            dirnames.sort()
            for name in sorted(filenames):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.relpath(os.path.join(dirpath, name), root).replace(os.sep, '/')
                home = owner(path, folders)
                if home is None:
                    problems.append(f'{path}: in no library\'s folder (declare its library)')
                    continue
                with open(os.path.join(root, path), encoding='utf-8', errors='replace') as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        included = match.group(1)
                        if included.split('/')[0] not in tops:
                            continue  # relative to the file, or not ours
                        target = owner(included, folders)
                        if target is None:
                            problems.append(f'{path}:{number}: includes {included}, in no library\'s folder')
                        elif target not in allowed[home]:
                            problems.append(f'{path}:{number}: {home} includes {included} of {target}, '
                                            f'which it does not link')
    return problems


USAGE = 'usage: check-include-layers.py ROOT TABLE'


def main(argv):
    if len(argv) == 2 and argv[1] in ('--help', '-h'):
        print(USAGE)
        print(__doc__.strip())
        return 0
    if len(argv) != 3 or any(arg.startswith('-') for arg in argv[1:]):
        print(USAGE, file=sys.stderr)
        return 2
    root, table = argv[1], argv[2]
    try:
        deps = read_table(table)
    except (OSError, ValueError) as error:
        print(f'check-include-layers: {error}', file=sys.stderr)
        return 2
    if not deps:
        print(f'check-include-layers: {table} declares no library', file=sys.stderr)
        return 2
    problems = check(root, deps)
    for problem in problems:
        print(problem)
    if problems:
        print(f'check-include-layers: {len(problems)} include(s) against the layers', file=sys.stderr)
        return 1
    print(f'check-include-layers: the code of {len(deps)} libraries includes only downward')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
