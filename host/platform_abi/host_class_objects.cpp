#include "host/platform_abi/host_class_objects.h"

#include <string>

#include "host/platform_abi/check.h"
#include "host/platform_abi/deleting_destructor.h"
#include "host/qvcore.h"

namespace platform_abi {
namespace {

using Factory = QV_ModelType* (*)();

template <class HostClass> bool Is(QV_Type* object) {
    return dynamic_cast<HostClass*>(object) != nullptr;
}

// A property of a type of the library that makes objects of a host class: an array's element
// (NewElement) or a type-replaceable property's default (NewDefaultVirtual).
struct Source {
    const char* type;     // the creatable type that holds the property
    const char* property; // its registered name
    const char* made;     // the host class of what it makes
    bool (*isMade)(QV_Type* object);
};
const Source kSources[] = {
    {"DOMAIN", "POLYPOINT", "QV_REALPARAMETER", Is<QV_REALPARAMETER>},
    {"DOMAIN", "LENGTH", "QV_REALPARAMETER", Is<QV_REALPARAMETER>},
    {"DISTRIBUTION1D", "IDX", "QV_REALVARIABLE", Is<QV_REALVARIABLE>},
    {"DISTRIBUTION1D", "DDX", "QV_PARTIALDERIVATIVE", Is<QV_PARTIALDERIVATIVE>},
    {"DISTRIBUTION2D", "IDX", "QV_REALVARIABLE", Is<QV_REALVARIABLE>},
    {"DISTRIBUTION2D", "DDX", "QV_PARTIALDERIVATIVE", Is<QV_PARTIALDERIVATIVE>},
    {"DISTRIBUTION3D", "IDX", "QV_REALVARIABLE", Is<QV_REALVARIABLE>},
    {"DISTRIBUTION3D", "DDX", "QV_PARTIALDERIVATIVE", Is<QV_PARTIALDERIVATIVE>},
};

// What the property makes, through its table; null when it is neither an array nor a
// type-replaceable property.
QV_Type* MadeBy(QV_Containable* property) {
    if (auto* array = dynamic_cast<QV_Matrix*>(property)) return array->NewElement();
    if (auto* replaceable = dynamic_cast<QV_VirtualBase*>(property))
        return replaceable->NewDefaultVirtual();
    return nullptr;
}

} // namespace

int CheckHostClassObjects(const Modules& modules) {
    int destroyed = 0;
    for (const Source& source : kSources) {
        const std::string from = std::string(source.type) + "'s " + source.property;
        const auto factory =
            reinterpret_cast<Factory>(modules.library.Export(std::string(source.type) + "Factory"));
        ABI_CHECK(factory, "the library exports no " + std::string(source.type) + "Factory");
        if (!factory) continue;
        for (unsigned flags : SingleObjectFlags) {
            const std::string with = "a " + std::string(source.made) + " of " + from +
                                     " with flags " + std::to_string(flags);
            QV_ModelType* owner = factory();
            ABI_CHECK(owner, with + ": the factory made nothing");
            if (!owner) continue;
            const long before = qvhost::LiveBlocks();
            QV_Type* made = MadeBy(owner->FindProperty(source.property));
            ABI_CHECK(made && source.isMade(made), with + ": the property made no such object");
            ABI_CHECK(qvhost::LiveBlocks() == before + 1,
                      with + ": not one block of the host's allocator, through the library's");
            if (made) {
                DeleteThroughTable(made, flags);
                ++destroyed;
                CheckBlocksAfter(with, flags, before, made);
            }
            owner->Release();
        }
    }
    return destroyed;
}

} // namespace platform_abi
