#include "types/distribution2d/distribution2d.h"

#include "types/scheme/closed_interior.h"
#include "types/scheme/grid_nodes.h"
#include "types/scheme/range_bound.h"

QV_DISTRIBUTION2D::QV_DISTRIBUTION2D(bool construct)
    : XDOMAIN(), YDOMAIN(), QV_VALUE_SET1(), QV_VALUE_SET2(), VALUE(), USERNOTES(true),
      INPUTSIGNAL(true), OUTPUTSIGNAL(true), HIGHESTORDERXDERIVATIVE(true),
      HIGHESTORDERYDERIVATIVE(true), HIGHESTORDERXDERIVATIVEUSED(true),
      HIGHESTORDERYDERIVATIVEUSED(true), INTEGRALS(true), QV_DDX_SET1(), QV_DDX_SET2(), DDX(),
      QV_DDY_SET1(), QV_DDY_SET2(), DDY(), QV_D2DX2_SET1(), QV_D2DX2_SET2(), D2DX2(),
      QV_D2DY2_SET1(), D2DY2(), QV_IDX_SET1(), QV_IDX_SET2(), IDX(), QV_IDY_SET1(), QV_IDY_SET2(),
      IDY(), QV_IDXDY_SET1(), QV_IDXDY_SET2(), IDXDY() {
    if (construct) Construct();
}

void QV_DISTRIBUTION2D::Construct() {
    XDOMAIN.AddProperty(this, "XDOMAIN", nullptr, QV_Direction_None, false);
    YDOMAIN.AddProperty(this, "YDOMAIN", nullptr, QV_Direction_None, false);
    QV_VALUE_SET1.AddProperty(this, "QV_VALUE_SET1", nullptr, QV_Direction_None, false);
    QV_VALUE_SET2.AddProperty(this, "QV_VALUE_SET2", nullptr, QV_Direction_None, false);
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
    HIGHESTORDERXDERIVATIVEUSED.AddProperty(this, "HIGHESTORDERXDERIVATIVEUSED", nullptr,
                                            QV_Direction_None, false);
    HIGHESTORDERYDERIVATIVEUSED.AddProperty(this, "HIGHESTORDERYDERIVATIVEUSED", nullptr,
                                            QV_Direction_None, false);
    INTEGRALS.AddProperty(this, "INTEGRALS",
                          "Integrals to be calculated. Valid values: idx, idy, idxdy",
                          QV_Direction_None, false);
    QV_DDX_SET1.AddProperty(this, "QV_DDX_SET1", nullptr, QV_Direction_None, false);
    QV_DDX_SET2.AddProperty(this, "QV_DDX_SET2", nullptr, QV_Direction_None, false);
    DDX.AddProperty(this, "DDX", "1st-order partial deriv wrt x", QV_Direction_None, false);
    QV_DDY_SET1.AddProperty(this, "QV_DDY_SET1", nullptr, QV_Direction_None, false);
    QV_DDY_SET2.AddProperty(this, "QV_DDY_SET2", nullptr, QV_Direction_None, false);
    DDY.AddProperty(this, "DDY", "1st-order partial deriv wrt y", QV_Direction_None, false);
    QV_D2DX2_SET1.AddProperty(this, "QV_D2DX2_SET1", nullptr, QV_Direction_None, false);
    QV_D2DX2_SET2.AddProperty(this, "QV_D2DX2_SET2", nullptr, QV_Direction_None, false);
    D2DX2.AddProperty(this, "D2DX2", "2nd-order partial deriv wrt x", QV_Direction_None, false);
    QV_D2DY2_SET1.AddProperty(this, "QV_D2DY2_SET1", nullptr, QV_Direction_None, false);
    D2DY2.AddProperty(this, "D2DY2", "2nd-order partial deriv wrt y", QV_Direction_None, false);
    QV_IDX_SET1.AddProperty(this, "QV_IDX_SET1", nullptr, QV_Direction_None, false);
    QV_IDX_SET2.AddProperty(this, "QV_IDX_SET2", nullptr, QV_Direction_None, false);
    IDX.AddProperty(this, "IDX", "integral of distributed variable wrt x", QV_Direction_None,
                    false);
    QV_IDY_SET1.AddProperty(this, "QV_IDY_SET1", nullptr, QV_Direction_None, false);
    QV_IDY_SET2.AddProperty(this, "QV_IDY_SET2", nullptr, QV_Direction_None, false);
    IDY.AddProperty(this, "IDY", "integral of distributed variable wrt y", QV_Direction_None,
                    false);
    QV_IDXDY_SET1.AddProperty(this, "QV_IDXDY_SET1", nullptr, QV_Direction_None, false);
    QV_IDXDY_SET2.AddProperty(this, "QV_IDXDY_SET2", nullptr, QV_Direction_None, false);
    IDXDY.AddProperty(this, "IDXDY", "integral of distributed variable wrt x and y",
                      QV_Direction_None, false);
}

