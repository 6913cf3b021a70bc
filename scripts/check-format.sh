#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/tavrin-format.$$; then
  grep -E '^[^ ].*: (error|warning):' /tmp/tavrin-format.$$ | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
  rm -f /tmp/tavrin-format.$$
  echo "Run: clang-format -i FILE (the repository's .clang-format)" >&2
  exit 1
fi
rm -f /tmp/tavrin-format.$$
echo "clang-format: ${#files[@]} files formatted"
