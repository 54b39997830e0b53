#include "types/distribution3d/distribution3d.h"

#include "types/scheme/closed_interior.h"
#include "types/scheme/grid_nodes.h"
#include "types/scheme/range_bound.h"

// Members without a flag are built by their default constructors, in declaration order.
QV_DISTRIBUTION3D::QV_DISTRIBUTION3D(bool construct)
    : USERNOTES(true), INPUTSIGNAL(true), OUTPUTSIGNAL(true), HIGHESTORDERXDERIVATIVE(true),
      HIGHESTORDERYDERIVATIVE(true), HIGHESTORDERZDERIVATIVE(true),
      HIGHESTORDERXDERIVATIVEUSED(true), HIGHESTORDERYDERIVATIVEUSED(true),
      HIGHESTORDERZDERIVATIVEUSED(true), INTEGRALS(true) {
    if (construct) Construct();
}

// Declaration order, except that each array's own index sets come just before the array.
void QV_DISTRIBUTION3D::Construct() {
    XDOMAIN.AddProperty(this, "XDOMAIN", nullptr, QV_Direction_None, false);
    YDOMAIN.AddProperty(this, "YDOMAIN", nullptr, QV_Direction_None, false);
    ZDOMAIN.AddProperty(this, "ZDOMAIN", nullptr, QV_Direction_None, false);
    QV_VALUE_SET1.AddProperty(this, "QV_VALUE_SET1", nullptr, QV_Direction_None, false);
    QV_VALUE_SET2.AddProperty(this, "QV_VALUE_SET2", nullptr, QV_Direction_None, false);
    QV_VALUE_SET3.AddProperty(this, "QV_VALUE_SET3", nullptr, QV_Direction_None, false);
    VALUE.AddProperty(this, "VALUE", "Variable value at a node point", QV_Direction_None, false);
    USERNOTES.AddProperty(this, "USERNOTES", nullptr, QV_Direction_None, false);
    INPUTSIGNAL.AddProperty(this, "INPUTSIGNAL", nullptr, QV_Direction_Input, false)
        ->UnsetIsToBeExported();
    OUTPUTSIGNAL.AddProperty(this, "OUTPUTSIGNAL", nullptr, QV_Direction_Output, false)
        ->UnsetIsToBeExported();
    HIGHESTORDERXDERIVATIVE.AddProperty(this, "HIGHESTORDERXDERIVATIVE", nullptr, QV_Direction_None,
                                        false);
    HIGHESTORDERYDERIVATIVE.AddProperty(this, "HIGHESTORDERYDERIVATIVE", nullptr, QV_Direction_None,
                                        false);
    HIGHESTORDERZDERIVATIVE.AddProperty(this, "HIGHESTORDERZDERIVATIVE", nullptr, QV_Direction_None,
                                        false);
    HIGHESTORDERXDERIVATIVEUSED.AddProperty(this, "HIGHESTORDERXDERIVATIVEUSED", nullptr,
                                            QV_Direction_None, false);
    HIGHESTORDERYDERIVATIVEUSED.AddProperty(this, "HIGHESTORDERYDERIVATIVEUSED", nullptr,
                                            QV_Direction_None, false);
    HIGHESTORDERZDERIVATIVEUSED.AddProperty(this, "HIGHESTORDERZDERIVATIVEUSED", nullptr,
                                            QV_Direction_None, false);
    INTEGRALS.AddProperty(
        this, "INTEGRALS",
        "Integrals to be calculated. Valid values: idx, idy, idz, idxdy, idxdz, idydz, idxdydz",
        QV_Direction_None, false);
    QV_DDX_SET1.AddProperty(this, "QV_DDX_SET1", nullptr, QV_Direction_None, false);
    QV_DDX_SET2.AddProperty(this, "QV_DDX_SET2", nullptr, QV_Direction_None, false);
    QV_DDX_SET3.AddProperty(this, "QV_DDX_SET3", nullptr, QV_Direction_None, false);
    DDX.AddProperty(this, "DDX", "1st-order partial deriv wrt x", QV_Direction_None, false);
    QV_DDY_SET1.AddProperty(this, "QV_DDY_SET1", nullptr, QV_Direction_None, false);
    QV_DDY_SET2.AddProperty(this, "QV_DDY_SET2", nullptr, QV_Direction_None, false);
    QV_DDY_SET3.AddProperty(this, "QV_DDY_SET3", nullptr, QV_Direction_None, false);
    DDY.AddProperty(this, "DDY", "1st-order partial deriv wrt y", QV_Direction_None, false);
    QV_DDZ_SET1.AddProperty(this, "QV_DDZ_SET1", nullptr, QV_Direction_None, false);
    QV_DDZ_SET2.AddProperty(this, "QV_DDZ_SET2", nullptr, QV_Direction_None, false);
    QV_DDZ_SET3.AddProperty(this, "QV_DDZ_SET3", nullptr, QV_Direction_None, false);
    DDZ.AddProperty(this, "DDZ", "1st-order partial deriv wrt z", QV_Direction_None, false);
    QV_D2DX2_SET1.AddProperty(this, "QV_D2DX2_SET1", nullptr, QV_Direction_None, false);
    QV_D2DX2_SET2.AddProperty(this, "QV_D2DX2_SET2", nullptr, QV_Direction_None, false);
    QV_D2DX2_SET3.AddProperty(this, "QV_D2DX2_SET3", nullptr, QV_Direction_None, false);
    D2DX2.AddProperty(this, "D2DX2", "2nd-order partial deriv wrt x", QV_Direction_None, false);
    QV_D2DY2_SET1.AddProperty(this, "QV_D2DY2_SET1", nullptr, QV_Direction_None, false);
    QV_D2DY2_SET3.AddProperty(this, "QV_D2DY2_SET3", nullptr, QV_Direction_None, false);
    D2DY2.AddProperty(this, "D2DY2", "2nd-order partial deriv wrt y", QV_Direction_None, false);
    QV_D2DZ2_SET1.AddProperty(this, "QV_D2DZ2_SET1", nullptr, QV_Direction_None, false);
    QV_D2DZ2_SET2.AddProperty(this, "QV_D2DZ2_SET2", nullptr, QV_Direction_None, false);
    D2DZ2.AddProperty(this, "D2DZ2", "2nd-order partial deriv wrt z", QV_Direction_None, false);
    QV_IDX_SET1.AddProperty(this, "QV_IDX_SET1", nullptr, QV_Direction_None, false);
    QV_IDX_SET2.AddProperty(this, "QV_IDX_SET2", nullptr, QV_Direction_None, false);
    QV_IDX_SET3.AddProperty(this, "QV_IDX_SET3", nullptr, QV_Direction_None, false);
    IDX.AddProperty(this, "IDX", "integral of distributed variable wrt x", QV_Direction_None,
                    false);
    QV_IDY_SET1.AddProperty(this, "QV_IDY_SET1", nullptr, QV_Direction_None, false);
    QV_IDY_SET2.AddProperty(this, "QV_IDY_SET2", nullptr, QV_Direction_None, false);
    QV_IDY_SET3.AddProperty(this, "QV_IDY_SET3", nullptr, QV_Direction_None, false);
    IDY.AddProperty(this, "IDY", "integral of distributed variable wrt y", QV_Direction_None,
                    false);
    QV_IDZ_SET1.AddProperty(this, "QV_IDZ_SET1", nullptr, QV_Direction_None, false);
    QV_IDZ_SET2.AddProperty(this, "QV_IDZ_SET2", nullptr, QV_Direction_None, false);
    QV_IDZ_SET3.AddProperty(this, "QV_IDZ_SET3", nullptr, QV_Direction_None, false);
    IDZ.AddProperty(this, "IDZ", "integral of distributed variable wrt z", QV_Direction_None,
                    false);
    QV_IDXDY_SET1.AddProperty(this, "QV_IDXDY_SET1", nullptr, QV_Direction_None, false);
    QV_IDXDY_SET2.AddProperty(this, "QV_IDXDY_SET2", nullptr, QV_Direction_None, false);
    QV_IDXDY_SET3.AddProperty(this, "QV_IDXDY_SET3", nullptr, QV_Direction_None, false);
    IDXDY.AddProperty(this, "IDXDY", "integral of distributed variable wrt x and y",
                      QV_Direction_None, false);
    QV_IDXDZ_SET1.AddProperty(this, "QV_IDXDZ_SET1", nullptr, QV_Direction_None, false);
    QV_IDXDZ_SET2.AddProperty(this, "QV_IDXDZ_SET2", nullptr, QV_Direction_None, false);
    QV_IDXDZ_SET3.AddProperty(this, "QV_IDXDZ_SET3", nullptr, QV_Direction_None, false);
    IDXDZ.AddProperty(this, "IDXDZ", "integral of distributed variable wrt x and z",
                      QV_Direction_None, false);
    QV_IDYDZ_SET1.AddProperty(this, "QV_IDYDZ_SET1", nullptr, QV_Direction_None, false);
    QV_IDYDZ_SET2.AddProperty(this, "QV_IDYDZ_SET2", nullptr, QV_Direction_None, false);
    QV_IDYDZ_SET3.AddProperty(this, "QV_IDYDZ_SET3", nullptr, QV_Direction_None, false);
    IDYDZ.AddProperty(this, "IDYDZ", "integral of distributed variable wrt y and z",
                      QV_Direction_None, false);
    QV_IDXDYDZ_SET1.AddProperty(this, "QV_IDXDYDZ_SET1", nullptr, QV_Direction_None, false);
    QV_IDXDYDZ_SET2.AddProperty(this, "QV_IDXDYDZ_SET2", nullptr, QV_Direction_None, false);
    QV_IDXDYDZ_SET3.AddProperty(this, "QV_IDXDYDZ_SET3", nullptr, QV_Direction_None, false);
    IDXDYDZ.AddProperty(this, "IDXDYDZ", "integral of distributed variable wrt x, y and z",
                        QV_Direction_None, false);
}

