#!/usr/bin/env python3
"""Times the program on generated pedigrees as a large breed society runs it.

For every size (by default 1,000,000 and 10,000,000 animals) it generates a
pedigree with tools/generate_pedigree (seed 1, two subpopulations, birth
order; --shuffle for lines in random order), runs the program on it in a
scratch directory with the renumbered pedigree file switched on, and prints
the wall time of every phase, taken from the time stamps of the log
(millisecond resolution), the whole wall time and the peak memory (maximum
resident set size) of the run. With --file-time a second run with the
renumbered pedigree file switched off gives the time of writing that file,
which has no time stamp of its own. --program times another build of the
program (an older one, say) on the same pedigrees; pin the runs to one core
with taskset to compare builds.

    bench/run_bench.py [--build build/release] [--program PATH] [--sizes 1000000 10000000]
                       [--shuffle] [--file-time] [--keep DIR]
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
    "2\r\n"
    "SUB1\r\n"
    "SUB2\r\n"
    "0\r\n"
    "{new}\r\n"
)

# Wrapped free-format lines are joined, so a stamp may hold extra blanks.
STAMP = re.compile(r"(\d\d)/(\d\d)/(\d{4}) +o[nm] +(\d\d)\.(\d\d) +and +(\d\d\.\d\d\d) +seconds")
# The English phase texts of the stamps, in run order, and what each phase covers.
PHASES = [
    ("Data file read at", "reading (line count, records, merging the texts)"),
    ("Parents and offspring linked at", "missing parents and linking"),
    ("Subpopulations of animals and their parents counted at", "sort, birth-year groups, subpopulation counts"),
    ("Ages of parents determined at", "ages of parents"),
    ("Pedigree completeness determined at", "pedigree completeness"),
    ("Generation interval, litter size, total no. of offspring, colours etc. per year, determined at",
     "yearly counts, top sires and their reports"),
    ("Inbreeding coefficient of all animals computed at", "inbreeding coefficients"),
    ("Kinship coefficient of all animals born in the same year computed at",
     "renumbered pedigree file and kinship per birth year"),
    ("Analyses finished at", "reports and the analysis of each subpopulation"),
]


def phases(log_bytes):
    """(what the phase covers, seconds since the stamp before it) for every stamp of the log."""
    text = log_bytes.decode("latin-1").replace("\r\n", "")
    out, previous, start = [], None, 0
    for m in STAMP.finditer(text):
        before = text[start : m.start()].rstrip()
        # A wrapped line continues after one blank: compare without blanks.
        squeezed = before.replace(" ", "")
        label = next((what for stamp, what in PHASES if squeezed.endswith(stamp.replace(" ", ""))),
                     before[-60:].strip())
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
    parser.add_argument("--program", help="the program to time (default: veldmarsh of --build)")
    parser.add_argument("--sizes", type=int, nargs="+", default=[1000000, 10000000])
    parser.add_argument("--shuffle", action="store_true", help="data lines in random order")
    parser.add_argument("--file-time", action="store_true", help="also time a run without the renumbered file")
    parser.add_argument("--keep", help="keep the pedigrees and the runs' files in this directory")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    program = os.path.abspath(args.program) if args.program else os.path.join(build, "veldmarsh")
    generator = os.path.join(build, "generate_pedigree")
    for tool in (program, generator):
        if not os.access(tool, os.X_OK):
            sys.exit(f"not built: {tool}")

    scratch = args.keep or tempfile.mkdtemp(prefix="veldmarsh-bench-")
    os.makedirs(scratch, exist_ok=True)
    try:
        for n in args.sizes:
            print(f"== {n} animals, 2 subpopulations{' (shuffled lines)' if args.shuffle else ''}: {program}")
            data = os.path.join(scratch, f"ped-{n}{'-shuffled' if args.shuffle else ''}.csv")
            if not os.path.exists(data):
                command = [generator, "--animals", str(n), "--seed", "1", "--subpops", "2", "--out", data]
                subprocess.run(command + (["--shuffle"] if args.shuffle else []), check=True)
            runs = {}
            for new in ("y", "n") if args.file_time else ("y",):
                directory = os.path.join(scratch, f"{n}-{new}")
                os.makedirs(directory, exist_ok=True)
                target = os.path.join(directory, "ped.csv")
                if not os.path.exists(target):
                    os.symlink(data, target)
                with open(os.path.join(directory, "brindlemoor.ini"), "w", newline="") as f:
                    f.write(STEERING.format(n=n, new=new))
                wall, peak_kb, status = run_program(program, directory)
                with open(os.path.join(directory, "Veldmarshlog.txt"), "rb") as f:
                    runs[new] = (wall, peak_kb, status, phases(f.read()))
            wall, peak_kb, status, timed = runs["y"]
            for label, seconds in timed:
                print(f"  {seconds:8.3f} s  {label}")
            if "n" in runs:
                without = dict(runs["n"][3])
                kinship = PHASES[7][1]
                if kinship in without:
                    print(f"  {dict(timed)[kinship] - without[kinship]:8.3f} s  "
                          "of it the renumbered pedigree file (that phase with the file on, less with it off)")
            print(f"  {wall:8.3f} s  whole run (wall), exit status {status}")
            print(f"  {peak_kb / 1024:8.1f} MiB peak memory (maximum resident set)")
    finally:
        if not args.keep:
            shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
