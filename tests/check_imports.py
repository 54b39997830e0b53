#!/usr/bin/python3
"""Checks that a library asks its host only for the host's operations.

Usage: check_imports.py LIBRARY HOST_LIBRARY LIST

Lists what LIBRARY imports from HOST_LIBRARY and fails on every import that LIST does not
allow. LIBRARY is an ELF shared object (its undefined dynamic symbols that HOST_LIBRARY
defines) or a PE DLL (its imports from the DLL named like HOST_LIBRARY; needs pefile: run
with /usr/bin/python3). Names are demangled, Itanium ones with c++filt and the platform
compiler's decorated ones with llvm-undname, and both are brought to one form (see
normalize) before they are compared.

LIST holds one operation per line in that form, for instance
    QV_ModelType::SetLocalEqnCount(int)
    QV_STRINGPARAMETER::operator const char*() const
    QV_ModelType::m_stLastGroup
with '#' starting a comment. The virtual table and the type information of a class are
allowed when LIST allows a member of the class (a module that derives from a host class or
holds one refers to them), or when LIST names them ("vtable for X", "typeinfo for X").
"""
import os
import re
import sys

from binary_symbols import binary_kind, elf_imports, pe_imports, readable

CALLING_CONVENTION = re.compile(r"\b(?:__cdecl|__thiscall|__stdcall|__fastcall|__vectorcall|__clrcall)\b")
TYPE_KEYWORD = re.compile(r"\b(?:class|struct|union|enum)\s+")
IGNORED_WORDS = re.compile(r"\s*\b(?:__ptr64|__unaligned|__restrict|__w64)\b")
# Spellings of the same built-in type.
BUILTIN_TYPES = {
    "unsigned": "unsigned int", "signed": "int", "signed int": "int", "short int": "short",
    "short unsigned int": "unsigned short", "unsigned short int": "unsigned short",
    "long int": "long", "long unsigned int": "unsigned long", "unsigned long int": "unsigned long",
    "long long int": "long long", "__int64": "long long", "unsigned __int64": "unsigned long long",
}
# Operators whose symbols hold '<', '>' or '(', which the scans below must not take for brackets.
OPERATOR_SYMBOLS = ["<<=", ">>=", "<=>", "<<", ">>", "<=", ">=", "->*", "->", "<", ">", "()"]
# Special names of the platform compiler's members.
DESTROYING = re.compile(r"^(.*)::`(?:scalar|vector) deleting (?:dtor|destructor)'$|^(.*)::`vbase (?:dtor|destructor)'$")
DEFAULT_CONSTRUCTING = re.compile(r"^(.*)::`default (?:ctor|constructor) closure'$")
TYPE_INFORMATION = re.compile(r"^(?:const )?(.+)::`RTTI (?:Complete Object Locator|Base Class Descriptor at \(.*\)|"
                              r"Base Class Array|Class Hierarchy Descriptor)'(?:\{for `.*'\})?$")


# --- one form for both demanglers' names ------------------------------------------------------

def hide_operator_symbols(text):
    """Replaces the symbols of operator names by placeholders (restored by show_operator_symbols)."""
    for k, symbol in enumerate(OPERATOR_SYMBOLS):
        text = re.sub(r"\boperator\s*" + re.escape(symbol), f"operator\x00{k}\x00", text)
    return text


def show_operator_symbols(text):
    return re.sub("\x00(\\d+)\x00", lambda m: OPERATOR_SYMBOLS[int(m.group(1))], text)


def split_top_level(text, separator):
    """Splits at `separator` where no bracket is open."""
    parts, depth, start = [], 0, 0
    for i, c in enumerate(text):
        if c in "<([":
            depth += 1
        elif c in ">)]":
            depth -= 1
        elif c == separator and depth == 0:
            parts.append(text[start:i])
            start = i + 1
    parts.append(text[start:])
    return [p.strip() for p in parts if p.strip()]


