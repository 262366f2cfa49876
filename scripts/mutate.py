#!/usr/bin/env python3
"""Mutation run of the std-only core: how many one-line faults do the tests notice?

Picks one-line mutants of catalogue/, expression/ and app/ from a fixed seed, applies them one at
a time, rebuilds its own build directory incrementally, runs the tests there, and restores the
file. Prints the score per folder and every surviving mutant as `file:line  mutation`.

A tool to run before a release or after a large change, not a CI step: one run of 80 mutants
takes about half an hour on two busy cores (a fresh build directory adds its first build).

What it mutates, on one line each:
  relational operators (< <=, > >=, == !=), arithmetic operators (+ -, * /, % *, += -=, *= /=),
  && ||, the condition of an `if` or `while` (negated), integer literals (0 1, others by one),
  true false, whole call / assignment / increment statements (deleted), and `return X;`
  (`return {};`).
What it leaves alone: comments, string and character literals, preprocessor lines, code the
  preprocessor drops on this platform (the Windows and macOS branches), static_assert, enum
  bodies, constexpr constants and tables (data, not logic: a wrong unit factor is a data error
  the table tests look for, and most are not one-line meaningful), `+` joining a string literal
  (the swap would only fail to compile), `return false;` and the like (already `return {};`),
  reserve() and shrink_to_fit() calls (memory, not behaviour), and statement-level mutants
  outside function bodies.

A mutant's draw depends only on the seed, its file, the text of its line and the mutation: the
same seed gives the same mutants on the same files, and an edit elsewhere leaves the other picks
alone.

Outcomes: killed (a test failed or timed out), survived, did not compile, or equivalent: it
compiles to the same object code, or it is listed in scripts/mutate-equivalent.txt with the
reason. The score is killed / (mutants that compile and are not equivalent).

The tests are every test of the build directory, configured without the window and the
benchmarks: the gtest programs of the catalogue, the evaluator and the storage, and the
end-to-end korvane-cli files, which drive the same core through the command line.
"""

from __future__ import annotations

import argparse
import hashlib
import json
import os
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ left in the checkout
from mutation_sites import ROOT, Mutant, choose, collect_mutants, line_key

DEFAULT_SEED = 20261207
DEFAULT_FOLDERS = ("catalogue", "expression", "app")
EQUIVALENT_FILE = ROOT / "scripts" / "mutate-equivalent.txt"


# ---------------------------------------------------------------------------------------------
# Known-equivalent mutants


def load_equivalents() -> dict[tuple[str, str, str], str]:
    """path <TAB> the source line, blanks collapsed <TAB> mutation <TAB> why it is equivalent."""
    known = {}
    if EQUIVALENT_FILE.exists():
        for raw in EQUIVALENT_FILE.read_text(encoding="utf-8").splitlines():
            if not raw.strip() or raw.startswith("#"):
                continue
            fields = raw.split("\t")
            if len(fields) == 4:
                known[(fields[0], line_key(fields[1]), fields[2])] = fields[3]
    return known


# ---------------------------------------------------------------------------------------------
# Running


class Interrupted(Exception):
    pass


def on_signal(number, frame):  # noqa: ARG001
    raise Interrupted(f"signal {number}")


def run(command: list[str], timeout: float, log) -> tuple[str, float]:
    """Runs a command in its own process group; "ok", "failed" or "timeout", and the seconds.
    A timeout or an interruption ends the whole group, so no test is left running."""
    began = time.monotonic()
    process = subprocess.Popen(command, cwd=ROOT, stdout=log, stderr=subprocess.STDOUT,
                               start_new_session=True)
    try:
        status = process.wait(timeout=timeout)
        result = "ok" if status == 0 else "failed"
    except subprocess.TimeoutExpired:
        result = "timeout"
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
    return result, time.monotonic() - began


class SourceGuard:
    """Writes a mutant into a file and always puts the original back. The original also goes to
    the build directory first, so a run killed outright is repaired by the next one."""

    def __init__(self, build: Path):
        self.pending = build / "mutate-pending.json"
        self.current: tuple[Path, bytes] | None = None

    def repair_leftover(self) -> None:
        if self.pending.exists():
            record = json.loads(self.pending.read_text())
            path = ROOT / record["path"]
            path.write_bytes(bytes.fromhex(record["original"]))
            print(f"restored {record['path']} left mutated by an interrupted run")
            self.pending.unlink()

    def apply(self, mutant: Mutant) -> None:
        path = ROOT / mutant.path
        original = path.read_bytes()
        self.pending.write_text(json.dumps({"path": mutant.path, "original": original.hex()}))
        self.current = (path, original)
        lines = original.decode("utf-8").split("\n")
        line = lines[mutant.line - 1]
        lines[mutant.line - 1] = line[:mutant.start] + mutant.replacement + line[mutant.end:]
        path.write_bytes("\n".join(lines).encode("utf-8"))

    def restore(self) -> None:
        stops = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}
        signal.pthread_sigmask(signal.SIG_BLOCK, stops)  # a second Ctrl-C must not cut a write
        try:
            if self.current is not None:
                path, original = self.current
                path.write_bytes(original)
                self.current = None
            if self.pending.exists():
                self.pending.unlink()
        finally:
            signal.pthread_sigmask(signal.SIG_UNBLOCK, stops)


