#!/usr/bin/env bash
# Fails when a C++ file of the tree is not laid out as .clang-format says, and
# names it. Exits 77 (skipped) where clang-format or the git checkout is missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
command -v clang-format >/dev/null || { echo "skipped: clang-format is not installed"; exit 77; }
git rev-parse --is-inside-work-tree >/dev/null 2>&1 || { echo "skipped: not a git checkout"; exit 77; }
git ls-files -z -- '*.cpp' '*.h' ':!data/' | xargs -0 clang-format --dry-run --Werror
