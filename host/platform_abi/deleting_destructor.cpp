#include "host/platform_abi/deleting_destructor.h"

#include "host/platform_abi/check.h"
#include "host/qvcore.h"

namespace platform_abi {
namespace {

constexpr int DeletingDestructorSlot = 7;

using Factory = QV_ModelType* (*)();

struct Creatable {
    const char* type;
    const char* primaryBase;
    bool domain; // a domain type, which lays out sections
};
const Creatable kCreatable[] = {
    {"GENERICMODEL", "QV_ModelType@@", false},
    {"GENERICSTREAM", "QV_ModelType@@", false},
    {"GENERICSTRUCTURE", "QV_StructureType@@", false},
    {"GENERICCONTROLSIGNAL", "QV_ModelType@@", false},
    {"CONTROLSIGNAL", "QV_ModelType@@", false},
    {"GENERICCONNECTION", "QV_ModelType@@", false},
    {"CONNECTION", "QV_ModelType@@", false},
    {"SECTIONDATAMODEL", "QV_ModelType@@", false},
    {"DOMAIN", "QV_ModelType@@", true},
    {"LENGTHDOMAIN", "QV_ModelType@@", true},
    {"ANGLEDOMAIN", "QV_ModelType@@", true},
    {"DISTRIBUTION1D", "QV_ModelType@@", false},
    {"DISTRIBUTION2D", "QV_ModelType@@", false},
    {"DISTRIBUTION3D", "QV_ModelType@@", false},
};

// The table that the factory's objects carry, read from one made and released; null when the
// factory makes nothing.
const std::uintptr_t* TableOf(Factory factory) {
    QV_ModelType* object = factory();
    if (!object) return nullptr;
    const auto* table = *reinterpret_cast<const std::uintptr_t* const*>(object);
    object->Release();
    return table;
}

QV_ModelType* DomainWithSections(Factory factory) {
    QV_ModelType* domain = factory();
    if (domain) LayOutSections(domain);
    return domain;
}

// Destroys what `make` makes with each flag value; `held` is how many blocks beside the
// object's own the object holds at least, which destruction must return.
template <class Make> int DestroyWithEachFlag(const std::string& what, Make make, long held) {
    // A first object makes what the type keeps for the life of the library.
    if (QV_ModelType* first = make()) first->Release();
    int destroyed = 0;
    for (unsigned flags : SingleObjectFlags) {
        const std::string with = what + " with flags " + std::to_string(flags);
        const long before = qvhost::LiveBlocks();
        QV_ModelType* object = make();
        ABI_CHECK(object, with + ": the factory made nothing");
        if (!object) continue;
        ABI_CHECK(qvhost::LiveBlocks() >= before + 1 + held,
                  with + ": the object holds fewer blocks than expected");
        DeleteThroughTable(object, flags);
        ++destroyed;
        CheckBlocksAfter(with, flags, before, object);
    }
    return destroyed;
}

} // namespace

void DeleteThroughTable(void* object, unsigned flags) {
    using DeletingDestructor = void*(__thiscall*)(void* object, unsigned flags);
    const auto* table = *static_cast<DeletingDestructor* const*>(object);
    table[DeletingDestructorSlot](object, flags);
}

void CheckBlocksAfter(const std::string& what, unsigned flags, long before, void* block) {
    if ((flags & 1) == 0) {
        ABI_CHECK(qvhost::LiveBlocks() == before + 1,
                  what + ": " + std::to_string(qvhost::LiveBlocks() - before) +
                      " blocks left, not its own alone");
        MyFree(block);
    }
    ABI_CHECK(qvhost::LiveBlocks() == before,
              what + ": " + std::to_string(qvhost::LiveBlocks() - before) + " blocks left");
}

void LayOutSections(QV_ModelType* domain) {
    if (auto* sections = dynamic_cast<QV_VarParam*>(domain->FindProperty("NUMSECTIONS")))
        sections->UserSet(Sections);
    domain->SetDims();
    domain->ExecuteAssignments(1, 0);
}

int CheckDeletingDestructors(const Modules& modules) {
    int destroyed = 0;
    for (const Creatable& type : kCreatable) {
        const std::string name = type.type;
        const auto factory = reinterpret_cast<Factory>(modules.library.Export(name + "Factory"));
        ABI_CHECK(factory, "the library exports no " + name + "Factory");
        if (!factory) continue;
        const std::string decoratedClass = "QV_" + name + "@";
        // The factory's objects carry the class's exported table, whose slot holds the class's
        // deleting destructor. Only that one is called.
        const std::uintptr_t* table = TableOf(factory);
        ABI_CHECK(reinterpret_cast<std::uintptr_t>(table) ==
                      modules.library.Export(TableName(decoratedClass, type.primaryBase)),
                  name + "Factory's object does not carry the class's exported table");
        const bool own = table && EntryHolds(modules, table[DeletingDestructorSlot], Home::Library,
                                             DeletingDestructorName(decoratedClass));
        ABI_CHECK(own, name + ": its object's deleting destructor is not the class's");
        if (!own) continue;
        destroyed += DestroyWithEachFlag(name, factory, 0);
        if (type.domain)
            destroyed += DestroyWithEachFlag(
                name + " with sections", [factory] { return DomainWithSections(factory); },
                Sections);
    }
    return destroyed;
}

} // namespace platform_abi
