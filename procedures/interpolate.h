// QVProc_INTERPOLATE: the procedure through which a model calls the routine "INTERP" of the
// procedure library "QVNorvane". Four inputs, a real (the point), two real vectors (the
// table's abscissae and ordinates) and an integer (what happens outside the table), and one
// real output (the interpolated value), with its derivatives with respect to the inputs.
// Nothing in this library creates one: a model's generated code constructs it, lists its
// arguments and creates its equations through the exported members.
#pragma once

#include "framework/library_api.h"
#include "procedures/procedure_template.h"

class QVProc_INTERPOLATE;
using QV_InterpolateTemplate =
    QV_ProcedureTemplate<QVProc_INTERPOLATE, 4, 1, 2, QV_ProcedureType_C, 4>;

class NORVANE_CLASS QVProc_INTERPOLATE : public QV_InterpolateTemplate {
public:
    // Hands `flag` and `mode` to the host's SetMode once the object is complete.
    QVProc_INTERPOLATE(bool flag, int mode);
    QVProc_INTERPOLATE(const QVProc_INTERPOLATE& other);
    QVProc_INTERPOLATE& operator=(const QVProc_INTERPOLATE& other);
    ~QVProc_INTERPOLATE() override;

    // The signature: per argument its number of dimensions, its type code (2, 3 integer,
    // 4 real, 5 string) and whether a call writes it back; the routine returns derivatives.
    // Each table is a static local of an inline function, which gives it a global symbol:
    // the library exports the three tables as data with the class. `used` keeps the
    // functions themselves emitted, and so exported, though every caller inlines them.
    [[gnu::used]] static int Dimensions(int i) {
        static const unsigned char nDims[] = {0, 1, 1, 0, 0};
        return nDims[i];
    }
    [[gnu::used]] static int Type(int i) {
        static const unsigned char iTypes[] = {4, 4, 4, 2, 4};
        return iTypes[i];
    }
    [[gnu::used]] static bool IsVariableInput(int i) {
        static const bool bIsVar[] = {false, false, false, false, false};
        return bIsVar[i];
    }
    static bool ReturnsDerivatives();

    const char* ProcedureName() const override;
    const char* DLLName() const override;
    int Precall(bool flag) override;
    void CreateDerivatives();
    void NegateDerivatives();
};
