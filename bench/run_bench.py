#!/usr/bin/env python3
"""Times the program on generated pedigrees.

For every size it generates a pedigree with tools/generate_pedigree (in birth
order, or shuffled with --shuffle), runs the program on it in a scratch
directory and prints the wall time of every phase, taken from the time
stamps of the log (millisecond resolution), the whole wall time and the peak
memory (maximum resident set size) of the run. A second run with the
renumbered pedigree file switched off gives the time of writing that file,
which has no time stamp of its own.

    bench/run_bench.py [--build build/release] [--sizes 100000 1000000] [--shuffle] [--keep DIR]
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

STEERING = (
    "Benchmark {n} animals\r\n"
    "ped.csv\r\n"
    ";\r\n"
    "n\r\n"
    "dd-mm-yyyy\r\n"
    "dog\r\n"
    "M\r\n"
    "en\r\n"
    "y\r\n"
    "0\r\n"
    "0\r\n"
    "{new}\r\n"
)

# Wrapped free-format lines are joined, so a stamp may hold extra blanks.
STAMP = re.compile(r"(\d\d)/(\d\d)/(\d{4}) +o[nm] +(\d\d)\.(\d\d) +and +(\d\d\.\d\d\d) +seconds")
# The English phase texts of the stamps, in run order.
PHASES = [
    "Data file read at",
    "Parents and offspring linked at",
    "Subpopulations of animals and their parents counted at",
    "Ages of parents determined at",
    "Pedigree completeness determined at",
    "Generation interval, litter size, total no. of offspring, colours etc. per year, determined at",
    "Inbreeding coefficient of all animals computed at",
    "Kinship coefficient of all animals born in the same year computed at",
    "Analyses finished at",
]


def phases(log_bytes):
    """(phase text, seconds since the stamp before it) for every stamp of the log."""
    text = log_bytes.decode("latin-1").replace("\r\n", "")
    out, previous, start = [], None, 0
    for m in STAMP.finditer(text):
        before = text[start : m.start()].rstrip()
        label = next((p for p in PHASES if before.endswith(p)), before[-60:].strip())
        seconds = int(m.group(4)) * 3600 + int(m.group(5)) * 60 + float(m.group(6))
        if previous is not None:
            if seconds < previous:  # past midnight
                seconds += 86400
            out.append((label, seconds - previous))
        previous, start = seconds, m.end()
    return out


def run_program(program, directory):
    """Runs the program in `directory`; returns (wall seconds, peak KB, exit status)."""
    with open(os.path.join(directory, "console.txt"), "wb") as console:
        started = time.monotonic()
        child = subprocess.Popen([program], cwd=directory, stdin=subprocess.DEVNULL, stdout=console)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.monotonic() - started
    return wall, usage.ru_maxrss, os.waitstatus_to_exitcode(status)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--build", default=os.path.join(root, "build", "release"))
    parser.add_argument("--sizes", type=int, nargs="+", default=[100000, 1000000])
    parser.add_argument("--shuffle", action="store_true", help="data lines in random order")
    parser.add_argument("--keep", help="keep the runs' files in this directory")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    program = os.path.join(build, "veldmarsh")
    generator = os.path.join(build, "generate_pedigree")
    for tool in (program, generator):
        if not os.access(tool, os.X_OK):
            sys.exit(f"not built: {tool}")

    scratch = args.keep or tempfile.mkdtemp(prefix="veldmarsh-bench-")
    os.makedirs(scratch, exist_ok=True)
    try:
        for n in args.sizes:
            print(f"== {n} animals{' (shuffled lines)' if args.shuffle else ''}")
            runs = {}
            for new in ("y", "n"):
                directory = os.path.join(scratch, f"{n}-{new}")
                os.makedirs(directory, exist_ok=True)
                data = os.path.join(directory, "ped.csv")
                command = [generator, "--animals", str(n), "--out", data] + (["--shuffle"] if args.shuffle else [])
                subprocess.run(command, check=True)
                with open(os.path.join(directory, "brindlemoor.ini"), "w", newline="") as f:
                    f.write(STEERING.format(n=n, new=new))
                wall, peak_kb, status = run_program(program, directory)
                with open(os.path.join(directory, "Veldmarshlog.txt"), "rb") as f:
                    runs[new] = (wall, peak_kb, status, phases(f.read()))
            wall, peak_kb, status, timed = runs["y"]
            for label, seconds in timed:
                print(f"  {seconds:8.3f} s  {label}")
            without = dict(runs["n"][3])
            kinship = [label for label, _ in timed if label.startswith("Kinship")]
            if kinship:
                print(f"  {dict(timed)[kinship[0]] - without.get(kinship[0], 0.0):8.3f} s  "
                      "of it the renumbered pedigree file (that phase with the file on, less with it off)")
            print(f"  {wall:8.3f} s  whole run (wall), exit status {status}")
            print(f"  {peak_kb / 1024:8.1f} MB peak memory (maximum resident set)")
    finally:
        if not args.keep:
            shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
