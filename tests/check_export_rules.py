#!/usr/bin/python3
"""Checks the rules by which check_exports.py names the exports of a class in the platform
compiler's interface (msvc_members.py), on a DLL of classes made to exercise each of them
(export_rules/): every name that the rules require is exported, and every destructor, table
and default-constructor closure that the DLL exports is one that the rules name.

Usage: check_export_rules.py DLL SOURCE_DIR   (SOURCE_DIR: export_rules/)
"""
import sys

from binary_symbols import pe_exports
from debug_info import DebugInfo, library_classes
from msvc_members import required_names
from source_declarations import SourceDeclarations

COMPILER_FORMS = ("??1", "??_7", "??_E", "??_F", "??_G")


def main():
    library, sources = sys.argv[1:]
    exported = pe_exports(library)
    info = DebugInfo(library, "PE")
    classes = library_classes(info, sources)
    members, undefined = required_names(info, classes, SourceDeclarations(sources))
    required = set().union(*members.values())
    problems = [f"required, not exported: {n}" for n in sorted(required - exported)]
    problems += [f"exported, not required: {n}" for n in sorted(exported - required)
                 if n.startswith(COMPILER_FORMS)]
    problems += [f"defined nowhere: {member}" for member in undefined]
    if problems:
        sys.exit(f"{library}:\n  " + "\n  ".join(problems))
    forms = sorted(n for n in required if n.startswith(COMPILER_FORMS))
    print(f"{library}: {len(required)} names of {len(classes)} classes, as exported:\n  "
          + "\n  ".join(forms))


if __name__ == "__main__":
    main()
