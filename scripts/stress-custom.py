#!/usr/bin/env python3
"""Many copies of korvane-cli changing the custom units of one settings file at once.

Each worker adds units under names of its own, removes some of them again, adds and removes a
category of its own (five entries for 32 workers, so most are refused), and races the others
to remove four shared units and to fill the last free slot of "Data Transfer". Afterwards the
file is loaded as a new start would load it, and checked:

  - every unit whose last reported change was "added" is there, every refused one is not;
  - each shared unit was reported "removed" by one worker at most, and is gone if it was;
  - no category holds more than 178 units, and every used entry of the file loads;
  - no unit entry is left in a section that no loaded category owns.

Usage: scripts/stress-custom.py [--cli build/cli/korvane-cli] [--workers 32] [--rounds 40]
Exit status 0 when every check passes.
"""

import argparse
import collections
import os
import random
import subprocess
import sys
import tempfile
import threading
import time

SHARED_UNITS = ["Shared one", "Shared two", "Shared three", "Shared four"]
BUILT_IN_TARGETS = ["Distance", "Mass", "Data Transfer"]
ROW_LIMIT = 178


def run(cli, settings, *args):
    done = subprocess.run([cli, "--settings", settings, "custom", *args],
                          capture_output=True, text=True, timeout=120)
    return done.returncode, done.stdout.strip(), done.stderr.strip()


def load(cli, settings):
    """category name -> list of unit names, as a fresh start loads them."""
    out = subprocess.run([cli, "--settings", settings, "units", "--tsv"],
                         capture_output=True, text=True, check=True).stdout
    units = collections.defaultdict(list)
    for line in out.splitlines():
        fields = line.split("\t")
        if len(fields) >= 4:
            units[fields[1]].append(fields[3])
    return units


def read_ini(path):
    """folded section -> {folded key: value}, first occurrence wins, as the program reads."""
    sections = collections.defaultdict(dict)
    current = None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.strip()
            if line.startswith("["):
                current = line[1:line.rfind("]")].strip().lower()
                sections[current]
            elif "=" in line and current is not None and not line.startswith((";", "#")):
                key, value = line.split("=", 1)
                sections[current].setdefault(key.strip().lower(), value.strip())
    return sections


class Worker:
    def __init__(self, index, cli, settings, rounds, seed):
        self.index = index
        self.cli = cli
        self.settings = settings
        self.rounds = rounds
        self.random = random.Random(seed * 1000 + index)
        self.category = "cat%d" % index
        self.has_category = False
        self.present = {}      # own unit name -> category, as reported
        self.refused = []      # own unit names whose add was refused or failed
        self.removed = set()   # own unit names reported removed
        self.shared_removed = []
        self.counts = collections.Counter()

    def step(self, j):
        choice = self.random.random()
        if choice < 0.4:
            self.add_unit(j)
        elif choice < 0.7 and self.present:
            self.remove_unit()
        elif choice < 0.85:
            self.toggle_category()
        else:
            self.remove_shared()

    def add_unit(self, j):
        name = "w%d-%d" % (self.index, j)
        targets = BUILT_IN_TARGETS + ([self.category] if self.has_category else [])
        category = self.random.choice(targets)
        status, out, _ = run(self.cli, self.settings, "add-unit", category, name,
                             str(self.random.randint(2, 9)))
        self.count(status)
        if status == 0:
            self.present[name] = category
        else:
            self.refused.append(name)

    def remove_unit(self):
        name = self.random.choice(sorted(self.present))
        status, _, _ = run(self.cli, self.settings, "remove-unit", self.present[name], name)
        self.count(status)
        if status == 0:
            del self.present[name]
            self.removed.add(name)

    def toggle_category(self):
        if self.has_category:
            status, _, _ = run(self.cli, self.settings, "remove-category", self.category)
            if status == 0:
                self.has_category = False
                for name in [n for n, c in self.present.items() if c == self.category]:
                    del self.present[name]
                    self.removed.add(name)
        else:
            status, _, _ = run(self.cli, self.settings, "add-category", self.category)
            self.has_category = status == 0
        self.count(status)

    def remove_shared(self):
        name = self.random.choice(SHARED_UNITS)
        status, _, _ = run(self.cli, self.settings, "remove-unit", "Mass", name)
        self.count(status)
        if status == 0:
            self.shared_removed.append(name)

    def count(self, status):
        self.counts[{0: "done", 1: "refused"}.get(status, "failed")] += 1

    def __call__(self, start):
        start.wait()
        for j in range(self.rounds):
            self.step(j)


