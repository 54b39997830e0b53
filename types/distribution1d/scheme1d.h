// The equation scheme of a one-dimensional distribution: the start group, then the ten method
// blocks, producing the ordered sequence of equation instances. The structure pass and the
// expression pass of the distribution both walk it, so they see the same instances.
#pragma once

#include "types/distribution1d/method_blocks.h"
#include "types/distribution1d/stencil.h"

namespace norvane {

// What the scheme reads of the domain and the distribution. Every call reads the current value
// again; the scheme calls each at the points where its loops and tests need the value.
class SchemeInputs {
public:
    virtual int sections() = 0;         // NUMSECTIONS of the domain
    virtual int base(int s) = 0;        // SECTION(s).BASE
    virtual int nodeCount(int s) = 0;   // SECTION(s).NODECOUNT
    virtual int elements(int s) = 0;    // SECTION(s).NUMELEMENTS
    virtual int polyPoints() = 0;       // domain NUMPOLYPOINTS (read anew for each element)
    virtual int highestOrder() = 0;     // HIGHESTORDERXDERIVATIVE
    virtual int highestOrderUsed() = 0; // HIGHESTORDERXDERIVATIVEUSED
    virtual bool integrals() = 0;       // "idx" in INTEGRALS (tested afresh at each test)
    virtual bool methodIs(const char* name) = 0; // DISCRETIZATIONMETHOD equals name, any case

protected:
    ~SchemeInputs() = default;
};

class SchemeSink {
public:
    // One equation instance: site, its anchor node, the section s whose h it uses. The start
    // group's "QV_Eqn1" has anchor 0 and section 0: it has no h term.
    virtual void instance(const Stencil& site, long long anchor, int section) = 0;

protected:
    ~SchemeSink() = default;
};

void WalkScheme1D(SchemeInputs& in, SchemeSink& out);

// Whether a sub-block's condition holds now: the first derivative when
// HIGHESTORDERXDERIVATIVEUSED > 0, the second when it is > 1, the integrals when "idx" is asked.
bool SubBlockRuns(SchemeInputs& in, SubBlock subBlock);

} // namespace norvane
