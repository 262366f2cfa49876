#!/usr/bin/env python3
"""Checks that a plain convert line gives what CLI11's parse of the same line gives.

    fast_path_agrees.py CLI GOLDEN_FOLDER

korvane-cli reads `convert VALUE FROM TO` and `convert TEXT` without CLI11. The same line with
"--" after "convert" means the same to CLI11 but is never read that way, so running both and
comparing standard output, standard error and the exit status compares the two paths. The
lines are those of the golden files a plain line can express, and the cases below, which the
golden files lack: settings found through $KORVANE_SETTINGS, negative numbers, command names
and empty texts as arguments.
"""
import os
import re
import shlex
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run_golden  # noqa: E402

PLAIN_NUMBER = re.compile(rb"-(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?")
FIXTURES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fixtures")

# (name, arguments after the program's name, extra environment)
EXTRA = [
    ("negative number as text", "convert -5", {}),
    ("negative exponent", "convert -1e-3 meter centimeter", {}),
    ("command name as unit", "convert 1 foot settings-path", {}),
    ("command name as text", "convert eval", {}),
    ("empty texts", "convert '' '' ''", {}),
    ("empty value", "convert '' foot inch", {}),
    ("free form", "convert '5 ft 7 3/8 in to cm'", {}),
    ("free form refused", "convert '12 inchs to cm'", {}),
    ("expression", "convert 2*pi radian degree", {}),
    ("evaluator diagnostics", "convert '(2+3' meter centimeter", {}),
    ("stored format", "convert 1 Rope meter",
     {"KORVANE_SETTINGS": os.path.join(FIXTURES, "custom.ini")}),
    ("stored format, free form", "convert '3 Euro to Cent'",
     {"KORVANE_SETTINGS": os.path.join(FIXTURES, "custom.ini")}),
    ("missing settings file", "convert 1 foot inch",
     {"KORVANE_SETTINGS": "/nonexistent/Tabrivo.ini"}),
]


def is_plain(args):
    """Whether inserting "--" after "convert" keeps the line's meaning to CLI11."""
    if len(args) not in (2, 4) or args[0] != b"convert":
        return False
    if args[1].startswith(b"-") and not PLAIN_NUMBER.fullmatch(args[1]):
        return False
    return not any(a.startswith(b"-") for a in args[2:])


def run(cli, args, env, stdin, stdout_to):
    environment = dict(os.environ)
    environment.setdefault("KORVANE_SETTINGS", os.devnull + ".missing/none.ini")
    environment.update(env[0])
    for name in env[1]:
        environment.pop(name, None)
    if stdout_to is None:
        result = subprocess.run([cli] + args, input=stdin, capture_output=True, env=environment,
                                timeout=60)
        return result.stdout, result.stderr, result.returncode
    with open(stdout_to, "wb") as target:
        result = subprocess.run([cli] + args, input=stdin, stdout=target, stderr=subprocess.PIPE,
                                env=environment, timeout=60)
    return b"", result.stderr, result.returncode


def compare(name, cli, args, env, stdin=b"", stdout_to=None):
    plain = run(cli, args, env, stdin, stdout_to)
    parsed = run(cli, args[:1] + [b"--"] + args[1:], env, stdin, stdout_to)
    if plain == parsed:
        return True
    print(f"{name}: {b' '.join(args).decode('utf-8', 'replace')}")
    for label, a, b in zip(("stdout", "stderr", "status"), plain, parsed):
        if a != b:
            print(f"  {label}: plain {a!r}\n  {label}: CLI11 {b!r}")
    return False


def main():
    cli, folder = os.fsencode(sys.argv[1]), sys.argv[2]
    ok = True
    compared = 0
    for file in sorted(os.listdir(folder)):
        if not file.endswith(".golden"):
            continue
        golden = run_golden.parse(os.path.join(folder, file), "posix")
        if golden["platform"] not in (None, "posix") or golden["settings"] is not None:
            continue
        if not is_plain(golden["args"]) or golden["stdout_to"] == "closed-pipe":
            continue
        env = (golden["env"], golden["unset"])
        stdin = run_golden.lines_to_bytes(golden["stdin"]) if golden["stdin"] else b""
        ok &= compare(file, cli, golden["args"], env, stdin, golden["stdout_to"])
        compared += 1
    for name, line, env in EXTRA:
        ok &= compare(name, cli, [os.fsencode(a) for a in shlex.split(line)], (env, []))
        compared += 1
    print(f"{compared} lines compared")
    # Too few would mean the selection above went wrong, not that the paths agree.
    if compared < 30:
        print("fewer lines than expected were compared")
        ok = False
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
