#!/usr/bin/env python3
"""Compares the road benchmark of two builds, per token, side by side.

On a shared or virtual machine one run of the benchmark can differ from the next by more than
a tenth. This runs the two builds in turn, round after round, on the same core, and pairs each
run of the second build with the run of the first just before it: the median of the paired
ratios, with their range, says how the second compares.

    tools/bench_compare.py OLD/bin/norvane_bench NEW/bin/norvane_bench \\
        --filter '^Road(2D|3D)/' --rounds 3

Each build is a tree configured with -DNORVANE_BENCH=ON (RelWithDebInfo, as tools/test.sh
builds it).
"""
import argparse
import statistics
import subprocess


def per_token(output):
    """The median time per token of each case of one run, in nanoseconds."""
    cases = {}
    for line in output.splitlines():
        fields = line.split()
        if not fields or not fields[0].endswith('_median'):
            continue
        value = fields[-2]  # the per_token column, e.g. "16.3ns" or "844.5ps"
        number = float(value[:-2])
        cases[fields[0].rsplit('/repeats:', 1)[0]] = number / 1000 if value.endswith('ps') else number
    return cases


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('old')
    parser.add_argument('new')
    parser.add_argument('--filter', default='^Road(2D|3D)/')
    parser.add_argument('--rounds', type=int, default=3)
    parser.add_argument('--min-time', default='1', help='seconds per repetition')
    parser.add_argument('--core', default='3', help='the core both builds run on')
    args = parser.parse_args()

    runs = {args.old: {}, args.new: {}}
    for _ in range(args.rounds):
        for binary in (args.old, args.new):
            output = subprocess.run(
                ['taskset', '-c', args.core, binary, f'--benchmark_filter={args.filter}',
                 f'--benchmark_min_time={args.min_time}'],
                capture_output=True, text=True, check=True).stdout
            for case, ns in per_token(output).items():
                runs[binary].setdefault(case, []).append(ns)

    print(f'{"case":16} {"old ns":>8} {"new ns":>8}  paired ratio (range)')
    for case, old in runs[args.old].items():
        new = runs[args.new].get(case, [])
        pairs = [n / o for o, n in zip(old, new)]
        if not pairs:
            continue
        print(f'{case:16} {statistics.median(old):8.2f} {statistics.median(new):8.2f}  '
              f'{statistics.median(pairs):.3f} ({min(pairs):.3f} to {max(pairs):.3f})')


if __name__ == '__main__':
    main()