// D2DY2 runs along Y over Y's own interior nodes, D2DZ2 along Z over Z's. Without the linked
// domain there is no such set: the array is declared over none, and depends no longer on a
// domain linked before.
void QV_DISTRIBUTION3D::SetDims() {
    (*VALUE).SetDim(QV_VALUE_SET1, QV_VALUE_SET2, QV_VALUE_SET3);
    DDX.SetDim(QV_DDX_SET1, QV_DDX_SET2, QV_DDX_SET3);
    DDY.SetDim(QV_DDY_SET1, QV_DDY_SET2, QV_DDY_SET3);
    DDZ.SetDim(QV_DDZ_SET1, QV_DDZ_SET2, QV_DDZ_SET3);
    D2DX2.SetDim(QV_D2DX2_SET1, QV_D2DX2_SET2, QV_D2DX2_SET3);
    if (YDOMAIN.ExternalLink())
        D2DY2.SetDim(QV_D2DY2_SET1, (*YDOMAIN).INTERIOR, QV_D2DY2_SET3);
    else
        D2DY2.CancelDependenceOnDeclaredSets();
    if (ZDOMAIN.ExternalLink())
        D2DZ2.SetDim(QV_D2DZ2_SET1, QV_D2DZ2_SET2, (*ZDOMAIN).INTERIOR);
    else
        D2DZ2.CancelDependenceOnDeclaredSets();
    IDX.SetDim(QV_IDX_SET1, QV_IDX_SET2, QV_IDX_SET3);
    IDY.SetDim(QV_IDY_SET1, QV_IDY_SET2, QV_IDY_SET3);
    IDZ.SetDim(QV_IDZ_SET1, QV_IDZ_SET2, QV_IDZ_SET3);
    IDXDY.SetDim(QV_IDXDY_SET1, QV_IDXDY_SET2, QV_IDXDY_SET3);
    IDXDZ.SetDim(QV_IDXDZ_SET1, QV_IDXDZ_SET2, QV_IDXDZ_SET3);
    IDYDZ.SetDim(QV_IDYDZ_SET1, QV_IDYDZ_SET2, QV_IDYDZ_SET3);
    IDXDYDZ.SetDim(QV_IDXDYDZ_SET1, QV_IDXDYDZ_SET2, QV_IDXDYDZ_SET3);
    QV_ModelTypeEx2::SetDims();
}

