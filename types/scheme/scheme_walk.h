// The walk of a distribution's equation scheme: runs the programs of block_program.h over the
// grids of the distribution's directions and hands each equation instance, in registration
// order, to a sink. The structure pass, the expression pass and the grid check are sinks of the
// same walk, so they cannot disagree.
#pragma once

#include "types/scheme/block_program.h"

namespace norvane {

// The body of a loop over a set of nodes: called with each member, ascending, until it
// returns false.
class NodeLoop {
public:
    virtual bool node(int n) = 0;

protected:
    ~NodeLoop() = default;
};

// What the walk reads of one direction: the grid of its domain and the distribution's
// derivative orders along it. Every call reads the value anew.
class DirectionInputs {
public:
    virtual int endNode() = 0;                   // ENDNODE
    virtual int sections() = 0;                  // how many [1..NUMSECTIONS] holds
    virtual int base(int s) = 0;                 // SECTION(s).BASE
    virtual int nodeCount(int s) = 0;            // SECTION(s).NODECOUNT
    virtual int elements(int s) = 0;             // SECTION(s).NUMELEMENTS
    virtual int polyPoints() = 0;                // NUMPOLYPOINTS
    virtual int highestOrder() = 0;              // HIGHESTORDER<d>DERIVATIVE
    virtual int highestOrderUsed() = 0;          // HIGHESTORDER<d>DERIVATIVEUSED
    virtual bool methodIs(const char* name) = 0; // DISCRETIZATIONMETHOD equals name, any case
    // Loops over the closed interior, built anew: node 0, the domain's INTERIOR and ENDNODE,
    // each once.
    virtual void closedNodes(NodeLoop& loop) = 0;
    // Loops over the one-element set of an element's first node, built anew.
    virtual void elementStart(int first, NodeLoop& loop) = 0;

protected:
    ~DirectionInputs() = default;
};

class SchemeInputs {
public:
    virtual int dimensions() = 0; // 1, 2 or 3
    virtual DirectionInputs& direction(Direction d) = 0;
    virtual bool integralRequested(IntegralName name) = 0; // the name is in INTEGRALS

protected:
    ~SchemeInputs() = default;
};

// One equation instance: a family's stencil applied along `direction` at `anchor`.
struct Instance {
    int family; // k of "QV_Eqnk"
    int group;  // group offset
    const Stencil* stencil;
    Direction direction;
    unsigned char target; // directions spanned by the integral the stencil's IDX terms name
    int section;          // whose ELEMENTLENGTH is h; 0 in a start group
    long long anchor;     // own-direction node
    int node[3];          // the node of each other direction (0 where no loop sets it)
};

class SchemeSink {
public:
    virtual void instance(const Instance& instance) = 0;

protected:
    ~SchemeSink() = default;
};

// How the walk treats the loops over the other directions.
enum class CrossLoops : unsigned char {
    Every,    // every node of the set: the instances as registered
    FirstOnly // the first node of each non-empty set: one instance per own-direction placement
};

void WalkScheme(const ProgramSet& programs, SchemeInputs& in, SchemeSink& out,
                CrossLoops cross = CrossLoops::Every);

// Whether the program's sub-block test holds now; true for a statement that is no test.
bool TestHolds(const ProgramNode& node, SchemeInputs& in, Direction d);

} // namespace norvane
