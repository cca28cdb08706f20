#!/usr/bin/env python3
"""Runs the five benchmark programs in the script engine (vbs_bench) and in Python 3 and
prints, per program, the engine's time divided by Python's (below 1: the engine is faster).

The two are run in alternation, several rounds, and each keeps its best time: on a busy
machine the best of several runs is the least disturbed measure of both.

Usage: bench/compare.py [path/to/vbs_bench] [rounds]   (default: build/bench/vbs_bench, 5)
"""
import importlib.util
import json
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PROGRAMS = ["loop", "fib", "concat", "array", "byref"]


def load_python(name):
    spec = importlib.util.spec_from_file_location(name, os.path.join(HERE, "py", name + ".py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def python_once(module):
    start = time.perf_counter()
    result = module.run()
    return time.perf_counter() - start, result


def engine_once(bench, name):
    out = subprocess.run([bench, "--benchmark_format=json",
                          f"--benchmark_filter=^runProgram/{name}$"],
                         check=True, capture_output=True, text=True).stdout
    b = json.loads(out)["benchmarks"][0]
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
    return b["real_time"] * scale, b.get("label", "")


def main():
    root = os.path.dirname(HERE)
    bench = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build", "bench", "vbs_bench")
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    print(f"{'program':<8} {'engine s':>10} {'python s':>10} {'ratio':>7}  results")
    for name in PROGRAMS:
        module = load_python(name)
        best_vbs = best_py = None
        label = result = None
        for _ in range(rounds):
            t, label = engine_once(bench, name)
            best_vbs = t if best_vbs is None else min(best_vbs, t)
            t, result = python_once(module)
            best_py = t if best_py is None else min(best_py, t)
        print(f"{name:<8} {best_vbs:>10.4f} {best_py:>10.4f} {best_vbs / best_py:>7.2f}  "
              f"{label} / {result}")


if __name__ == "__main__":
    main()
