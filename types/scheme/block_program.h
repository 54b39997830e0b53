// The loops of a distribution's equation scheme, written as data: each method block of each
// direction, and each start group, is a short program of loops, tests and equation families.
// One walker (scheme_walk.h) runs the programs of the one-, two- and three-dimensional
// distributions; the structure pass, the expression pass and the grid check are its sinks.
//
// A program is a sequence of statements; braces hold what a loop or a test encloses, and the
// order of the statements is the order in which equation instances are registered. Words are
// separated by blanks or line breaks.
//
//   first { ... }            runs when HIGHESTORDER<d>DERIVATIVEUSED > 0
//   second { ... }           runs when HIGHESTORDER<d>DERIVATIVEUSED > 1
//   integral NAME,NAME { }   runs when INTEGRALS holds one of the names, tested in that order
//                            (idx idy idz idxdy idxdz idydz idxdydz)
//   for s { ... }            s over the sections 1 .. NUMSECTIONS of the own direction d
//   for e { ... }            e over the elements 1 .. NUMELEMENTS(s) of section s; the anchor is
//                            the element's first node BASE(s) + (e-1)(NUMPOLYPOINTS+1)
//   for n POS..POS { ... }   the anchor runs over those own-direction nodes, ascending
//   at POS { ... }           the anchor is the one node POS
//   for x|y|z SET { ... }    the node index of another direction runs over SET, ascending:
//                            0..E every node, 1..E every node but the first, closed: node 0,
//                            the domain's INTERIOR and its ENDNODE
//   if s=1 { ... }           only in the first section
//   if s>1 { ... }           only in the sections after the first
//   if join { ... }          only when the anchor is not node 0 and
//                            HIGHESTORDER<d>DERIVATIVE == 2 (the collocation element join)
//   N: STENCIL [TARGET]      one instance of family "QV_EqnN" at the anchor
//
// POS is B (the section's BASE), L (its last node, BASE + NODECOUNT) or 0 (the domain's first
// node), B and L with an optional +k or -k: B+1, L-2. STENCIL is the number of a site of the
// one-dimensional catalogue (stencils.cpp) or a prefix text in double quotes (prefix_text.h).
// A stencil is written as along x, its nodes relative to the anchor; it is applied along d,
// the indices of the other directions being those of the enclosing loops (0 where no loop
// sets one). TARGET names the integral that the stencil's IDX terms stand for, by the
// directions it spans (xy, xz, yz, xyz); the stencil's V terms are then the integral over the
// directions of TARGET but d (IDX for xy along y, IDXDY for xyz along z). Without TARGET, IDX
// is the integral along d alone and V is VALUE.
#pragma once

#include "types/scheme/stencil.h"

namespace norvane {

enum class Direction : unsigned char { X = 0, Y = 1, Z = 2 };

// One program of a distribution's scheme: a start group has no method; a method block runs
// when the own direction's DISCRETIZATIONMETHOD equals the method name without regard to case.
struct BlockProgramText {
    const char* method;  // null for a start group
    Direction direction; // the own direction d
    int group;           // group offset of every family of the program
    const char* text;
};

// The integral names that an `integral` test may list, in the order of their codes.
enum IntegralName : unsigned char { Idx, Idy, Idz, Idxdy, Idxdz, Idydz, Idxdydz };
const char* IntegralNameText(IntegralName name);

struct ProgramNode {
    enum class Kind : unsigned char {
        First,    // sub-block tests
        Second,   //
        Integral, // names[0 .. nameCount)
        Sections, // for s
        Elements, // for e
        Nodes,    // for n from..to
        At,       // at from
        Cross,    // for x|y|z set
        IfFirstSection,
        IfLaterSection,
        IfJoin,
        Emit,
    };
    enum class CrossSet : unsigned char { All, FromOne, Closed };
    enum class Origin : unsigned char { Base, Last, Zero };
    struct Position {
        Origin origin;
        int offset;
    };

    Kind kind;
    Direction cross;         // Cross
    CrossSet set;            // Cross
    unsigned char nameCount; // Integral
    IntegralName names[7];   // Integral
    unsigned char target;    // Emit: bit d set for each direction the integral spans
    Position from, to;       // Nodes (from, to), At (from)
    int family;              // Emit: k of "QV_Eqnk"
    const Stencil* stencil;  // Emit
    int end;                 // index one past this statement's last descendant
};

// A parsed program: its text and its statements in program order, each followed by the
// statements it encloses.
struct Program {
    const BlockProgramText* text;
    const ProgramNode* nodes;
    int nodeCount;
};

struct ProgramFault {
    int program;       // -1 when every program parsed
    const char* error; // what is wrong
    int position;      // offset in the program's text of the word at fault
};

// The parsed programs of one distribution type. The storage is fixed when the table is made
// (see StaticProgramSet), so parsing never allocates.
class ProgramSet {
public:
    int size() const { return m_count; }
    const Program& operator[](int p) const { return m_programs[p]; }
    // The first program that did not parse; it is kept empty, so it registers nothing.
    const ProgramFault& fault() const { return m_fault; }

protected:
    struct Storage {
        Program* programs;
        ProgramNode* nodes;
        int nodeCapacity;
        Token* tokens; // of the stencils written inline
        int tokenCapacity;
        Stencil* stencils;
        int stencilCapacity;
    };
    void Parse(const BlockProgramText* texts, int count, const Storage& storage);

private:
    const Program* m_programs = nullptr;
    int m_count = 0;
    ProgramFault m_fault{-1, nullptr, 0};
};

// The number of blank-separated words of a text, which bounds the statements and the inline
// stencil tokens that it holds.
constexpr int CountWords(const char* text) {
    int count = 0;
    bool inWord = false;
    for (const char* c = text; *c != '\0'; ++c) {
        const bool blank = *c == ' ' || *c == '\n' || *c == '\t';
        if (!blank && !inWord) ++count;
        inWord = !blank;
    }
    return count;
}

template <int Count> constexpr int CountWords(const BlockProgramText (&texts)[Count]) {
    int count = 0;
    for (const BlockProgramText& text : texts)
        count += CountWords(text.text);
    return count;
}

// Storage sized for the texts at compile time: Words = CountWords(texts).
template <int Count, int Words> class StaticProgramSet final : public ProgramSet {
public:
    explicit StaticProgramSet(const BlockProgramText (&texts)[Count]) {
        Parse(texts, Count, {m_programs, m_nodes, Words, m_tokens, Words, m_stencils, Words});
    }

private:
    Program m_programs[Count];
    ProgramNode m_nodes[Words];
    Token m_tokens[Words];
    Stencil m_stencils[Words];
};

// The literal name "QV_Eqnk" of family k, 1 <= k <= 999, with static storage; null otherwise.
const char* FamilyName(int k);

} // namespace norvane
