// The scheme's view of one direction: the grid of a domain, and the derivative orders and
// integral switch of the distribution along it. Every call reads the property anew.
#pragma once

#include "types/distribution1d/scheme1d.h"
#include "types/domain/domain.h"

namespace norvane {

class DomainInputs final : public SchemeInputs {
public:
    DomainInputs(QV_DOMAIN& domain, QV_INTEGERPARAMETER& order, QV_INTEGERPARAMETER& orderUsed,
                 QV_STRINGSET& integralSet, const char* integralName)
        : m_domain(domain), m_order(order), m_orderUsed(orderUsed), m_integralSet(integralSet),
          m_integralName(integralName) {}

    int sections() override { return (*m_domain.NUMSECTIONS).v(); }
    int base(int s) override { return section(s).BASE.v(); }
    int nodeCount(int s) override { return section(s).NODECOUNT.v(); }
    int elements(int s) override { return section(s).NUMELEMENTS.v(); }
    int polyPoints() override { return (*m_domain.NUMPOLYPOINTS).v(); }
    int highestOrder() override { return m_order.v(); }
    int highestOrderUsed() override { return m_orderUsed.v(); }
    bool integrals() override { return StringInSet(m_integralName, m_integralSet.v()) != 0; }
    bool methodIs(const char* name) override {
        return SUValue::CompareCI(name, *m_domain.DISCRETIZATIONMETHOD) == 0;
    }

    QV_SECTIONDATAMODEL& section(int s) { return (*m_domain.SECTION)(s); }
    int endNode() { return m_domain.ENDNODE.v(); }

private:
    QV_DOMAIN& m_domain;
    QV_INTEGERPARAMETER& m_order;
    QV_INTEGERPARAMETER& m_orderUsed;
    QV_STRINGSET& m_integralSet;
    const char* m_integralName;
};

} // namespace norvane
