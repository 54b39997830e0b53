#!/usr/bin/python3
"""Checks the exported entry points of a built library.

Usage: check_exports.py LIBRARY [--types TYPE1,TYPE2,...] [--members SOURCE_DIR]
                                [--symbols NAME1,NAME2,...]

LIBRARY is the ELF shared object (Linux) or the PE DLL (Windows, needs pefile:
run with /usr/bin/python3). Every creatable type of --types must export
<TYPE>Factory, <TYPE>PropertyInfo and _Compatibility<TYPE>, undecorated. Every
name of --symbols must be exported as it stands. The ELF model-type library
(given --types) must also keep the global allocation operators to itself, so
that it never takes over the allocation of the process that loads it.

--members: every member of every class of the library must be exported under
its decorated name. The classes are those at global scope (and the classes
nested in them) that a header or source under SOURCE_DIR's framework/, types/,
procedures/ or exports/ declares: the host-facing class model, template
instances included; helpers in namespaces are not part of it. The library's
debugging information (the builds are RelWithDebInfo; read with objdump, for
the DLL mingw's) lists each class that its sources use, with its members.
Required: every member function and static data member that the code
declares (not those the compiler declares, pure virtual or deleted ones, nor
the instances of member templates, which exist only where used).
In the GNU decoration ("_ZN..."): in each form the compiler emits (complete
and base constructor; complete, base and, when virtual, deleting destructor),
and the vtable and typeinfo of a class with virtual operations.
In the decoration of the platform's compiler ("?...@@", the DLL built in that
interface, whose DWARF lld-link keeps; chosen when the debugging information
names the members so): one symbol per constructor, the destructor, the vector
and the non-array deleting destructor of a virtual one, the default-constructor
closure where a constructor's parameters all have defaults, and every table of
virtual operations (msvc_members.py).
"""
import argparse
import sys

from binary_symbols import binary_kind, elf_exports, pe_exports, readable
from debug_info import DebugInfo, declared_members, library_classes
from msvc_members import required_names
from source_declarations import SourceDeclarations

# operator new/new[]/delete/delete[]: plain, sized and nothrow; size_t as m (64-bit) or j (32-bit).
ALLOCATION_OPERATORS = [
    "_Znwm", "_Znam", "_ZnwmRKSt9nothrow_t", "_ZnamRKSt9nothrow_t",
    "_Znwj", "_Znaj", "_ZnwjRKSt9nothrow_t", "_ZnajRKSt9nothrow_t",
    "_ZdlPv", "_ZdaPv", "_ZdlPvm", "_ZdaPvm", "_ZdlPvj", "_ZdaPvj",
    "_ZdlPvRKSt9nothrow_t", "_ZdaPvRKSt9nothrow_t",
]


# --- the classes and members that the debugging information declares -------------------------


def gnu_members(info, classes):
    """{class name: decorated names of its members} and the classes with virtual operations."""
    members, dynamic = {}, set()
    for name, entries in classes.items():
        members[name] = set()
        for entry in entries:
            if "DW_AT_containing_type" in entry:
                dynamic.add(name)
            for member in declared_members(entry):
                members[name].update(emitted_forms(entry["DW_AT_name"], member))
    return members, dynamic


def emitted_forms(class_name, member):
    """The decorated names under which the compiler emits a member. The debugging information
    names a constructor and a destructor in a unified form (C4, D4); the compiler emits the
    complete and the base form of each, and the deleting form of a virtual destructor."""
    name, linkage = member.get("DW_AT_name", ""), member["DW_AT_linkage_name"]
    if name == class_name.split("<")[0]:
        unified, forms = "C4E", ["C1E", "C2E"]
    elif name.startswith("~"):
        unified, forms = "D4E", ["D1E", "D2E"] + (["D0E"] if "DW_AT_virtuality" in member else [])
    else:
        return {linkage}
    return {linkage.replace(unified, form, 1) for form in forms}


def missing_gnu_members(info, classes, exported):
    members, dynamic = gnu_members(info, classes)
    required = {n for names in members.values() for n in names}
    required_texts = {f"{what} for {c}" for c in dynamic for what in ("vtable", "typeinfo")}
    missing = sorted(set(readable(required - exported).values()))
    missing += sorted(required_texts - set(readable(exported).values()))
    return missing, len(required) + len(required_texts)


def missing_msvc_members(info, classes, sources, exported):
    members, undefined = required_names(info, classes, SourceDeclarations(sources))
    required = {n for names in members.values() for n in names}
    texts = readable(required - exported)
    missing = [f"{texts[name]}  [{name}]" for name in sorted(texts, key=lambda n: (texts[n], n))]
    missing += [f"{member}: defined nowhere in the library" for member in sorted(undefined)]
    return missing, len(required) + len(undefined)


def missing_members(library, kind, sources, exported):
    """The members that are not exported (demangled), and what was checked."""
    info = DebugInfo(library, kind)
    classes = library_classes(info, sources)
    if not classes:
        sys.exit(f"{library}: its debugging information describes no class of {sources}")
    members = (m for entries in classes.values() for e in entries for m in e["children"])
    if any(m.get("DW_AT_linkage_name", "").startswith("?") for m in members):
        try:
            missing, count = missing_msvc_members(info, classes, sources, exported)
        except ValueError as error:
            sys.exit(f"{library}: {error}")
    else:
        missing, count = missing_gnu_members(info, classes, exported)
    return missing, f"{count} members of {len(classes)} classes"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("library")
    parser.add_argument("--types", default="", help="comma-separated creatable type names")
    parser.add_argument("--members", metavar="SOURCE_DIR", help="the library's source tree")
    parser.add_argument("--symbols", default="", help="comma-separated names, exported as they stand")
    args = parser.parse_args()
    types = [t for t in args.types.replace(";", ",").split(",") if t.strip()]
    symbols = [t for t in args.symbols.replace(";", ",").split(",") if t.strip()]
    if not types and not args.members and not symbols:
        parser.error("nothing to check: give --types, --members or --symbols")

    kind = binary_kind(args.library)
    if not kind:
        sys.exit(f"{args.library}: neither an ELF nor a PE file")
    exported = elf_exports(args.library) if kind == "ELF" else pe_exports(args.library)

    errors, checked = [], []
    for t in (t.strip() for t in types):
        missing = [n for n in (f"{t}Factory", f"{t}PropertyInfo", f"_Compatibility{t}") if n not in exported]
        if missing:
            errors.append(f"type {t}: missing export(s) {', '.join(missing)}")
    if types:
        checked.append(f"entry points of all {len(types)} types present")
    missing = [n for n in symbols if n not in exported]
    if missing:
        errors.append(f"missing export(s) {', '.join(missing)}")
    if symbols:
        checked.append(f"{', '.join(symbols)} exported")
    if args.members:
        missing, counted = missing_members(args.library, kind, args.members, exported)
        if missing:
            errors.append("members not exported:\n    " + "\n    ".join(missing))
        checked.append(f"{counted} exported")
    if kind == "ELF" and types:
        leaked = sorted(n for n in ALLOCATION_OPERATORS if n in exported)
        if leaked:
            errors.append(f"allocation operators exported: {', '.join(leaked)}")
        checked.append("allocation operators kept local")

    if errors:
        print(f"{args.library}: {len(errors)} problem(s):", file=sys.stderr)
        for error in errors:
            print("  " + error, file=sys.stderr)
        sys.exit(1)
    print(f"{args.library}: {kind}, {len(exported)} exports, {'; '.join(checked)}: OK")


if __name__ == "__main__":
    main()
