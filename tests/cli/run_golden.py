#!/usr/bin/env python3
"""Runs one golden file through korvane-cli and compares what it prints.

    run_golden.py [--launcher PROGRAM] [--platform posix|windows] CLI GOLDEN

--launcher runs CLI through PROGRAM (wine64 for a Windows build). With --platform windows the
program is expected to end its output lines with CR LF, the platform's text convention, and
@DIR@ and @SETTINGS@ name host paths in the form a Windows program under Wine reads; the program
then runs in the golden file's folder, so the host's absolute paths keep meaning the host's files.

A golden file holds sections, each starting with a line of its own:
  args: ARG ...          the command line (split like a shell would, with shlex); @DIR@ stands
                         for the folder of the golden file
  env: NAME=VALUE ...    extra environment (optional)
  env-unset: NAME ...    variables taken out of the environment (optional)
  stdin:                 the following lines up to the next section are fed to standard input
  stdout:                the following lines are the exact expected standard output
  stdout-matches: REGEX  a Python regular expression the whole standard output must match
                         ('.' also matches a line break; on Windows every line must end with
                         CR LF and is matched as LF), for output whose last digits or long
                         text are not this test's concern
  stderr:                the following lines are the exact expected standard error stream (no
                         lines: nothing at all)
  stderr-contains: TEXT  a text that must appear on the standard error stream (repeatable)
  stdout-to: PATH        standard output goes to this file instead (e.g. /dev/full); the
                         word "closed-pipe" gives a pipe whose reader is already gone
  status: N              the expected exit status
  settings:              the following lines are a settings file, written to a fresh folder
                         before the run; @SETTINGS@ in args stands for its path (with no
                         settings: section the folder is empty)
  settings-after:        the following lines are the exact content of that file after the run;
                         "settings-after: absent" means the run must not have created it. A
                         file that had no line break before the run gets the platform's (CR LF
                         on Windows); one that had keeps it
  platform: NAME         run only on this platform (posix or windows); elsewhere the test is
                         reported as skipped (exit status 77)
Lines starting with '#' before the first section are comments. Tabs and trailing blanks are
significant inside stdin, stdout, stderr and the settings sections.
"""
import argparse
import os
import re
import shlex
import subprocess
import sys
import tempfile

SECTIONS = ("args:", "env-unset:", "env:", "stdin:", "stdout:", "stdout-matches:", "stderr:",
            "stderr-contains:", "stdout-to:", "status:", "settings-after:", "settings:",
            "platform:")
SKIPPED = 77
# Wine shows the host's root folder as this drive.
WINE_ROOT_DRIVE = "Z:"


def platform_path(path, platform):
    """An absolute host path as the program under test names it."""
    path = os.path.abspath(path)
    if platform == "windows":
        return WINE_ROOT_DRIVE + path.replace("/", "\\")
    return path


def parse(path, platform):
    golden = {"args": [], "env": {}, "unset": [], "stdin": None, "stdout": None, "stderr": None,
              "stderr_contains": [], "stdout_matches": None, "status": 0, "stdout_to": None, "settings": None,
              "settings_after": None, "platform": None}
    current = None
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    for raw in lines:
        text = raw.decode("utf-8", "surrogateescape")
        head = next((s for s in SECTIONS if text.startswith(s)), None)
        if head is None:
            if current in ("stdin", "stdout", "stderr", "settings", "settings_after"):
                golden[current].append(raw)
            elif current is None and (text.startswith("#") or not text.strip()):
                continue
            else:
                sys.exit(f"{path}: unexpected line {text!r}")
            continue
        rest = text[len(head):].strip()
        current = None
        if head == "args:":
            folder = platform_path(os.path.dirname(os.path.abspath(path)), platform)
            golden["args"] = [a.replace("@DIR@", folder).encode("utf-8", "surrogateescape")
                            for a in shlex.split(rest)]
        elif head == "env:":
            for item in shlex.split(rest):
                name, _, value = item.partition("=")
                golden["env"][name] = value
        elif head == "env-unset:":
            golden["unset"] += shlex.split(rest)
        elif head == "stderr-contains:":
            golden["stderr_contains"].append(rest.encode("utf-8", "surrogateescape"))
        elif head == "stdout-matches:":
            golden["stdout_matches"] = rest
        elif head == "stdout-to:":
            golden["stdout_to"] = rest
        elif head == "status:":
            golden["status"] = int(rest)
        elif head == "settings-after:" and rest == "absent":
            golden["settings_after"] = "absent"
        elif head == "platform:":
            golden["platform"] = rest
        else:
            current = head[:-1].replace("-", "_")
            golden[current] = []
    return golden


def lines_to_bytes(lines, line_end=b"\n"):
    return b"".join(line + line_end for line in lines)


