#!/usr/bin/python3
"""Checks that a library asks its host only for the host's operations, each with the signature
that the host declares.

Usage: check_imports.py LIBRARY HOST_LIBRARY LIST [--other-build LIBRARY2]

Lists what LIBRARY imports from HOST_LIBRARY and fails on every import that LIST does not
allow. LIBRARY is an ELF shared object (its undefined dynamic symbols that HOST_LIBRARY
defines) or a PE DLL (its imports from the DLL named like HOST_LIBRARY; needs pefile: run
with /usr/bin/python3). Names are demangled, Itanium ones with c++filt and the platform
compiler's decorated ones with llvm-undname, and read into one form (see parse).

With --other-build, LIBRARY2 is the same library built the other way (optimised where LIBRARY
is not, or the reverse): its imports are checked alike, and the check also fails on every
entry of LIST that is not virtual and that neither build imports, so that the list holds
nothing that the library does not ask for. A virtual operation may be reached through a table
without an import, and a class's table and type information are the compiler's to refer to:
neither needs an import.

LIST holds one operation per line with its whole signature, for instance
    virtual QV_AssignStatus QV_VarParamProp::Assign(QV_Value*)
    static const char* QV_Matrix::QV_ContainerId()
    const QV_SetValue& QV_Set::fv() const
    QV_IntSetValue::QV_IntSetValue(int, int)
    static int QV_ModelType::m_stLastGroup
with '#' starting a comment.

What is compared depends on what the name carries:
- The platform compiler's decoration ("?...", in the DLL of its interface) carries the owner,
  the name, whether the member is virtual or static, the result, the parameter types and const
  (and the access and the calling convention, which are not compared): all of these must equal
  a listed entry's.
- The Itanium mangling ("_Z...", on ELF and in the mingw-w64 DLL) carries no result and no
  virtual-ness, and a member no static: the qualified name, the parameter types and const are
  compared with the list's entries reduced to the same.
A deleting destructor stands for the virtual destructor, a default-constructor closure for a
listed constructor of its class, a thunk for the operation it leads to. The virtual table and
the type information of a class are allowed when LIST allows a member of the class (a module
that derives from a host class or holds one refers to them), or when LIST names them
("vtable for X", "typeinfo for X").
"""
import argparse
import os
import re
import sys
from typing import NamedTuple, Optional, Tuple

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
# The platform compiler's form of a function whose result is a pointer to a function,
# 'R (cc * cc f(A))(B)', and a pointer to a function, 'R (cc *)(B)' (the list writes 'R (*)(B)').
RETURNS_FUNCTION = re.compile(
    r"^(?P<result>[^(]*)\((?:__\w+ )?\*\s*(?P<function>.*\))\)\s*\((?P<parameters>[^()]*)\)$")
FUNCTION_POINTER = re.compile(r"^(?P<result>[^(]*)\((?:__\w+ )?\*\)\s*\((?P<parameters>[^()]*)\)$")


class Signature(NamedTuple):
    """A demangled name or a list entry, read into its parts.

    kind: 'virtual', 'static' or '' for a function or data; 'table' for a class's virtual table
    or type information (name "vtable for X" or "typeinfo for X"); 'closure' for a
    default-constructor closure (name "X::X"). parameters: None for data and tables. result:
    None for a constructor, a destructor, a conversion operator, and what the name does not
    carry."""
    name: str
    parameters: Optional[Tuple[str, ...]] = None
    const: bool = False
    result: Optional[str] = None
    kind: str = ""

    def reduced(self):
        """What an Itanium name carries: the qualified name, the parameters and const."""
        if self.kind in ("table", "closure"):
            return self
        return self._replace(result=None, kind="")

    def owner(self):
        """The class of a member ('A::B' of 'A::B::f'), or None for a free function or data."""
        if self.kind == "table":
            return None
        operator = self.name.find("::operator")
        if operator >= 0:
            return self.name[:operator]
        return None if self.name.startswith("operator") else self.name.rpartition("::")[0] or None

    def __str__(self):
        if self.kind == "table":
            return self.name
        words = [w for w in (self.kind if self.kind != "closure" else "", self.result) if w]
        text = " ".join(words + [self.name])
        if self.parameters is not None:
            text += f"({', '.join(self.parameters)})" + (" const" if self.const else "")
        return text


# --- one form for both demanglers' names and the list ------------------------------------------

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


def normalize_parameters(text):
    parameters = [normalize_type(show_operator_symbols(p)) for p in split_top_level(text, ",")]
    return tuple(p for p in parameters if p != "void")


