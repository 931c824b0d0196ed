"""Reads vorel-cli -p candidates output of a collection run and the puzzles it came from;
prints how many puzzles ended with every cell down to one candidate and how many candidates
of the unique solution were removed: a finished grid must keep the givens and every unit
whole; an unfinished one is checked against the solution found here by plain backtracking."""
import sys


def solve(grid):
    cells = [int(ch) if ch.isdigit() else 0 for ch in grid]
    rows = [0] * 9
    cols = [0] * 9
    boxes = [0] * 9
    for i, v in enumerate(cells):
        if v:
            b = 1 << v
            rows[i // 9] |= b
            cols[i % 9] |= b
            boxes[(i // 27) * 3 + (i % 9) // 3] |= b

    def rec():
        best, best_free = -1, None
        for i in range(81):
            if cells[i] == 0:
                used = rows[i // 9] | cols[i % 9] | boxes[(i // 27) * 3 + (i % 9) // 3]
                free = [d for d in range(1, 10) if not used >> d & 1]
                if best_free is None or len(free) < len(best_free):
                    best, best_free = i, free
                    if len(free) <= 1:
                        break
        if best < 0:
            return True
        r, c, x = best // 9, best % 9, (best // 27) * 3 + (best % 9) // 3
        for d in best_free:
            b = 1 << d
            cells[best] = d
            rows[r] |= b
            cols[c] |= b
            boxes[x] |= b
            if rec():
                return True
            rows[r] &= ~b
            cols[c] &= ~b
            boxes[x] &= ~b
        cells[best] = 0
        return False

    return cells if rec() else None


def boards(stream):
    lines = []
    for line in stream:
        if line.startswith("[board] "):
            lines.append(line[8:].rstrip("\n"))
            if len(lines) == 9:
                yield lines
                lines = []


def cell_sets(lines):
    out = []
    for line in lines:
        i = 0
        while i < len(line):
            ch = line[i]
            if ch == "(":
                j = line.index(")", i)
                out.append(set(int(x) for x in line[i + 1:j]))
                i = j + 1
            elif ch.isdigit():
                out.append({int(ch)})
                i += 1
            else:
                i += 1
    return out


puzzles = [l.strip() for l in open(sys.argv[1]) if len(l.strip()) >= 81]
name, seconds = sys.argv[2], float(sys.argv[3])
done = wrong = total = 0
for puzzle, lines in zip(puzzles, boards(sys.stdin)):
    total += 1
    sets = cell_sets(lines)
    if all(len(s) == 1 for s in sets):
        # A full grid that keeps the givens and every unit whole is the unique solution.
        grid = [next(iter(s)) for s in sets]
        units = [list(range(r * 9, r * 9 + 9)) for r in range(9)]
        units += [list(range(c, 81, 9)) for c in range(9)]
        units += [[(b // 3) * 27 + (b % 3) * 3 + i * 9 + j for i in range(3) for j in range(3)]
                  for b in range(9)]
        if all(len({grid[i] for i in u}) == 9 for u in units) and all(
                ch in "0." or int(ch) == v for ch, v in zip(puzzle[:81], grid)):
            done += 1
            continue
    solution = solve(puzzle[:81])
    lost = sum(1 for s, v in zip(sets, solution) if v not in s)
    wrong += lost
    if lost == 0 and all(len(s) == 1 for s in sets):
        done += 1
print(f"{name}: {done} of {total} finished by logic ({100.0 * done / max(total, 1):.1f} %), "
      f"{wrong} solution candidates lost, {seconds:.2f} s")