def normalize_template_arguments(name):
    """'A<class B,class C>' and 'A<B, C>' alike: 'A<B, C>'."""
    if "<" not in name:
        return name
    head, _, rest = name.partition("<")
    arguments = split_top_level(rest[: rest.rfind(">")], ",")
    return f"{head}<{', '.join(normalize_type(a) for a in arguments)}>{rest[rest.rfind('>') + 1:]}"


def normalize_type(text):
    """One spelling of a type: 'const char*&' for 'char const *&' and 'char const*&'."""
    text = IGNORED_WORDS.sub("", TYPE_KEYWORD.sub("", text)).strip()
    if "(" in text:  # a function type: spacing only
        return re.sub(r"\s*([*&,()])\s*", r"\1", text)
    tokens = re.findall(r"[A-Za-z_~][\w:]*(?:<.*>)?(?:::[A-Za-z_]\w*)*|\*|&&|&|\.\.\.", text)
    words, const, declarators = [], False, ""
    for token in tokens:
        if token in ("*", "&", "&&"):
            declarators += token
        elif token in ("const", "volatile"):
            if declarators:
                declarators += " " + token
            elif token == "const":
                const = True
        elif declarators:
            declarators += " " + token
        else:
            words.append(token)
    base = " ".join(words)
    base = normalize_template_arguments(BUILTIN_TYPES.get(base, base))
    return ("const " if const else "") + base + declarators


def function_name(head):
    """The qualified name that ends `head`, the text before a parameter list: what follows the
    calling convention (the platform compiler's form) or the return type, if any."""
    conventions = list(CALLING_CONVENTION.finditer(head))
    if conventions:
        return head[conventions[-1].end():].strip()
    words = split_top_level(head, " ")
    for i, word in enumerate(words):
        if re.search(r"(?:^|::)operator\b", word):
            return " ".join(words[i:])
    return words[-1] if words else head


def normalize_name(name):
    """A member's qualified name, with a conversion operator's type in one spelling."""
    name = name.strip()
    match = re.match(r"^(.*\boperator) (.+)$", name)
    if match and match.group(2) not in ("new", "delete", "new[]", "delete[]"):
        return f"{match.group(1)} {normalize_type(match.group(2))}"
    scope, _, last = name.rpartition("::")
    return f"{normalize_template_arguments(scope)}::{last}" if scope else name


def last_component(scope):
    return split_top_level(scope.replace("::", "\x01"), "\x01")[-1]


