// Shared by the domain tests: the exported factories, and a domain made by its factory, released
// at the end with no block left, with its grid read back.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "framework/library_api.h"
#include "host/qvcore.h"
#include "types/domain/coordinate_domains.h"

extern "C" NORVANE_API QV_DOMAIN* DOMAINFactory();
extern "C" NORVANE_API QV_LENGTHDOMAIN* LENGTHDOMAINFactory();
extern "C" NORVANE_API QV_ANGLEDOMAIN* ANGLEDOMAINFactory();
extern "C" NORVANE_API QV_SECTIONDATAMODEL* SECTIONDATAMODELFactory();

namespace norvane::test {

// DOMAIN, LENGTHDOMAIN and ANGLEDOMAIN, each made by its exported factory.
inline QV_DOMAIN* (*const DomainTypes[])() = {
    &DOMAINFactory, [] { return static_cast<QV_DOMAIN*>(LENGTHDOMAINFactory()); },
    [] { return static_cast<QV_DOMAIN*>(ANGLEDOMAINFactory()); }};

inline std::vector<int> Members(const SUValue& set) {
    std::vector<int> members;
    for (int k = 0; k < set.SetSize(); ++k)
        members.push_back(set.IntegerAt(k));
    return members;
}

inline std::vector<int> Range(long long low, long long high) {
    std::vector<int> members;
    for (long long k = low; k <= high; ++k)
        members.push_back(static_cast<int>(k));
    return members;
}

// True when the one-index array holds an element for `key`; looks without creating one.
inline bool HasElement(const QV_BASE_I& array, int key) {
    int position;
    return array.IndexValues(0).SetContains(key, position) != 0 &&
           array.ElementAt(static_cast<unsigned>(position)) != nullptr;
}

class DomainUnderTest {
public:
    explicit DomainUnderTest(QV_DOMAIN* (*factory)() = &DOMAINFactory) {
        if (s_alive++ == 0) s_blocksBefore = qvhost::LiveBlocks();
        m_domain = factory();
        m_domain->SetDims();
    }
    ~DomainUnderTest() {
        m_domain->Release();
        if (--s_alive == 0) {
            EXPECT_EQ(qvhost::LiveBlocks(), s_blocksBefore) << "blocks left after Release";
        }
    }

    QV_DOMAIN& operator*() { return *m_domain; }
    QV_DOMAIN* operator->() { return m_domain; }
    QV_SECTIONDATAMODEL& Section(int i) { return (*m_domain->SECTION)(i); }

    // Inputs as the user fixes them.
    DomainUnderTest& Method(const char* name) { return Set(m_domain->DISCRETIZATIONMETHOD, name); }
    DomainUnderTest& Sections(int n) { return Set(m_domain->NUMSECTIONS, n); }
    DomainUnderTest& Length(double x) { return Set(*m_domain->LENGTH, x); }
    DomainUnderTest& Spacing(double x) { return Set(*m_domain->SPACINGPREFERENCE, x); }
    DomainUnderTest& HighestOrder(int n) { return Set(m_domain->HIGHESTORDERDERIVATIVE, n); }

    DomainUnderTest& Run(int runs = 1, int a = 3, int b = 0) {
        for (int k = 0; k < runs; ++k)
            m_domain->ExecuteAssignments(a, b);
        return *this;
    }

    // VALUE(0 .. ENDNODE); each node must have a location.
    std::vector<double> Nodes() {
        std::vector<double> nodes;
        for (int k = 0; k <= m_domain->ENDNODE.v(); ++k) {
            EXPECT_TRUE(HasElement(*m_domain->VALUE, k)) << "node " << k << " has no location";
            nodes.push_back((*m_domain->VALUE)(k).v());
        }
        return nodes;
    }

    // What a distribution reads of the grid: the nodes, then the interior set.
    std::vector<double> Grid() {
        std::vector<double> g = Nodes();
        for (int k : Members(m_domain->INTERIOR.v()))
            g.push_back(k);
        return g;
    }

private:
    template <class Parameter, class Value> DomainUnderTest& Set(Parameter& p, Value v) {
        p.UserSet(v);
        return *this;
    }

    static inline int s_alive = 0;
    static inline long s_blocksBefore = 0;
    QV_DOMAIN* m_domain;
};

} // namespace norvane::test
