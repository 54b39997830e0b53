#include "host/platform_abi/array_deletion.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/platform_abi/check.h"
#include "host/platform_abi/deleting_destructor.h"
#include "host/qvcore.h"
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

// A host property that depends on one property of each element: the element's destruction tells
// the host, whose observer records it, so the order in which the elements go shows.
class DestructionWatcher : public QV_Containable {
public:
    DestructionWatcher() {
        s_watcher = this;
        qvhost::ObserveDependences(&Observe);
    }
    ~DestructionWatcher() override {
        qvhost::ObserveDependences(nullptr);
        s_watcher = nullptr;
    }
    std::vector<QV_Containable*> lost;

private:
    static void Observe(QV_Containable* dependent, QV_Containable* property) {
        if (dependent == s_watcher) s_watcher->lost.push_back(property);
    }
    static inline DestructionWatcher* s_watcher = nullptr;
};

// The elements' numbers, in the order in which their watched properties went.
std::string Order(const std::vector<QV_Containable*>& lost,
                  const std::vector<QV_Containable*>& watched) {
    std::string order;
    for (QV_Containable* property : lost) {
        std::size_t k = 0;
        while (k < watched.size() && watched[k] != property)
            ++k;
        order += (order.empty() ? "" : " ") + (k < watched.size() ? std::to_string(k) : "?");
    }
    return order.empty() ? "none" : order;
}

// Makes an array of domains in a block of the host's allocator, each made by the class's
// default-constructor closure and given its sections, destroys it through the table with `flags`
// and checks that the elements went last to first and which blocks came back. Returns whether
// it destroyed the array.
bool DestroyArray(const Modules& modules, unsigned flags) {
    using Closure = void(__thiscall*)(void* object);
    const auto closure = reinterpret_cast<Closure>(modules.library.Export("??_FQV_DOMAIN@@QAEXXZ"));
    ABI_CHECK(closure, "the library exports no default-constructor closure of QV_DOMAIN");
    if (!closure) return false;
    const std::string with =
        "an array of " + std::to_string(Elements) + " domains with flags " + std::to_string(flags);
    const long before = qvhost::LiveBlocks();
    Room<QV_DOMAIN>* rooms = new Room<QV_DOMAIN>[Elements];
    ABI_CHECK(rooms, with + ": the host's allocator gave no block");
    if (!rooms) return false;
    void* const block = g_block;

    DestructionWatcher watcher;
    std::vector<QV_Containable*> watched;
    for (int k = 0; k < Elements; ++k) {
        closure(&rooms[k]);
        QV_ModelType* domain = reinterpret_cast<QV_DOMAIN*>(&rooms[k]);
        LayOutSections(domain);
        auto* property = dynamic_cast<QV_VarParamProp*>(domain->FindProperty("NUMSECTIONS"));
        ABI_CHECK(property, with + ": element " + std::to_string(k) + " has no NUMSECTIONS");
        if (!property) return false; // the array stays: unwatched, its check means nothing
        property->AddDependent(&watcher);
        watched.push_back(property);
    }
    ABI_CHECK(*reinterpret_cast<const std::uintptr_t*>(&rooms[0]) ==
                  modules.library.Export(TableName("QV_DOMAIN@", "QV_ModelType@@")),
              with + ": the closure made no object of the class's table");
    ABI_CHECK(qvhost::LiveBlocks() >= before + 1 + Elements * Sections,
              with + ": the elements hold fewer blocks than expected");

    DeleteThroughTable(&rooms[0], flags);
    const std::vector<QV_Containable*> lastFirst(watched.rbegin(), watched.rend());
    ABI_CHECK(watcher.lost == lastFirst, with + ": the elements went in the order " +
                                             Order(watcher.lost, watched) + ", not " +
                                             Order(lastFirst, watched));
    // The array's block comes back once, with flags 3 through the library's operator delete[].
    CheckBlocksAfter(with, flags, before, block);
    return true;
}

} // namespace

int CheckArrayDeletion(const Modules& modules) {
    int destroyed = 0;
    for (unsigned flags : ArrayFlags)
        destroyed += DestroyArray(modules, flags) ? 1 : 0;
    return destroyed;
}

} // namespace platform_abi
