#!/usr/bin/env bash
# Checks that a build without test hooks (the release build) holds none: no
# symbol of the test control's namespace (devtest::) in its libraries and
# programs, and no trace of the environment variable that made the file
# layer crash a save. Usage: check-no-test-hooks.sh BUILD_FOLDER
set -euo pipefail
usage='usage: check-no-test-hooks.sh BUILD_FOLDER'
case "${1-}" in
  -h|--help) echo "$usage"; exit 0 ;;
esac
if [ $# -ne 1 ] || [ "${1#-}" != "$1" ]; then
  echo "$usage" >&2
  exit 2
fi
build=$1
shopt -s nullglob
files=("$build"/lib/*.a "$build"/lib/*.so "$build"/bin/*)
if [ ${#files[@]} -eq 0 ]; then
  echo "check-no-test-hooks: nothing built in $build" >&2
  exit 1
fi
found=0
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  # Archives list a header line per member; only symbol lines matter.
  if hooks=$(nm -C "$f" 2>/dev/null | grep -F 'devtest::' | sort -u) && [ -n "$hooks" ]; then
    echo "$f: test hook symbols:" >&2
    echo "$hooks" | head -20 >&2
    found=1
  fi
  if strings -a "$f" | grep -q 'TESSALYN_EXIT_AT_WRITE'; then
    echo "$f: holds TESSALYN_EXIT_AT_WRITE" >&2
    found=1
  fi
done
if [ "$found" -ne 0 ]; then
  echo "check-no-test-hooks: the build in $build holds test hooks" >&2
  exit 1
fi
echo "check-no-test-hooks: ${#files[@]} files of $build hold no test hook"
