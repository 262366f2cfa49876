#!/usr/bin/env python3
"""Runs one golden file through korvane-cli and compares what it prints.

A golden file holds sections, each starting with a line of its own:
  args: ARG ...          the command line (split like a shell would, with shlex); @DIR@ stands
                         for the folder of the golden file
  env: NAME=VALUE ...    extra environment (optional)
  env-unset: NAME ...    variables taken out of the environment (optional)
  stdin:                 the following lines up to the next section are fed to standard input
  stdout:                the following lines are the exact expected standard output
  stderr:                the following lines are the exact expected standard error stream (no
                         lines: nothing at all)
  stderr-contains: TEXT  a text that must appear on the standard error stream (repeatable)
  stdout-to: PATH        standard output goes to this file instead (e.g. /dev/full)
  status: N              the expected exit status
  settings:              the following lines are a settings file, written to a fresh folder
                         before the run; @SETTINGS@ in args stands for its path (with no
                         settings: section the folder is empty)
  settings-after:        the following lines are the exact content of that file after the run;
                         "settings-after: absent" means the run must not have created it
Lines starting with '#' before the first section are comments. Tabs and trailing blanks are
significant inside stdin, stdout and stderr.
"""
import os
import shlex
import subprocess
import sys
import tempfile

SECTIONS = ("args:", "env-unset:", "env:", "stdin:", "stdout:", "stderr:", "stderr-contains:",
            "stdout-to:", "status:", "settings-after:", "settings:")


def parse(path):
    golden = {"args": [], "env": {}, "unset": [], "stdin": None, "stdout": None, "stderr": None,
              "stderr_contains": [], "status": 0, "stdout_to": None, "settings": None,
              "settings_after": None}
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
            folder = os.path.dirname(os.path.abspath(path))
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
        elif head == "stdout-to:":
            golden["stdout_to"] = rest
        elif head == "status:":
            golden["status"] = int(rest)
        elif head == "settings-after:" and rest == "absent":
            golden["settings_after"] = "absent"
        else:
            current = head[:-1].replace("-", "_")
            golden[current] = []
    return golden


def lines_to_bytes(lines):
    return b"".join(line + b"\n" for line in lines)


def check_settings(golden, settings_path, failures):
    expected = golden["settings_after"]
    if expected is None:
        return
    exists = os.path.exists(settings_path)
    if expected == "absent":
        if exists:
            failures.append("the settings file was created")
        return
    actual = open(settings_path, "rb").read() if exists else None
    if actual != lines_to_bytes(expected):
        failures.append("the settings file differs:\n--- expected\n"
                        + lines_to_bytes(expected).decode("utf-8", "replace") + "--- actual\n"
                        + ("(no file)\n" if actual is None else actual.decode("utf-8", "replace")))


def main():
    cli, path = sys.argv[1], sys.argv[2]
    golden = parse(path)
    with tempfile.TemporaryDirectory(prefix="korvane-golden-") as folder:
        settings_path = os.path.join(folder, "Tabrivo.ini")
        if golden["settings"] is not None:
            with open(settings_path, "wb") as f:
                f.write(lines_to_bytes(golden["settings"]))
        golden["args"] = [a.replace(b"@SETTINGS@", settings_path.encode()) for a in golden["args"]]
        run_golden(cli, path, golden, settings_path)


def run_golden(cli, path, golden, settings_path):
    env = dict(os.environ)
    env.setdefault("KORVANE_SETTINGS", os.devnull + ".missing/none.ini")
    env.update(golden["env"])
    for name in golden["unset"]:
        env.pop(name, None)
    stdin = b"".join(line + b"\n" for line in golden["stdin"]) if golden["stdin"] is not None else b""
    command = [cli.encode()] + golden["args"]
    if golden["stdout_to"] is not None:
        with open(golden["stdout_to"], "wb") as target:
            run = subprocess.run(command, input=stdin, stdout=target, stderr=subprocess.PIPE,
                                 env=env, timeout=60)
    else:
        run = subprocess.run(command, input=stdin, capture_output=True, env=env, timeout=60)
    failures = []
    if run.returncode != golden["status"]:
        failures.append(f"exit status {run.returncode}, expected {golden['status']}")
    if golden["stdout"] is not None:
        expected = b"".join(line + b"\n" for line in golden["stdout"])
        if run.stdout != expected:
            failures.append("standard output differs:\n--- expected\n" + expected.decode("utf-8", "replace")
                            + "--- actual\n" + run.stdout.decode("utf-8", "replace"))
    if golden["stderr"] is not None:
        expected = b"".join(line + b"\n" for line in golden["stderr"])
        if run.stderr != expected:
            failures.append("standard error differs:\n--- expected\n" + expected.decode("utf-8", "replace")
                            + "--- actual\n" + run.stderr.decode("utf-8", "replace"))
    for text in golden["stderr_contains"]:
        if text not in run.stderr:
            failures.append(f"standard error lacks {text!r}")
    check_settings(golden, settings_path, failures)
    if failures:
        print(f"{path}:", *failures, sep="\n")
        print("--- standard error\n" + run.stderr.decode("utf-8", "replace"))
        sys.exit(1)


if __name__ == "__main__":
    main()
