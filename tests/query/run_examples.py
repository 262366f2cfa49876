#!/usr/bin/env python3
"""Runs every row of the free-form examples through `korvane-cli parse TEXT` or
`korvane-cli convert TEXT`, in the row's numeric locale (LC_ALL), and checks the answer.

    run_examples.py parse|convert KORVANE_CLI EXAMPLES.tsv
"""
import os
import subprocess
import sys

LOCALES = {"C": "C", "de_DE": "de_DE.UTF-8"}


def rows(path):
    with open(path, encoding="utf-8", newline="") as table:
        lines = table.read().split("\n")[1:]
    for number, line in enumerate(lines, start=2):
        if line:
            yield number, (line.split("\t") + [""] * 9)[:9]


def run(cli, locale, arguments):
    env = {key: value for key, value in os.environ.items()
           if key not in ("LC_ALL", "LC_NUMERIC", "LANG")}
    env["LC_ALL"] = LOCALES[locale]
    return subprocess.run([cli, "--no-settings", *arguments], capture_output=True,
                          env=env, timeout=30)


def near(text, expected, tolerance):
    try:
        value = float(text)
    except ValueError:
        return False
    return abs(value - float(expected)) <= float(tolerance) * max(1.0, abs(float(expected)))


def check(command, cli, row):
    text, locale, category, unit_from, unit_to, expected, tolerance, kind, note = row
    if command == "parse":
        done = run(cli, locale, ["parse", "--", text])
    else:
        done = run(cli, locale, ["convert", "--format", "scientific", "--precision", "15", "--",
                                 text])
    out = done.stdout.decode("utf-8").rstrip("\n")
    err = done.stderr.decode("utf-8")
    if command == "convert" and kind == "refuse" and "valid expression" in note:
        # A plain value names no units: convert says it wants VALUE FROM TO.
        return None if done.returncode == 2 and err else f"status {done.returncode}: {err!r}"
    if kind in ("refuse", "typo"):
        if done.returncode != 1 or not err:
            return f"expected a refusal, got status {done.returncode}: {out!r}"
        if kind == "typo" and "did you mean" not in err:
            return f"expected a suggestion, got {err!r}"
        if command == "convert" and out != "Error":
            return f"expected Error, got {out!r}"
        return None
    if done.returncode != 0:
        return f"status {done.returncode}: {err!r}"
    if command == "convert":
        return None if near(out, expected, tolerance) else f"got {out!r}, want {expected}"
    fields = out.split("\t")
    if fields[:3] != [category, unit_from, unit_to]:
        return f"got {fields[:3]}, want {[category, unit_from, unit_to]}"
    if not unit_to and not near(fields[3], expected, tolerance):
        return f"value {fields[3]}, want {expected}"
    return None


def main():
    command, cli, path = sys.argv[1:4]
    failures = 0
    count = 0
    for number, row in rows(path):
        count += 1
        problem = check(command, cli, row)
        if problem:
            failures += 1
            print(f"line {number}: {row[0]!r} ({row[1]}): {problem}")
    print(f"{count - failures} of {count} rows pass through korvane-cli {command}")
    return 1 if failures or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
