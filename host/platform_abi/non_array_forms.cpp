#include "host/platform_abi/non_array_forms.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "host/platform_abi/check.h"
#include "host/platform_abi/deleting_destructor.h"
#include "host/qvcore.h"

namespace platform_abi {
namespace {

// 0 destroys the object, 1 destroys and frees it; 3 does as 1, as this form makes no array of the
// object.
constexpr unsigned FlagValues[] = {0, 1, 3};

// Room for an object of any class of the library, whose layouts are not known here: filled
// before the object is made in it, its end must still hold the filler afterwards.
constexpr unsigned RoomBytes = 16384;
constexpr unsigned UntouchedBytes = 256;
constexpr unsigned char Filler = 0xA5;

using NonArrayForm = void*(__thiscall*)(void* object, unsigned flags);
using Constructor = void(__thiscall*)(void* object);
using ProcedureConstructor = void(__thiscall*)(void* object, bool flag, int mode);

// An exported constructor of a class: the default-constructor closure, the default constructor,
// or the procedure's (flag, mode), called with (false, 0).
struct Construct {
    std::uintptr_t address = 0; // 0: none
    bool procedure = false;

    void operator()(void* place) const {
        if (procedure)
            reinterpret_cast<ProcedureConstructor>(address)(place, false, 0);
        else
            reinterpret_cast<Constructor>(address)(place);
    }
};

const char Prefix[] = "??_G";

// "??_G<class><access>AEPAXI@Z", the access U, M or E: the class as a destructor's name holds it
// ("QV_DOMAIN@@"); "" for any other name.
std::string ClassOf(const std::string& name) {
    const std::string signature = "AEPAXI@Z";
    const std::size_t prefix = sizeof Prefix - 1;
    if (name.size() <= prefix + 1 + signature.size()) return "";
    const std::size_t access = name.size() - signature.size() - 1;
    if (name.compare(access + 1, signature.size(), signature) != 0 ||
        std::string("UME").find(name[access]) == std::string::npos)
        return "";
    return name.substr(prefix, access - prefix);
}

// A constructor of the class that the library exports; none (address 0) when there is none.
Construct ConstructorOf(const LoadedModule& library, const std::string& decoratedClass) {
    for (const std::string& name :
         {"??_F" + decoratedClass + "QAEXXZ", "??0" + decoratedClass + "QAE@XZ"})
        if (const std::uintptr_t address = library.Export(name)) return {address, false};
    return {library.Export("??0" + decoratedClass + "QAE@_NH@Z"), true};
}

// The code that an exported deleting destructor runs: the non-array forms that the build writes
// clear bit 2 of the flags (andl $-3, 4(%esp)) and jump to the vector form.
std::uintptr_t CodeRun(std::uintptr_t code) {
    static const unsigned char ClearArrayBit[] = {0x83, 0x64, 0x24, 0x04, 0xFD};
    if (std::memcmp(reinterpret_cast<const void*>(code), ClearArrayBit, sizeof ClearArrayBit) == 0)
        code += sizeof ClearArrayBit;
    for (int jumps = 0; jumps < 2; ++jumps)
        if (const std::uintptr_t target = RelativeJumpTarget(code)) code = target;
    return code;
}

// Makes an object in a room of the host's allocator, calls `form` on it with `flags` and checks
// what came back; false when nothing was destroyed.
bool DestroyOne(const Modules& modules, const std::string& name, const Construct& construct,
                NonArrayForm form, unsigned flags) {
    const std::string with = name + " with flags " + std::to_string(flags);
    const long before = qvhost::LiveBlocks();
    void* room = MyAllocate(RoomBytes);
    ABI_CHECK(room, with + ": the host's allocator gave no block");
    if (!room) return false;
    std::memset(room, Filler, RoomBytes);
    construct(room);
    const auto* end = static_cast<const unsigned char*>(room) + RoomBytes - UntouchedBytes;
    ABI_CHECK(std::all_of(end, end + UntouchedBytes, [](unsigned char b) { return b == Filler; }),
              with + ": the object does not fit in its room");
    const std::uintptr_t table = *static_cast<const std::uintptr_t*>(room);
    form(room, flags);
    if ((flags & 1) == 0) {
        // Each destructor of the chain puts its class's table in the object, the host's bases
        // last.
        const std::uintptr_t now = *static_cast<const std::uintptr_t*>(room);
        const std::string* hostTable = modules.host.NameAt(now);
        ABI_CHECK(now != table && hostTable && hostTable->compare(0, 4, "??_7") == 0,
                  with + ": the object was not destroyed down to its host bases (its table is " +
                      Describe(modules, now) + ")");
    }
    CheckBlocksAfter(with, flags, before, room);
    return true;
}

} // namespace

int CheckNoTrappingDeletingDestructor(const Modules& modules) {
    int read = 0;
    for (const char* prefix : {"??_E", "??_G"})
        for (const std::string& name : modules.library.NamesStartingWith(prefix)) {
            ABI_CHECK(!IsTrap(CodeRun(modules.library.Export(name))),
                      name + " is the compiler's trap");
            ++read;
        }
    return read;
}

int CheckNonArrayForms(const Modules& modules) {
    const std::vector<std::string> names = modules.library.NamesStartingWith(Prefix);
    ABI_CHECK(!names.empty(), "the library exports no non-array deleting destructor");
    int destroyed = 0;
    for (const std::string& name : names) {
        const std::string decoratedClass = ClassOf(name);
        ABI_CHECK(!decoratedClass.empty(), name + " names no class's non-array deleting form");
        const std::uintptr_t form = modules.library.Export(name);
        // A trap is reported above; calling it would end the program.
        if (decoratedClass.empty() || IsTrap(CodeRun(form))) continue;
        const Construct construct = ConstructorOf(modules.library, decoratedClass);
        ABI_CHECK(construct.address, name + ": the library exports no constructor of its class");
        if (!construct.address) continue;
        for (unsigned flags : FlagValues)
            destroyed +=
                DestroyOne(modules, name, construct, reinterpret_cast<NonArrayForm>(form), flags)
                    ? 1
                    : 0;
    }
    return destroyed;
}

} // namespace platform_abi
