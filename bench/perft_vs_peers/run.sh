#!/usr/bin/env bash
# Times perft of the start position to depth 6 and of "Kiwipete" to depth 5 with
# the project's perft tool, with stockfish's "go perft" and with "polyglot
# perft", and prints leaf nodes per second of each and the ratios.
#
# Usage: bench/perft_vs_peers/run.sh [BUILD_DIR]   (default: build-release)
# Build first, in Release:
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release && ninja -C build-release tools/perft/perft
set -euo pipefail
cd "$(dirname "$0")/../.."

build_dir=${1:-build-release}
perft=$build_dir/tools/perft/perft
stockfish=/usr/games/stockfish
polyglot=/usr/games/polyglot
for program in "$perft" "$stockfish" "$polyglot"; do
    [[ -x $program ]] || { echo "missing: $program" >&2; exit 1; }
done

now() { date +%s.%N; }

# Prints "nodes seconds" for one program on one position.
run_own() {
    local start end nodes
    start=$(now)
    nodes=$("$perft" "$1" "$2")
    end=$(now)
    echo "$nodes $(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')"
}

run_stockfish() {
    local start end nodes
    start=$(now)
    nodes=$(printf 'position fen %s\ngo perft %s\nquit\n' "$1" "$2" | "$stockfish" 2>/dev/null |
        awk '/^Nodes searched/ { print $3 }')
    end=$(now)
    echo "$nodes $(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')"
}

# polyglot deepens from depth 1 and reports the time of each depth; take the last one's.
run_polyglot() {
    "$polyglot" perft -fen "$1" -max-depth "$2" 2>/dev/null |
        awk -v depth="$2" '$1 == "depth=" && $2 == depth {
            for (i = 1; i <= NF; ++i) {
                if ($i ~ /^leafnodes=/) { split($i, f, "="); nodes = f[2] != "" ? f[2] : $(i + 1) }
                if ($i ~ /^time=/) { split($i, f, "="); time = f[2] != "" ? f[2] : $(i + 1) }
            }
            sub(/s$/, "", time); print nodes, time }'
}

report() {
    local name=$1 fen=$2 depth=$3
    read -r own_nodes own_time < <(run_own "$fen" "$depth")
    read -r sf_nodes sf_time < <(run_stockfish "$fen" "$depth")
    read -r pg_nodes pg_time < <(run_polyglot "$fen" "$depth")
    awk -v name="$name" -v depth="$depth" \
        -v on="$own_nodes" -v ot="$own_time" -v sn="$sf_nodes" -v st="$sf_time" -v pn="$pg_nodes" -v pt="$pg_time" '
        function nps(n, t) { return t > 0 ? n / t : 0 }
        BEGIN {
            printf "%s, depth %d\n", name, depth
            printf "  %-10s %12d nodes %8.3f s %14.0f nodes/s\n", "torvane", on, ot, nps(on, ot)
            printf "  %-10s %12d nodes %8.3f s %14.0f nodes/s\n", "stockfish", sn, st, nps(sn, st)
            printf "  %-10s %12d nodes %8.3f s %14.0f nodes/s\n", "polyglot", pn, pt, nps(pn, pt)
            if (on != sn || on != pn) print "  node counts differ!"
            printf "  torvane / stockfish = %.2f (target >= 0.25)\n", nps(on, ot) / nps(sn, st)
            printf "  torvane / polyglot  = %.2f (target >= 3)\n", nps(on, ot) / nps(pn, pt)
        }'
}

report "start position" "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1" 6
report "Kiwipete" "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1" 5
