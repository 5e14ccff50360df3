#!/bin/sh
# Prints how many physical lines of code the tests hold against the rest of the tree: C and
# C++ (.c .cc .cpp .h .hpp), CMake (CMakeLists.txt, .cmake), shell (.sh and extensionless
# files that start with a sh shebang, such as .ci/run) and Python, as tracked by git.
# Left out: docs/ (prose and the help pages) and the skin's generated artwork, which is
# resources/art/* (pictures drawn by resources/generate_art.py; resources/skin.rc, which
# lists them, is a resource script and not counted either); the generator counts as code.
set -e
cd "$(dirname "$0")/.."

# Lists the counted files among the tracked ones read on standard input.
code_files() {
  while IFS= read -r f; do
    case "$f" in
      docs/*|resources/art/*) continue ;;
      *.c|*.cc|*.cpp|*.h|*.hpp|*.cmake|*/CMakeLists.txt|CMakeLists.txt|*.sh|*.py) echo "$f" ;;
      *)
        case "${f##*/}" in
          *.*) ;;
          *) head -n 1 "$f" | grep -q '^#!.*[/ ]sh\b' && echo "$f" ;;
        esac ;;
    esac
  done
}

# Sums the lines of the files named on standard input.
lines() {
  total=0
  while IFS= read -r f; do
    total=$((total + $(wc -l <"$f")))
  done
  echo "$total"
}

tests=$(git ls-files -- tests | code_files | lines)
rest=$(git ls-files | grep -v '^tests/' | code_files | lines)
echo "tests: $tests lines"
echo "rest:  $rest lines"
awk -v t="$tests" -v r="$rest" 'BEGIN { if (r > 0) printf "ratio: %.0f %%\n", 100 * t / r }'
