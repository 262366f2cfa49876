#!/usr/bin/env python3
"""Runs one golden file through korvane-cli and compares what it prints.

    run_golden.py [--launcher PROGRAM] [--platform posix|windows] CLI GOLDEN

--launcher runs CLI through PROGRAM (wine64 for a Windows build). With --platform windows the
program is expected to end its output lines with CR LF, the platform's text convention, and
@DIR@ names the golden file's folder in the form a Windows program under Wine reads; the program
then runs in that folder, so the host's absolute paths keep meaning the host's files.

A golden file holds sections, each starting with a line of its own:
  args: ARG ...          the command line (split like a shell would, with shlex); @DIR@ stands
                         for the folder of the golden file
  env: NAME=VALUE ...    extra environment (optional)
  stdin:                 the following lines up to the next section are fed to standard input
  stdout:                the following lines are the exact expected standard output
  stderr-contains: TEXT  a text that must appear on the standard error stream (repeatable)
  stdout-to: PATH        standard output goes to this file instead (e.g. /dev/full); the
                         word "closed-pipe" gives a pipe whose reader is already gone
  status: N              the expected exit status
  platform: NAME         run only on this platform (posix or windows); elsewhere the test is
                         reported as skipped (exit status 77)
Lines starting with '#' before the first section are comments. Tabs and trailing blanks are
significant inside stdin and stdout.
"""
import argparse
import os
import shlex
import subprocess
import sys

SECTIONS = ("args:", "env:", "stdin:", "stdout:", "stderr-contains:", "stdout-to:", "status:",
            "platform:")
SKIPPED = 77
# Wine shows the host's root folder as this drive.
WINE_ROOT_DRIVE = "Z:"


def folder_for(path, platform):
    folder = os.path.dirname(os.path.abspath(path))
    if platform == "windows":
        return WINE_ROOT_DRIVE + folder.replace("/", "\\")
    return folder


def parse(path, platform):
    golden = {"args": [], "env": {}, "stdin": None, "stdout": None, "stderr": [], "status": 0,
              "stdout_to": None, "platform": None}
    current = None
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    for raw in lines:
        text = raw.decode("utf-8", "surrogateescape")
        head = next((s for s in SECTIONS if text.startswith(s)), None)
        if head is None:
            if current in ("stdin", "stdout"):
                golden[current].append(raw)
            elif current is None and (text.startswith("#") or not text.strip()):
                continue
            else:
                sys.exit(f"{path}: unexpected line {text!r}")
            continue
        rest = text[len(head):].strip()
        current = None
        if head == "args:":
            folder = folder_for(path, platform)
            golden["args"] = [a.replace("@DIR@", folder).encode("utf-8", "surrogateescape")
                            for a in shlex.split(rest)]
        elif head == "env:":
            for item in shlex.split(rest):
                name, _, value = item.partition("=")
                golden["env"][name] = value
        elif head == "stderr-contains:":
            golden["stderr"].append(rest.encode("utf-8", "surrogateescape"))
        elif head == "stdout-to:":
            golden["stdout_to"] = rest
        elif head == "status:":
            golden["status"] = int(rest)
        elif head == "platform:":
            golden["platform"] = rest
        else:
            current = head[:-1]
            golden[current] = []
    return golden


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
    env = dict(os.environ)
    env.setdefault("KORVANE_SETTINGS", os.devnull + ".missing/none.ini")
    env.update(golden["env"])
    stdin = b"".join(line + b"\n" for line in golden["stdin"]) if golden["stdin"] is not None else b""
    command = [os.fsencode(arguments.cli)] + golden["args"]
    if arguments.launcher:
        command.insert(0, os.fsencode(arguments.launcher))
    folder = os.path.dirname(os.path.abspath(path)) if arguments.platform == "windows" else None
    if golden["stdout_to"] == "closed-pipe":
        reader, writer = os.pipe()
        os.close(reader)
        try:
            run = subprocess.run(command, input=stdin, stdout=writer, stderr=subprocess.PIPE,
                                 env=env, cwd=folder, timeout=60)
        finally:
            os.close(writer)
    elif golden["stdout_to"] is not None:
        with open(golden["stdout_to"], "wb") as target:
            run = subprocess.run(command, input=stdin, stdout=target, stderr=subprocess.PIPE,
                                 env=env, cwd=folder, timeout=60)
    else:
        run = subprocess.run(command, input=stdin, capture_output=True, env=env, cwd=folder,
                             timeout=60)
    line_end = b"\r\n" if arguments.platform == "windows" else b"\n"
    failures = []
    if run.returncode != golden["status"]:
        failures.append(f"exit status {run.returncode}, expected {golden['status']}")
    if golden["stdout"] is not None:
        expected = b"".join(line + line_end for line in golden["stdout"])
        if run.stdout != expected:
            failures.append("standard output differs:\n--- expected\n" + expected.decode("utf-8", "replace")
                            + "--- actual\n" + run.stdout.decode("utf-8", "replace"))
    for text in golden["stderr"]:
        if text not in run.stderr:
            failures.append(f"standard error lacks {text!r}")
    if failures:
        print(f"{path}:", *failures, sep="\n")
        print("--- standard error\n" + run.stderr.decode("utf-8", "replace"))
        sys.exit(1)


if __name__ == "__main__":
    main()
