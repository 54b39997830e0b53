// The node grid of a domain: its numbered assignments 4 to 48, which give the method's minimum
// node count and polynomial points, every section's location, length, node count, base node,
// spacing, element count, element length and interior set, the domain's interior set, its last
// node number and the location of every node.
//
// Every value is read from its property at the moment it is used, after every assignment
// before it, so whatever the host keeps (a value fixed by the user, say) is what the next step
// works with. A section's length reads the next section's location as the previous run left
// it; the host runs the assignments again, and a second run on unchanged inputs settles.
//
// Integer arithmetic on node numbers and counts is done in 64 bits and brought back to 32 bits
// by grid_conversions.h: a node count beyond 32 bits is -2147483648, like the conversions give,
// and a node number beyond 32 bits names no node (it is left out of a range, and no location
// is assigned to it). Nothing is rejected.
#include "types/domain/domain.h"
#include "types/domain/grid_conversions.h"

namespace {

using norvane::CountOrSentinel;
using norvane::IsNodeNumber;
using norvane::NodeRange;

// The numbered assignments of one run, each value tagged (b, a, number). The status of Assign
// is not looked at: what the target kept is read back from it when it is next needed.
class Assignments {
public:
    Assignments(int a, int b) : m_a(static_cast<unsigned>(a)), m_b(static_cast<unsigned>(b)) {}