// D2DY2 runs along Y over Y's own interior nodes. Without a linked Y domain there is no such
// set: the array is declared over none, and depends no longer on a domain linked before.
void QV_DISTRIBUTION2D::SetDims() {
    (*VALUE).SetDim(QV_VALUE_SET1, QV_VALUE_SET2);
    DDX.SetDim(QV_DDX_SET1, QV_DDX_SET2);
    DDY.SetDim(QV_DDY_SET1, QV_DDY_SET2);
    D2DX2.SetDim(QV_D2DX2_SET1, QV_D2DX2_SET2);
    if (YDOMAIN.ExternalLink())
        D2DY2.SetDim(QV_D2DY2_SET1, (*YDOMAIN).INTERIOR);
    else
        D2DY2.CancelDependenceOnDeclaredSets();
    IDX.SetDim(QV_IDX_SET1, QV_IDX_SET2);
    IDY.SetDim(QV_IDY_SET1, QV_IDY_SET2);
    IDXDY.SetDim(QV_IDXDY_SET1, QV_IDXDY_SET2);
    QV_ModelTypeEx2::SetDims();
}

// The index sets follow the two domains' last nodes and interiors and this object's derivative
// orders and integrals; pass 1 rebuilds them from what pass 0 assigned. A direction whose
// domain is not linked has no grid: every set along it is empty.
long QV_DISTRIBUTION2D::ExecuteAssignments0(int a, int b, long) {
    using norvane::ScaledEnd;
    using norvane::SetForm;
    const long r = QV_ModelTypeEx2::ExecuteAssignments(a - 1, b);
    const bool xLinked = XDOMAIN.ExternalLink() != nullptr;
    const bool yLinked = YDOMAIN.ExternalLink() != nullptr;
    for (int pass = 0;; ++pass) {
        const int xEnd = xLinked ? (*XDOMAIN).ENDNODE.v() : -1;
        const int yEnd = yLinked ? (*YDOMAIN).ENDNODE.v() : -1;
        auto xRange = [xLinked](int low, int high) {
            return xLinked ? QV_IntSetValue(low, high) : QV_IntSetValue(nullptr);
        };
        auto closed = [](QV_External<QV_DOMAIN>& domain, bool linked) {
            if (!linked) return QV_IntSetValue(nullptr);
            const norvane::ClosedInterior nodes((*domain).INTERIOR.v(), (*domain).ENDNODE.v());
            return QV_IntSetValue(nodes.value());
        };
        // A set along X keeps the nodes of X's grid, one along Y those of Y's (grid_nodes.h).
        auto initialise = [&](QV_INTEGERSET& set, const QV_SetValue& nodes, int end, int number,
                              SetForm form = SetForm::Range) {
            QV_Value tagged = norvane::GridSetValue(nodes, end, form, b, a, number);
            InitialiseInternalIndexSet(set, &tagged, pass);
        };
        auto has = [this](const char* name) { return StringInSet(name, INTEGRALS.v()) != 0; };
        const int fx1 = HIGHESTORDERXDERIVATIVEUSED.v() > 0 ? 1 : 0;
        const int fx2 = HIGHESTORDERXDERIVATIVEUSED.v() > 1 ? 1 : 0;
        const int fy1 = HIGHESTORDERYDERIVATIVEUSED.v() > 0 ? 1 : 0;
        const int fy2 = HIGHESTORDERYDERIVATIVEUSED.v() > 1 ? 1 : 0;
        const QV_IntSetValue yAll = yLinked ? QV_IntSetValue(0, yEnd) : QV_IntSetValue(nullptr);

        initialise(QV_VALUE_SET1, xRange(0, xEnd), xEnd, 1);
        initialise(QV_VALUE_SET2, yAll, yEnd, 2);
        initialise(QV_DDX_SET1, xRange(0, ScaledEnd(xEnd, fx1)), xEnd, 3);
        initialise(QV_DDX_SET2, yAll, yEnd, 4);
        initialise(QV_DDY_SET1, xRange(0, ScaledEnd(xEnd, fy1)), xEnd, 5);
        initialise(QV_DDY_SET2, yAll, yEnd, 6);
        QV_IntSetValue xInterior = xRange(1, ScaledEnd(xEnd, fx2));
        if (xLinked) xInterior *= (*XDOMAIN).INTERIOR.v();
        initialise(QV_D2DX2_SET1, xInterior, xEnd, 7, SetForm::Combined);
        initialise(QV_D2DX2_SET2, closed(YDOMAIN, yLinked), yEnd, 8, SetForm::Combined);
        QV_IntSetValue xClosed = xRange(0, ScaledEnd(xEnd, fy2));
        xClosed *= closed(XDOMAIN, xLinked);
        initialise(QV_D2DY2_SET1, xClosed, xEnd, 9, SetForm::Combined);
        const int fIdx = has("idx") || has("idxdy") ? 1 : 0;
        initialise(QV_IDX_SET1, xRange(0, ScaledEnd(xEnd, 2 * fIdx - 1)), xEnd, 10);
        initialise(QV_IDX_SET2, yAll, yEnd, 11);
        initialise(QV_IDY_SET1, xRange(0, ScaledEnd(xEnd, 2 * (has("idy") ? 1 : 0) - 1)), xEnd, 12);
        initialise(QV_IDY_SET2, yAll, yEnd, 13);
        initialise(QV_IDXDY_SET1, xRange(0, ScaledEnd(xEnd, 2 * (has("idxdy") ? 1 : 0) - 1)), xEnd,
                   14);
        initialise(QV_IDXDY_SET2, yAll, yEnd, 15);
        if (pass != 0) return r;

        if (xLinked) {
            QV_Value order((*XDOMAIN).HIGHESTORDERDERIVATIVE.v(), b, a, 16);
            HIGHESTORDERXDERIVATIVE.Assign(&order);
        }
        if (yLinked) {
            QV_Value order((*YDOMAIN).HIGHESTORDERDERIVATIVE.v(), b, a, 17);
            HIGHESTORDERYDERIVATIVE.Assign(&order);
        }
        QV_Value xUsed(HIGHESTORDERXDERIVATIVE.v(), b, a, 18);
        HIGHESTORDERXDERIVATIVEUSED.Assign(&xUsed);
        QV_Value yUsed(HIGHESTORDERYDERIVATIVE.v(), b, a, 19);
        HIGHESTORDERYDERIVATIVEUSED.Assign(&yUsed);
        QV_Value none("None", b, a, 20);
        INTEGRALS.Assign(&none);
    }
}

QV_DEFINE_GENERATED_COMMON(QV_DISTRIBUTION2D, QV_ModelTypeEx2, "Model DISTRIBUTION2D\tV8.8")
QV_DEFINE_CREATABLE(DISTRIBUTION2D, QV_DISTRIBUTION2D)

// The Jacobian data block that the host reads: this type keeps no data of its own there.
extern "C" {
NORVANE_API extern const int _JacDataDISTRIBUTION2D[1];
const int _JacDataDISTRIBUTION2D[1] = {0};
}
