#!/usr/bin/env python3
"""Checks a JSON dump of qvhost against itself and, when given, against what qvhost printed.

A dump of one direction holds the grid's "nodes", "interior" and "sections" at its top; one of
two or three holds "dims" and "domains": {"x": grid, "y": grid[, "z": grid]}.
Always: the dump parses; its equations are complete prefix expressions; each equation's
"nonzeros" are the variable tokens of its "prefix" in order; every variable token is an
element of the distribution's arrays with one index per direction, each a node of its
direction's grid, or a name that "parameters" gives a value for; every parameter is used; a
section's ELEMENTLENGTH has the value its direction's grid gives it; every equation stands in
a group of the distribution: a start group holds the start equations of its integral, and the
group of a method's block along a direction holds derivatives along that direction and the
integrals that end along it.
With --output: the equation count, the group base and the equations per group and sub-block
printed by qvhost are those of the dump, and each group's printed block is the one its number
gives.
"""
import argparse
import json
import math
import re
import sys

ARITY = {"+": 2, "-": 2, "*": 2, "/": 2, "sq": 1, "op1": 1}
ELEMENT = re.compile(r"^([A-Z0-9]+)\((-?\d+(?:,-?\d+)*)\)$")
INTEGER = re.compile(r"^-?\d+$")
REAL = re.compile(r"^-?(\d+\.\d*|\d*\.\d+|\d+(\.\d*)?e[-+]?\d+|\d*\.\d+e[-+]?\d+|inf|nan)$")
SECTION_STEP = re.compile(r"^(?:([XYZ])DOMAIN\.)?SECTION\((\d+)\)\.ELEMENTLENGTH$")
DIRECTIONS = "xyz"
METHODS = ["BFD1", "BFD2", "FFD1", "FFD2", "CFD2", "CFD4", "UBFD4", "OCFE2", "OCFE3", "OCFE4"]


