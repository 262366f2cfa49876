#!/usr/bin/env python3
"""Mutation run of the std-only core: how many one-line faults do the tests notice?

Picks one-line mutants of catalogue/, expression/ and app/ from a fixed seed, applies them one at
a time, rebuilds its own build directory incrementally, runs the tests there, and restores the
file. Prints the score per folder and every surviving mutant as `file:line  mutation`.

A tool to run before a release or after a large change, not a CI step: one run of 80 mutants
takes about an hour on two busy cores.

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
  and statement-level mutants outside function bodies.

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
import dataclasses
import hashlib
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_SEED = 20261207
DEFAULT_FOLDERS = ("catalogue", "expression", "app")
EQUIVALENT_FILE = ROOT / "scripts" / "mutate-equivalent.txt"
FOREIGN_PLATFORMS = {"_WIN32", "_WIN64", "_MSC_VER", "__APPLE__", "__MINGW32__"}

OPERATOR_SWAPS = {
    "<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
    "+": "-", "-": "+", "*": "/", "/": "*", "%": "*",
    "&&": "||", "||": "&&",
    "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*=",
}
OPERATOR_CHARS = set("<>=!+-*/%&|^")
LITERAL = re.compile(r"(?<![\w.'])(?<![eE][+-])(\d+)([uUlLzZ]*)(?![\w.'])")
BOOLEAN = re.compile(r"\b(true|false)\b")
CONDITION = re.compile(r"\b(if|while)\s*\(")
NOT_A_CALL = {
    "return", "if", "while", "for", "switch", "case", "else", "do", "delete", "throw", "goto",
    "break", "continue", "using", "typedef", "static_assert", "co_return", "sizeof", "new",
}
ASSIGNMENT = re.compile(r"^[*]?[\w.\[\]:>-]+ (=|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=) ")
INCREMENT = re.compile(r"^(\+\+|--)[\w.\[\]:>-]+;$|^[\w.\[\]:>-]+(\+\+|--);$")
CALL = re.compile(r"^[\w:.\[\]>-]+\(")
SKIPPED_DECLARATION = re.compile(r"^(static_assert\b|enum\b|((inline|static|extern)\s+)*constexpr\b)")
TRIVIAL_RETURN = re.compile(r"^(\{\}|false|0|0\.0|nullptr|std::nullopt|\"\"|std::\w+(\(\)|\{\}))$")


@dataclasses.dataclass(frozen=True)
class Mutant:
    path: str  # relative to ROOT, with forward slashes
    line: int  # 1-based
    start: int  # column range [start, end) of the original line that is replaced
    end: int
    replacement: str
    description: str

    @property
    def folder(self) -> str:
        return self.path.split("/", 1)[0]

    def where(self) -> str:
        return f"{self.path}:{self.line}"


# ---------------------------------------------------------------------------------------------
# Finding the mutable code: a mask of the source with comments and literals blanked out


def mask_source(text: str) -> str:
    """The text with comments and the insides of string and character literals replaced by
    blanks, same length, line breaks kept, so columns of the mask are columns of the source."""
    out = list(text)
    n = len(text)
    i = 0

    def blank(a: int, b: int) -> None:
        for k in range(a, min(b, n)):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not is_word(text[i - 1])
                                                        or text[i - 1] in "8uUL"):
            open_paren = text.find("(", i + 2)
            delimiter = text[i + 2:open_paren]
            close = text.find(")" + delimiter + '"', open_paren)
            j = n if close < 0 else close + len(delimiter) + 2
            blank(i + 2, j - 1)
            i = j
        elif c == '"' or (c == "'" and not is_digit_separator(text, i)):
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            blank(i + 1, j)
            i = j + 1
        else:
            i += 1
    return "".join(out)


def is_word(c: str) -> bool:
    return c.isalnum() or c == "_"


def is_digit_separator(text: str, i: int) -> bool:
    """1'000'000: a quote between digits of a number, not a character literal."""
    if i == 0 or i + 1 >= len(text) or not text[i - 1].isalnum() or not text[i + 1].isalnum():
        return False
    k = i - 1
    while k >= 0 and (text[k].isalnum() or text[k] in "'."):
        k -= 1
    return text[k + 1].isdigit()


def brace_contexts(lines: list[str]) -> list[str]:
    """For each masked line, the kind of the innermost brace open at its start: "block" inside a
    function body, "class", "namespace", "init" (a braced initialiser) or "file"."""
    stack: list[str] = []
    pending = ""  # the statement so far, to tell what a `{` opens
    contexts = []
    for line in lines:
        contexts.append(stack[-1] if stack else "file")
        if line.lstrip().startswith("#"):
            continue
        for c in line:
            if c == "{":
                stack.append(brace_kind(pending, stack))
                pending = ""
            elif c == "}":
                if stack:
                    stack.pop()
                pending = ""
            elif c == ";":
                pending = ""
            else:
                pending += c
        pending += " "
    return contexts


def brace_kind(pending: str, stack: list[str]) -> str:
    words = pending.strip()
    if re.search(r"\b(namespace|extern)\b", words):
        return "namespace"
    if re.search(r"\b(class|struct|union|enum)\b", words) and "(" not in words:
        return "class"
    if stack and stack[-1] == "init":
        return "init"
    if re.search(r"(=|\(|,|\breturn)\s*$", words) or re.search(r"[\w>]\s*$", words) and not (
            re.search(r"\)(\s*(const|override|final|noexcept|mutable|->\s*[\w:<>]+))*\s*$", words)
            or re.search(r"\b(else|do|try)\s*$", words)):
        return "init"
    return "block"


def inactive_lines(masked: list[str]) -> set[int]:
    """Lines the preprocessor drops on this platform: the Windows and macOS branches. Other
    conditions count as true; a mutant there that changes no object code is caught later."""
    inactive: set[int] = set()
    stack: list[tuple[bool, bool | None]] = []  # (enclosing branch active, this condition)
    active = True
    for index, line in enumerate(masked):
        directive = re.match(r"\s*#\s*(ifdef|ifndef|if|elif|else|endif)\b\s*(.*)", line)
        if directive is None:
            if not active:
                inactive.add(index)
            continue
        kind, condition = directive.group(1), directive.group(2).strip()
        if kind in ("ifdef", "ifndef", "if"):
            value = condition_value(kind, condition)
            stack.append((active, value))
        elif not stack:
            continue
        elif kind == "endif":
            active = stack.pop()[0]
            continue
        else:
            enclosing, previous = stack[-1]
            value = None if previous is None else (not previous if kind == "else" else None)
            if kind == "elif" and previous is True:
                value = False
            stack[-1] = (enclosing, value)
        active = stack[-1][0] and stack[-1][1] is not False
    return inactive


def condition_value(kind: str, condition: str) -> bool | None:
    name = re.sub(r"^!?\s*defined\s*\(?\s*(\w+)\s*\)?$", r"\1", condition)
    if name not in FOREIGN_PLATFORMS:
        return None
    negated = kind == "ifndef" or (kind == "if" and condition.startswith("!"))
    if kind == "if" and not re.match(r"^!?\s*defined\b", condition):
        return None
    return negated


def skipped_lines(masked: list[str]) -> set[int]:
    """Preprocessor lines, code for other platforms, and whole static_assert, enum and
    constexpr-variable declarations."""
    skipped: set[int] = inactive_lines(masked)
    i = 0
    while i < len(masked):
        code = masked[i].strip()
        if code.startswith("#"):
            while i < len(masked) and masked[i].rstrip().endswith("\\"):
                skipped.add(i)
                i += 1
            skipped.add(i)
        elif SKIPPED_DECLARATION.match(code) and not is_constexpr_function(code):
            depth = 0
            while i < len(masked):
                skipped.add(i)
                done = False
                for c in masked[i]:
                    depth += c in "([{"
                    depth -= c in ")]}"
                    if c == ";" and depth <= 0:
                        done = True
                        break
                if done:
                    break
                i += 1
        i += 1
    return skipped


def is_constexpr_function(code: str) -> bool:
    if not re.search(r"\bconstexpr\b", code):
        return False
    marks = [code.find(c) for c in "(={[" if code.find(c) >= 0]
    return bool(marks) and min(marks) == code.find("(")


def balanced(code: str) -> bool:
    depth = 0
    for c in code:
        depth += c in "([{"
        depth -= c in ")]}"
        if depth < 0:
            return False
    return depth == 0


def starts_statement(previous: str) -> bool:
    """Whether a line following `previous` (masked, stripped) begins a new statement."""
    if previous == "" or previous[-1] in ";{}":
        return True
    if previous.endswith(":") and not previous.endswith("::"):
        return True
    if re.match(r"^(\}\s*)?(else\s+)?(if|while|for)\b.*\)$", previous) and balanced(previous):
        return True
    return re.match(r"^(\}\s*)?else$", previous) is not None


# ---------------------------------------------------------------------------------------------
# Candidate mutants of one file


def file_mutants(path: str, text: str) -> list[Mutant]:
    source_lines = text.split("\n")
    masked_lines = mask_source(text).split("\n")
    skipped = skipped_lines(masked_lines)
    contexts = brace_contexts(masked_lines)
    mutants: list[Mutant] = []
    previous = ""
    for index, (source, masked) in enumerate(zip(source_lines, masked_lines)):
        code = masked.strip()
        if index in skipped or code == "":
            if index in skipped and code and not code.startswith("#"):
                previous = code
            continue
        number = index + 1
        mutants += operator_mutants(path, number, masked)
        mutants += literal_mutants(path, number, source, masked)
        if contexts[index] == "block" and starts_statement(previous):
            mutants += statement_mutants(path, number, source, masked)
        mutants += condition_mutants(path, number, source, masked)
        previous = code
    return mutants


def numbered(descriptions: list[str]) -> list[str]:
    """Tells apart equal descriptions on one line: the second '<' -> '<=' is '(2nd)'."""
    seen: dict[str, int] = {}
    result = []
    for d in descriptions:
        seen[d] = seen.get(d, 0) + 1
        count = seen[d]
        suffix = {1: "", 2: " (2nd)", 3: " (3rd)"}.get(count, f" ({count}th)")
        result.append(d + suffix)
    return result


def operator_mutants(path: str, number: int, masked: str) -> list[Mutant]:
    found = []
    i = 1
    while i < len(masked):
        if masked[i] in OPERATOR_CHARS and masked[i - 1] == " ":
            j = i
            while j < len(masked) and masked[j] in OPERATOR_CHARS:
                j += 1
            token = masked[i:j]
            # "text " + name joins strings: the swap would only fail to compile.
            joins_text = token in "+-" and (masked[i - 2:i - 1] == '"' or masked[j + 1:j + 2] == '"')
            if token in OPERATOR_SWAPS and (j == len(masked) or masked[j] == " ") and not joins_text:
                found.append((i, j, OPERATOR_SWAPS[token], f"'{token}' -> '{OPERATOR_SWAPS[token]}'"))
            i = j
        else:
            i += 1
    return [Mutant(path, number, a, b, r, d)
            for (a, b, r, _), d in zip(found, numbered([f[3] for f in found]))]


def literal_mutants(path: str, number: int, source: str, masked: str) -> list[Mutant]:
    found = []
    for m in LITERAL.finditer(masked):
        digits = m.group(1)
        octal = len(digits) > 1 and digits.startswith("0")  # 0644 stays octal
        value = int(digits, 8 if octal else 10)
        if value == 0:
            others = [1]
        elif value == 1:
            others = [0]
        else:
            others = [value + 1, value - 1]
        for shifted in others:
            other = f"0{shifted:o}" if octal else str(shifted)
            found.append((m.start(1), m.end(1), other, f"literal {digits} -> {other}"))
    for m in BOOLEAN.finditer(masked):
        other = "false" if m.group(1) == "true" else "true"
        found.append((m.start(1), m.end(1), other, f"{m.group(1)} -> {other}"))
    return [Mutant(path, number, a, b, r, d)
            for (a, b, r, _), d in zip(found, numbered([f[3] for f in found]))]


def condition_mutants(path: str, number: int, source: str, masked: str) -> list[Mutant]:
    found = []
    for m in CONDITION.finditer(masked):
        if masked[m.end():].lstrip().startswith("constexpr"):
            continue
        depth, close = 1, None
        for k in range(m.end(), len(masked)):
            depth += masked[k] == "("
            depth -= masked[k] == ")"
            if depth == 0:
                close = k
                break
        if close is None:
            continue
        start = m.end()
        semicolon = masked.rfind(";", start, close)  # if (init; condition)
        if semicolon >= 0:
            start = semicolon + 1
            while masked[start] == " ":
                start += 1
        condition = source[start:close]
        found.append((start, close, f"!({condition})", f"negate the {m.group(1)} condition"))
    return [Mutant(path, number, a, b, r, d)
            for (a, b, r, _), d in zip(found, numbered([f[3] for f in found]))]


def statement_mutants(path: str, number: int, source: str, masked: str) -> list[Mutant]:
    code = masked.strip()
    if not code.endswith(";") or not balanced(code):
        return []
    start = len(masked) - len(masked.lstrip())
    end = masked.rstrip().__len__()
    text = source[start:end]
    short = text if len(text) <= 60 else text[:57] + "..."
    if code.startswith("return "):
        value = source[start + len("return "):end - 1].strip()
        if TRIVIAL_RETURN.match(value):
            return []
        return [Mutant(path, number, start, end, "return {};", f"return {{}} instead of {value}")]
    first_word = re.match(r"[\w:]*", code).group(0)
    if first_word in NOT_A_CALL:
        return []
    if ASSIGNMENT.match(code) or INCREMENT.match(code) or CALL.match(code):
        return [Mutant(path, number, start, end, "{}", f"delete `{short}`")]
    return []


def collect_mutants(folders: list[str]) -> list[Mutant]:
    mutants: list[Mutant] = []
    for folder in folders:
        for file in sorted((ROOT / folder).rglob("*")):
            if file.suffix not in (".cpp", ".h") or not file.is_file():
                continue
            relative = file.relative_to(ROOT).as_posix()
            mutants += file_mutants(relative, file.read_text(encoding="utf-8"))
    return mutants


def choose(mutants: list[Mutant], seed: int, budget: int, lines) -> list[Mutant]:
    """The `budget` mutants whose draw from the seed is lowest. A mutant's draw depends on the
    seed, its file, the text of its line and the mutation, not on its line number or on the
    other candidates, so an edit elsewhere in the core leaves the other picks as they were."""

    def draw(m: Mutant) -> tuple:
        identity = f"{seed}\0{m.path}\0{line_key(lines(m))}\0{m.description}"
        return hashlib.sha256(identity.encode()).hexdigest(), m.path, m.line, m.start

    picked = sorted(mutants, key=draw)[:budget]
    return sorted(picked, key=lambda m: (m.path, m.line, m.start, m.replacement))


# ---------------------------------------------------------------------------------------------
# Known-equivalent mutants


def line_key(text: str) -> str:
    return " ".join(text.split())


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
    guard.repair_leftover()
    print("building and testing the unmutated tree...", flush=True)
    if run(build_command(build, args.jobs), args.build_timeout, log)[0] != "ok":
        sys.exit(f"the unmutated tree does not build; see {build}/mutate.log")
    result, baseline = run(test_command(build, args), args.timeout * 20, log)
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

    build = (ROOT / args.build_dir).resolve()
    build.mkdir(exist_ok=True)
    texts = {m.path: sources[m.path] for m in chosen}
    digests = {p: hashlib.sha256((ROOT / p).read_bytes()).hexdigest() for p in texts}
    status_before = git_status(args.folders)
    for number in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, on_signal)
    began = time.monotonic()
    outcomes: dict[Mutant, str] = {}
    with open(build / "mutate.log", "wb") as log:
        configure(build, args.timeout, log)
        try:
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
