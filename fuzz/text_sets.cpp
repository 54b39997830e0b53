// StringInSet, as the distributions ask it of INTEGRALS: 1 exactly when the text is a member,
// byte for byte; 0 for a null text, an empty set or a set of integers. The set's text form
// (members each followed by a double quote) gives the members between the quotes.
#include "framework/property_templates.h"
#include "fuzz/fault.h"
#include "fuzz/text_areas.h"
#include "fuzz/text_source.h"

#include <cstring>
#include <set>
#include <string>

namespace norvane::fuzz {
namespace {

// The members that the text form lists: the non-empty pieces between double quotes.
std::set<std::string> Pieces(const char* text) {
    std::set<std::string> pieces;
    std::string piece;
    for (const char* c = text;; ++c) {
        if (*c == '"' || *c == 0) {
            if (!piece.empty()) pieces.insert(piece);
            piece.clear();
            if (*c == 0) return pieces;
        } else {
            piece += *c;
        }
    }
}

void ExpectMembers(const QV_SetValue& set, const std::set<std::string>& members) {
    if (set.SetSize() != static_cast<int>(members.size()))
        Fault("a set of %d members for %zu texts", set.SetSize(), members.size());
    int k = 0;
    for (const std::string& member : members)
        if (member != set.String(k++)) Fault("member %d is \"%s\"", k - 1, set.String(k - 1));
}

bool Holds(const QV_SetValue& set, const char* text) {
    if (!text || set.Type() != SUValue::TypeStringSet) return false;
    for (int k = 0; k < set.SetSize(); ++k)
        if (std::strcmp(set.String(k), text) == 0) return true;
    return false;
}

} // namespace

void FuzzStringInSet(ByteReader& in) {
    TextSource texts(in);
    QV_SetValue set;
    switch (in.Choice(4)) {
    case 0: {
        const char* text = texts.NextText(0);
        set = QV_StrSetValue(text);
        ExpectMembers(set, Pieces(text));
        break;
    }
    case 1: {
        set = QV_StrSetValue();
        std::set<std::string> members;
        for (int k = in.Choice(6); k > 0; --k) {
            const char* member = texts.NextText(0);
            set += member;
            members.insert(member);
        }
        ExpectMembers(set, members);
        break;
    }
    case 2:
        set = QV_IntSetValue(in.Choice(8) - 4, in.Choice(8) - 4);
        break;
    default:
        break; // the empty set of no kind
    }
    for (int k = 0; k < 16 && in.Byte() != 0; ++k) {
        const char* text = texts.Next(1);
        const int found = StringInSet(text, set);
        if (found != (Holds(set, text) ? 1 : 0))
            Fault("StringInSet(\"%s\") gave %d", text ? text : "(null)", found);
    }
}

} // namespace norvane::fuzz
