#!/usr/bin/env bash
# Installs the named Debian packages that are missing; runs apt-get update
# only when something is missing. Checks with dpkg-query, not command -v.
set -euo pipefail
usage="usage: install-packages.sh [PACKAGE...]"
# Package names never begin with "-": such an argument is help or a mistake,
# and must not reach apt-get.
for p in "$@"; do
  case "$p" in
    -h|--help) echo "$usage"; exit 0 ;;
    -*) echo "$usage" >&2; exit 2 ;;
  esac
done
missing=()
for p in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
