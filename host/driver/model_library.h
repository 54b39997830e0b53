// A model-type library loaded at run time, as a host loads one, and the models that its
// exported factories make. The library stays loaded until the process ends: its runtime keeps
// blocks for the life of its image, and no model may outlive the code of its type.
#pragma once

#include <memory>
#include <string>

#include "host/qvcore.h"

// Releases a model when its owner goes; the library must still be loaded then.
struct ReleaseModel {
    void operator()(QV_ModelType* model) const { model->Release(); }
};
using ModelPtr = std::unique_ptr<QV_ModelType, ReleaseModel>;

class ModelLibrary {
public:
    ModelLibrary() = default;
    ModelLibrary(const ModelLibrary&) = delete;
    ModelLibrary& operator=(const ModelLibrary&) = delete;

    // Loads the library file at `path`; false with `error` set when it cannot be loaded.
    bool Open(const std::string& path, std::string& error);

    // A new model of `type` (such as "LENGTHDOMAIN") from the exported <type>Factory, holding
    // the one reference that the factory gives it; null with `error` set when the library has
    // no such factory or the factory makes nothing.
    ModelPtr Create(const std::string& type, std::string& error);

    // The address that the library exports as `name`, or null (also when nothing is loaded).
    void* Symbol(const std::string& name) const;

    // The platform's handle of the loaded library (null when nothing is loaded), for the
    // functions of dynamic_library.h.
    void* Handle() const { return m_library; }

private:
    void* m_library = nullptr;
};