namespace {

using Type = QV_DISTRIBUTION3D;
using Sets = QV_INTEGERSET Type::*;

// An integral's three index sets and the INTEGRALS names that switch it on (up to four).
struct IntegralSets {
    Sets sets[3];
    const char* names[4];
};

constexpr IntegralSets kIntegrals[] = {
    {{&Type::QV_IDX_SET1, &Type::QV_IDX_SET2, &Type::QV_IDX_SET3},
     {"idx", "idxdy", "idxdz", "idxdydz"}},
    {{&Type::QV_IDY_SET1, &Type::QV_IDY_SET2, &Type::QV_IDY_SET3}, {"idy", "idydz"}},
    {{&Type::QV_IDZ_SET1, &Type::QV_IDZ_SET2, &Type::QV_IDZ_SET3}, {"idz"}},
    {{&Type::QV_IDXDY_SET1, &Type::QV_IDXDY_SET2, &Type::QV_IDXDY_SET3}, {"idxdy", "idxdydz"}},
    {{&Type::QV_IDXDZ_SET1, &Type::QV_IDXDZ_SET2, &Type::QV_IDXDZ_SET3}, {"idxdz"}},
    {{&Type::QV_IDYDZ_SET1, &Type::QV_IDYDZ_SET2, &Type::QV_IDYDZ_SET3}, {"idydz"}},
    {{&Type::QV_IDXDYDZ_SET1, &Type::QV_IDXDYDZ_SET2, &Type::QV_IDXDYDZ_SET3}, {"idxdydz"}},
};

// The index sets of VALUE and of the first derivatives along X, Y and Z.
constexpr Sets kValueSets[3] = {&Type::QV_VALUE_SET1, &Type::QV_VALUE_SET2, &Type::QV_VALUE_SET3};
constexpr Sets kFirstDerivativeSets[3][3] = {
    {&Type::QV_DDX_SET1, &Type::QV_DDX_SET2, &Type::QV_DDX_SET3},
    {&Type::QV_DDY_SET1, &Type::QV_DDY_SET2, &Type::QV_DDY_SET3},
    {&Type::QV_DDZ_SET1, &Type::QV_DDZ_SET2, &Type::QV_DDZ_SET3},
};

} // namespace