def check_settings(golden, settings_path, line_end, failures):
    expected = golden["settings_after"]
    if expected is None:
        return
    exists = os.path.exists(settings_path)
    if expected == "absent":
        if exists:
            failures.append("the settings file was created")
        return
    # The store keeps the line break a file already had and gives a new one the platform's.
    if golden["settings"]:
        line_end = b"\n"
    expected = lines_to_bytes(expected, line_end)
    actual = open(settings_path, "rb").read() if exists else None
    if actual != expected:
        failures.append("the settings file differs:\n--- expected\n"
                        + expected.decode("utf-8", "replace") + "--- actual\n"
                        + ("(no file)\n" if actual is None else actual.decode("utf-8", "replace")))


def main():
    options = argparse.ArgumentParser(description="Runs one golden file through korvane-cli.")
    options.add_argument("--launcher", help="program that runs the CLI (e.g. wine64)")
    options.add_argument("--platform", choices=("posix", "windows"), default="posix")
    options.add_argument("cli")
    options.add_argument("golden")
    arguments = options.parse_args()
    path = arguments.golden
    golden = parse(path, arguments.platform)
    if golden["platform"] not in (None, arguments.platform):
        print(f"{path}: for {golden['platform']} only")
        sys.exit(SKIPPED)
    with tempfile.TemporaryDirectory(prefix="korvane-golden-") as folder:
        settings_path = os.path.join(folder, "Tabrivo.ini")
        if golden["settings"] is not None:
            with open(settings_path, "wb") as f:
                f.write(lines_to_bytes(golden["settings"]))
        named = platform_path(settings_path, arguments.platform).encode()
        golden["args"] = [a.replace(b"@SETTINGS@", named) for a in golden["args"]]
        run_golden(arguments, golden, settings_path)


def check_stdout_pattern(golden, actual, line_end, failures):
    pattern = golden["stdout_matches"]
    if pattern is None:
        return
    if line_end != b"\n":
        if not actual.count(b"\n") == actual.count(line_end) == actual.count(b"\r"):
            failures.append("standard output has lines not ended by CR LF")
        actual = actual.replace(line_end, b"\n")
    text = actual.decode("utf-8", "replace")
    if re.fullmatch(pattern, text, re.DOTALL) is None:
        failures.append(f"standard output:\n{text}does not match {pattern}")


def run(arguments, golden, command, stdin, stdout):
    env = dict(os.environ)
    env.setdefault("KORVANE_SETTINGS", os.devnull + ".missing/none.ini")
    env.update(golden["env"])
    for name in golden["unset"]:
        env.pop(name, None)
    folder = (os.path.dirname(os.path.abspath(arguments.golden))
              if arguments.platform == "windows" else None)
    return subprocess.run(command, input=stdin, stdout=stdout, stderr=subprocess.PIPE, env=env,
                          cwd=folder, timeout=60)


def run_golden(arguments, golden, settings_path):
    path = arguments.golden
    stdin = lines_to_bytes(golden["stdin"]) if golden["stdin"] is not None else b""
    command = [os.fsencode(arguments.cli)] + golden["args"]
    if arguments.launcher:
        command.insert(0, os.fsencode(arguments.launcher))
    if golden["stdout_to"] == "closed-pipe":
        reader, writer = os.pipe()
        os.close(reader)
        try:
            result = run(arguments, golden, command, stdin, writer)
        finally:
            os.close(writer)
    elif golden["stdout_to"] is not None:
        with open(golden["stdout_to"], "wb") as target:
            result = run(arguments, golden, command, stdin, target)
    else:
        result = run(arguments, golden, command, stdin, subprocess.PIPE)
    line_end = b"\r\n" if arguments.platform == "windows" else b"\n"
    failures = []
    if result.returncode != golden["status"]:
        failures.append(f"exit status {result.returncode}, expected {golden['status']}")
    for name in ("stdout", "stderr"):
        if golden[name] is None:
            continue
        expected = lines_to_bytes(golden[name], line_end)
        actual = getattr(result, name)
        if actual != expected:
            failures.append(f"standard {'output' if name == 'stdout' else 'error'} differs:\n"
                            "--- expected\n" + expected.decode("utf-8", "replace")
                            + "--- actual\n" + actual.decode("utf-8", "replace"))
    check_stdout_pattern(golden, result.stdout, line_end, failures)
    for text in golden["stderr_contains"]:
        if text not in result.stderr:
            failures.append(f"standard error lacks {text!r}")
    check_settings(golden, settings_path, line_end, failures)
    if failures:
        print(f"{path}:", *failures, sep="\n")
        print("--- standard error\n" + result.stderr.decode("utf-8", "replace"))
        sys.exit(1)


if __name__ == "__main__":
    main()
