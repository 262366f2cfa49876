#!/usr/bin/env python3
"""Runs every command line the manual quotes and compares it with what the program prints.

    check_manual.py CLI_FOLDER MANUAL_FOLDER

In the pages' <pre> blocks a line "$ COMMAND" is a command line, run by bash with CLI_FOLDER
first on PATH; the lines up to the next "$ " line or the block's end are what the manual says
it prints on standard output and standard error, as a terminal shows them. An inline
<code>korvane-cli ...</code> is run too: it must not end with a usage error (status 2) unless
it names a placeholder in capitals (FILE, COMMAND) or only names the program or a command
("korvane-cli eval" in a sentence, which the program answers with "... is required"). Each page runs with a settings file of its
own, empty at the start, so its examples may build on each other (custom, then convert).
"""
import html
import os
import re
import subprocess
import sys
import tempfile

PRE = re.compile(r"<pre>(.*?)</pre>", re.S)
CODE = re.compile(r"<code>(korvane-cli\b.*?)</code>", re.S)
TAG = re.compile(r"<[^>]+>")
PLACEHOLDER = re.compile(r"\b[A-Z]{3,}\b")


def text_of(markup):
    return html.unescape(TAG.sub("", markup))


def examples(page_text):
    """(command, expected lines) of each "$ " line of the <pre> blocks."""
    found = []
    for block in PRE.findall(page_text):
        current = None
        for line in text_of(block).split("\n"):
            if line.startswith("$ "):
                current = (line[2:], [])
                found.append(current)
            elif current is not None:
                current[1].append(line)
    return [(command, "\n".join(lines).rstrip("\n")) for command, lines in found]


def run(command, environment):
    done = subprocess.run(["bash", "-c", command], stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, env=environment, timeout=60)
    return done.returncode, done.stdout.decode("utf-8", "replace").rstrip("\n")


def check_page(path, environment):
    failures = []
    with open(path, encoding="utf-8") as f:
        page = f.read()
    name = os.path.basename(path)
    for command, expected in examples(page):
        if "korvane-cli" not in command:
            continue
        status, output = run(command, environment)
        if output != expected:
            failures.append(f"{name}: $ {command}\n--- manual\n{expected}\n--- program "
                            f"(status {status})\n{output}\n")
    for markup in CODE.findall(page):
        command = text_of(markup)
        if PLACEHOLDER.search(command):
            continue
        words = command.split()
        if len(words) < 2:
            continue
        status, output = run(command, environment)
        if status == 2 and len(words) == 2 and "is required" in output:
            continue
        if status == 2:
            failures.append(f"{name}: <code>{command}</code> is a usage error:\n{output}\n")
    return failures


def main():
    cli_folder, manual = sys.argv[1], sys.argv[2]
    failures = []
    pages = sorted(p for p in os.listdir(manual) if p.endswith(".html"))
    for page in pages:
        with tempfile.TemporaryDirectory() as home:
            environment = dict(os.environ, HOME=home, LC_ALL="C.UTF-8",
                               KORVANE_SETTINGS=os.path.join(home, "Tabrivo.ini"),
                               PATH=cli_folder + os.pathsep + os.environ.get("PATH", ""))
            environment.pop("XDG_CONFIG_HOME", None)
            failures += check_page(os.path.join(manual, page), environment)
    for failure in failures:
        print(failure)
    print(f"{len(pages)} pages checked, {len(failures)} differences")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