class Kind:
    """The arrays of a distribution over `dims` directions, as qvhost's driver names them."""

    def __init__(self, dims):
        self.dims = dims
        self.first = ["DD" + d.upper() for d in DIRECTIONS[:dims]]
        self.second = ["D2D" + d.upper() + "2" for d in DIRECTIONS[:dims]]
        spans = sorted(range(1, 1 << dims), key=lambda s: (bin(s).count("1"), letters(s)))
        self.integrals = ["ID" + letters(s) for s in spans]
        self.spans = dict(zip(self.integrals, spans))
        self.sub_blocks = self.first + self.second + self.integrals
        self.arrays = ["VALUE"] + self.sub_blocks
        self.starts = (1 << dims) - 1

    def direction(self, array):
        """The direction a derivative runs along, or the last one an integral spans."""
        if array in self.spans:
            return self.spans[array].bit_length() - 1
        for names in (self.first, self.second):
            if array in names:
                return names.index(array)
        return None

    def block(self, group):
        """What a group holds, counted from the group base: ("start", integral) or
        (method, direction); None outside the groups of the distribution."""
        if 1 <= group <= self.starts:
            return ("start", self.integrals[group - 1])
        block = group - self.starts - 1
        if 0 <= block < self.dims * len(METHODS):
            return (METHODS[block // self.dims], block % self.dims)
        return None


def letters(span):
    return "D".join(DIRECTIONS[d].upper() for d in range(3) if span >> d & 1)


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def is_constant(token):
    return INTEGER.match(token) is not None or REAL.match(token) is not None


def variables(prefix):
    return [t for t in prefix if t not in ARITY and not is_constant(t)]


def check_expression(name, prefix):
    """The prefix is one complete expression: each operator gets its operands, none is left."""
    needed = 1
    for k, token in enumerate(prefix):
        expect(needed > 0, f"{name}: tokens after a complete expression at {k}: {prefix}")
        needed += ARITY.get(token, 0) - 1
        expect(token in ARITY or not re.match(r"^op\d+$", token), f"{name}: unknown operator {token}")
        if REAL.match(token) and not INTEGER.match(token):
            expect(token in ("inf", "nan", "-inf") or math.isfinite(float(token)),
                   f"{name}: bad real {token}")
    expect(needed == 0, f"{name}: incomplete expression {prefix}")


def sub_block(prefix, kind):
    """The array the equation defines (that of its first variable), or "other"."""
    found = variables(prefix)
    match = ELEMENT.match(found[0]) if found else None
    return match.group(1) if match and match.group(1) in kind.sub_blocks else "other"


def grids_of(dump):
    """The grid of each direction and the kind of the distribution."""
    if "dims" not in dump:
        for key in ("nodes", "interior", "sections"):
            expect(isinstance(dump.get(key), list), f'"{key}" missing or not a list')
        return [dump], Kind(1)
    dims = dump["dims"]
    expect(dims in (2, 3), f'"dims" is {dims}, not 2 or 3')
    domains = dump.get("domains")
    expect(isinstance(domains, dict) and sorted(domains) == list(DIRECTIONS[:dims]),
           f'"domains" must hold the grids of {list(DIRECTIONS[:dims])}')
    for d in DIRECTIONS[:dims]:
        for key in ("nodes", "interior", "sections"):
            expect(isinstance(domains[d].get(key), list), f'domain {d}: "{key}" missing or not a list')
    return [domains[d] for d in DIRECTIONS[:dims]], Kind(dims)


def check_group(name, group, array, kind):
    """The equation of `name` defining `array` stands in a group of the distribution that
    holds such equations."""
    block = kind.block(group)
    expect(block is not None, f"{name}: group {group} is none of the distribution's")
    if block[0] == "start":
        expect(array == block[1], f"{name}: start group {group} holds {block[1]}, not {array}")
    else:
        expect(array in kind.sub_blocks and kind.direction(array) == block[1],
               f"{name}: group {group} ({block[0]} {DIRECTIONS[block[1]]}) holds no {array}")


def check_dump(dump):
    grids, kind = grids_of(dump)
    for key, type_ in (("groupBase", int), ("parameters", dict), ("equations", list)):
        expect(isinstance(dump.get(key), type_), f'"{key}" missing or not a {type_.__name__}')
    base = dump["groupBase"]
    parameters = dump["parameters"]
    for name, value in parameters.items():
        expect(isinstance(value, (int, float)), f"parameter {name} has no number: {value}")
        step = SECTION_STEP.match(name)
        if step:
            letter = step.group(1)
            expect((letter is None) == (kind.dims == 1),
                   f"{name}: a step is keyed by its domain exactly when there are several")
            d = DIRECTIONS.index(letter.lower()) if letter else 0
            expect(d < kind.dims, f"{name}: no such direction")
            grid = grids[d]
            s = int(step.group(2))
            expect(1 <= s <= len(grid["sections"]), f"{name}: no such section in the grid")
            expect(value == grid["sections"][s - 1]["elementlength"],
                   f"{name} is {value}, the grid says {grid['sections'][s - 1]['elementlength']}")
    used = set()
    for e in dump["equations"]:
        expect(isinstance(e.get("name"), str) and isinstance(e.get("group"), int)
               and isinstance(e.get("prefix"), list) and isinstance(e.get("nonzeros"), list),
               f"malformed equation {e}")
        name = e["name"]
        expect(all(isinstance(t, str) for t in e["prefix"] + e["nonzeros"]),
               f"{name}: tokens must be strings")
        expect(e["group"] > base, f"{name}: group {e['group']} not above the base")
        check_expression(name, e["prefix"])
        leaves = variables(e["prefix"])
        expect(e["nonzeros"] == leaves,
               f"{name}: nonzeros {e['nonzeros']} are not the variables of {e['prefix']}")
        for leaf in leaves:
            element = ELEMENT.match(leaf)
            if element and element.group(1) in kind.arrays:
                nodes = [int(k) for k in element.group(2).split(",")]
                expect(len(nodes) == kind.dims, f"{name}: {leaf} needs {kind.dims} indices")
                for d, node in enumerate(nodes):
                    last = len(grids[d]["nodes"]) - 1
                    expect(0 <= node <= last,
                           f"{name}: {leaf} lies outside nodes 0..{last} of {DIRECTIONS[d]}")
            else:
                expect(leaf in parameters, f'{name}: {leaf} is no array element and not in "parameters"')
                used.add(leaf)
        if leaves:
            check_group(name, e["group"] - base, sub_block(e["prefix"], kind), kind)
    unused = set(parameters) - used
    expect(not unused, f"parameters no equation uses: {sorted(unused)}")


def printed_columns(output):
    """The rows of the table of equations per group that qvhost printed for one direction:
    group -> [equations, first derivative, second derivative, integral, ...]."""
    rows = {}
    in_table = False
    for line in output.splitlines():
        if line.startswith("equations per group"):
            in_table = True
            continue
        if in_table:
            cells = line.split()
            if not cells or not (cells[0].isdigit() or cells[0] == "all"):
                if rows or (cells and cells[0] != "group"):
                    break
                continue
            rows[cells[0]] = [int(c) for c in cells[1:]]
    return rows


GROUP_LINE = re.compile(r"^ +(\d+)  (start|[A-Z0-9]+ [xyz]|\?) +(\S+) +(\d+)$")
SUB_BLOCK_LINE = re.compile(r"^ {10,}(\S+) +(\d+)$")
ALL_LINE = re.compile(r"^ +all +(\d+)$")


def printed_lines(output):
    """The table of equations per group and sub-block that qvhost printed for several
    directions: ({(group, array): count}, {group: block label}, total)."""
    lines = output.splitlines()
    start = next((k for k, line in enumerate(lines)
                  if line.startswith("equations per group and sub-block")), None)
    expect(start is not None, "qvhost printed no table of equations per group and sub-block")
    counts, labels, group = {}, {}, None
    for line in lines[start + 2:]:
        row = GROUP_LINE.match(line)
        if row:
            group = int(row.group(1))
            labels[group] = row.group(2)
            counts[(group, row.group(3))] = int(row.group(4))
            continue
        row = SUB_BLOCK_LINE.match(line)
        if row and group is not None:
            counts[(group, row.group(1))] = int(row.group(2))
            continue
        row = ALL_LINE.match(line)
        expect(row is not None, f"unexpected line in the table: {line!r}")
        return counts, labels, int(row.group(1))
    raise Failure("the table of equations per group has no 'all' line")


def check_output(dump, output):
    setup = re.search(r"SetUpEquations: (\d+) equations?, group base (-?\d+)", output)
    expect(setup is not None, "qvhost printed no SetUpEquations line")
    count, base = int(setup.group(1)), int(setup.group(2))
    expect(count == len(dump["equations"]),
           f"qvhost printed {count} equations, the dump has {len(dump['equations'])}")
    expect(base == dump["groupBase"], f"qvhost printed group base {base}, the dump {dump['groupBase']}")
    _, kind = grids_of(dump)
    if kind.dims == 1:
        check_columns(dump, output, count, kind)
        return
    expected = {}
    for e in dump["equations"]:
        key = (e["group"], sub_block(e["prefix"], kind))
        expected[key] = expected.get(key, 0) + 1
    counts, labels, total = printed_lines(output)
    expect(total == count, f"the 'all' line gives {total} equations, not {count}")
    expect(counts == expected, f"printed per group and sub-block {sorted(counts.items())}, "
                               f"the dump gives {sorted(expected.items())}")
    for group, label in labels.items():
        block = kind.block(group - base)
        expect(block is not None, f"printed group {group} is none of the distribution's")
        want = "start" if block[0] == "start" else f"{block[0]} {DIRECTIONS[block[1]]}"
        expect(label == want, f"group {group} printed as {label!r}, its number gives {want!r}")


def check_columns(dump, output, count, kind):
    """The table of one direction: a column per sub-block (first derivative, second
    derivative, integral)."""
    expected = {}
    for e in dump["equations"]:
        row = expected.setdefault(str(e["group"]), [0, 0, 0, 0])
        block = sub_block(e["prefix"], kind)
        row[0] += 1
        if block in kind.sub_blocks:
            row[1 + kind.sub_blocks.index(block)] += 1
    rows = printed_columns(output)
    total = rows.pop("all", None)
    expect(total is not None and total[0] == count, f"no matching 'all' row: {total}")
    for group, row in expected.items():
        expect(rows.get(group, [])[:4] == row,
               f"group {group}: printed {rows.get(group)}, the dump gives {row}")
    expect(set(rows) == set(expected), f"printed groups {sorted(rows)}, dump {sorted(expected)}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("dump")
    parser.add_argument("--output", help="a file holding what qvhost printed")
    parser.add_argument("--first", nargs="+", metavar=("NAME", "TOKEN"),
                        help="the first equation's name and prefix tokens")
    parser.add_argument("--absent", action="append", default=[], help="no equation has this name")
    parser.add_argument("--only", help="every equation has this name")
    parser.add_argument("--at-most", type=int, help="at most this many equations")
    parser.add_argument("--at-least", type=int, help="at least this many equations")
    args = parser.parse_args()
    try:
        with open(args.dump, encoding="utf-8") as f:
            dump = json.load(f)
        check_dump(dump)
        equations = dump["equations"]
        names = [e["name"] for e in equations]
        if args.output:
            with open(args.output, encoding="utf-8") as f:
                check_output(dump, f.read())
        if args.first:
            expect(equations and [equations[0]["name"]] + equations[0]["prefix"] == args.first,
                   f"first equation {equations[0] if equations else None}, expected {args.first}")
        for name in args.absent:
            expect(name not in names, f"{name} is among the equations")
        if args.only:
            expect(all(n == args.only for n in names), f"equations other than {args.only}: {set(names)}")
        if args.at_most is not None:
            expect(len(equations) <= args.at_most, f"{len(equations)} equations, at most {args.at_most}")
        if args.at_least is not None:
            expect(len(equations) >= args.at_least, f"{len(equations)} equations, at least {args.at_least}")
    except (OSError, ValueError, KeyError, TypeError, Failure) as error:
        print(f"check_dump: {args.dump}: {error}", file=sys.stderr)
        return 1
    print(f"check_dump: {args.dump}: {len(dump['equations'])} equations, "
          f"{len(dump['parameters'])} parameters agree")
    return 0


if __name__ == "__main__":
    sys.exit(main())