def normalize_type(text):
    """One spelling of a type: 'const char*&' for 'char const *&' and 'char const*&'; a pointer
    to a function as 'R (*)(A, B)'."""
    text = IGNORED_WORDS.sub("", TYPE_KEYWORD.sub("", text)).strip()
    pointer = FUNCTION_POINTER.match(text)
    if pointer:
        parameters = ", ".join(normalize_parameters(pointer["parameters"]))
        return f"{normalize_type(pointer['result'])} (*)({parameters})"
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


def split_head(head):
    """(result or None, qualified name) of `head`, the text before a parameter list or the whole
    declaration of data: the name follows the calling convention (the platform compiler's form)
    or the result, if any; an operator's name may hold blanks."""
    conventions = list(CALLING_CONVENTION.finditer(head))
    if conventions:
        result, name = head[: conventions[-1].start()], head[conventions[-1].end():]
    else:
        words = split_top_level(head, " ")
        at = next((i for i, w in enumerate(words) if re.search(r"(?:^|::)operator\b", w)), len(words) - 1)
        result, name = " ".join(words[:at]), " ".join(words[at:])
    result = show_operator_symbols(result).strip()
    return (normalize_type(result) if result else None), show_operator_symbols(name).strip()


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


def table_or_type_information(text):
    """The Signature of a class's virtual table or type information, or None."""
    special = re.match(r"^(vtable|VTT|typeinfo|typeinfo name) for (.+)$", text)
    if special:
        kind = "typeinfo" if special.group(1).startswith("typeinfo") else "vtable"
        return Signature(f"{kind} for {normalize_name(special.group(2))}", kind="table")
    table = re.match(r"^const (.+)::`(?:vftable|vbtable)'(?:\{for `.*'\})?$", text)
    if table:
        return Signature(f"vtable for {normalize_name(TYPE_KEYWORD.sub('', table.group(1)))}", kind="table")
    descriptor = re.match(r"^(?:class|struct|union) (.+) `RTTI Type Descriptor'$", text)
    information = TYPE_INFORMATION.match(text)
    if descriptor or information:
        owner = (descriptor or information).group(1)
        return Signature(f"typeinfo for {normalize_name(TYPE_KEYWORD.sub('', owner))}", kind="table")
    return None


def parse(name):
    """The Signature of a demangled name of either demangler or of a list entry: the result and
    the parameters in one spelling ('const char*'), no access, calling convention or type
    keyword; a thunk as the operation it leads to; a deleting destructor as the virtual
    destructor; a conversion operator without its result (its name holds it)."""
    text = re.sub(r"\s+", " ", name.strip())
    text = re.sub(r"^(?:non-virtual |virtual |covariant return )thunk to ", "", text)
    text = re.sub(r"^\[thunk\]: ?", "", text)
    text = re.sub(r"`(?:adjustor|vtordisp|vtordispex)\{[^}]*\}' ?", "", text)
    table = table_or_type_information(text)
    if table:
        return table

    text = re.sub(r"^(?:public|protected|private): ", "", text)
    kind = ""
    while True:
        prefix = re.match(r"^(virtual|static) ", text)
        if not prefix:
            break
        kind, text = prefix.group(1), text[prefix.end():]
    text = hide_operator_symbols(IGNORED_WORDS.sub("", TYPE_KEYWORD.sub("", text)))
    const = False
    while True:
        stripped = re.sub(r"\s*\b(?:const|volatile)$", "", text)
        if stripped == text:
            break
        const = const or text.endswith("const")
        text = stripped
    if not text.endswith(")"):  # data
        result, member = split_head(text)
        return Signature(normalize_name(member), result=result, kind=kind)

    function_result = None
    returns_function = RETURNS_FUNCTION.match(text)
    if returns_function:
        function_result = normalize_type(f"{returns_function['result']}(*)({returns_function['parameters']})")
        text = returns_function["function"]
    depth = 0
    for open_at in range(len(text) - 1, -1, -1):
        depth += {")": 1, "(": -1}.get(text[open_at], 0)
        if depth == 0:
            break
    parameters = normalize_parameters(text[open_at + 1:-1])
    result, member = split_head(text[:open_at])
    result = function_result or result
    destroying, constructing = DESTROYING.match(member), DEFAULT_CONSTRUCTING.match(member)
    if destroying:
        owner = destroying.group(1) or destroying.group(2)
        return Signature(f"{normalize_name(owner)}::~{last_component(owner)}", (), kind="virtual")
    if constructing:
        owner = constructing.group(1)
        return Signature(f"{normalize_name(owner)}::{last_component(owner)}", (), kind="closure")
    member = normalize_name(member)
    # A conversion operator's name holds its result.
    if re.search(r"(?:^|::)operator (?!(?:new|delete)\b)[^(]", member):
        result = None
    return Signature(member, parameters, const, result, kind)


