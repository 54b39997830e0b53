// What the domain tests share: the exported factories as the host sees them, a domain
// made by its factory and released at the end, and a snapshot of the grid read back from it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/library_api.h"
#include "host/qvcore.h"
#include "types/domain/coordinate_domains.h"

#define NORVANE_DOMAIN_TEST_CREATABLE(TYPE, Class)                                                 \
    extern "C" NORVANE_API Class* TYPE##Factory();                                                 \
    extern "C" NORVANE_API void* TYPE##PropertyInfo();                                             \
    extern "C" NORVANE_API const int _Compatibility##TYPE[2];

NORVANE_DOMAIN_TEST_CREATABLE(DOMAIN, QV_DOMAIN)
NORVANE_DOMAIN_TEST_CREATABLE(LENGTHDOMAIN, QV_LENGTHDOMAIN)
NORVANE_DOMAIN_TEST_CREATABLE(ANGLEDOMAIN, QV_ANGLEDOMAIN)
NORVANE_DOMAIN_TEST_CREATABLE(SECTIONDATAMODEL, QV_SECTIONDATAMODEL)

namespace norvane::test {

// The members of an integer set value, in order.
inline std::vector<int> Members(const SUValue& set) {
    std::vector<int> members;
    for (int k = 0; k < set.SetSize(); ++k)
        members.push_back(set.IntegerAt(k));
    return members;
}

inline std::vector<int> Range(int low, int high) {
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

struct SectionSnapshot {
    double location, spacingPreference, spacingUsed, length, elementLength;
    int nodeCount, base, numElements;
    std::vector<int> interior;
};

inline bool operator==(const SectionSnapshot& x, const SectionSnapshot& y) {
    return x.location == y.location && x.spacingPreference == y.spacingPreference &&
           x.spacingUsed == y.spacingUsed && x.length == y.length &&
           x.elementLength == y.elementLength && x.nodeCount == y.nodeCount && x.base == y.base &&
           x.numElements == y.numElements && x.interior == y.interior;
}

// The grid as a distribution reads it, plus what the section records hold.
struct GridSnapshot {
    int minNodeCount, polyPoints, highestOrder, endNode;
    std::vector<double> polyPoint; // POLYPOINT(1 .. P)
    std::vector<SectionSnapshot> sections;
    std::vector<double> nodes; // VALUE(0 .. ENDNODE)
    std::vector<int> interior;
};

inline bool operator==(const GridSnapshot& x, const GridSnapshot& y) {
    return x.minNodeCount == y.minNodeCount && x.polyPoints == y.polyPoints &&
           x.highestOrder == y.highestOrder && x.endNode == y.endNode &&
           x.polyPoint == y.polyPoint && x.sections == y.sections && x.nodes == y.nodes &&
           x.interior == y.interior;
}

// A domain made by a factory and released at the end. When the last of the domains alive at
// once goes, no block may be left of them.
class DomainUnderTest {
public:
    explicit DomainUnderTest(QV_DOMAIN* (*factory)() = &DOMAINFactory) {
        if (s_alive++ == 0) s_blocksBefore = qvhost::LiveBlocks();
        m_domain = factory();
        if (m_domain) m_domain->SetDims();
    }
    DomainUnderTest(const DomainUnderTest&) = delete;
    DomainUnderTest& operator=(const DomainUnderTest&) = delete;
    ~DomainUnderTest() {
        if (m_domain) m_domain->Release();
        if (--s_alive == 0) {
            EXPECT_EQ(qvhost::LiveBlocks(), s_blocksBefore) << "blocks left after Release";
        }
    }

    QV_DOMAIN& operator*() { return *m_domain; }
    QV_DOMAIN* operator->() { return m_domain; }

    // Inputs as the user fixes them.
    DomainUnderTest& Method(const char* name) {
        m_domain->DISCRETIZATIONMETHOD.UserSet(name);
        return *this;
    }
    DomainUnderTest& Sections(int n) {
        m_domain->NUMSECTIONS.UserSet(n);
        return *this;
    }
    DomainUnderTest& Length(double length) {
        (*m_domain->LENGTH).UserSet(length);
        return *this;
    }
    DomainUnderTest& Spacing(double spacing) {
        (*m_domain->SPACINGPREFERENCE).UserSet(spacing);
        return *this;
    }
    DomainUnderTest& HighestOrder(int order) {
        m_domain->HIGHESTORDERDERIVATIVE.UserSet(order);
        return *this;
    }

    // Runs the assignments `runs` times as the host does: ExecuteAssignments(a, b).
    DomainUnderTest& Run(int runs = 1, int a = 3, int b = 0) {
        for (int k = 0; k < runs; ++k)
            m_domain->ExecuteAssignments(a, b);
        return *this;
    }

    QV_SECTIONDATAMODEL& Section(int i) { return (*m_domain->SECTION)(i); }

    GridSnapshot Snapshot() {
        QV_DOMAIN& d = *m_domain;
        GridSnapshot grid{d.MINNODECOUNT.v(),
                          d.NUMPOLYPOINTS.v(),
                          d.HIGHESTORDERDERIVATIVE.v(),
                          d.ENDNODE.v(),
                          {},
                          {},
                          {},
                          Members(d.INTERIOR.v())};
        for (int p = 1; p <= grid.polyPoints; ++p)
            grid.polyPoint.push_back(d.POLYPOINT(p).v());
        for (int i = 1; i <= d.NUMSECTIONS.v(); ++i) {
            QV_SECTIONDATAMODEL& s = Section(i);
            grid.sections.push_back({(*s.LOCATION).v(), (*s.SPACINGPREFERENCE).v(),
                                     (*s.SPACINGUSED).v(), s.LENGTH.v(), s.ELEMENTLENGTH.v(),
                                     s.NODECOUNT.v(), s.BASE.v(), s.NUMELEMENTS.v(),
                                     Members(s.INTERIOR.v())});
        }
        for (int k = 0; k <= grid.endNode; ++k) {
            EXPECT_TRUE(HasElement(*d.VALUE, k)) << "node " << k << " has no location";
            grid.nodes.push_back((*d.VALUE)(k).v());
        }
        return grid;
    }

private:
    static inline int s_alive = 0;
    static inline long s_blocksBefore = 0;
    QV_DOMAIN* m_domain;
};

inline QV_DOMAIN* MakeLengthDomain() {
    return LENGTHDOMAINFactory();
}
inline QV_DOMAIN* MakeAngleDomain() {
    return ANGLEDOMAINFactory();
}

} // namespace norvane::test