def normalize(name):
    """One form for a demangled name of either demangler: qualified name and parameter types
    (no access, 'virtual', 'static', return type, calling convention or type keyword),
    'const char*' spellings, a trailing ' const' for a const member; 'vtable for X' and
    'typeinfo for X' for the tables and type information of a class; a thunk as the operation
    it leads to; a deleting destructor as the destructor."""
    text = re.sub(r"\s+", " ", name.strip())
    text = re.sub(r"^(?:non-virtual |virtual |covariant return )thunk to ", "", text)
    text = re.sub(r"^\[thunk\]: ?", "", text)
    text = re.sub(r"`(?:adjustor|vtordisp|vtordispex)\{[^}]*\}' ?", "", text)

    special = re.match(r"^(vtable|VTT|typeinfo|typeinfo name) for (.+)$", text)
    if special:
        kind = "typeinfo" if special.group(1).startswith("typeinfo") else "vtable"
        return f"{kind} for {normalize_name(special.group(2))}"
    table = re.match(r"^const (.+)::`(?:vftable|vbtable)'(?:\{for `.*'\})?$", text)
    if table:
        return f"vtable for {normalize_name(TYPE_KEYWORD.sub('', table.group(1)))}"
    descriptor = re.match(r"^(?:class|struct|union) (.+) `RTTI Type Descriptor'$", text)
    information = TYPE_INFORMATION.match(text)
    if descriptor or information:
        owner = (descriptor or information).group(1)
        return f"typeinfo for {normalize_name(TYPE_KEYWORD.sub('', owner))}"

    text = re.sub(r"^(?:public|protected|private): ", "", text)
    text = re.sub(r"^(?:(?:virtual|static) )+", "", text)
    text = IGNORED_WORDS.sub("", TYPE_KEYWORD.sub("", text))
    text = hide_operator_symbols(text)
    # A function that returns a pointer to a function: 'R (cc * cc f(A))(B)' names f(A).
    returns_function = re.match(r"^[^(]*\((?:__\w+ )?\*\s*(.*\))\)\s*\([^()]*\)$", text)
    if returns_function:
        text = returns_function.group(1)
    const = False
    while True:
        stripped = re.sub(r"\s*\b(?:const|volatile)$", "", text)
        if stripped == text:
            break
        const = const or text.endswith("const")
        text = stripped
    if not text.endswith(")"):  # data
        return show_operator_symbols(normalize_name(function_name(text)))

    depth = 0
    for open_at in range(len(text) - 1, -1, -1):
        depth += {")": 1, "(": -1}.get(text[open_at], 0)
        if depth == 0:
            break
    parameters = [show_operator_symbols(p) for p in split_top_level(text[open_at + 1:-1], ",")]
    parameters = [normalize_type(p) for p in parameters if p != "void"]
    member = show_operator_symbols(function_name(text[:open_at]))
    destroying, constructing = DESTROYING.match(member), DEFAULT_CONSTRUCTING.match(member)
    if destroying:
        owner = destroying.group(1) or destroying.group(2)
        return f"{normalize_name(owner)}::~{last_component(owner)}()"
    if constructing:
        owner = constructing.group(1)
        return f"{normalize_name(owner)}::{last_component(owner)}()"
    return f"{normalize_name(member)}({', '.join(parameters)})" + (" const" if const else "")


# --- the list and the check -------------------------------------------------------------------

def read_list(path):
    with open(path) as f:
        lines = (line.split("#", 1)[0].strip() for line in f)
        return {normalize(line) for line in lines if line}


def owner_of(normalized):
    """The class of a member ('A::B' of 'A::B::f(int)'), or None for a free function."""
    head = normalized.split("(", 1)[0]
    operator = head.find("::operator")
    if operator >= 0:
        return head[:operator]
    return None if head.startswith("operator") else head.rpartition("::")[0] or None


def unlisted(imports, allowed):
    """The normalized imports that `allowed` does not allow."""
    classes = {owner_of(a) for a in allowed if not a.startswith(("vtable for ", "typeinfo for "))}
    refused = []
    for name in sorted(imports):
        if name in allowed:
            continue
        special = re.match(r"^(?:vtable|typeinfo) for (.+)$", name)
        if special and special.group(1) in classes:
            continue
        refused.append(name)
    return refused


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    library, host, list_path = sys.argv[1:]
    kind = binary_kind(library)
    if not kind:
        sys.exit(f"{library}: neither an ELF nor a PE file")
    names = elf_imports(library, host) if kind == "ELF" else pe_imports(library, host)
    if not names:
        sys.exit(f"{library}: imports nothing from {host}")

    texts = readable(names)
    imports = {}
    for name in names:
        imports.setdefault(normalize(texts[name]), []).append(name)
    refused = unlisted(imports, read_list(list_path))
    if refused:
        print(f"{library}: {len(refused)} import(s) from {os.path.basename(host)} that are no host "
              f"operation of {list_path}:", file=sys.stderr)
        for name in refused:
            print(f"  {name}    [{', '.join(sorted(imports[name]))}]", file=sys.stderr)
        sys.exit(1)
    print(f"{library}: {kind}, {len(names)} imports from {os.path.basename(host)}, "
          f"{len(imports)} operations, each a host operation: OK")


if __name__ == "__main__":
    main()
