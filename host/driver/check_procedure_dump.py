#!/usr/bin/env python3
"""Checks the JSON dump of qvhost --procedure against itself and against what qvhost printed.

The dump has exactly the keys of the procedure road; its calls are Precall, Residuals and
Jacobian, each with a status and a failure flag (null where the host judged no call of the
routine). Where Residuals succeeded the residual is the output variable (0) minus the
interpolated value, else there is neither; where Jacobian succeeded its row starts with 1.0 and
has one entry more than the free inputs (the point and every table entry), else there is none.
With --output, the printed calls, value and row are the dump's, and each entry of the row
agrees with the residual's printed differences: with the central one to 1e-6 relative where
the forward and the backward ones agree, and with one of those to 1e-4 (their error is of the
order of the step) at a kink of the table within the step, where they differ, or where one of
them is missing (a perturbed call failed, as beyond a table's end under mode 0).
"""
import argparse
import json
import math
import re
import sys

KEYS = ["equations", "calls", "interpolated", "residuals", "jacobian", "x", "table", "mode"]
CALLS = ["Precall", "Residuals", "Jacobian"]


def close(a, b, tolerance=1e-6):
    return abs(a - b) <= tolerance * max(1.0, abs(b))


def agrees(entry, central, forward, backward):
    """Whether a Jacobian entry is the derivative that the differences show."""
    sides = [d for d in (forward, backward) if math.isfinite(d)]
    if len(sides) == 2 and close(forward, backward, 1e-4):
        return close(entry, central)
    return not sides or any(close(entry, side, 1e-4) for side in sides)


def check_calls(dump, printed, errors):
    calls = {c.get("call"): c for c in dump["calls"]}
    if [c.get("call") for c in dump["calls"]] != CALLS:
        errors.append(f"calls {dump['calls']}, expected {CALLS}")
        return
    for name in CALLS:
        c = calls[name]
        if not isinstance(c.get("status"), int) or not (
                c.get("failure_flag") is None or isinstance(c["failure_flag"], int)):
            errors.append(f"{name}: {c}")
        if c["status"] < 0 and c.get("failure_flag") == 0:
            errors.append(f"{name} failed with failure flag 0")
        if printed is None:
            continue
        line = re.search(rf"^{name}: status (-?\d+) \([^)]*\), (?:failure flag (\d+)|no call)",
                         printed, re.M)
        flag = None if not line or line.group(2) is None else int(line.group(2))
        if not line or int(line.group(1)) != c["status"] or flag != c.get("failure_flag"):
            errors.append(f"printed {name} is not the dump's {c}")


def check(dump, printed):
    errors = []
    if list(dump) != KEYS:
        errors.append(f"keys {list(dump)}, expected {KEYS}")
        return errors
    check_calls(dump, printed, errors)
    if errors:
        return errors
    status = {c["call"]: c["status"] for c in dump["calls"]}
    free = 1 + sum(1 for entry in dump["table"] for side in entry if side is not None)
    if dump["equations"] != ["[1]"]:
        errors.append(f"equations {dump['equations']}")
    if status["Residuals"] >= 0:
        if dump["residuals"] != [-dump["interpolated"]]:
            errors.append(f"residuals {dump['residuals']} for the value {dump['interpolated']}")
    elif dump["residuals"] != [] or dump["interpolated"] is not None:
        errors.append("a failed residual call with a value")
    row = dump["jacobian"]
    if status["Jacobian"] < 0:
        if row is not None:
            errors.append(f"a failed Jacobian with the row {row}")
    elif row is None or len(row) != 1 + free or row[:1] != [1.0]:
        errors.append(f"Jacobian row {row} for {free} free inputs")
    if printed is None:
        return errors
    value = re.search(r"^interpolated value: (\S+)$", printed, re.M)
    if not value or (dump["interpolated"] is None) != (value.group(1) == "none"):
        errors.append("the printed value is not the dump's")
    elif dump["interpolated"] is not None and float(value.group(1)) != dump["interpolated"]:
        errors.append(f"printed value {value.group(1)}, dump {dump['interpolated']}")
    rows = re.findall(r"^ +(\S+) +(\S+) +(\S+) +(\S+) +(\S+)$", printed, re.M)
    if row is None:
        if rows or not re.search(r"^Jacobian row: none$", printed, re.M):
            errors.append("a row printed for a failed Jacobian")
        return errors
    if [float(entry) for _, entry, *_ in rows] != row:
        errors.append(f"printed row {rows}, dump {row}")
    for name, *numbers in rows:
        if not agrees(*map(float, numbers)):
            errors.append(f"{name}: entry {numbers[0]}, differences central {numbers[1]}, "
                          f"forward {numbers[2]}, backward {numbers[3]}")
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
    statuses = ", ".join(f"{c['call']} {c['status']}" for c in dump["calls"])
    row = dump["jacobian"]
    print(f"{args.dump}: {statuses}, {len(row) if row else 'no'} Jacobian entries: OK")


if __name__ == "__main__":
    main()
