"""Where scripts/mutate.py may put a one-line mutant, and which ones a seed picks.

The source is read with comments and literals blanked out, so columns still match; lines the
preprocessor drops on this platform, preprocessor lines, static_assert, enum bodies and
constexpr constants and tables are left alone, and statement-level mutants go only where a
statement starts inside a function body.
"""

from __future__ import annotations

import dataclasses
import hashlib
import re
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
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
HINT_CALL = re.compile(r"\b(reserve|shrink_to_fit)\s*\(")
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
    hints = capacity_hints(masked_lines)
    return [m for m in mutants if not any(a < m.end and m.start < b for a, b in hints.get(m.line, []))]


def capacity_hints(masked: list[str]) -> dict[int, list[tuple[int, int]]]:
    """Column ranges, by line number, of reserve(...) and shrink_to_fit() calls: they change how
    much memory is set aside, never what the program does, so no mutant goes there."""
    text = "\n".join(masked)
    starts = [0]
    for line in masked:
        starts.append(starts[-1] + len(line) + 1)
    ranges: dict[int, list[tuple[int, int]]] = {}
    for call in HINT_CALL.finditer(text):
        depth, end = 0, len(text)
        for k in range(call.end() - 1, len(text)):
            depth += text[k] == "("
            depth -= text[k] == ")"
            if depth == 0:
                end = k + 1
                break
        for index in range(len(masked)):
            a, b = max(call.start(), starts[index]), min(end, starts[index + 1] - 1)
            if a < b:
                ranges.setdefault(index + 1, []).append((a - starts[index], b - starts[index]))
    return ranges


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


def line_key(text: str) -> str:
    return " ".join(text.split())
