#!/usr/bin/python3
"""Dumps what assistive technologies see of the running converter: the AT-SPI tree of the
main window after one conversion, what it says of conversions typed as text, and of each
dialog (Find, Help, About, every Preferences page), one line per node with its role, name,
description and states.

Run by scripts/a11y-dump.sh, which starts the program on a private X server and accessibility
bus; the keys that open the dialogs are sent with xdotool, as a user would press them.
With --check, ends with status 1 when a control a user can reach (it can take the focus or
has an action) has no name.
"""

import subprocess
import sys
import time

import pyatspi

APP_NAME = "Korvane Unit Converter"
MAIN_TITLE = "Korvane Unit Converter"
LIST_ITEMS_SHOWN = 3  # entries of a list or a menu printed before "... and N more"


def wait_for(what, probe, timeout=15.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            found = probe()
        except Exception:  # the tree changes under us while windows open and close
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise SystemExit("a11y-dump: timed out waiting for " + what)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == APP_NAME:
            return app
    return None


def window(title):
    app = application()
    if app is None:
        return None
    for child in app:
        if child is not None and child.name == title and showing(child):
            return child
    return None


def states(node):
    return sorted(pyatspi.stateToString(s) for s in node.getState().getStates())


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def text_of(node):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, text.characterCount)


def action_count(node):
    try:
        return node.queryAction().nActions
    except NotImplementedError:
        return 0


def describe(node):
    parts = [node.getRoleName(), '"%s"' % node.name]
    if node.description:
        parts.append('description="%s"' % node.description.replace("\n", " | "))
    value = text_of(node)
    if value is not None and node.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
        parts.append('text="%s"' % value)
    parts.append("[" + ", ".join(states(node)) + "]")
    return " ".join(parts)


def walk(node, depth, lines, problems, path):
    lines.append("  " * depth + describe(node))
    here = path + [node.name or node.getRoleName()]
    reachable = node.getState().contains(pyatspi.STATE_FOCUSABLE) or action_count(node) > 0
    # A text box's scroll bar never takes the focus; a screen reader scrolls the text itself.
    part = node.getRole() == pyatspi.ROLE_SCROLL_BAR
    if showing(node) and reachable and not part and not node.name.strip():
        problems.append(" / ".join(here) + " (" + node.getRoleName() + ") has no name")
    many = node.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_MENU,
                              pyatspi.ROLE_TABLE)
    count = node.childCount
    for i in range(count):
        if many and i == LIST_ITEMS_SHOWN:
            lines.append("  " * (depth + 1) + "... and %d more" % (count - i))
            break
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, lines, problems, here)


def dump(title, problems):
    root = wait_for('the window "%s"' % title, lambda: window(title))
    lines = []
    walk(root, 0, lines, problems, [])
    print("== " + title)
    print("\n".join(lines))
    print()


def keys(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers"] + list(names), check=True)
    time.sleep(0.3)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)
    time.sleep(0.5)


def activate_main_window():
    wid = wait_for("the main X window", lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^" + MAIN_TITLE + "$"],
        capture_output=True, text=True).stdout.split())
    subprocess.run(["xdotool", "windowactivate", "--sync", wid[0]], check=True)
    time.sleep(0.3)


def find_by(node, role, name):
    if node.getRole() == role and node.name == name:
        return node
    for child in node:
        if child is not None:
            found = find_by(child, role, name)
            if found is not None:
                return found
    return None


def convert(problems):
    """Distance is current (from the settings file); meter to centimeter, 2*3 typed."""
    activate_main_window()
    type_text("meter")         # the INPUT list has the focus and finds by typing
    keys("Tab")
    type_text("centimeter")    # the OUTPUT list
    keys("Tab")                # the input box
    keys("ctrl+a")
    type_text("2*3")
    main = window(MAIN_TITLE)
    output = wait_for("the result 600", lambda: (
        lambda box: box if box is not None and text_of(box) == "600" else None)(
            find_by(window(MAIN_TITLE), pyatspi.ROLE_TEXT, "Converted value")))
    entry = find_by(main, pyatspi.ROLE_TEXT, "Value to convert")
    dump(MAIN_TITLE, problems)
    print("== What a screen reader reads for the conversion")
    print('focused input box: "%s", text "%s", description "%s"'
          % (entry.name, text_of(entry), entry.description))
    print('output box:        "%s", text "%s", description "%s"'
          % (output.name, text_of(output), output.description))
    print()


def typed_conversion():
    """Whole conversions typed into the input box, which reads them: one it reads (the lists
    move), one with a misspelt unit (the lists stay, the tooltip offers the unit)."""
    for text, result in (("12 in to cm", "30.48"), ("12 inchs to cm", "Error")):
        keys("ctrl+a")
        type_text(text)
        output = wait_for("the result " + result, lambda: (
            lambda box: box if box is not None and text_of(box) == result else None)(
                find_by(window(MAIN_TITLE), pyatspi.ROLE_TEXT, "Converted value")))
        entry = find_by(window(MAIN_TITLE), pyatspi.ROLE_TEXT, "Value to convert")
        print("== What a screen reader reads for the typed conversion " + text)
        print('focused input box: "%s", text "%s", description "%s"'
              % (entry.name, text_of(entry), entry.description))
        print('output box:        "%s", text "%s", description "%s"'
              % (output.name, text_of(output), output.description))
        print()


def dialogs(problems):
    keys("ctrl+f")
    dump("Find", problems)
    keys("Escape")

    keys("alt+h")
    keys("Return")             # Help, the menu's first item
    dump("Help", problems)
    keys("Escape")

    keys("alt+h")
    keys("a")                  # &About...
    dump("About Korvane Unit Converter", problems)
    keys("Escape")

    keys("ctrl+p")
    for page in ("General", "Result Format", "Visible Categories", "Custom"):
        wait_for('the page "%s"' % page, lambda: selected_tab(window("Preferences")) == page)
        print("-- page " + page)
        dump("Preferences", problems)
        keys("ctrl+Tab")
    keys("Escape")


def all_units_pane(problems):
    """F9 opens the all-units pane beside the window; its controls join the window's tree."""
    activate_main_window()
    keys("F9")
    table = wait_for("the all-units table", lambda: find_by(
        window(MAIN_TITLE), pyatspi.ROLE_TABLE, "All units"))
    print("-- with the all-units pane open")
    dump(MAIN_TITLE, problems)
    factor = find_by(window(MAIN_TITLE), pyatspi.ROLE_TEXT, "Conversion factor")
    print('conversion factor: "%s"' % (text_of(factor) if factor is not None else "(missing)"))
    print("all units: %d rows" % table.queryTable().nRows)
    print()
    keys("F9")


def selected_tab(sheet):
    """Qt names a tab bar by the tab it shows."""
    tabs = find_role(sheet, pyatspi.ROLE_PAGE_TAB_LIST)
    return None if tabs is None else tabs.name


def find_role(node, role):
    if node is None:
        return None
    if node.getRole() == role:
        return node
    for child in node:
        if child is not None:
            found = find_role(child, role)
            if found is not None:
                return found
    return None


def main():
    check = "--check" in sys.argv[1:]
    wait_for("the program on the accessibility bus", application, timeout=30.0)
    problems = []
    convert(problems)
    typed_conversion()
    dialogs(problems)
    all_units_pane(problems)
    keys("Escape")             # closes the converter without saving anything
    if problems:
        print("== Controls without a name")
        print("\n".join(problems))
    else:
        print("== Every control a user can reach has a name")
    return 1 if check and problems else 0


if __name__ == "__main__":
    sys.exit(main())