# --- the list and the check -------------------------------------------------------------------

def read_list(path):
    with open(path) as f:
        lines = (line.split("#", 1)[0].strip() for line in f)
        return {parse(line) for line in lines if line}


def unlisted(imports, allowed, whole=True):
    """The imports (Signatures) that `allowed` does not allow, sorted. With `whole` false both
    are compared reduced to what an Itanium name carries."""
    if not whole:
        allowed = {a.reduced() for a in allowed}
    classes = {a.owner() for a in allowed}
    constructors = {a.name for a in allowed if a.kind != "table" and a.parameters is not None}
    refused = []
    for signature in imports:
        compared = signature if whole else signature.reduced()
        if compared in allowed:
            continue
        if signature.kind == "table" and re.sub(r"^\w+ for ", "", signature.name) in classes:
            continue
        if signature.kind == "closure" and signature.name in constructors:
            continue
        refused.append(signature)
    return sorted(refused, key=str)


def unimported(imports, allowed, whole=True):
    """The entries of `allowed` that no import (Signatures) stands for, sorted, leaving out
    virtual operations and tables. With `whole` false both are compared reduced to what an
    Itanium name carries."""
    def compared(signature):
        return signature if whole else signature.reduced()

    seen = {compared(i) for i in imports}
    missing = [a for a in allowed if a.kind not in ("virtual", "table") and compared(a) not in seen]
    return sorted(missing, key=str)


def host_imports(library, host):
    """{Signature: [names]} of what `library` imports from `host`, and whether every name is in
    the platform compiler's decoration."""
    if not os.path.isfile(library):
        sys.exit(f"{library}: no such file (not built yet?)")
    kind = binary_kind(library)
    if not kind:
        sys.exit(f"{library}: neither an ELF nor a PE file")
    names = elf_imports(library, host) if kind == "ELF" else pe_imports(library, host)
    if not names:
        sys.exit(f"{library}: imports nothing from {host}")
    texts = readable(names)
    imports = {}
    for name in names:
        imports.setdefault(parse(texts[name]), []).append(name)
    return kind, names, imports, all(name.startswith("?") for name in names)


def report(found, heading, describe, ok):
    """Prints `heading` and each of `found`, as `describe` gives it, to stderr, or else `ok`;
    whether anything was found."""
    if not found:
        print(ok)
        return False
    print(heading, file=sys.stderr)
    for item in found:
        print(f"  {describe(item)}", file=sys.stderr)
    return True


def main():
    arguments = argparse.ArgumentParser(description=__doc__,
                                        formatter_class=argparse.RawDescriptionHelpFormatter)
    arguments.add_argument("library")
    arguments.add_argument("host")
    arguments.add_argument("list_path")
    arguments.add_argument("--other-build")
    options = arguments.parse_args()
    allowed = read_list(options.list_path)
    libraries = [options.library] + ([options.other_build] if options.other_build else [])
    failed, seen, decorated_all = False, set(), True
    for library in libraries:
        kind, names, imports, decorated = host_imports(library, options.host)
        compared = "whole signatures" if decorated else "qualified names, parameters and const"
        host = os.path.basename(options.host)
        refused = unlisted(imports, allowed, whole=decorated)
        failed |= report(refused, f"{library}: {len(refused)} import(s) from {host} that are no host "
                                  f"operation of {options.list_path} ({compared} compared):",
                         lambda s: f"{s}    [{', '.join(sorted(imports[s]))}]",
                         f"{library}: {kind}, {len(names)} imports from {host}, {len(imports)} "
                         f"operations, each a host operation ({compared} compared): OK")
        seen.update(imports)
        decorated_all = decorated_all and decorated
    if options.other_build:
        missing = unimported(seen, allowed, whole=decorated_all)
        failed |= report(missing, f"{options.list_path}: {len(missing)} operation(s) not virtual, imported by "
                                  f"neither {options.library} nor {options.other_build}:", str,
                         f"every entry of {options.list_path} that is not virtual is imported by one of "
                         f"the two builds: OK")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
