#!/usr/bin/python3
"""Checks the exported entry points of the built model-type library.

Usage: check_exports.py LIBRARY --types TYPE1,TYPE2,...

LIBRARY is the ELF shared object (Linux) or the PE DLL (Windows, needs pefile:
run with /usr/bin/python3). Every creatable type must export <TYPE>Factory,
<TYPE>PropertyInfo and _Compatibility<TYPE>, undecorated. The ELF library must
also keep the global allocation operators to itself, so that it never takes over
the allocation of the process that loads it.
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


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("library")
    parser.add_argument("--types", required=True, help="comma-separated creatable type names")
    args = parser.parse_args()
    types = [t for t in args.types.replace(";", ",").split(",") if t.strip()]
    if not types:
        parser.error("no types given")

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
    if kind == "ELF":
        leaked = sorted(n for n in ALLOCATION_OPERATORS if n in exported)
        if leaked:
            errors.append(f"allocation operators exported: {', '.join(leaked)}")

    if errors:
        print(f"{args.library}: {len(errors)} problem(s):", file=sys.stderr)
        for error in errors:
            print("  " + error, file=sys.stderr)
        sys.exit(1)
    print(f"{args.library}: {kind}, {len(exported)} exports, entry points of all {len(types)} types present"
          + (", allocation operators kept local" if kind == "ELF" else "") + ": OK")


if __name__ == "__main__":
    main()
