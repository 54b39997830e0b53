// How the library matches names, each against an oracle of its own: StringInSet byte for
// byte, the domain's method names and the types' container ids without regard to case.
#include "framework/library_api.h"
#include "framework/property_templates.h"
#include "fuzz/fault.h"
#include "fuzz/text_fuzz.h"
#include "types/connectivity/generic_stream.h"
#include "types/domain/coordinate_domains.h"
#include "types/domain/section_data_model.h"

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

extern "C" {
NORVANE_API QV_DOMAIN* DOMAINFactory();
NORVANE_API QV_LENGTHDOMAIN* LENGTHDOMAINFactory();
NORVANE_API QV_SECTIONDATAMODEL* SECTIONDATAMODELFactory();
NORVANE_API QV_GENERICSTREAM* GENERICSTREAMFactory();
}

namespace norvane::fuzz {
namespace {

const char* const kMethods[] = {"BFD1", "BFD2",  "CFD2",  "CFD4",  "FFD1",
                                "FFD2", "OCFE2", "OCFE3", "OCFE4", "UBFD4"};
constexpr int kMethodCount = static_cast<int>(sizeof kMethods / sizeof kMethods[0]);

// What the domain lays out for a method name, in a form that compares.
std::string GridOf(const char* method) {
    QV_DOMAIN* domain = DOMAINFactory();
    domain->DISCRETIZATIONMETHOD.UserSet(method);
    domain->NUMSECTIONS.UserSet(2);
    (*domain->SPACINGPREFERENCE).UserSet(0.125);
    domain->HIGHESTORDERDERIVATIVE.UserSet(2);
    domain->SetDims();
    for (int run = 0; run < 2; ++run)
        domain->ExecuteAssignments(3, 1);
    std::string grid = "min " + std::to_string(domain->MINNODECOUNT.v()) + " points " +
                       std::to_string(domain->NUMPOLYPOINTS.v()) + " interior";
    const QV_SetValue& interior = domain->INTERIOR.v();
    for (int k = 0; k < interior.SetSize(); ++k)
        grid += " " + std::to_string(interior.Integer(k));
    grid += " nodes";
    for (int k = 0; k <= domain->ENDNODE.v(); ++k)
        grid += " " + std::to_string((*domain->VALUE)(k).v());
    for (int s = 1; s <= 2; ++s)
        grid += " h" + std::to_string((*(*domain->SECTION)(s).ELEMENTLENGTH).v());
    domain->Release();
    return grid;
}

} // namespace

// StringInSet, as the distributions ask it of INTEGRALS: 1 exactly when the text is a member,
// byte for byte; 0 for a null text, an empty set or a set of integers.
void FuzzStringInSet(ByteReader& in) {
    TextSource texts(in);
    QV_SetValue set;
    switch (in.Choice(4)) {
    case 0: // the text form: each member followed by a double quote
        set = QV_StrSetValue(texts.NextText(0));
        break;
    case 1:
        set = QV_StrSetValue();
        for (int k = in.Choice(6); k > 0; --k)
            set += texts.NextText(0);
        break;
    case 2:
        set = QV_IntSetValue(in.Choice(8) - 4, in.Choice(8) - 4);
        break;
    default:
        break; // the empty set of no kind
    }
    for (int k = 0; k < 16 && in.Byte() != 0; ++k) {
        const char* text = texts.Next(1);
        int member = 0;
        for (int m = 0; text && set.Type() == SUValue::TypeStringSet && m < set.SetSize(); ++m)
            member = member || std::strcmp(set.String(m), text) == 0;
        if (StringInSet(text, set) != member)
            Fault("StringInSet(\"%s\") is not %d", text ? text : "(null)", member);
    }
}

// A name that equals one of the ten without regard to case lays out exactly the grid of that
// method, any other text the grid of no method. The grids of the names as written are laid out
// first, by the library itself.
void FuzzMethodNames(ByteReader& in) {
    static std::string grids[kMethodCount + 1]; // the last: a text that names no method
    for (int m = 0; grids[kMethodCount].empty() && m <= kMethodCount; ++m) // once
        grids[m] = GridOf(m < kMethodCount ? kMethods[m] : "no method");
    TextSource texts(in);
    const char* name = texts.NextText(0);
    int method = 0;
    while (method < kMethodCount && !SameIgnoringCase(name, kMethods[method]))
        ++method;
    const std::string grid = GridOf(name);
    if (grid != grids[method])
        Fault("the method \"%s\" lays out \"%s\", not \"%s\"", name, grid.c_str(),
              grids[method].c_str());
}

// A type derives from a text exactly when the text equals, without regard to case, its own id
// or the id of one of its generated ancestors: types with a generated parent and without one
// (every type's derivation is one template).
void FuzzContainerIds(ByteReader& in) {
    struct Typed {
        QV_Container* object;
        std::vector<const char*> ids;
    };
    const Typed objects[] = {
        {SECTIONDATAMODELFactory(),
         {QV_SECTIONDATAMODEL::QV_ContainerId(), QV_GENERICMODEL::QV_ContainerId()}},
        {LENGTHDOMAINFactory(), {QV_LENGTHDOMAIN::QV_ContainerId(), QV_DOMAIN::QV_ContainerId()}},
        {GENERICSTREAMFactory(), {QV_GENERICSTREAM::QV_ContainerId()}},
    };
    TextSource texts(in);
    std::string id;
    for (int k = 0; k < 8 && in.Byte() != 0; ++k) {
        const int code = in.Byte();
        const std::vector<const char*>& ids = objects[code % std::size(objects)].ids;
        const char* name =
            code < 128 ? (id = in.InSomeCase(ids[in.Choice(ids.size())])).c_str() : texts.Next(0);
        for (const Typed& typed : objects) {
            bool expected = false;
            for (const char* own : typed.ids)
                expected = expected || (name && SameIgnoringCase(name, own));
            if (typed.object->ContainerDerivesFrom(name) != expected)
                Fault("%s: ContainerDerivesFrom(\"%s\") is not %d", typed.ids[0],
                      name ? name : "(null)", expected);
        }
    }
    for (const Typed& typed : objects)
        typed.object->Release();
}

} // namespace norvane::fuzz