    template <class Value>
    void operator()(int number, QV_VarParamProp& target, const Value& value) const {
        QV_Value tagged(value, m_b, m_a, number);
        target.Assign(&tagged);
    }

private:
    unsigned m_a;
    unsigned m_b;
};

bool MethodIs(QV_DOMAIN& d, const char* name) {
    return SUValue::CompareCI(name, (*d.DISCRETIZATIONMETHOD).v()) == 0;
}

// The finite-difference methods whose element length is one node spacing.
bool AmongTheFive(QV_DOMAIN& d) {
    return MethodIs(d, "FFD2") || MethodIs(d, "CFD2") || MethodIs(d, "BFD2") ||
           MethodIs(d, "CFD4") || MethodIs(d, "UBFD4");
}

QV_SECTIONDATAMODEL& Section(QV_DOMAIN& d, int i) {
    return (*d.SECTION)(i);
}
int Sections(QV_DOMAIN& d) {
    return (*d.NUMSECTIONS).v();
}
int PolyPoints(QV_DOMAIN& d) {
    return (*d.NUMPOLYPOINTS).v();
}
// P + 1 as a double; the same value as the integer sum, with no overflow at P = 2^31 - 1.
double PointsPlusOne(QV_DOMAIN& d) {
    return static_cast<double>(PolyPoints(d)) + 1.0;
}

// Node `base` + (e - 1)(P + 1): where element e of a section starts.
long long ElementStart(int base, int e, int p) {
    return static_cast<long long>(base) + (static_cast<long long>(e) - 1) * (p + 1LL);
}

// n rounded up to a multiple of P + 1: the sum n + P and P + 1 as integers, their quotient in
// double, the truncated quotient times P + 1 as an integer.
int RoundedUpCount(int n, int p) {
    const long long step = p + 1LL;
    const long long whole = TruncateToInt(static_cast<double>(n + static_cast<long long>(p)) /
                                          static_cast<double>(step));
    return CountOrSentinel(whole * step);
}

// Nodes BASE + 1 .. BASE + NODECOUNT - 1 of section i.
QV_IntSetValue SectionInterior(QV_DOMAIN& d, int i) {
    const long long base = (*Section(d, i).BASE).v();
    return NodeRange(base + 1, base + (*Section(d, i).NODECOUNT).v() - 1);
}

// 4 to 25: the domain's defaults, then what the method fixes.
void AssignMethodDefaults(QV_DOMAIN& d, const Assignments& assign) {
    assign(4, *d.LENGTH, 1.0);
    assign(5, *d.SPACINGPREFERENCE, ((*d.LENGTH).v() * 0.125) / static_cast<double>(Sections(d)));

    if (MethodIs(d, "BFD1") || MethodIs(d, "BFD2") || MethodIs(d, "FFD1") || MethodIs(d, "FFD2") ||
        MethodIs(d, "CFD2"))
        assign(6, *d.MINNODECOUNT, 2);
    else if (MethodIs(d, "OCFE2"))
        assign(6, *d.MINNODECOUNT, 2);
    else if (MethodIs(d, "OCFE3"))
        assign(7, *d.MINNODECOUNT, 3);
    else if (MethodIs(d, "CFD4") || MethodIs(d, "UBFD4") || MethodIs(d, "OCFE4"))
        assign(8, *d.MINNODECOUNT, 4);

    // The collocation points are the short decimals, not the Gauss points to full precision.
    if (MethodIs(d, "OCFE2")) {
        assign(9, *d.NUMPOLYPOINTS, 1);
        assign(10, d.POLYPOINT(1), 0.5);
    } else if (MethodIs(d, "BFD2") || MethodIs(d, "FFD2") || MethodIs(d, "CFD2")) {
        assign(11, *d.NUMPOLYPOINTS, 1);
        assign(12, d.POLYPOINT(1), 0.5);
    } else if (MethodIs(d, "OCFE3")) {
        assign(13, *d.NUMPOLYPOINTS, 2);
        assign(14, d.POLYPOINT(1), 0.21132);
        assign(15, d.POLYPOINT(2), 0.78868);
    } else if (MethodIs(d, "OCFE4")) {
        assign(16, *d.NUMPOLYPOINTS, 3);
        assign(17, d.POLYPOINT(1), 0.1127);
        assign(18, d.POLYPOINT(2), 0.5);
        assign(19, d.POLYPOINT(3), 0.8873);
    } else if (MethodIs(d, "CFD4") || MethodIs(d, "UBFD4")) {
        assign(20, *d.NUMPOLYPOINTS, 3);
        assign(21, d.POLYPOINT(1), 0.25);
        assign(22, d.POLYPOINT(2), 0.5);
        assign(23, d.POLYPOINT(3), 0.75);
    }

    assign(24, *d.HIGHESTORDERDERIVATIVE, 1);
    assign(25, *Section(d, 1).LOCATION, 0.0);
}

// 30 to 40: node count, base, spacing, elements and interior of section i, given the node
// count n that its length and preferred spacing ask for.
void AssignSectionNodes(QV_DOMAIN& d, QV_IntegerSetIter& i, int n, const Assignments& assign) {
    if (n < (*d.MINNODECOUNT).v())
        assign(30, *Section(d, i.v()).NODECOUNT, (*d.MINNODECOUNT).v());
    else
        assign(31, *Section(d, i.v()).NODECOUNT, RoundedUpCount(n, PolyPoints(d)));

    if (i.v() <= 1)
        assign(33, *Section(d, i.v()).BASE, 0);
    else
        assign(32, *Section(d, i.v()).BASE, TruncateToInt(d.Sigma84732928(i)));

    assign(34, *Section(d, i.v()).SPACINGUSED,
           (*Section(d, i.v()).LENGTH).v() /
               static_cast<double>((*Section(d, i.v()).NODECOUNT).v()));
    assign(
        35, *Section(d, i.v()).NUMELEMENTS,
        TruncateToInt(static_cast<double>((*Section(d, i.v()).NODECOUNT).v()) / PointsPlusOne(d)));

    if (PolyPoints(d) == 0 || AmongTheFive(d))
        assign(36, *Section(d, i.v()).ELEMENTLENGTH, (*Section(d, i.v()).SPACINGUSED).v());
    else
        assign(37, *Section(d, i.v()).ELEMENTLENGTH,
               PointsPlusOne(d) * (*Section(d, i.v()).SPACINGUSED).v());

    if ((*d.HIGHESTORDERDERIVATIVE).v() < 2)
        assign(40, *Section(d, i.v()).INTERIOR, SectionInterior(d, i.v()));
    else if (PolyPoints(d) != 0 && !AmongTheFive(d))
        assign(39, *Section(d, i.v()).INTERIOR, d.UnionFn84745888(i));
    else
        assign(38, *Section(d, i.v()).INTERIOR, SectionInterior(d, i.v()));
}

// 26 to 40, for section i.
void AssignSection(QV_DOMAIN& d, QV_IntegerSetIter& i, const Assignments& assign) {
    if (i.v() > 1)
        assign(26, *Section(d, i.v()).LOCATION,
               (*Section(d, 1).LOCATION).v() + (static_cast<double>(i.v() - 1) * (*d.LENGTH).v()) /
                                                   static_cast<double>(Sections(d)));
    assign(27, *Section(d, i.v()).SPACINGPREFERENCE, (*d.SPACINGPREFERENCE).v());

    // i comes from 1 .. NUMSECTIONS, so i + 1 is formed only below NUMSECTIONS.
    if (i.v() != Sections(d))
        assign(29, *Section(d, i.v()).LENGTH,
               (*Section(d, i.v() + 1).LOCATION).v() - (*Section(d, i.v()).LOCATION).v());
    else
        assign(28, *Section(d, i.v()).LENGTH,
               ((*Section(d, 1).LOCATION).v() + (*d.LENGTH).v()) -
                   (*Section(d, i.v()).LOCATION).v());

    // The node count asked for, held as a one-member set and walked once.
    QV_IntSetValue count(nullptr);
    count += NearestInteger((*Section(d, i.v()).LENGTH).v() /
                            (*Section(d, i.v()).SPACINGPREFERENCE).v());
    QV_IntegerSetIter n(count);
    while (n.Next())
        AssignSectionNodes(d, i, n.v(), assign);
}

// 41 to 44: the domain's interior set, last node and first node location.
void AssignDomainResults(QV_DOMAIN& d, const Assignments& assign) {
    assign(41, *d.INTERIOR, d.UnionFn84740128());
    if ((*d.HIGHESTORDERDERIVATIVE).v() < 2)
        assign(42, *d.INTERIOR, NodeRange(1, TruncateToInt(d.Sigma84739448()) - 1LL));
    assign(43, *d.ENDNODE, TruncateToInt(d.Sigma84740928()));
    assign(44, (*d.VALUE)(0), (*Section(d, 1).LOCATION).v());
}

// Assignment `number` of a node location; a node number beyond 32 bits gets none.
void AssignLocation(QV_DOMAIN& d, const Assignments& assign, int number, long long node,
                    double location) {
    if (IsNodeNumber(node)) assign(number, (*d.VALUE)(static_cast<int>(node)), location);
}

// 45 to 48: the nodes of element e of section i. A finite-difference element length is one
// spacing, so it is scaled by P + 1; a collocation element length is the whole element.
void AssignElementNodes(QV_DOMAIN& d, int i, int e, const Assignments& assign) {
    const bool oneSpacing = AmongTheFive(d);
    QV_IntSetValue points(1, PolyPoints(d));
    QV_IntegerSetIter p(points);
    while (p.Next()) {
        const long long node = ElementStart((*Section(d, i).BASE).v(), e, PolyPoints(d)) + p.v();
        const double offset = ((static_cast<double>(e) + d.POLYPOINT(p.v()).v()) + (-1.0)) *
                              (*Section(d, i).ELEMENTLENGTH).v();
        if (oneSpacing)
            AssignLocation(d, assign, 45, node,
                           (*Section(d, i).LOCATION).v() + offset * PointsPlusOne(d));
        else
            AssignLocation(d, assign, 47, node, (*Section(d, i).LOCATION).v() + offset);
    }
    const long long end =
        ElementStart((*Section(d, i).BASE).v(), e, PolyPoints(d)) + (PolyPoints(d) + 1LL);
    const double reach = static_cast<double>(e) * (*Section(d, i).ELEMENTLENGTH).v();
    if (oneSpacing)
        AssignLocation(d, assign, 46, end,
                       (*Section(d, i).LOCATION).v() + reach * PointsPlusOne(d));
    else
        AssignLocation(d, assign, 48, end, (*Section(d, i).LOCATION).v() + reach);
}

void AssignNodeLocations(QV_DOMAIN& d, const Assignments& assign) {
    QV_IntSetValue sections(1, Sections(d));
    QV_IntegerSetIter i(sections);
    while (i.Next()) {
        QV_IntSetValue elements(1, (*Section(d, i.v()).NUMELEMENTS).v());
        QV_IntegerSetIter e(elements);
        while (e.Next())
            AssignElementNodes(d, i.v(), e.v(), assign);
    }
}

// Refreshes the internal index sets from the current values: 1 .. NUMSECTIONS,
// 0 .. ENDNODE, 1 .. NUMPOLYPOINTS.
void InitialiseIndexSets(QV_DOMAIN& d, int a, int b, int pass) {
    const unsigned ua = static_cast<unsigned>(a);
    const unsigned ub = static_cast<unsigned>(b);
    QV_Value sections(QV_IntSetValue(1, Sections(d)), ub, ua, 1);
    d.InitialiseInternalIndexSet(d.QV_SECTION_SET1, &sections, pass);
    QV_Value nodes(QV_IntSetValue(0, (*d.ENDNODE).v()), ub, ua, 2);
    d.InitialiseInternalIndexSet(d.QV_VALUE_SET1, &nodes, pass);
    QV_Value points(QV_IntSetValue(1, PolyPoints(d)), ub, ua, 3);
    d.InitialiseInternalIndexSet(d.QV_POLYPOINT_SET1, &points, pass);
}

} // namespace

