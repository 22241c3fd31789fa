#!/bin/sh
# The Sudoku maker beside Debian's qqwing: qqwing's time per 9 x 9 puzzle for
# each of its levels, our median time for every size and level, and how our
# grader rates 50 qqwing puzzles of each qqwing level. qqwing is a yardstick
# only, installed here and never needed by the program.
#
#   bench/SudokuVsQqwing.sh [RELEASE_BUILD_DIR]   (default build-bench)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-bench}

if ! command -v qqwing >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get install -y qqwing
    else
        sudo apt-get install -y qqwing
    fi
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZX_BUILD_TESTS=OFF \
    -DZX_BUILD_UI=OFF >/dev/null
cmake --build "$build" --target sudoku_bench

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

echo "qqwing $(qqwing --version 2>&1 | head -n 1), 9 x 9, 200 puzzles per level:"
for level in simple easy intermediate expert; do
    start=$(date +%s%N)
    qqwing --generate 200 --difficulty "$level" --one-line >/dev/null
    end=$(date +%s%N)
    echo "  $level: $(( (end - start) / 200000 )) us per puzzle"
    qqwing --generate 50 --difficulty "$level" --one-line >"$tmp/$level.txt"
done

echo
echo "raetsel maker, 50 Sudokus per size and level (median, mean, slowest):"
"$build/bench/sudoku_bench" --count 50

echo
echo "Our grader on 50 qqwing puzzles of each qqwing level:"
for level in simple easy intermediate expert; do
    "$build/bench/sudoku_bench" --rate "$tmp/$level.txt"
done
