// Container ids as the types compare them: a type derives from a text exactly when the text
// equals, without regard to case, its own id or the id of one of its generated ancestors.
#include "framework/library_api.h"
#include "fuzz/fault.h"
#include "fuzz/text_areas.h"
#include "fuzz/text_source.h"
#include "types/connectivity/connection.h"
#include "types/connectivity/connection_port.h"
#include "types/connectivity/control_port.h"
#include "types/connectivity/control_signal.h"
#include "types/connectivity/generic_port.h"
#include "types/connectivity/generic_stream.h"
#include "types/connectivity/generic_structure.h"
#include "types/connectivity/mio_generic_port.h"
#include "types/distribution1d/distribution1d.h"
#include "types/distribution2d/distribution2d.h"
#include "types/distribution3d/distribution3d.h"
#include "types/domain/coordinate_domains.h"
#include "types/domain/section_data_model.h"

#include <string>
#include <vector>

#define NORVANE_FUZZ_FACTORY(TYPE, Class) extern "C" NORVANE_API Class* TYPE##Factory();
NORVANE_FUZZ_FACTORY(GENERICMODEL, QV_GENERICMODEL)
NORVANE_FUZZ_FACTORY(SECTIONDATAMODEL, QV_SECTIONDATAMODEL)
NORVANE_FUZZ_FACTORY(GENERICSTRUCTURE, QV_GENERICSTRUCTURE)
NORVANE_FUZZ_FACTORY(GENERICSTREAM, QV_GENERICSTREAM)
NORVANE_FUZZ_FACTORY(GENERICCONNECTION, QV_GENERICCONNECTION)
NORVANE_FUZZ_FACTORY(CONNECTION, QV_CONNECTION)
NORVANE_FUZZ_FACTORY(GENERICCONTROLSIGNAL, QV_GENERICCONTROLSIGNAL)
NORVANE_FUZZ_FACTORY(CONTROLSIGNAL, QV_CONTROLSIGNAL)
NORVANE_FUZZ_FACTORY(DOMAIN, QV_DOMAIN)
NORVANE_FUZZ_FACTORY(LENGTHDOMAIN, QV_LENGTHDOMAIN)
NORVANE_FUZZ_FACTORY(ANGLEDOMAIN, QV_ANGLEDOMAIN)
NORVANE_FUZZ_FACTORY(DISTRIBUTION1D, QV_DISTRIBUTION1D)
NORVANE_FUZZ_FACTORY(DISTRIBUTION2D, QV_DISTRIBUTION2D)
NORVANE_FUZZ_FACTORY(DISTRIBUTION3D, QV_DISTRIBUTION3D)
#undef NORVANE_FUZZ_FACTORY

namespace norvane::fuzz {
namespace {

// An object of one type and the ids it derives from.
struct Typed {
    QV_Container* object;
    std::vector<const char*> ids;
};

// An object made without a factory, held as a factory holds its object.
template <class T> T* Held(T* object) {
    object->AddRef();
    return object;
}

std::vector<Typed> MakeObjects() {
    const char* model = QV_GENERICMODEL::QV_ContainerId();
    const char* domain = QV_DOMAIN::QV_ContainerId();
    std::vector<Typed> objects = {
        {GENERICMODELFactory(), {model}},
        {SECTIONDATAMODELFactory(), {QV_SECTIONDATAMODEL::QV_ContainerId(), model}},
        {GENERICSTRUCTUREFactory(), {QV_GENERICSTRUCTURE::QV_ContainerId()}},
        {GENERICSTREAMFactory(), {QV_GENERICSTREAM::QV_ContainerId()}},
        {GENERICCONNECTIONFactory(), {QV_GENERICCONNECTION::QV_ContainerId()}},
        {CONNECTIONFactory(),
         {QV_CONNECTION::QV_ContainerId(), QV_GENERICCONNECTION::QV_ContainerId()}},
        {GENERICCONTROLSIGNALFactory(), {QV_GENERICCONTROLSIGNAL::QV_ContainerId()}},
        {CONTROLSIGNALFactory(),
         {QV_CONTROLSIGNAL::QV_ContainerId(), QV_GENERICCONTROLSIGNAL::QV_ContainerId()}},
        {DOMAINFactory(), {domain}},
        {LENGTHDOMAINFactory(), {QV_LENGTHDOMAIN::QV_ContainerId(), domain}},
        {ANGLEDOMAINFactory(), {QV_ANGLEDOMAIN::QV_ContainerId(), domain}},
        {DISTRIBUTION1DFactory(), {QV_DISTRIBUTION1D::QV_ContainerId()}},
        {DISTRIBUTION2DFactory(), {QV_DISTRIBUTION2D::QV_ContainerId()}},
        {DISTRIBUTION3DFactory(), {QV_DISTRIBUTION3D::QV_ContainerId()}},
        {Held(new QV_CONTROLPORT(true)), {QV_CONTROLPORT::QV_ContainerId()}},
        {Held(new QV_CONNECTIONPORT(true)), {QV_CONNECTIONPORT::QV_ContainerId()}},
        {Held(new QV_GENERICPORT(true)), {QV_GENERICPORT::QV_ContainerId()}},
        {Held(new QV_QV_MIOGENERICPORT()), {QV_MULTIPORT_BaseType::QV_ContainerId()}},
    };
    for (const Typed& typed : objects)
        if (!typed.object) Fault("a factory gave null");
    return objects;
}

// One of the ids with letters in the other case, or any text.
const char* NextName(ByteReader& in, TextSource& texts, const std::vector<Typed>& objects,
                     std::string& storage) {
    const int code = in.Byte();
    if (code >= 128) return texts.Next(0);
    const Typed& typed = objects[code % objects.size()];
    storage = typed.ids[in.Choice(static_cast<int>(typed.ids.size()))];
    const int mask = in.Byte() | in.Byte() << 8;
    for (std::size_t k = 0; k < storage.size() && k < 16; ++k) {
        const char c = storage[k];
        if (!(mask & (1 << k))) continue;
        if (c >= 'a' && c <= 'z')
            storage[k] = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            storage[k] = static_cast<char>(c - 'A' + 'a');
    }
    return storage.c_str();
}

} // namespace

void FuzzContainerIds(ByteReader& in) {
    const std::vector<Typed> objects = MakeObjects();
    TextSource texts(in);
    std::string storage;
    for (int k = 0; k < 8 && in.Byte() != 0; ++k) {
        const char* name = NextName(in, texts, objects, storage);
        for (const Typed& typed : objects) {
            bool expected = false;
            for (const char* id : typed.ids)
                expected = expected || (name && SameIgnoringCase(name, id));
            if (typed.object->ContainerDerivesFrom(name) != expected)
                Fault("%s: ContainerDerivesFrom(\"%s\") is not %d", typed.ids[0],
                      name ? name : "(null)", expected);
        }
    }
    for (const Typed& typed : objects)
        typed.object->Release();
}

} // namespace norvane::fuzz