def git_status(folders: list[str]) -> str:
    result = subprocess.run(["git", "status", "--porcelain", "--", *folders], cwd=ROOT,
                            capture_output=True, text=True)
    return result.stdout if result.returncode == 0 else "(not a git checkout)"


def configure(build: Path, timeout: int, log) -> None:
    command = ["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
               "-DKORVANE_BUILD_GUI=OFF", "-DKORVANE_BUILD_BENCHMARKS=OFF",
               "-DKORVANE_BUILD_TESTS=ON", "-DKORVANE_SANITIZE=OFF",
               f"-DKORVANE_TEST_TIMEOUT={timeout}"]
    if shutil.which("ninja") and not (build / "CMakeCache.txt").exists():
        command += ["-G", "Ninja"]
    if shutil.which("ccache") and "CMAKE_CXX_COMPILER_LAUNCHER" not in os.environ:
        command.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    if run(command, 600, log)[0] != "ok":
        sys.exit(f"configuring {build} failed; see {build}/mutate.log")


def build_command(build: Path, jobs: int) -> list[str]:
    return ["cmake", "--build", str(build), "-j", str(jobs)]


def test_command(build: Path, args) -> list[str]:
    command = ["ctest", "--test-dir", str(build), "-j", str(args.jobs), "--stop-on-failure",
               "--timeout", str(args.timeout), "--no-tests=error"]
    if args.tests:
        command += ["-R", args.tests]
    return command


def object_digests(build: Path) -> dict[str, str]:
    """The compiled objects: a mutant that leaves every one of them as it was cannot change what
    the program does (code the preprocessor drops, a no-op the compiler folds away)."""
    return {str(o): hashlib.sha256(o.read_bytes()).hexdigest() for o in build.rglob("*.o")}


def run_mutants(chosen: list[Mutant], args, build: Path, log, outcomes: dict[Mutant, str]) -> None:
    """Fills `outcomes` as it goes, so an interrupted run still reports what it did."""
    guard = SourceGuard(build)
    print("building and testing the unmutated tree...", flush=True)
    if run(build_command(build, args.jobs), args.build_timeout, log)[0] != "ok":
        sys.exit(f"the unmutated tree does not build; see {build}/mutate.log")
    for attempt in (1, 2):
        result, baseline = run(test_command(build, args), args.timeout * 20, log)
        if result == "ok":
            break
        if attempt == 1:
            print("the unmutated tree failed a test; once more, in case it was a flaky one")
    if result != "ok":
        sys.exit(f"the tests fail on the unmutated tree; see {build}/mutate.log")
    test_limit = max(3 * baseline, baseline + args.timeout)
    objects = object_digests(build)
    print(f"unmutated tests pass in {baseline:.0f} s; a mutant's tests may take {test_limit:.0f} s")
    for number, mutant in enumerate(chosen, 1):
        began = time.monotonic()
        log.write(f"\n==== {mutant.where()}  {mutant.description}\n".encode())
        log.flush()
        try:
            guard.apply(mutant)
            built, _ = run(build_command(build, args.jobs), args.build_timeout, log)
            if built != "ok":
                outcome = "no-compile"
            elif object_digests(build) == objects:
                outcome = "same-code"
            else:
                tested, _ = run(test_command(build, args), test_limit, log)
                outcome = {"ok": "SURVIVED", "failed": "killed", "timeout": "killed (timeout)"}[tested]
        finally:
            guard.restore()
        outcomes[mutant] = outcome
        print(f"[{number}/{len(chosen)}] {mutant.where()}  {mutant.description}: {outcome}"
              f" ({time.monotonic() - began:.0f} s)", flush=True)


