"""What the debugging information does not say of a member function's declaration: the defaults
of its parameters, and whether it is deleted. Both are read from the declaration in the
sources, at the line that the debugging information gives for it, through the function-like
macros that the line invokes (the generated types declare their members in macros).
"""
import os
import re

DEFINE = re.compile(r"^[ \t]*#[ \t]*define[ \t]+(\w+)\(([^)]*)\)(.*)$")
INVOCATION = re.compile(r"\b(\w+)\s*\(")
MACRO_DIRECTORIES = ("framework", "types", "procedures", "exports", "host")
MACRO_NESTING = 8  # deeper invocations (a macro that invokes itself) stay as written


def balanced(text, start):
    """The index just past the parenthesis that closes the one at text[start]."""
    depth = 0
    for i in range(start, len(text)):
        depth += {"(": 1, ")": -1}.get(text[i], 0)
        if depth == 0:
            return i + 1
    return len(text)


def top_level_split(text):
    """text split at the commas outside brackets, parentheses and template arguments."""
    parts, depth, start = [], 0, 0
    for i, c in enumerate(text):
        depth += {"(": 1, "<": 1, "[": 1, "{": 1, ")": -1, ">": -1, "]": -1, "}": -1}.get(c, 0)
        if c == "," and depth == 0:
            parts.append(text[start:i])
            start = i + 1
    parts.append(text[start:])
    return [p.strip() for p in parts if p.strip()]


def read_macros(sources):
    """{name: (parameters, body)} of the function-like macros that the sources define."""
    macros = {}
    for directory in MACRO_DIRECTORIES:
        for root, _, names in os.walk(os.path.join(sources, directory)):
            for name in names:
                if name.endswith((".h", ".cpp")):
                    with open(os.path.join(root, name), encoding="utf-8") as f:
                        text = f.read().replace("\\\n", " ")
                    for line in text.splitlines():
                        if definition := DEFINE.match(line):
                            parameters = [p.strip() for p in definition.group(2).split(",")]
                            macros[definition.group(1)] = (parameters, definition.group(3))
    return macros


class SourceDeclarations:
    """The declarations in a source tree, each file read when first asked for."""

    def __init__(self, sources):
        self.macros = read_macros(sources)
        self.files = {}

    def expanded(self, text, depth=0):
        """text with the invocations of the sources' macros replaced by their bodies."""
        out, position = "", 0
        for invocation in INVOCATION.finditer(text):
            name = invocation.group(1)
            if invocation.start() < position or name not in self.macros or depth > MACRO_NESTING:
                continue
            parameters, body = self.macros[name]
            end = balanced(text, invocation.end() - 1)
            arguments = top_level_split(text[invocation.end():end - 1])
            for parameter, argument in zip(parameters, arguments):
                body = re.sub(rf"\b{re.escape(parameter)}\b", argument, body)
            body = self.expanded(body.replace("##", ""), depth + 1)
            out += text[position:invocation.start()] + body
            position = end
        return out + text[position:]

    def text(self, path, line):
        """The source text from the given line on until its parentheses close, expanded."""
        if path not in self.files:
            with open(path, encoding="utf-8") as f:
                self.files[path] = f.read().splitlines()
        lines, index = self.files[path], line - 1
        text = lines[index] if index < len(lines) else ""
        while text.count("(") > text.count(")") and index + 1 < len(lines):
            index += 1
            text += " " + lines[index]
        return self.expanded(text)

    def declarations(self, path, line, name):
        """The functions called `name` that path:line declares: (parameters, deleted) each, the
        parameters as written."""
        text, found = self.text(path, line), []
        for function in re.finditer(rf"(?<![\w~:]){re.escape(name)}\s*\(", text):
            end = balanced(text, function.end() - 1)
            deleted = re.match(r"\s*(noexcept\s*)?=\s*delete\b", text[end:]) is not None
            found.append((top_level_split(text[function.end():end - 1]), deleted))
        return found

    def defaulted(self, path, line, name, count):
        """Whether path:line declares `name` with `count` parameters (some), each with a default."""
        return any(count and len(parameters) == count and
                   all("=" in outside_brackets(p) for p in parameters)
                   for parameters, _ in self.declarations(path, line, name))

    def deleted(self, path, line, name, count):
        """Whether path:line declares `name` with `count` parameters as deleted."""
        return any(deleted and len(parameters) == count
                   for parameters, deleted in self.declarations(path, line, name))


def outside_brackets(parameter):
    """The parameter's text outside brackets, where a default's '=' stands."""
    depth, kept = 0, []
    for c in parameter:
        depth += {"(": 1, "<": 1, "[": 1, "{": 1}.get(c, 0)
        if depth == 0:
            kept.append(c)
        depth -= {")": 1, ">": 1, "]": 1, "}": 1}.get(c, 0)
    return "".join(kept)
