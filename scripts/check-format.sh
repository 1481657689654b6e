#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what the root .clang-format
# makes of it. With --fix, rewrites those files instead.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
command -v clang-format >/dev/null || { echo "clang-format is missing (Debian package clang-format)" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "Formatting differs from .clang-format; run scripts/check-format.sh --fix" >&2
  exit 1
fi
echo "Formatting: ${#files[@]} files clean"