def report(chosen: list[Mutant], outcomes: dict[Mutant, str], known: dict, source_lines) -> bool:
    folders = sorted({m.folder for m in chosen})
    survivors, equivalent = [], []
    total_killed = total_counted = 0
    print("\nscore per folder (killed / mutants that compile and are not known to be equivalent):")
    for folder in folders:
        mine = [m for m in chosen if m.folder == folder and m in outcomes]
        killed = counted = no_compile = equivalents = 0
        for m in mine:
            outcome = outcomes[m]
            reason = known.get((m.path, line_key(source_lines(m)), m.description))
            if outcome == "no-compile":
                no_compile += 1
            elif outcome == "same-code":
                equivalents += 1
                equivalent.append((m, "compiles to the same object code"))
            elif reason is not None and outcome == "SURVIVED":
                equivalents += 1
                equivalent.append((m, reason))
            else:
                counted += 1
                killed += outcome.startswith("killed")
                if outcome == "SURVIVED":
                    survivors.append(m)
        total_killed += killed
        total_counted += counted
        print(f"  {folder + '/':12} {killed:3} / {counted:<3} {percent(killed, counted):>7}"
              f"   ({no_compile} did not compile, {equivalents} equivalent)")
    print(f"  {'all':12} {total_killed:3} / {total_counted:<3} {percent(total_killed, total_counted):>7}")
    if equivalent:
        print("\nequivalent survivors (not counted):")
        for m, reason in equivalent:
            print(f"  {m.where()}  {m.description}  -- {reason}")
    print("\nsurvivors:" if survivors else "\nno survivors")
    for m in survivors:
        print(f"  {m.where()}  {m.description}")
    return not survivors


def percent(part: int, whole: int) -> str:
    return f"{100.0 * part / whole:.1f} %" if whole else "-"


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=DEFAULT_SEED)
    parser.add_argument("--budget", type=int, default=80, help="number of mutants (default 80)")
    parser.add_argument("--folders", nargs="+", default=list(DEFAULT_FOLDERS))
    parser.add_argument("--timeout", type=int, default=60,
                        help="seconds one test may run before it counts as failed (default 60)")
    parser.add_argument("--build-timeout", type=int, default=1800, help="seconds per rebuild")
    parser.add_argument("--build-dir", default="build-mutate")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--tests", help="ctest -R regex (default: every test of the build dir)")
    parser.add_argument("--list", action="store_true", help="print the chosen mutants and stop")
    parser.add_argument("--only", help="run only these of the chosen mutants: 1-based, e.g. 3,17")
    args = parser.parse_args()

    build = (ROOT / args.build_dir).resolve()
    if build.is_dir():
        SourceGuard(build).repair_leftover()  # before anything reads the sources
    candidates = collect_mutants(args.folders)
    sources: dict[str, list[str]] = {}

    def line_of(m: Mutant) -> str:
        if m.path not in sources:
            sources[m.path] = (ROOT / m.path).read_text(encoding="utf-8").split("\n")
        return sources[m.path][m.line - 1]

    chosen = choose(candidates, args.seed, args.budget, line_of)
    print(f"{len(candidates)} candidate mutants in {', '.join(args.folders)}; "
          f"seed {args.seed} picks {len(chosen)}")
    if args.list:
        for number, m in enumerate(chosen, 1):
            print(f"{number:3}. {m.where()}  {m.description}")
        return 0
    if args.only:
        wanted = {int(k) for k in args.only.split(",")}
        chosen = [m for number, m in enumerate(chosen, 1) if number in wanted]

    build.mkdir(exist_ok=True)
    texts = {m.path: sources[m.path] for m in chosen}
    digests = {p: hashlib.sha256((ROOT / p).read_bytes()).hexdigest() for p in texts}
    status_before = git_status(args.folders)
    for number in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, on_signal)
    began = time.monotonic()
    outcomes: dict[Mutant, str] = {}
    with open(build / "mutate.log", "wb") as log:
        try:
            configure(build, args.timeout, log)
            run_mutants(chosen, args, build, log, outcomes)
        except Interrupted as stop:
            print(f"\nstopped by {stop}; the scores below cover the mutants run so far")
            chosen = [m for m in chosen if m in outcomes]
    minutes = (time.monotonic() - began) / 60
    changed = [p for p in texts if hashlib.sha256((ROOT / p).read_bytes()).hexdigest() != digests[p]]
    status_after = git_status(args.folders)
    if changed or status_after != status_before:
        print(f"SOURCE NOT RESTORED: {changed or status_after}", file=sys.stderr)
        return 2
    print(f"{len(outcomes)} mutants in {minutes:.0f} min; sources restored"
          + (" (git: clean)" if status_after == "" else ""))
    report(chosen, outcomes, load_equivalents(), lambda m: texts[m.path][m.line - 1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