def seed_file(cli, settings):
    for name in SHARED_UNITS:
        assert run(cli, settings, "add-unit", "Mass", name, "3")[0] == 0
    spare = ROW_LIMIT - len(load(cli, settings)["Data Transfer"])
    # One free slot left in the row while the file still has free entries: the race the
    # catalogue read at start used to lose.
    for n in range(spare - 1):
        assert run(cli, settings, "add-unit", "Data Transfer", "Seed %d" % n, "8")[0] == 0


def check(cli, settings, workers):
    problems = []
    units = load(cli, settings)
    # Unit names are stored with a capital first letter; compare ignoring case.
    loaded = {(category, name.lower()) for category, names in units.items() for name in names}
    for w in workers:
        for name, category in w.present.items():
            if (category, name.lower()) not in loaded:
                problems.append("reported added, missing: %s in %s" % (name, category))
        gone = {n.lower() for n in set(w.refused) | w.removed}
        for category, name in loaded:
            if name in gone:
                problems.append("refused or removed, present: %s in %s" % (name, category))
    reports = collections.Counter(n for w in workers for n in w.shared_removed)
    for name in SHARED_UNITS:
        if reports[name] > 1:
            problems.append("%s reported removed %d times" % (name, reports[name]))
        if reports[name] == 1 and ("Mass", name.lower()) in loaded:
            problems.append("%s reported removed, still present" % name)
    for category, names in units.items():
        if len(names) > ROW_LIMIT:
            problems.append("%s holds %d units" % (category, len(names)))
    ini = read_ini(settings)
    owners = {c.lower() for c in units}
    for section, keys in ini.items():
        used = [v for k, v in keys.items()
                if k.startswith("customunit_") and v != "Custom" and len(v) >= 2]
        if used and section not in owners:
            problems.append("orphan unit entries in [%s]: %s" % (section, used))
            continue
        category = next((c for c in units if c.lower() == section), None)
        for name in used:
            if category is not None and name not in units[category]:  # as stored
                problems.append("entry %s of [%s] does not load" % (name, section))
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/cli/korvane-cli")
    parser.add_argument("--workers", type=int, default=32)
    parser.add_argument("--rounds", type=int, default=40)
    parser.add_argument("--seed", type=int, default=1)
    arguments = parser.parse_args()
    cli = os.path.abspath(arguments.cli)
    with tempfile.TemporaryDirectory() as folder:
        settings = os.path.join(folder, "Tabrivo.ini")
        seed_file(cli, settings)
        workers = [Worker(i, cli, settings, arguments.rounds, arguments.seed)
                   for i in range(arguments.workers)]
        start = threading.Event()
        threads = [threading.Thread(target=w, args=(start,)) for w in workers]
        for thread in threads:
            thread.start()
        began = time.monotonic()
        start.set()
        for thread in threads:
            thread.join()
        elapsed = time.monotonic() - began
        counts = sum((w.counts for w in workers), collections.Counter())
        problems = check(cli, settings, workers)
        units = load(cli, settings)
        print("%d processes, %d operations in %.1f s: %d done, %d refused, %d failed"
              % (arguments.workers, sum(counts.values()), elapsed, counts["done"],
                 counts["refused"], counts["failed"]))
        print("units reported present %d, refused adds %d, shared removals reported %d"
              % (sum(len(w.present) for w in workers), sum(len(w.refused) for w in workers),
                 sum(len(w.shared_removed) for w in workers)))
        print("largest row: %d units (%s)" % max((len(n), c) for c, n in units.items()))
        for problem in problems:
            print("PROBLEM:", problem)
        print("all checks passed" if not problems else "%d problems" % len(problems))
        return 0 if not problems else 1


if __name__ == "__main__":
    sys.exit(main())
