#include "types/distribution1d/distribution1d.h"

#include "types/scheme/grid_nodes.h"
#include "types/scheme/range_bound.h"

QV_DISTRIBUTION1D::QV_DISTRIBUTION1D(bool construct)
    : XDOMAIN(), VALUE(), QV_VALUE_SET1(), USERNOTES(true), INPUTSIGNAL(true), OUTPUTSIGNAL(true),
      HIGHESTORDERXDERIVATIVE(true), HIGHESTORDERXDERIVATIVEUSED(true), INTEGRALS(true), DDX(),
      QV_DDX_SET1(), D2DX2(), QV_D2DX2_SET1(), IDX(), QV_IDX_SET1() {
    if (construct) Construct();
}

void QV_DISTRIBUTION1D::Construct() {
    XDOMAIN.AddProperty(this, "XDOMAIN", nullptr, QV_Direction_None, false);
    QV_VALUE_SET1.AddProperty(this, "QV_VALUE_SET1", nullptr, QV_Direction_None, false);
    VALUE.AddProperty(this, "VALUE", "Variable value at a node point", QV_Direction_None, false);
    USERNOTES.AddProperty(this, "USERNOTES", nullptr, QV_Direction_None, false);
    INPUTSIGNAL.AddProperty(this, "INPUTSIGNAL", nullptr, QV_Direction_Input, false)
        ->UnsetIsToBeExported();
    OUTPUTSIGNAL.AddProperty(this, "OUTPUTSIGNAL", nullptr, QV_Direction_Output, false)
        ->UnsetIsToBeExported();
    HIGHESTORDERXDERIVATIVE.AddProperty(this, "HIGHESTORDERXDERIVATIVE", nullptr, QV_Direction_None,
                                        false);
    HIGHESTORDERXDERIVATIVEUSED.AddProperty(this, "HIGHESTORDERXDERIVATIVEUSED", nullptr,
                                            QV_Direction_None, false);
    INTEGRALS.AddProperty(this, "INTEGRALS", "Integrals to be calculated. Valid value: idx",
                          QV_Direction_None, false);
    QV_DDX_SET1.AddProperty(this, "QV_DDX_SET1", nullptr, QV_Direction_None, false);
    DDX.AddProperty(this, "DDX", "1st-order partial deriv wrt x", QV_Direction_None, false);
    QV_D2DX2_SET1.AddProperty(this, "QV_D2DX2_SET1", nullptr, QV_Direction_None, false);
    D2DX2.AddProperty(this, "D2DX2", "2nd-order partial deriv wrt x", QV_Direction_None, false);
    QV_IDX_SET1.AddProperty(this, "QV_IDX_SET1", nullptr, QV_Direction_None, false);
    IDX.AddProperty(this, "IDX", "integral of distributed variable over X domain",
                    QV_Direction_None, false);
}

void QV_DISTRIBUTION1D::SetDims() {
    (*VALUE).SetDim(QV_VALUE_SET1);
    DDX.SetDim(QV_DDX_SET1);
    D2DX2.SetDim(QV_D2DX2_SET1);
    IDX.SetDim(QV_IDX_SET1);
    QV_ModelTypeEx2::SetDims();
}

// The index sets follow the domain's last node and interior and this object's derivative order
// and integrals; pass 1 rebuilds them from what pass 0 assigned. Without a linked domain there
// is no grid: the sets are emptied and the derivative order is not copied. Every set keeps only
// nodes of the grid (grid_nodes.h).
long QV_DISTRIBUTION1D::ExecuteAssignments0(int a, int b, long) {
    const long r = QV_ModelTypeEx2::ExecuteAssignments(a - 1, b);
    for (int pass = 0;; ++pass) {
        const bool linked = XDOMAIN.ExternalLink() != nullptr;
        auto range = [linked](int low, int high) {
            return linked ? QV_IntSetValue(low, high) : QV_IntSetValue(nullptr);
        };
        const int end = linked ? (*XDOMAIN).ENDNODE.v() : 0;
        auto initialise = [&](QV_INTEGERSET& set, const QV_SetValue& nodes, int number,
                              norvane::SetForm form = norvane::SetForm::Range) {
            QV_Value tagged = norvane::GridSetValue(nodes, end, form, b, a, number);
            InitialiseInternalIndexSet(set, &tagged, pass);
        };

        initialise(QV_VALUE_SET1, range(0, end), 1);
        const int first = HIGHESTORDERXDERIVATIVEUSED.v() > 0 ? 1 : 0;
        initialise(QV_DDX_SET1, range(0, norvane::ScaledEnd(end, first)), 2);
        const int second = HIGHESTORDERXDERIVATIVEUSED.v() > 1 ? 1 : 0;
        QV_IntSetValue interiorNodes = range(1, norvane::ScaledEnd(end, second));
        if (linked) interiorNodes *= (*XDOMAIN).INTERIOR.v();
        initialise(QV_D2DX2_SET1, interiorNodes, 3, norvane::SetForm::Combined);
        const int integrals = StringInSet("idx", INTEGRALS.v());
        initialise(QV_IDX_SET1, range(0, norvane::ScaledEnd(end, 2 * integrals - 1)), 4);

        if (pass != 0) return r;

        if (linked) {
            QV_Value order((*XDOMAIN).HIGHESTORDERDERIVATIVE.v(), b, a, 5);
            HIGHESTORDERXDERIVATIVE.Assign(&order);
        }
        QV_Value used(HIGHESTORDERXDERIVATIVE.v(), b, a, 6);
        HIGHESTORDERXDERIVATIVEUSED.Assign(&used);
        QV_Value none("None", b, a, 7);
        INTEGRALS.Assign(&none);
    }
}

QV_DEFINE_GENERATED_COMMON(QV_DISTRIBUTION1D, QV_ModelTypeEx2, "Model DISTRIBUTION1D\tV8.8")
QV_DEFINE_CREATABLE(DISTRIBUTION1D, QV_DISTRIBUTION1D)
