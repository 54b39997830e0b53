// One equation site of a distribution, described independently of the direction it is applied in:
// its residual as prefix tokens whose variables are addressed relative to an anchor node.
#pragma once

namespace norvane {

// The quantity a variable token stands for. Step is h, the ELEMENTLENGTH of the section the
// instance belongs to; its offset is unused.
enum class Field : unsigned char { Value, FirstDerivative, SecondDerivative, Integral, Step };

// Operator codes as the host's expression encoding numbers them.
enum class OpCode : int { Op1 = 1, Plus = 19, Minus = 20, Times = 21, Divide = 22, Square = 40 };

struct Token {
    enum class Kind : unsigned char { Operator, Integer, Real, Variable } kind;
    OpCode op;   // Operator
    int integer; // Integer constant
    double real; // Real constant
    Field field; // Variable
    int offset;  // Variable: node = anchor + offset
};

// The anchor of an instance is the node that the site's text names i, j, n, p or B; a site
// written with plain node numbers (only site 1) is placed with anchor 0. The reach is the
// lowest and highest offset of the nodes its terms address (h addresses none): the grid check
// tests those two nodes of each instance instead of every term. A stencil that addresses no
// node has lowest > highest.
// The most variable terms a residual may have (h counts as one): a pass looks up all terms of an
// instance before it writes the instance, into room of this size.
constexpr int MaxStencilTerms = 32;

// The positions of a stencil's variable tokens are listed apart, so that a pass that looks up the
// terms of an instance visits those tokens only.
struct Stencil {
    const Token* tokens;
    int tokenCount;
    int lowest;
    int highest;
    int termCount;
    unsigned short terms[MaxStencilTerms]; // positions of the variable tokens, in order
};

// The stencil of `count` tokens, with its reach and its variable tokens. Tokens come from the
// prefix reader, which refuses a residual of more than MaxStencilTerms terms; the stencil of a
// longer sequence is empty.
Stencil MakeStencil(const Token* tokens, int count);

// Site k of the one-dimensional catalogue, 1 <= k <= StencilCount(): the residual of the
// one-dimensional family "QV_Eqnk". The table is built on first use and lives until unload.
const Stencil& StencilByNumber(int k);
int StencilCount();

} // namespace norvane
