"""The decorated names that a class of the library must export in the platform compiler's
interface (the decoration "?name@Class@@..."), read from clang's DWARF debugging information.

Required of each class:
- every member function and static data member that its code declares, under the name that
  the debugging information gives the declaration, or, where it gives none (constructors,
  static data members), the name of the definition that refers to the declaration: one
  constructor each, as this interface has a single constructor symbol;
- the destructor "??1" where the class declares one or has a virtual one, and when it is
  virtual both deleting destructors: the vector form "??_E" that stands in its table, and the
  non-array form "??_G";
- the default-constructor closure "??_F" where a constructor's parameters all have defaults
  (source_declarations.py reads them from the sources);
- each table of virtual operations "??_7Class@@6B...@": one per pointer to a table in the
  object, named as the compiler names them (the bases that tell the tables apart).
The descriptors of run-time type information are not exported in this interface. Class names
are composed as the decoration does, back-references included; the reader of decorated names
covers the template arguments that the library uses (types, integers, pointers, references).
"""
import collections
import re

from debug_info import declared_members, parameters, type_name

# The access letter of a member function: public, protected, private; plain or virtual.
ACCESS = {("1", False): "Q", ("2", False): "I", ("3", False): "A",
          ("1", True): "U", ("2", True): "M", ("3", True): "E"}


# --- reading and composing decorated names ----------------------------------------------------


def fragment_end(name, i):
    """The end of the name fragment at name[i]: "Name@" or a template instance "?$Name@args@"."""
    if name.startswith("?$", i):
        i = name.index("@", i + 2) + 1
        while name[i] != "@":
            i = argument_end(name, i)
        return i + 1
    if name[i] == "?":
        raise ValueError(f"{name}: no class name at {i}")
    return name.index("@", i) + 1


def qualified_end(name, i):
    """The end of the qualified name at name[i] (its fragments and the closing "@")."""
    while name[i] != "@":
        i = i + 1 if name[i].isdigit() else fragment_end(name, i)
    return i + 1


def number_end(name, i):
    """The end of the encoded integer at name[i]."""
    if name[i] == "?":
        i += 1
    return i + 1 if name[i].isdigit() else name.index("@", i) + 1


def argument_end(name, i):
    """The end of the template argument at name[i]."""
    c = name[i]
    if c in "TUV":
        return qualified_end(name, i + 1)
    if c == "W":
        return qualified_end(name, i + 2)
    if c in "PQRSAB":
        return argument_end(name, i + 2)
    if name.startswith("$0", i):
        return number_end(name, i + 2)
    if c == "_":
        return i + 2
    if c.isdigit() or c in "CDEFGHIJKMNOX":
        return i + 1
    raise ValueError(f"{name}: unknown template argument at {i}")


def class_of(linkage):
    """The fragments of the class (innermost first) that a member's decorated name names,
    back-references resolved."""
    memo = []
    if linkage.startswith("??_"):
        i = 5 if linkage[3] == "_" else 4
    elif linkage.startswith("??"):
        i = 3
    else:
        i = fragment_end(linkage, 1)
        memo.append(linkage[1:i])
    fragments = []
    while linkage[i] != "@":
        if linkage[i].isdigit():
            fragments.append(memo[int(linkage[i])])
            i += 1
        else:
            end = fragment_end(linkage, i)
            fragments.append(linkage[i:end])
            memo.append(linkage[i:end])
            i = end
    return tuple(fragments)


def compose(fragments, memo):
    """The qualified name of the fragments, with a back-reference for each fragment that the
    name so far (memo) holds."""
    out = ""
    for fragment in fragments:
        if fragment in memo:
            out += str(memo.index(fragment))
        else:
            out += fragment
            if len(memo) < 10:
                memo.append(fragment)
    return out + "@"


# --- the classes' structure ------------------------------------------------------------------


