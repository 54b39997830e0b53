// A domain's inputs as the user fixes them, and its node grid as the host reads it back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/driver/options.h"
#include "host/qvcore.h"

// Fixes the domain's inputs (UserSet, so that its assignments keep them): method, number of
// sections, length, preferred spacing, highest derivative order and, when asked for, the
// minimum node count of a section.
// False with `error` set when the domain lacks one of those properties.
bool FixDomainInputs(QV_Container& domain, const DomainOptions& options, std::string& error);

// A bound on the nodes that the settled grid of these inputs can have: length / spacing,
// plus up to 8 per section for rounding up to whole elements and the method's minimum node
// count, plus a user-fixed minimum node count per section.
// A length / spacing that is infinite or not a number asks for no nodes: each section then
// gets its minimum count.
double NodeBound(const DomainOptions& options);

// The same for the whole grid of a request: the product of its directions' bounds.
double NodeBound(const DriverOptions& options);

// ENDNODE of the domain; false with `error` set when it has none.
bool ReadEndNode(const QV_Container& domain, int& endNode, std::string& error);

struct SectionRow {
    double location = 0.0, length = 0.0, elementLength = 0.0;
    int nodeCount = 0, base = 0, numElements = 0;
    std::vector<int> interior;
};

struct DomainGrid {
    std::vector<SectionRow> sections;
    std::vector<std::optional<double>> nodes; // VALUE(0 .. ENDNODE); empty: no location
    std::vector<int> interior;
};

// Reads the grid without changing the domain; false with `error` set when a property of the
// grid is missing.
bool ReadGrid(const QV_Container& domain, DomainGrid& grid, std::string& error);
