#!/usr/bin/env python3
"""Runs the five benchmark programs in the script engine (vbs_bench) and in Python 3 and
prints, per program, the engine's time divided by Python's (below 1: the engine is faster).

Usage: bench/compare.py [path/to/vbs_bench]   (default: build/bench/vbs_bench)
"""
import importlib.util
import json
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PROGRAMS = ["loop", "fib", "concat", "array", "byref"]


def python_time(name, repeats=5):
    spec = importlib.util.spec_from_file_location(name, os.path.join(HERE, "py", name + ".py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    best = None
    result = None
    for _ in range(repeats):
        start = time.perf_counter()
        result = module.run()
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return best, result


def engine_times(bench):
    # The best of several runs: the least disturbed by whatever else the machine does.
    out = subprocess.run([bench, "--benchmark_format=json", "--benchmark_repetitions=5"],
                         check=True, capture_output=True, text=True).stdout
    times = {}
    labels = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        name = b["run_name"].split("/")[-1]
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
        t = b["real_time"] * scale
        times[name] = min(t, times.get(name, t))
        labels[name] = b.get("label", "")
    return times, labels


def main():
    root = os.path.dirname(HERE)
    bench = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build", "bench", "vbs_bench")
    times, labels = engine_times(bench)
    print(f"{'program':<8} {'engine s':>10} {'python s':>10} {'ratio':>7}  results")
    for name in PROGRAMS:
        py, result = python_time(name)
        vbs = times[name]
        print(f"{name:<8} {vbs:>10.4f} {py:>10.4f} {vbs / py:>7.2f}  {labels[name]} / {result}")


if __name__ == "__main__":
    main()