// The index sets follow the three domains' last nodes and interiors and this object's
// derivative orders and integrals; pass 1 rebuilds them from what pass 0 assigned. Every array
// is switched through the bound of its first (x) index set, whichever direction it belongs to.
// A direction whose domain is not linked has no grid: every set along it is empty.
long QV_DISTRIBUTION3D::ExecuteAssignments0(int a, int b, long) {
    using norvane::ScaledEnd;
    using norvane::SetForm;
    const long r = QV_ModelTypeEx2::ExecuteAssignments(a - 1, b);
    QV_External<QV_DOMAIN>* const domains[3] = {&XDOMAIN, &YDOMAIN, &ZDOMAIN};
    QV_INTEGERPARAMETER* const orders[3] = {&HIGHESTORDERXDERIVATIVE, &HIGHESTORDERYDERIVATIVE,
                                            &HIGHESTORDERZDERIVATIVE};
    QV_INTEGERPARAMETER* const ordersUsed[3] = {
        &HIGHESTORDERXDERIVATIVEUSED, &HIGHESTORDERYDERIVATIVEUSED, &HIGHESTORDERZDERIVATIVEUSED};
    bool linked[3];
    for (int d = 0; d < 3; ++d)
        linked[d] = domains[d]->ExternalLink() != nullptr;
    for (int pass = 0;; ++pass) {
        int end[3] = {-1, -1, -1};
        // 0 .. ENDNODE, and node 0, INTERIOR and ENDNODE; empty without a grid.
        QV_IntSetValue all[3]{QV_IntSetValue(nullptr), QV_IntSetValue(nullptr),
                              QV_IntSetValue(nullptr)};
        QV_IntSetValue closed[3]{QV_IntSetValue(nullptr), QV_IntSetValue(nullptr),
                                 QV_IntSetValue(nullptr)};
        for (int d = 0; d < 3; ++d) {
            if (!linked[d]) continue;
            QV_DOMAIN& domain = **domains[d];
            end[d] = domain.ENDNODE.v();
            // Set values are assigned as QV_SetValue.
            static_cast<QV_SetValue&>(all[d]) = QV_IntSetValue(0, end[d]);
            static_cast<QV_SetValue&>(closed[d]) =
                norvane::ClosedInterior(domain.INTERIOR.v(), end[d]).value();
        }
        // [low .. ENDNODE of X times factor]; empty without an X grid.
        auto xRange = [&](int low, int factor) {
            return linked[0] ? QV_IntSetValue(low, ScaledEnd(end[0], factor))
                             : QV_IntSetValue(nullptr);
        };
        // A set along direction d keeps the nodes of d's grid (grid_nodes.h).
        auto initialise = [&](QV_INTEGERSET& set, const QV_SetValue& nodes, int d, int number,
                              SetForm form = SetForm::Range) {
            QV_Value tagged = norvane::GridSetValue(nodes, end[d], form, b, a, number);
            InitialiseInternalIndexSet(set, &tagged, pass);
        };
        // An array's three sets: x switched by `factor`, y and z whole.
        auto initialiseAll = [&](const Sets(&sets)[3], int factor, int number) {
            initialise(this->*sets[0], xRange(0, factor), 0, number);
            initialise(this->*sets[1], all[1], 1, number + 1);
            initialise(this->*sets[2], all[2], 2, number + 2);
        };

        initialiseAll(kValueSets, 1, 1);
        for (int d = 0; d < 3; ++d)
            initialiseAll(kFirstDerivativeSets[d], ordersUsed[d]->v() > 0 ? 1 : 0, 4 + 3 * d);
        auto second = [&](int d) { return ordersUsed[d]->v() > 1 ? 1 : 0; };
        QV_IntSetValue xInterior = xRange(1, second(0));
        if (linked[0]) xInterior *= (*XDOMAIN).INTERIOR.v();
        initialise(QV_D2DX2_SET1, xInterior, 0, 13, SetForm::Combined);
        initialise(QV_D2DX2_SET2, closed[1], 1, 14, SetForm::Combined);
        initialise(QV_D2DX2_SET3, closed[2], 2, 15, SetForm::Combined);
        QV_IntSetValue yOffJoint = xRange(0, second(1));
        yOffJoint *= closed[0];
        initialise(QV_D2DY2_SET1, yOffJoint, 0, 16, SetForm::Combined);
        initialise(QV_D2DY2_SET3, closed[2], 2, 17, SetForm::Combined);
        QV_IntSetValue zOffJoint = xRange(0, second(2));
        zOffJoint *= closed[0];
        initialise(QV_D2DZ2_SET1, zOffJoint, 0, 18, SetForm::Combined);
        initialise(QV_D2DZ2_SET2, closed[1], 1, 19, SetForm::Combined);
        int number = 20;
        for (const IntegralSets& integral : kIntegrals) {
            bool requested = false;
            for (const char* name : integral.names)
                requested = requested || (name && StringInSet(name, INTEGRALS.v()) != 0);
            initialiseAll(integral.sets, requested ? 1 : -1, number);
            number += 3;
        }
        if (pass != 0) return r;

        for (int d = 0; d < 3; ++d) {
            if (!linked[d]) continue;
            QV_Value order((**domains[d]).HIGHESTORDERDERIVATIVE.v(), b, a, 41 + d);
            orders[d]->Assign(&order);
        }
        for (int d = 0; d < 3; ++d) {
            QV_Value used(orders[d]->v(), b, a, 44 + d);
            ordersUsed[d]->Assign(&used);
        }
        QV_Value none("None", b, a, 47);
        INTEGRALS.Assign(&none);
    }
}

QV_DEFINE_GENERATED_COMMON(QV_DISTRIBUTION3D, QV_ModelTypeEx2, "Model DISTRIBUTION3D\tV8.8")
QV_DEFINE_CREATABLE(DISTRIBUTION3D, QV_DISTRIBUTION3D)
