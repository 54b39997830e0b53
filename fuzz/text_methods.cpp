// Method names as the domain matches them: a name that equals one of the ten without regard
// to case lays out exactly the grid of that method, any other text the grid of no method.
// The grids of the names as written are laid out first, by the library itself.
#include "framework/library_api.h"
#include "fuzz/fault.h"
#include "fuzz/text_areas.h"
#include "fuzz/text_source.h"
#include "types/domain/domain.h"

#include <string>

extern "C" NORVANE_API QV_DOMAIN* DOMAINFactory();

namespace norvane::fuzz {
namespace {

const char* const kMethods[] = {"BFD1", "BFD2",  "CFD2",  "CFD4",  "FFD1",
                                "FFD2", "OCFE2", "OCFE3", "OCFE4", "UBFD4"};
constexpr int kMethodCount = static_cast<int>(sizeof kMethods / sizeof kMethods[0]);

// What the domain computed, in a form that compares.
std::string GridOf(const char* method) {
    QV_DOMAIN* domain = DOMAINFactory();
    if (!domain) Fault("DOMAINFactory gave null");
    domain->DISCRETIZATIONMETHOD.UserSet(method);
    domain->NUMSECTIONS.UserSet(2);
    (*domain->SPACINGPREFERENCE).UserSet(0.125);
    domain->HIGHESTORDERDERIVATIVE.UserSet(2);
    domain->SetDims();
    for (int run = 0; run < 2; ++run)
        domain->ExecuteAssignments(3, 1);
    std::string grid = "min " + std::to_string(domain->MINNODECOUNT.v()) + " points " +
                       std::to_string(domain->NUMPOLYPOINTS.v()) + " end " +
                       std::to_string(domain->ENDNODE.v()) + " interior";
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

// The grids of the ten names as written and of a text that names no method, last.
const std::string* ReferenceGrids() {
    static std::string grids[kMethodCount + 1];
    if (grids[0].empty()) {
        for (int m = 0; m < kMethodCount; ++m)
            grids[m] = GridOf(kMethods[m]);
        grids[kMethodCount] = GridOf("no method");
    }
    return grids;
}

} // namespace

void FuzzMethodNames(ByteReader& in) {
    const std::string* grids = ReferenceGrids();
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

} // namespace norvane::fuzz
