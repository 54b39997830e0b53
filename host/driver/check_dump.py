#!/usr/bin/env python3
"""Checks a JSON dump of qvhost against itself and, when given, against what qvhost printed.

Always: the dump parses; its equations are complete prefix expressions; each equation's
"nonzeros" are the variable tokens of its "prefix" in order; every variable token is an
element of the distribution's arrays at a node of the grid or a name that "parameters" gives a
value for; every parameter is used; a section's ELEMENTLENGTH has the value the grid gives it.
With --output: the equation count, the group base and the equations per group and sub-block
printed by qvhost are those of the dump.
"""
import argparse
import json
import math
import re
import sys

ARITY = {"+": 2, "-": 2, "*": 2, "/": 2, "sq": 1, "op1": 1}
ELEMENT = re.compile(r"^(VALUE|DDX|D2DX2|IDX)\((-?\d+)\)$")
INTEGER = re.compile(r"^-?\d+$")
REAL = re.compile(r"^-?(\d+\.\d*|\d*\.\d+|\d+(\.\d*)?e[-+]?\d+|\d*\.\d+e[-+]?\d+|inf|nan)$")
SECTION_STEP = re.compile(r"^SECTION\((\d+)\)\.ELEMENTLENGTH$")
SUB_BLOCKS = {"DDX": "first derivative", "D2DX2": "second derivative", "IDX": "integral"}


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


def sub_block(prefix):
    found = variables(prefix)
    if not found:
        return "other"
    match = ELEMENT.match(found[0])
    return SUB_BLOCKS.get(match.group(1), "other") if match else "other"


def check_dump(dump):
    for key, kind in (("nodes", list), ("interior", list), ("sections", list),
                      ("groupBase", int), ("parameters", dict), ("equations", list)):
        expect(isinstance(dump.get(key), kind), f'"{key}" missing or not a {kind.__name__}')
    last_node = len(dump["nodes"]) - 1
    parameters = dump["parameters"]
    for name, value in parameters.items():
        expect(isinstance(value, (int, float)), f"parameter {name} has no number: {value}")
        step = SECTION_STEP.match(name)
        if step:
            s = int(step.group(1))
            expect(1 <= s <= len(dump["sections"]), f"{name}: no such section in the grid")
            expect(value == dump["sections"][s - 1]["elementlength"],
                   f"{name} is {value}, the grid says {dump['sections'][s - 1]['elementlength']}")
    used = set()
    for e in dump["equations"]:
        expect(isinstance(e.get("name"), str) and isinstance(e.get("group"), int)
               and isinstance(e.get("prefix"), list) and isinstance(e.get("nonzeros"), list),
               f"malformed equation {e}")
        name = e["name"]
        expect(all(isinstance(t, str) for t in e["prefix"] + e["nonzeros"]),
               f"{name}: tokens must be strings")
        expect(e["group"] > dump["groupBase"], f"{name}: group {e['group']} not above the base")
        check_expression(name, e["prefix"])
        leaves = variables(e["prefix"])
        expect(e["nonzeros"] == leaves,
               f"{name}: nonzeros {e['nonzeros']} are not the variables of {e['prefix']}")
        for leaf in leaves:
            element = ELEMENT.match(leaf)
            if element:
                node = int(element.group(2))
                expect(0 <= node <= last_node, f"{name}: {leaf} lies outside nodes 0..{last_node}")
            else:
                expect(leaf in parameters, f'{name}: {leaf} is no array element and not in "parameters"')
                used.add(leaf)
    unused = set(parameters) - used
    expect(not unused, f"parameters no equation uses: {sorted(unused)}")


def printed_groups(output):
    """The rows of the table of equations per group that qvhost printed."""
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


def check_output(dump, output):
    setup = re.search(r"SetUpEquations: (\d+) equations?, group base (-?\d+)", output)
    expect(setup is not None, "qvhost printed no SetUpEquations line")
    count, base = int(setup.group(1)), int(setup.group(2))
    expect(count == len(dump["equations"]),
           f"qvhost printed {count} equations, the dump has {len(dump['equations'])}")
    expect(base == dump["groupBase"], f"qvhost printed group base {base}, the dump {dump['groupBase']}")
    expected = {}
    order = ["first derivative", "second derivative", "integral"]
    for e in dump["equations"]:
        row = expected.setdefault(str(e["group"]), [0, 0, 0, 0])
        block = sub_block(e["prefix"])
        row[0] += 1
        if block in order:
            row[1 + order.index(block)] += 1
    rows = printed_groups(output)
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
