#include "types/scheme/prefix_text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <iterator>

namespace norvane {
namespace {

struct Word {
    const char* begin;
    const char* end;

    bool Is(const char* text) const {
        const std::size_t length = std::strlen(text);
        return static_cast<std::size_t>(end - begin) == length &&
               std::memcmp(begin, text, length) == 0;
    }
};

struct OperatorName {
    const char* text;
    OpCode op;
};
constexpr OperatorName kOperators[] = {
    {"+", OpCode::Plus},   {"-", OpCode::Minus},   {"*", OpCode::Times},
    {"/", OpCode::Divide}, {"sq", OpCode::Square}, {"op1", OpCode::Op1},
};

struct FieldName {
    const char* text;
    Field field;
};
constexpr FieldName kFields[] = {
    {"V", Field::Value},
    {"DDX", Field::FirstDerivative},
    {"D2DX2", Field::SecondDerivative},
    {"IDX", Field::Integral},
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with an optional leading '-'.
bool ReadInteger(const char* begin, const char* end, int& value) {
    const bool negative = begin != end && *begin == '-';
    if (!ReadDigits(begin + (negative ? 1 : 0), end, value)) return false;
    if (negative) value = -value;
    return true;
}

// The double nearest the decimal text, read the same way whatever the process's locale.
const char* ReadReal(const Word& word, double& value) {
    const std::from_chars_result read = std::from_chars(word.begin, word.end, value);
    if (read.ec != std::errc() || read.ptr != word.end || !std::isfinite(value))
        return "malformed real constant";
    return nullptr;
}

const char* ReadNumber(const Word& word, Token& token) {
    const bool real = std::find_if(word.begin, word.end, [](char c) {
                          return c == '.' || c == 'e' || c == 'E';
                      }) != word.end;
    if (real) {
        token.kind = Token::Kind::Real;
        return ReadReal(word, token.real);
    }
    token.kind = Token::Kind::Integer;
    return ReadInteger(word.begin, word.end, token.integer) ? nullptr
                                                            : "malformed integer constant";
}

// NAME(index), index being an anchor name with an optional +k or -k, or a plain node number
// (anchor name '0'). All variables of one text must use the same anchor name.
const char* ReadVariable(const Word& word, char& anchor, Token& token) {
    const char* open = std::find(word.begin, word.end, '(');
    if (open == word.end || word.end[-1] != ')') return "unknown token";
    const FieldName* field =
        std::find_if(std::begin(kFields), std::end(kFields), [&](const FieldName& f) {
            return Word{word.begin, open}.Is(f.text);
        });
    if (field == std::end(kFields)) return "unknown token";

    const char* index = open + 1;
    const char* indexEnd = word.end - 1;
    char name = '0';
    int offset = 0;
    bool valid = false;
    if (index != indexEnd && std::strchr("ijnpB", *index) != nullptr) {
        name = *index;
        const char* sign = index + 1;
        if (sign == indexEnd) {
            valid = true;
        } else if (*sign == '+' || *sign == '-') {
            valid = ReadDigits(sign + 1, indexEnd, offset);
            if (*sign == '-') offset = -offset;
        }
    } else {
        valid = ReadInteger(index, indexEnd, offset);
    }
    if (!valid) return "malformed node index";
    if (anchor != '\0' && anchor != name) return "mixes anchor names";
    anchor = name;

    token.kind = Token::Kind::Variable;
    token.field = field->field;
    token.offset = offset;
    return nullptr;
}

const char* ReadToken(const Word& word, char& anchor, Token& token) {
    for (const OperatorName& op : kOperators) {
        if (word.Is(op.text)) {
            token.kind = Token::Kind::Operator;
            token.op = op.op;
            return nullptr;
        }
    }
    if (word.Is("h")) {
        token.kind = Token::Kind::Variable;
        token.field = Field::Step;
        return nullptr;
    }
    // A lone "-" was taken as an operator above, so word.begin[1] is inside the text.
    const char lead = word.begin[0] == '-' ? word.begin[1] : word.begin[0];
    if (IsDigit(lead)) return ReadNumber(word, token);
    return ReadVariable(word, anchor, token);
}

int Arity(const Token& token) {
    if (token.kind != Token::Kind::Operator) return 0;
    return token.op == OpCode::Op1 || token.op == OpCode::Square ? 1 : 2;
}

} // namespace

bool ReadDigits(const char* begin, const char* end, int& value) {
    if (begin == end) return false;
    long long v = 0;
    for (const char* c = begin; c != end; ++c) {
        if (!IsDigit(*c)) return false;
        v = v * 10 + (*c - '0');
        if (v > INT_MAX) return false;
    }
    value = static_cast<int>(v);
    return true;
}

PrefixParse ParsePrefixText(const char* text, Token* out, int capacity) {
    int count = 0;
    int terms = 0;
    int open = 1; // operands still missing before the expression is complete
    char anchor = '\0';
    const char* c = text;
    for (;;) {
        while (*c == ' ')
            ++c;
        if (*c == '\0') break;
        Word word{c, c};
        while (*word.end != ' ' && *word.end != '\0')
            ++word.end;
        c = word.end;

        const int position = static_cast<int>(word.begin - text);
        if (open == 0) return {0, "text follows a complete expression", position};
        if (count == capacity) return {0, "more tokens than room", position};
        Token token{};
        if (const char* error = ReadToken(word, anchor, token)) return {0, error, position};
        if (token.kind == Token::Kind::Variable && ++terms > MaxStencilTerms)
            return {0, "more terms than a residual may have", position};
        open += Arity(token) - 1;
        out[count++] = token;
    }
    if (open != 0) return {0, "expression is incomplete", static_cast<int>(c - text)};
    return {count, nullptr, 0};
}

} // namespace norvane
