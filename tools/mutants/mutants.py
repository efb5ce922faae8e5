#!/usr/bin/env python3
"""Plants the faults of faults.txt one at a time in a scratch copy of the tree, rebuilds it
incrementally and runs the suites that ought to notice each fault; prints killed or survived
per fault and the total. The own tree is never touched: the copy lives in the work folder and
keeps its build between runs, so a fault recompiles one file and relinks what uses it."""

import argparse
import json
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))


class Fault:
    def __init__(self, number, path, labels, old, new):
        self.number = number
        self.path = path
        self.labels = labels
        self.old = old
        self.new = new


def read_faults(list_file):
    faults = []
    header = None
    old = None
    for raw in open(list_file, encoding="utf-8"):
        line = raw.rstrip("\n")
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("- "):
            old = line[2:]
        elif line.startswith("+ "):
            faults.append(Fault(len(faults) + 1, header[0], header[1], old, line[2:]))
        else:
            header = line.split()
    return faults


def tracked_files(rev):
    if rev:
        listing = subprocess.run(["git", "-C", REPO, "ls-tree", "-r", "--name-only", rev],
                                 capture_output=True, text=True, check=True).stdout
    else:
        listing = subprocess.run(["git", "-C", REPO, "ls-files"], capture_output=True,
                                 text=True, check=True).stdout
    return [name for name in listing.splitlines() if name]


def file_bytes(rev, name):
    if rev:
        return subprocess.run(["git", "-C", REPO, "show", f"{rev}:{name}"],
                              capture_output=True, check=True).stdout
    with open(os.path.join(REPO, name), "rb") as f:
        return f.read()


def sync_tree(tree, rev):
    """Copies the tracked files into tree, writing only those that differ, so that the
    scratch build stays incremental from one run to the next."""
    for name in tracked_files(rev):
        target = os.path.join(tree, name)
        if os.path.islink(os.path.join(REPO, name)) and not rev:
            continue
        contents = file_bytes(rev, name)
        if os.path.exists(target):
            with open(target, "rb") as f:
                if f.read() == contents:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(contents)
        if not rev:
            os.chmod(target, os.stat(os.path.join(REPO, name)).st_mode)
        elif name.endswith((".sh", ".py")):
            os.chmod(target, 0o755)


def run(command, cwd, timeout, log):
    try:
        done = subprocess.run(command, cwd=cwd, stdout=log, stderr=subprocess.STDOUT,
                              timeout=timeout)
        return done.returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def configure(tree, build, log):
    if os.path.exists(os.path.join(build, "CMakeCache.txt")):
        return 0
    return run(["cmake", "-S", tree, "-B", build, "-G", "Ninja",
                "-DCMAKE_C_COMPILER_LAUNCHER=ccache", "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache",
                # A build type of its own: no optimisation and no debug information, the
                # quickest to compile and link.
                "-DCMAKE_BUILD_TYPE=Mutants",
                # Discovered when ctest runs, not after every link: most faults run few suites.
                "-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST"], tree, 900, log)


def build_tree(build, jobs, log, targets=()):
    return run(["ninja", "-C", build, "-j", str(jobs)] + list(targets), build, 1800, log)


def suite_programs(build, labels):
    """The programs the suites of labels run, as ninja targets; the game itself and the run
    folder go with them, for the suites that start the real program."""
    listing = subprocess.run(["ctest", "--show-only=json-v1", "-L", labels], cwd=build,
                             capture_output=True, text=True).stdout
    programs = {"derevarez", "run_folder"}
    for test in json.loads(listing or "{}").get("tests", []):
        command = test.get("command") or []
        if command and command[0].startswith(build) and "cmake" not in command[0]:
            programs.add(os.path.relpath(command[0], build))
    return sorted(programs)


def run_tests(build, labels, jobs, timeout, log):
    command = ["ctest", "-j", str(jobs), "--timeout", str(timeout), "--stop-on-failure"]
    if labels:
        command += ["-L", labels]
    return run(command, build, 1200, log)


def plant(tree, fault):
    path = os.path.join(tree, fault.path)
    with open(path, encoding="utf-8") as f:
        original = f.read()
    if original.count(fault.old) != 1:
        return None
    with open(path, "w", encoding="utf-8") as f:
        f.write(original.replace(fault.old, fault.new))
    return original


def restore(tree, fault, original):
    with open(os.path.join(tree, fault.path), "w", encoding="utf-8") as f:
        f.write(original)


def line_of(text, fragment):
    return text[: text.index(fragment)].count("\n") + 1


def try_fault(tree, build, fault, args, log):
    original = plant(tree, fault)
    if original is None:
        return "not found", 0
    where = line_of(original, fault.old)
    try:
        if build_tree(build, args.jobs, log, args.programs[fault.labels]) != 0:
            return "no build", where
        result = run_tests(build, fault.labels, args.test_jobs, args.test_timeout, log)
        return ("survived" if result == 0 else "killed"), where
    finally:
        restore(tree, fault, original)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--faults", default=os.path.join(HERE, "faults.txt"))
    parser.add_argument("--work", default="/tmp/derevarez-mutants")
    parser.add_argument("--rev", default="", help="a commit to copy instead of the working tree")
    parser.add_argument("--only", default="", help="fault numbers, e.g. 3,7,12")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--test-jobs", type=int, default=2)
    parser.add_argument("--test-timeout", type=int, default=120)
    args = parser.parse_args()

    tree = os.path.join(args.work, "tree")
    build = os.path.join(args.work, "build")
    os.makedirs(tree, exist_ok=True)
    log_path = os.path.join(args.work, "log.txt")
    faults = read_faults(args.faults)
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        faults = [f for f in faults if f.number in wanted]

    with open(log_path, "w") as log:
        sync_tree(tree, args.rev)
        if configure(tree, build, log) != 0 or build_tree(build, args.jobs, log) != 0:
            print(f"the unchanged tree does not build: see {log_path}")
            return 2
        # A suite that fails without a fault would count every fault as killed.
        every_label = "|".join(sorted({f.labels for f in faults}))
        if run_tests(build, every_label, args.test_jobs, args.test_timeout, log) != 0:
            print(f"the unchanged tree fails its tests: see {log_path}")
            return 2
        args.programs = {f.labels: suite_programs(build, f.labels) for f in faults}
        counts = {}
        for fault in faults:
            started = time.time()
            print(f"=== fault {fault.number}", file=log, flush=True)
            verdict, where = try_fault(tree, build, fault, args, log)
            counts[verdict] = counts.get(verdict, 0) + 1
            print(f"{fault.number:3} {verdict:9} {fault.path}:{where}  {fault.new.strip()}"
                  f"  ({time.time() - started:.0f} s)", flush=True)
        build_tree(build, args.jobs, log)

    killed = counts.get("killed", 0)
    tried = killed + counts.get("survived", 0)
    print(f"killed {killed} of {tried} ({100.0 * killed / max(tried, 1):.0f}%)")
    broken = len(faults) - tried
    if broken:
        print(f"{broken} faults were not tried (text not found once, or no build): fix the list")
    return 0 if broken == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
