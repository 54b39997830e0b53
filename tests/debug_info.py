"""Reads the classes of a library from its DWARF debugging information (objdump's dump).

The classes of the library are those at global scope (and the classes nested in them) that a
header or source under the source tree's framework/, types/, procedures/ or exports/ declares;
helpers in namespaces are not part of it. Each compile unit describes the classes it uses, so a
class comes as several entries, one per unit.
"""
import os
import re

from binary_symbols import run

LIBRARY_DIRECTORIES = ("framework", "types", "procedures", "exports")
OBJDUMP = {"ELF": "objdump", "PE": "i686-w64-mingw32-objdump"}

DIE = re.compile(r" <(\d+)><(\w+)>: Abbrev Number: \d+ \((\w+)\)")
ATTRIBUTE = re.compile(r"\s+<\w+>\s+(DW_AT_\w+)\s*: (?:\((?:indirect|indexed) [^)]*\): )?(.*)")
REFERENCE = re.compile(r"<0x(\w+)>")
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


def debugging_entries(dump, tables):
    """Each entry of the information tree: its offset, depth, tag, attributes, parent, children
    and, where it has one, the path of the file that declares it."""
    entry, scopes, files = None, [], {}
    for line in dump.splitlines():
        die = DIE.match(line)
        if die:
            if entry:
                yield entry
            depth = int(die.group(1))
            del scopes[depth:]
            entry = {"offset": int(die.group(2), 16), "depth": depth, "tag": die.group(3),
                     "parent": scopes[-1] if scopes else None, "children": []}
            if entry["parent"]:
                entry["parent"]["children"].append(entry)
            scopes.append(entry)
        elif entry and (attribute := ATTRIBUTE.match(line)):
            name, value = attribute.groups()
            entry[name] = value.strip()
            if name == "DW_AT_stmt_list":
                files = tables.get(int(value, 16), {})
            elif name == "DW_AT_decl_file":
                entry["file"] = files.get(int(value), "")
    if entry:
        yield entry


class DebugInfo:
    """The information tree of a library, its entries reachable by offset."""

    def __init__(self, library, kind):
        info, _, lines = run(OBJDUMP[kind], "--dwarf=info,rawline", library).partition(
            "Raw dump of debug contents of section .debug_line")
        self.entries = list(debugging_entries(info, file_tables(lines)))
        self.at = {entry["offset"]: entry for entry in self.entries}

    def referenced(self, entry, attribute):
        """The entry that an attribute of `entry` refers to, or None."""
        reference = REFERENCE.match(entry.get(attribute, ""))
        return self.at.get(int(reference.group(1), 16)) if reference else None


def library_classes(info, sources):
    """{class name: its entries} of the library's classes. Each such entry gets its name as
    "class"; a member that a template parameter list marks as the instance of a member template
    gets "template"."""
    own = tuple(os.path.join(os.path.realpath(sources), d) + os.sep for d in LIBRARY_DIRECTORIES)
    classes = {}
    for entry in info.entries:
        parent = entry["parent"] or {}
        if (entry["tag"] in CLASS_TAGS and "DW_AT_name" in entry
                and "DW_AT_declaration" not in entry
                and (parent.get("tag") == "DW_TAG_compile_unit" or parent.get("class"))
                and entry.get("file", "").startswith(own)):
            outer = parent.get("class")
            entry["class"] = f"{outer}::{entry['DW_AT_name']}" if outer else entry["DW_AT_name"]
            classes.setdefault(entry["class"], []).append(entry)
        elif TEMPLATE_PARAMETER.match(entry["tag"]):
            parent["template"] = True
    return classes


def declared_members(class_entry):
    """The members of a class entry that its code declares and that exist once for the class: no
    data member of each object, nothing the compiler declares, no deleted or pure virtual
    function, no instance of a member template."""
    for member in class_entry["children"]:
        if member["tag"] not in MEMBER_TAGS:
            continue
        if member["tag"] == "DW_TAG_member" and "DW_AT_external" not in member:
            continue
        if any(k in member for k in ("DW_AT_artificial", "DW_AT_deleted", "template")):
            continue
        if member.get("DW_AT_virtuality", "").startswith("2"):
            continue
        yield member


def type_name(info, entry):
    """A readable name of the type that `entry` refers to (DW_AT_type), for messages and to tell
    declarations apart."""
    target = info.referenced(entry, "DW_AT_type")
    if target is None:
        return "void"
    tag = target["tag"]
    suffix = {"DW_TAG_pointer_type": "*", "DW_TAG_reference_type": "&",
              "DW_TAG_rvalue_reference_type": "&&", "DW_TAG_const_type": " const",
              "DW_TAG_volatile_type": " volatile", "DW_TAG_array_type": "[]"}.get(tag)
    if suffix:
        return type_name(info, target) + suffix
    if tag == "DW_TAG_subroutine_type":
        arguments = (type_name(info, p) for p in target["children"]
                     if p["tag"] == "DW_TAG_formal_parameter")
        return f"{type_name(info, target)}({', '.join(arguments)})"
    return target.get("DW_AT_name", tag)


def parameters(member):
    """The declared parameters of a member function (without `this`)."""
    return [p for p in member["children"]
            if p["tag"] == "DW_TAG_formal_parameter" and "DW_AT_artificial" not in p]
