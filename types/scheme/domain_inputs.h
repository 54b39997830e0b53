// The scheme's view of one direction of a distribution: the grid of its domain, and the
// distribution's derivative orders along it. Every call reads the property anew, and every loop
// over a set that the host builds (the closed interior, an element's first node) builds it
// anew and walks it with the host's iterator. The structure pass reads properties and
// iterators through v(), the expression pass through fv().
#pragma once

#include "types/domain/domain.h"
#include "types/scheme/closed_interior.h"
#include "types/scheme/scheme_walk.h"

#include <algorithm>
#include <climits>

namespace norvane {

enum class Pass : unsigned char { Structure, Expression };

// v() in the structure pass, fv() in the expression pass.
template <class Property> decltype(auto) Read(Property& property, Pass pass) {
    return pass == Pass::Structure ? property.v() : property.fv();
}

class DomainInputs final : public DirectionInputs {
public:
    DomainInputs(QV_DOMAIN& domain, QV_INTEGERPARAMETER& order, QV_INTEGERPARAMETER& orderUsed,
                 Pass pass)
        : m_domain(domain), m_order(order), m_orderUsed(orderUsed), m_pass(pass) {}

    int endNode() override { return Read(*m_domain.ENDNODE, m_pass); }
    // The sections that the domain lays out, the members of [1..NUMSECTIONS]: none below 1,
    // except -2147483648, the host's one-member set [1..INT_MIN] = {1}.
    int sections() override {
        const int count = Read(*m_domain.NUMSECTIONS, m_pass);
        return count == INT_MIN ? 1 : std::max(count, 0);
    }
    int base(int s) override { return Read(*section(s).BASE, m_pass); }
    int nodeCount(int s) override { return Read(*section(s).NODECOUNT, m_pass); }
    int elements(int s) override { return Read(*section(s).NUMELEMENTS, m_pass); }
    int polyPoints() override { return Read(*m_domain.NUMPOLYPOINTS, m_pass); }
    int highestOrder() override { return Read(*m_order, m_pass); }
    int highestOrderUsed() override { return Read(*m_orderUsed, m_pass); }
    bool methodIs(const char* name) override {
        const char* method = Read(*m_domain.DISCRETIZATIONMETHOD, m_pass);
        return SUValue::CompareCI(name, method) == 0;
    }
    // The iterator is built on the set that the last union returned; the sets are gone before
    // its first step.
    void closedNodes(NodeLoop& loop) override {
        const int end = endNode();
        QV_IntegerSetIter members(ClosedInterior(Read(*m_domain.INTERIOR, m_pass), end).nodes());
        Walk(members, loop);
    }
    void elementStart(int first, NodeLoop& loop) override {
        QV_IntegerSetIter members = OneNode(first);
        Walk(members, loop);
    }

    QV_SECTIONDATAMODEL& section(int s) { return (*m_domain.SECTION)(s); }

private:
    // An iterator on the set that adding `node` to an empty set returned.
    static QV_IntegerSetIter OneNode(int node) {
        QV_IntSetValue set(nullptr);
        return QV_IntegerSetIter(set += node);
    }

    void Walk(QV_IntegerSetIter& members, NodeLoop& loop) {
        while (members.Next() && loop.node(Read(members, m_pass))) {
        }
    }

    QV_DOMAIN& m_domain;
    QV_INTEGERPARAMETER& m_order;
    QV_INTEGERPARAMETER& m_orderUsed;
    Pass m_pass;
};

} // namespace norvane
