#include "host/driver/model_library.h"

#include "host/driver/dynamic_library.h"

namespace {

// Every generated type has QV_ModelType as its first base, through single inheritance from a
// host model, structure or port class, so the object a factory returns is also its
// QV_ModelType; the factory is called through that type.
using Factory = QV_ModelType* (*)();

} // namespace

bool ModelLibrary::Open(const std::string& path, std::string& error) {
    m_library = LoadSharedLibrary(path, error);
    return m_library != nullptr;
}

ModelPtr ModelLibrary::Create(const std::string& type, std::string& error) {
    const std::string name = type + "Factory";
    void* address = Symbol(name);
    if (!address) {
        error = "the library exports no " + name;
        return nullptr;
    }
    ModelPtr model(reinterpret_cast<Factory>(address)());
    if (!model) error = name + " made no " + type;
    return model;
}

void* ModelLibrary::Symbol(const std::string& name) const {
    return m_library ? SharedLibrarySymbol(m_library, name) : nullptr;
}
