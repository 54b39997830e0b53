// What the driver knows of the distribution over one, two or three directions, derived from
// the number of directions alone: the type's name, its domain references, the arrays its
// equations define and the integrals it offers. Direction d is x, y, z for d = 0, 1, 2.
#pragma once

#include <string>
#include <vector>

// The equations that define one array of the distribution, all its instances together.
struct SubBlockKind {
    std::string array; // "DDX", "D2DY2", "IDXDZ"
    int order = 0;     // 1 or 2: a derivative along `direction`; 0: an integral over `span`
    int direction = 0;
    unsigned span = 0;       // bit d: the integral runs over direction d
    std::string label;       // as printed: "first derivative" ... in one direction, else the array
    std::string description; // "first derivative along x", "integral over x and y"
};

struct DistributionKind {
    int dims = 1;
    std::string type;                    // "DISTRIBUTION2D"
    std::vector<std::string> references; // "XDOMAIN", "YDOMAIN", ...
    // First derivatives, second derivatives, then the integrals by the number of directions
    // they span.
    std::vector<SubBlockKind> subBlocks;
    std::vector<std::string> integrals; // the members INTEGRALS offers, in that order: "idx" ...
};

constexpr int MaxDims = 3;

// `dims` is 1, 2 or 3.
const DistributionKind& KindOf(int dims);

// "a", "a and b", "a, b and c" (with conjunction "and").
std::string WordList(const std::vector<std::string>& words, const std::string& conjunction);

// "x", "y" or "z".
const char* DirectionName(int d);

// The integral arrays that the equations of these INTEGRALS members write, as spans: each
// integral asked for and the integrals it is built from (over its first direction, its first
// two). Unknown members write nothing.
std::vector<unsigned> WrittenIntegrals(const DistributionKind& kind,
                                       const std::vector<std::string>& members);
