#!/usr/bin/env python3
"""Writes a set of legal games with variations as PGN, for tests and the
benchmark: Stockfish plays itself at a low depth, choosing at random among its
best few moves, and some second-best lines become variations. pgn-extract turns
the coordinate moves into SAN (and so checks every move).

Usage: make_seed_games.py COUNT SEED > games.pgn
"""
import random
import subprocess
import sys

STOCKFISH = "/usr/games/stockfish"
PGN_EXTRACT = "/usr/games/pgn-extract"


class Engine:
    def __init__(self):
        self.proc = subprocess.Popen([STOCKFISH], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.send("uci")
        self.wait_for("uciok")
        self.send("setoption name MultiPV value 3")
        self.send("isready")
        self.wait_for("readyok")

    def send(self, line):
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()

    def wait_for(self, word):
        while True:
            line = self.proc.stdout.readline()
            if line.startswith(word):
                return line

    def lines(self, moves, depth):
        self.send("position startpos moves " + " ".join(moves))
        self.send("go depth %d" % depth)
        pvs = {}
        mated = False
        while True:
            line = self.proc.stdout.readline().split()
            if not line:
                continue
            if line[0] == "bestmove":
                return [pvs[k] for k in sorted(pvs)], line[1], mated
            if " ".join(line).startswith("info depth 0 score mate 0"):
                mated = True
            if line[0] == "info" and "multipv" in line and " pv " in " ".join(line):
                k = int(line[line.index("multipv") + 1])
                pvs[k] = line[line.index("pv") + 1:]


def play(engine, rng):
    moves, variations = [], {}
    target = rng.randint(80, 150)
    while len(moves) < target:
        pvs, best, mated = engine.lines(moves, 5)
        if best == "(none)" or not pvs:
            if not mated:
                return moves, variations, "1/2-1/2"
            return moves, variations, "0-1" if len(moves) % 2 == 0 else "1-0"
        choice = pvs[min(len(pvs) - 1, int(rng.random() ** 3 * len(pvs)))]
        if len(pvs) > 1 and rng.random() < 0.12:
            other = pvs[1] if choice is pvs[0] else pvs[0]
            variations[len(moves)] = other[: rng.randint(1, 5)]
        moves.append(choice[0])
    return moves, variations, "*"


def movetext(moves, variations):
    words = []
    for i, move in enumerate(moves):
        words.append(move)
        if i in variations:
            words.append("(" + " ".join(variations[i]) + ")")
    return " ".join(words)


def main():
    count, seed = int(sys.argv[1]), int(sys.argv[2])
    rng = random.Random(seed)
    engine = Engine()
    games = []
    for n in range(count):
        moves, variations, result = play(engine, rng)
        games.append('[Event "Seed %d"]\n[Site "?"]\n[Date "????.??.??"]\n[Round "%d"]\n'
                     '[White "Stockfish"]\n[Black "Stockfish"]\n[Result "%s"]\n\n%s %s\n\n'
                     % (n + 1, n + 1, result, movetext(moves, variations), result))
    engine.send("quit")
    result = subprocess.run([PGN_EXTRACT, "-Wsan", "-s"],
                            input="".join(games), capture_output=True, text=True, check=True)
    sys.stdout.write(result.stdout)


if __name__ == "__main__":
    main()
