// The scheme's view of one direction of a distribution: the grid of its domain, and the
// distribution's derivative orders along it. Every call reads the property anew, except the
// closed interior, which is built once per pass (nothing in a pass changes the domain). The
// structure pass reads through the properties' v(), the expression pass through fv().
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
    int closedCount() override { return closed().SetSize(); }
    int closedNode(int k) override { return closed().Integer(k); }

    QV_SECTIONDATAMODEL& section(int s) { return (*m_domain.SECTION)(s); }

private:
    const QV_IntSetValue& closed() {
        if (!m_closedBuilt) {
            static_cast<QV_SetValue&>(m_closed) =
                ClosedInterior(Read(*m_domain.INTERIOR, m_pass), endNode());
            m_closedBuilt = true;
        }
        return m_closed;
    }

    QV_DOMAIN& m_domain;
    QV_INTEGERPARAMETER& m_order;
    QV_INTEGERPARAMETER& m_orderUsed;
    Pass m_pass;
    QV_IntSetValue m_closed{nullptr};
    bool m_closedBuilt = false;
};

} // namespace norvane
