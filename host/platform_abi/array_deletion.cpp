#include "host/platform_abi/array_deletion.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/platform_abi/check.h"
#include "host/platform_abi/deleting_destructor.h"
#include "host/platform_abi/destruction_watch.h"
#include "host/platform_abi/procedure_maker.h"
#include "procedures/interpolate.h"
#include "types/domain/domain.h"

namespace platform_abi {
namespace {

constexpr int Elements = 3;
// The flags of an array: 2 destroys its elements, 3 destroys them and frees the array's block.
constexpr unsigned ArrayFlags[] = {2, 3};

// The block of the last array made of Room.
void* g_block = nullptr;

// Room for one object of class T. An array of it that a new-expression makes is laid out as this
// compiler lays out an array of T, the count of elements in front of them (the size and alignment
// are T's, and the destructor makes the compiler count the elements); its block comes from the
// host's allocator.
template <class T> struct alignas(T) Room {
    static void* operator new[](std::size_t size) noexcept {
        return g_block = MyAllocate(static_cast<unsigned>(size));
    }
    ~Room() {}
    unsigned char bytes[sizeof(T)];
};

using Constructor = void(__thiscall*)(void* object);
using VectorDeletingDestructor = void*(__thiscall*)(void* object, unsigned flags);

// The elements of an array of one class, for the checks.
struct ArrayKind {
    std::string elements; // "domains", for messages
    std::uintptr_t table; // the table that a made element carries
    long held;            // blocks that an element holds at least, which its destruction returns
};

// Makes an array in a block of the host's allocator, each element by `make(place, watch)`, which
// returns what shows `watch` that the element went (null when nothing can), destroys it by
// `destroy(first, flags)` and checks that the elements went last to first and which blocks came
// back. Returns whether it destroyed the array.
template <class T, class Make, class Destroy>
bool DestroyArray(const ArrayKind& kind, Make make, Destroy destroy, unsigned flags) {
    const std::string with = "an array of " + std::to_string(Elements) + " " + kind.elements +
                             " with flags " + std::to_string(flags);
    const long before = qvhost::LiveBlocks();
    Room<T>* rooms = new Room<T>[Elements];
    ABI_CHECK(rooms, with + ": the host's allocator gave no block");
    if (!rooms) return false;
    void* const block = g_block;

    DestructionWatch watch;
    std::vector<const void*> tokens;
    for (int k = 0; k < Elements; ++k) {
        const void* token = make(static_cast<void*>(&rooms[k]), watch);
        ABI_CHECK(token, with + ": element " + std::to_string(k) + " cannot be watched");
        if (!token) return false; // the array stays: unwatched, its check means nothing
        tokens.push_back(token);
    }
    ABI_CHECK(*reinterpret_cast<const std::uintptr_t*>(&rooms[0]) == kind.table,
              with + ": the constructor made no object of the class's table");
    ABI_CHECK(qvhost::LiveBlocks() >= before + 1 + Elements * kind.held,
              with + ": the elements hold fewer blocks than expected");

    destroy(static_cast<void*>(&rooms[0]), flags);
    ABI_CHECK(watch.Order(tokens) == LastFirst(Elements),
              with + ": the elements went in the order " + watch.Order(tokens) + ", not " +
                  LastFirst(Elements));
    // With flags 3 the array's block comes back once, after its elements, through the library's
    // operator delete[].
    if (flags & 1)
        ABI_CHECK(watch.Times(block) == 1 && watch.WentLast(block),
                  with + ": the array's block did not come back once, after its elements");
    CheckBlocksAfter(with, flags, before, block);
    return true;
}

template <class T, class Make, class Destroy>
int DestroyArrays(const ArrayKind& kind, Make make, Destroy destroy) {
    int destroyed = 0;
    for (unsigned flags : ArrayFlags)
        destroyed += DestroyArray<T>(kind, make, destroy, flags) ? 1 : 0;
    return destroyed;
}

// Domains, each made by the class's default-constructor closure and given its sections, and
// ended through their table.
int DomainArrays(const Modules& modules) {
    const auto closure =
        reinterpret_cast<Constructor>(modules.library.Export("??_FQV_DOMAIN@@QAEXXZ"));
    ABI_CHECK(closure, "the library exports no default-constructor closure of QV_DOMAIN");
    if (!closure) return 0;
    const auto make = [closure](void* place, DestructionWatch& watch) -> const void* {
        closure(place);
        QV_ModelType* domain = static_cast<QV_DOMAIN*>(place);
        LayOutSections(domain);
        auto* sections = dynamic_cast<QV_VarParamProp*>(domain->FindProperty("NUMSECTIONS"));
        if (sections) watch.Watch(*sections);
        return sections;
    };
    const ArrayKind kind{
        "domains", modules.library.Export(TableName("QV_DOMAIN@", "QV_ModelType@@")), Sections};
    return DestroyArrays<QV_DOMAIN>(kind, make, DeleteThroughTable);
}

// Index containers, abstract classes, of class `Container` ("QV_BASE_II@" as decorated names hold
// its name): each made by the class's constructor and watched itself, the array ended through
// the deleting destructor that the library exports by the class's name (the class's own table
// holds the compiler's trap).
template <class Container>
int ContainerArrays(const Modules& modules, const std::string& decoratedClass) {
    const auto constructor =
        reinterpret_cast<Constructor>(modules.library.Export("??0" + decoratedClass + "@QAE@XZ"));
    const auto destructor = reinterpret_cast<VectorDeletingDestructor>(
        modules.library.Export(DeletingDestructorName(decoratedClass)));
    ABI_CHECK(constructor && destructor,
              "the library exports no constructor or deleting destructor of " + decoratedClass);
    if (!constructor || !destructor) return 0;
    const auto make = [constructor](void* place, DestructionWatch& watch) -> const void* {
        constructor(place);
        QV_VarParamProp* container = static_cast<QV_Matrix*>(place);
        watch.Watch(*container);
        return container;
    };
    const auto destroy = [destructor](void* first, unsigned flags) { destructor(first, flags); };
    const ArrayKind kind{decoratedClass + " containers",
                         modules.library.Export(TableName(decoratedClass, "")), 0};
    return DestroyArrays<Container>(kind, make, destroy);
}

// Procedures, each made and listed, ended through their table; an element's value buffer, which
// its destruction returns, shows it go.
int ProcedureArrays(const Modules& modules) {
    ProcedureMaker maker;
    if (!maker.Ready()) return 0;
    const auto make = [&maker](void* place, DestructionWatch&) -> const void* {
        return maker.Make(place)->Values();
    };
    const ArrayKind kind{"procedures", modules.library.Export(TableName("QVProc_INTERPOLATE@", "")),
                         ProcedureStorageBlocks};
    return DestroyArrays<QVProc_INTERPOLATE>(kind, make, DeleteThroughTable);
}

} // namespace

int CheckArrayDeletion(const Modules& modules) {
    return DomainArrays(modules) + ContainerArrays<QV_BASE_II>(modules, "QV_BASE_II@") +
           ContainerArrays<QV_BASE_SSSS>(modules, "QV_BASE_SSSS@") + ProcedureArrays(modules);
}

} // namespace platform_abi
