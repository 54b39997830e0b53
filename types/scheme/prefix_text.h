// Reading of an equation site's residual written as prefix text, e.g.
// "+ * DDX(i) h - V(i-1) V(i)". Tokens are separated by blanks:
//   + - * /          binary operators          sq op1   unary operators
//   2  -3            integer constants (no '.' and no exponent)
//   0.5  -3.0  1e-3  real constants, the double nearest the decimal text
//   h                the section's element length
//   V(x) DDX(x) D2DX2(x) IDX(x)   variables at node x, where x is an anchor name (i, j, n, p or B)
//                    with an optional +k or -k, or a plain node number in a site that names
//                    no anchor. One site uses one anchor name throughout.
#pragma once

#include "types/scheme/stencil.h"

namespace norvane {

struct PrefixParse {
    int count;         // tokens written; meaningful only when error is null
    const char* error; // null when the text is one complete expression, else what is wrong
    int position;      // offset in the text of the token at fault
};

// Writes the tokens of text to out (room for capacity tokens). Rejects unknown tokens,
// malformed numbers or node indices, mixed anchor names, more than MaxStencilTerms variables,
// an expression left incomplete and text after a complete expression.
PrefixParse ParsePrefixText(const char* text, Token* out, int capacity);

// One or more decimal digits from begin to end, nothing else, within the int range.
bool ReadDigits(const char* begin, const char* end, int& value);

// The number of blank-separated tokens of text, for sizing the storage at compile time.
constexpr int CountPrefixTokens(const char* text) {
    int count = 0;
    bool inToken = false;
    for (const char* c = text; *c != '\0'; ++c) {
        const bool blank = *c == ' ';
        if (!blank && !inToken) ++count;
        inToken = !blank;
    }
    return count;
}

} // namespace norvane
