#!/usr/bin/python3
"""Checks the exported entry points of a built library.

Usage: check_exports.py LIBRARY [--types TYPE1,TYPE2,...] [--members FILE]
                                [--symbols NAME1,NAME2,...]

LIBRARY is the ELF shared object (Linux) or the PE DLL (Windows, needs pefile:
run with /usr/bin/python3). Every creatable type of --types must export
<TYPE>Factory, <TYPE>PropertyInfo and _Compatibility<TYPE>, undecorated. Every
class member that FILE lists must be exported under its decorated name (FILE:
one demangled name a line, as c++filt writes it; "alias NAME = TEXT" lines
define $NAME for the lines after them). Every name of --symbols must be exported
as it stands. The ELF model-type library (given --types) must also keep the
global allocation operators to itself, so that it never takes over the
allocation of the process that loads it.
"""
import argparse
import subprocess
import sys

# operator new/new[]/delete/delete[]: plain, sized and nothrow; size_t as m (64-bit) or j (32-bit).
ALLOCATION_OPERATORS = [
    "_Znwm", "_Znam", "_ZnwmRKSt9nothrow_t", "_ZnamRKSt9nothrow_t",
    "_Znwj", "_Znaj", "_ZnwjRKSt9nothrow_t", "_ZnajRKSt9nothrow_t",
    "_ZdlPv", "_ZdaPv", "_ZdlPvm", "_ZdaPvm", "_ZdlPvj", "_ZdaPvj",
    "_ZdlPvRKSt9nothrow_t", "_ZdaPvRKSt9nothrow_t",
]


def elf_exports(path):
    """Defined global (or weak) symbols of the dynamic symbol table."""
    out = subprocess.run(["nm", "-D", "--defined-only", path], check=True,
                         capture_output=True, text=True).stdout
    names = set()
    for line in out.splitlines():
        fields = line.split()
        if len(fields) >= 2 and (fields[-2].isupper() or fields[-2] in "ui"):
            names.add(fields[-1].split("@")[0])
    return names


def pe_exports(path):
    import pefile  # Debian's python3-pefile

    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_EXPORT"]])
    if not hasattr(pe, "DIRECTORY_ENTRY_EXPORT"):
        return set()
    return {s.name.decode() for s in pe.DIRECTORY_ENTRY_EXPORT.symbols if s.name}


def demangled(names):
    """The demangled form of every decorated C++ name among `names`."""
    decorated = sorted(n for n in names if n.startswith("_Z"))
    out = subprocess.run(["c++filt"], input="\n".join(decorated), check=True,
                         capture_output=True, text=True).stdout
    return set(out.splitlines())


def listed_members(path):
    """The member names that FILE lists, aliases expanded."""
    aliases, members = {}, []
    with open(path) as f:
        for line in (l.strip() for l in f):
            if not line or line.startswith("#"):
                continue
            for name, text in aliases.items():
                line = line.replace("$" + name, text)
            if line.startswith("alias "):
                name, _, text = line[len("alias "):].partition(" = ")
                aliases[name.strip()] = text.strip()
            else:
                members.append(line)
    return members


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("library")
    parser.add_argument("--types", default="", help="comma-separated creatable type names")
    parser.add_argument("--members", help="file of class members that must be exported")
    parser.add_argument("--symbols", default="", help="comma-separated undecorated names")
    args = parser.parse_args()
    types = [t for t in args.types.replace(";", ",").split(",") if t.strip()]
    symbols = [t for t in args.symbols.replace(";", ",").split(",") if t.strip()]
    if not types and not args.members and not symbols:
        parser.error("nothing to check: give --types, --members or --symbols")

    with open(args.library, "rb") as f:
        magic = f.read(4)
    if magic == b"\x7fELF":
        kind, exported = "ELF", elf_exports(args.library)
    elif magic[:2] == b"MZ":
        kind, exported = "PE", pe_exports(args.library)
    else:
        sys.exit(f"{args.library}: neither an ELF nor a PE file")

    errors = []
    for t in (t.strip() for t in types):
        missing = [n for n in (f"{t}Factory", f"{t}PropertyInfo", f"_Compatibility{t}") if n not in exported]
        if missing:
            errors.append(f"type {t}: missing export(s) {', '.join(missing)}")
    missing = [n for n in symbols if n not in exported]
    if missing:
        errors.append(f"missing export(s) {', '.join(missing)}")
    if args.members:
        members = demangled(exported)
        missing = [m for m in listed_members(args.members) if m not in members]
        if missing:
            errors.append("members not exported:\n    " + "\n    ".join(missing))
    if kind == "ELF" and types:
        leaked = sorted(n for n in ALLOCATION_OPERATORS if n in exported)
        if leaked:
            errors.append(f"allocation operators exported: {', '.join(leaked)}")

    if errors:
        print(f"{args.library}: {len(errors)} problem(s):", file=sys.stderr)
        for error in errors:
            print("  " + error, file=sys.stderr)
        sys.exit(1)
    checked = [f"entry points of all {len(types)} types present"] if types else []
    if args.members:
        checked.append(f"the members of {args.members.rsplit('/', 1)[-1]} exported")
    if symbols:
        checked.append(f"{', '.join(symbols)} exported")
    if kind == "ELF" and types:
        checked.append("allocation operators kept local")
    print(f"{args.library}: {kind}, {len(exported)} exports, {'; '.join(checked)}: OK")


if __name__ == "__main__":
    main()
