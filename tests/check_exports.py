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
the instances of member templates, which exist only where used), in each form
the compiler emits (complete and base constructor; complete, base and, when
virtual, deleting destructor), and the vtable and typeinfo of a class with
virtual operations.
"""
import argparse
import os
import re
import subprocess
import sys

# operator new/new[]/delete/delete[]: plain, sized and nothrow; size_t as m (64-bit) or j (32-bit).
ALLOCATION_OPERATORS = [
    "_Znwm", "_Znam", "_ZnwmRKSt9nothrow_t", "_ZnamRKSt9nothrow_t",
    "_Znwj", "_Znaj", "_ZnwjRKSt9nothrow_t", "_ZnajRKSt9nothrow_t",
    "_ZdlPv", "_ZdaPv", "_ZdlPvm", "_ZdaPvm", "_ZdlPvj", "_ZdaPvj",
    "_ZdlPvRKSt9nothrow_t", "_ZdaPvRKSt9nothrow_t",
]
LIBRARY_DIRECTORIES = ("framework", "types", "procedures", "exports")
OBJDUMP = {"ELF": "objdump", "PE": "i686-w64-mingw32-objdump"}


def run(*command, stdin=None):
    return subprocess.run(command, input=stdin, check=True, capture_output=True, text=True).stdout


def elf_exports(path):
    """Defined global (or weak) symbols of the dynamic symbol table."""
    names = set()
    for line in run("nm", "-D", "--defined-only", path).splitlines():
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


# --- the classes and members that the debugging information declares -------------------------

DIE = re.compile(r" <(\d+)><\w+>: Abbrev Number: \d+ \((\w+)\)")
ATTRIBUTE = re.compile(r"\s+<\w+>\s+(DW_AT_\w+)\s*: (?:\(indirect [^)]*\): )?(.*)")
CLASS_TAGS = {"DW_TAG_class_type", "DW_TAG_structure_type", "DW_TAG_union_type"}
MEMBER_TAGS = {"DW_TAG_subprogram", "DW_TAG_variable", "DW_TAG_member"}
TEMPLATE_PARAMETER = re.compile(r"DW_TAG_(template_\w+_param|GNU_template_parameter_pack)")


def file_tables(dump):
    """The files of each line table (by its offset): {entry number: full path}."""
    tables, entries = {}, None
    for line in dump.splitlines():
        offset = re.match(r"  Offset:\s+(\w+)$", line)
        if offset:
            directories, files = {}, {}
            tables[int(offset.group(1), 16)] = files
        elif line.startswith((" The Directory Table", " The File Name Table")):
            entries = directories if "Directory" in line else files
        elif entries is not None and re.match(r"  \d+\t", line):
            fields = line.split("\t")
            name = fields[-1].split("): ", 1)[-1]
            if entries is files:
                name = os.path.join(directories.get(int(fields[1]), ""), name)
            entries[int(fields[0])] = name
        elif not line.strip():
            entries = None
    return tables


def debugging_entries(dump):
    """Each entry of the information tree: its depth, tag and attributes."""
    entry = None
    for line in dump.splitlines():
        die = DIE.match(line)
        if die:
            if entry:
                yield entry
            entry = {"depth": int(die.group(1)), "tag": die.group(2)}
        elif entry and (attribute := ATTRIBUTE.match(line)):
            name, value = attribute.groups()
            entry[name] = value.strip()
    if entry:
        yield entry


def declared_members(library, kind, sources):
    """{class name: linkage names of its members} and the classes with virtual operations."""
    info, _, lines = run(OBJDUMP[kind], "--dwarf=info,rawline", library).partition(
        "Raw dump of debug contents of section .debug_line")
    tables = file_tables(lines)
    own = tuple(os.path.join(os.path.realpath(sources), d) + os.sep for d in LIBRARY_DIRECTORIES)
    classes, dynamic, members, scopes, files = {}, set(), [], [], {}
    for entry in debugging_entries(info):
        del scopes[entry["depth"]:]
        parent = scopes[-1] if scopes else {}
        entry["class"] = None
        if entry["tag"] == "DW_TAG_compile_unit":
            files = tables.get(int(entry.get("DW_AT_stmt_list", "-1"), 16), {})
        elif (entry["tag"] in CLASS_TAGS and "DW_AT_name" in entry and "DW_AT_declaration" not in entry
              and (parent.get("tag") == "DW_TAG_compile_unit" or parent.get("class"))):
            if files.get(int(entry.get("DW_AT_decl_file", "-1")), "").startswith(own):
                outer = parent.get("class")
                entry["class"] = f"{outer}::{entry['DW_AT_name']}" if outer else entry["DW_AT_name"]
                classes.setdefault(entry["class"], set())
                if "DW_AT_containing_type" in entry:
                    dynamic.add(entry["class"])
        elif entry["tag"] in MEMBER_TAGS and parent.get("class"):
            members.append((parent, entry))
        elif TEMPLATE_PARAMETER.match(entry["tag"]):
            parent["template"] = True
        scopes.append(entry)
    for owner, member in members:
        skipped = ("DW_AT_artificial", "DW_AT_deleted", "template")
        if member["tag"] == "DW_TAG_member" and "DW_AT_external" not in member:
            continue  # a data member of each object, not of the class
        if any(k in member for k in skipped) or member.get("DW_AT_virtuality", "").startswith("2"):
            continue
        classes[owner["class"]].update(emitted_forms(owner["DW_AT_name"], member))
    return classes, dynamic


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


def demangled(names):
    """{demangled name: decorated name}"""
    return dict(zip(run("c++filt", stdin="\n".join(names)).splitlines(), names))


def missing_members(library, kind, sources, exported):
    """The members that are not exported (demangled), and what was checked."""
    classes, dynamic = declared_members(library, kind, sources)
    if not classes:
        sys.exit(f"{library}: its debugging information describes no class of {sources}")
    required = {n for names in classes.values() for n in names}
    required_texts = {f"{what} for {c}" for c in dynamic for what in ("vtable", "typeinfo")}
    missing = sorted(demangled(required - exported))
    missing += sorted(required_texts - set(demangled(exported)))
    return missing, f"{len(required) + len(required_texts)} members of {len(classes)} classes"


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

    with open(args.library, "rb") as f:
        magic = f.read(4)
    if magic == b"\x7fELF":
        kind, exported = "ELF", elf_exports(args.library)
    elif magic[:2] == b"MZ":
        kind, exported = "PE", pe_exports(args.library)
    else:
        sys.exit(f"{args.library}: neither an ELF nor a PE file")

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