// Pass 0 refreshes the index sets and runs the assignments; pass 1 refreshes the index sets
// from the values that pass 0 assigned.
long QV_DOMAIN::ExecuteAssignments0(int a, int b, long r) {
    r = QV_ModelTypeEx2::ExecuteAssignments(a - 1, b);
    const Assignments assign(a, b);
    for (int pass = 0;; ++pass) {
        InitialiseIndexSets(*this, a, b, pass);
        if (pass != 0) return r;

        AssignMethodDefaults(*this, assign);
        QV_IntSetValue sections(1, Sections(*this));
        QV_IntegerSetIter i(sections);
        while (i.Next())
            AssignSection(*this, i, assign);
        AssignDomainResults(*this, assign);
        AssignNodeLocations(*this, assign);
    }
}

double QV_DOMAIN::Sigma84732928(QV_IntegerSetIter& i) {
    double sum = 0.0;
    for (int j = 1; j < i.v(); ++j)
        sum += static_cast<double>((*(*SECTION)(j).NODECOUNT).v());
    return sum;
}

double QV_DOMAIN::Sigma84739448() {
    double sum = 0.0;
    for (long long j = 1; j <= (*NUMSECTIONS).v(); ++j)
        sum += static_cast<double>((*(*SECTION)(static_cast<int>(j)).NODECOUNT).v());
    return sum;
}

