#!/usr/bin/env python3
"""Checks the JSON dump of qvhost --procedure against itself and against what qvhost printed.

The dump has exactly the keys of the procedure road; its Jacobian row starts with 1.0 and has
one entry more than the free inputs (the point and every table entry); the residual is the
output variable (0) minus the interpolated value; with --output, the printed interpolated
value, residual and Jacobian entries are the dump's, and each entry agrees with its printed
central difference to 1e-6 relative.
"""
import argparse
import json
import math
import re
import sys

KEYS = ["equations", "interpolated", "status", "residuals", "jacobian", "x", "table", "mode"]


def close(a, b):
    return abs(a - b) <= 1e-6 * max(1.0, abs(b))


def check(dump, printed):
    errors = []
    if list(dump) != KEYS:
        errors.append(f"keys {list(dump)}, expected {KEYS}")
        return errors
    free = 1 + sum(1 for entry in dump["table"] for side in entry if side is not None)
    if dump["equations"] != ["[1]"]:
        errors.append(f"equations {dump['equations']}")
    if len(dump["jacobian"]) != 1 + free or dump["jacobian"][:1] != [1.0]:
        errors.append(f"Jacobian row {dump['jacobian']} for {free} free inputs")
    if dump["status"] >= 0:
        if dump["residuals"] != [-dump["interpolated"]]:
            errors.append(f"residuals {dump['residuals']} for the value {dump['interpolated']}")
    elif dump["residuals"] != [] or dump["interpolated"] is not None:
        errors.append("a failed call with a value")
    if printed is None:
        return errors
    value = re.search(r"^interpolated value: (\S+)$", printed, re.M)
    if not value or (dump["interpolated"] is None) != (value.group(1) == "none"):
        errors.append("the printed value is not the dump's")
    elif dump["interpolated"] is not None and float(value.group(1)) != dump["interpolated"]:
        errors.append(f"printed value {value.group(1)}, dump {dump['interpolated']}")
    rows = re.findall(r"^ +(\S+) +(\S+) +(\S+)$", printed, re.M)
    if [float(entry) for _, entry, _ in rows] != dump["jacobian"]:
        errors.append(f"printed row {rows}, dump {dump['jacobian']}")
    if dump["status"] >= 0:
        for name, entry, difference in rows:
            if not close(float(entry), float(difference)):
                errors.append(f"{name}: entry {entry}, central difference {difference}")
    return errors


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("dump")
    parser.add_argument("--output", help="what qvhost printed")
    args = parser.parse_args()
    with open(args.dump) as f:
        dump = json.load(f)
    printed = open(args.output).read() if args.output else None
    errors = check(dump, printed)
    if errors:
        print("\n".join(errors), file=sys.stderr)
        sys.exit(1)
    print(f"{args.dump}: status {dump['status']}, {len(dump['jacobian'])} Jacobian entries: OK")


if __name__ == "__main__":
    main()