class Classes:
    """The classes of the debugging information by their full names, and what the decorated
    names of their members tell of them."""

    def __init__(self, info):
        self.info = info
        self.complete = {}
        self.definitions = collections.defaultdict(set)
        for entry in info.entries:
            if entry["tag"] in ("DW_TAG_class_type", "DW_TAG_structure_type") and \
                    "DW_AT_declaration" not in entry and "DW_AT_name" in entry:
                self.complete.setdefault(self.full_name(entry), entry)
            declaration = info.referenced(entry, "DW_AT_specification")
            if declaration and "DW_AT_linkage_name" in entry:
                self.definitions[declaration["offset"]].add(entry["DW_AT_linkage_name"])
        self.paths = {}

    def full_name(self, entry):
        names = []
        while entry and entry["tag"] != "DW_TAG_compile_unit":
            names.append(entry.get("DW_AT_name", "?"))
            entry = entry["parent"]
        return "::".join(reversed(names))

    def bases(self, entry):
        """The complete entries of a class's direct bases, in declaration order."""
        for child in entry["children"]:
            if child["tag"] == "DW_TAG_inheritance":
                base = self.info.referenced(child, "DW_AT_type")
                while base["tag"] == "DW_TAG_typedef":
                    base = self.info.referenced(base, "DW_AT_type")
                yield self.complete.get(self.full_name(base), base)

    def decorated(self, entry):
        """The fragments of a class's decorated name, from the names of its members."""
        names = collections.Counter()
        for member in entry["children"]:
            linkages = set(self.definitions.get(member["offset"], ()))
            if "DW_AT_linkage_name" in member and "template" not in member:
                linkages.add(member["DW_AT_linkage_name"])
            names.update(class_of(n) for n in linkages)
        if not names and entry["parent"]["tag"] == "DW_TAG_compile_unit":
            # A class at global scope whose members are all defined elsewhere (a host base
            # class): a plain name is its own fragment.
            name = entry.get("DW_AT_name", "")
            if re.fullmatch(r"[A-Za-z_]\w*", name):
                return (name + "@",)
        if not names:
            raise ValueError(f"{self.full_name(entry)}: no member tells its decorated name")
        return names.most_common(1)[0][0]

    def has_virtual_destructor(self, entry):
        for member in entry["children"]:
            if member.get("DW_AT_name", "").startswith("~"):
                return "DW_AT_virtuality" in member
        return any(self.has_virtual_destructor(b) for b in self.bases(entry))

    def table_paths(self, entry):
        """The tables of virtual operations of a class, each as the bases that its name lists,
        and the base to add when that name would be ambiguous: the compiler's rule."""
        name = self.full_name(entry)
        if name not in self.paths:
            paths = []
            if any(m.get("DW_AT_name", "").startswith("_vptr$") for m in entry["children"]):
                paths.append(([], None))
            for base in self.bases(entry):
                for path, following in self.table_paths(base):
                    if not path or path[-1] is not base:
                        following = base
                    paths.append((list(path), following))
            while self.extend_ambiguous(paths):
                pass
            self.paths[name] = paths
        return self.paths[name]

    @staticmethod
    def extend_ambiguous(paths):
        """Extends every path whose name another path shares by its following base."""
        counts = collections.Counter(tuple(id(b) for b in path) for path, _ in paths)
        changed = False
        for k, (path, following) in enumerate(paths):
            if counts[tuple(id(b) for b in path)] > 1 and following is not None:
                paths[k] = (path + [following], None)
                changed = True
        return changed


# --- what each class must export -------------------------------------------------------------


def access(member, entry):
    default = "1" if entry["tag"] == "DW_TAG_structure_type" else "3"
    return member.get("DW_AT_accessibility", default)[0]


def required_names(info, classes, sources):
    """{class: decorated names it must export}, and the members declared, not deleted, but
    defined nowhere in the library (no decorated name to require). sources: the
    SourceDeclarations of the library."""
    structure = Classes(info)
    required, undefined = {}, []
    for name, entries in classes.items():
        names, unresolved = set(), {}
        for entry in entries:
            for member in declared_members(entry):
                if "DW_AT_linkage_name" in member:
                    names.add(member["DW_AT_linkage_name"])
                elif not member.get("DW_AT_name", "").startswith("~"):
                    key = f"{name}::{member.get('DW_AT_name')}"
                    if member["tag"] == "DW_TAG_subprogram":
                        key += f"({', '.join(type_name(info, p) for p in parameters(member))})"
                    found = unresolved.setdefault(key, (member, set()))[1]
                    found |= structure.definitions.get(member["offset"], set())
        for key, (member, found) in unresolved.items():
            names |= found
            if not found and not sources.deleted(member["file"], int(member["DW_AT_decl_line"]),
                                                 member["DW_AT_name"], len(parameters(member))):
                undefined.append(key)
        required[name] = names | special_members(structure, entries[0], sources)
    return required, undefined


def special_members(structure, entry, sources):
    """The destructors, the default-constructor closure and the tables of a class."""
    forms = []  # what stands before and after the class's name
    destructors = (m for m in entry["children"] if m.get("DW_AT_name", "").startswith("~"))
    destructor = next(destructors, None)
    virtual = structure.has_virtual_destructor(entry)
    if virtual or (destructor and "DW_AT_artificial" not in destructor):
        letter = ACCESS[(access(destructor, entry) if destructor else "1", virtual)]
        forms.append(("??1", f"{letter}AE@XZ"))
        if virtual:
            forms += [("??_E", f"{letter}AEPAXI@Z"), ("??_G", f"{letter}AEPAXI@Z")]
    class_name = entry["DW_AT_name"].split("<")[0]
    constructors = (m for m in entry["children"] if "DW_AT_artificial" not in m
                    and m.get("DW_AT_name", "").split("<")[0] == class_name)
    for constructor in constructors:
        if sources.defaulted(constructor["file"], int(constructor["DW_AT_decl_line"]), class_name,
                             len(parameters(constructor))):
            forms.append(("??_F", f"{ACCESS[(access(constructor, entry), False)]}AEXXZ"))
    paths = structure.table_paths(entry)
    if not forms and not paths:
        return set()
    fragments = structure.decorated(entry)
    names = {f"{prefix}{compose(fragments, [])}{suffix}" for prefix, suffix in forms}
    for path, _ in paths:
        memo = []
        table = f"??_7{compose(fragments, memo)}6B"
        names.add(table + "".join(compose(structure.decorated(b), memo) for b in path) + "@")
    return names