double QV_DOMAIN::Sigma84740928() {
    double sum = 0.0;
    for (long long j = 1; j <= (*NUMSECTIONS).v(); ++j)
        sum += static_cast<double>((*(*SECTION)(static_cast<int>(j)).NODECOUNT).v());
    return sum;
}

// The two unions keep their result in a set of their own for the life of the library; each
// call empties it and returns it, and the caller copies it before the next call.
QV_SetValue& QV_DOMAIN::UnionFn84740128() {
    static QV_SetValue result(SUValue::TypeSet);
    result.Clear(0);
    for (long long j = 1; j <= (*NUMSECTIONS).v(); ++j) {
        const QV_SetValue& interior = (*(*SECTION)(static_cast<int>(j)).INTERIOR).v();
        if (j == 1)
            result = interior;
        else
            result += interior;
    }
    return result;
}

QV_SetValue& QV_DOMAIN::UnionFn84745888(QV_IntegerSetIter& i) {
    static QV_SetValue result(SUValue::TypeSet);
    result.Clear(0);
    QV_IntSetValue elements(1, (*(*SECTION)(i.v()).NUMELEMENTS).v());
    QV_IntegerSetIter e(elements);
    while (e.Next()) {
        const int p = (*NUMPOLYPOINTS).v();
        const long long start = ElementStart((*(*SECTION)(i.v()).BASE).v(), e.v(), p);
        const QV_IntSetValue inner = NodeRange(start + 1, start + p);
        if (e.v() == 1)
            result = inner;
        else
            result += inner;
    }
    return result;
}
