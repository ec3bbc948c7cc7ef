#!/usr/bin/env bash
# Usage: check_format.sh SOURCE_DIR. Runs clang-format in dry-run mode over
# every C++ source and header of the project's code folders (found afresh, so
# new and untracked files count too) and fails naming each unformatted file.
set -euo pipefail
cd "$1"

command -v clang-format >/dev/null ||
  { echo "FAIL: clang-format is missing (Debian package clang-format)" >&2; exit 1; }

folders=()
for folder in core window app data tests bench fuzz; do
  [[ -d $folder ]] && folders+=("$folder")
done

mapfile -d '' files < <(find "${folders[@]}" -type f \
  \( -name '*.cpp' -o -name '*.cc' -o -name '*.h' -o -name '*.hpp' \) -print0 |
  sort -z)

unformatted=()
for file in "${files[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done

echo "clang-format $(clang-format --version | grep -o '[0-9][0-9.]*' | head -n1):" \
  "${#files[@]} files checked, ${#unformatted[@]} not formatted"
if ((${#unformatted[@]} > 0)); then
  printf 'not formatted: %s\n' "${unformatted[@]}" >&2
  echo "fix with: clang-format -i ${unformatted[*]}" >&2
  exit 1
fi
