// The procedure template: everything a procedure of the host does with its arguments, written
// once for any procedure class. The procedure class (Proc) gives the signature as statics
// (Dimensions, Type, IsVariableInput, ReturnsDerivatives), its routine's ProcedureName and
// DLLName, Precall, CreateDerivatives and NegateDerivatives; the template lays out the packed
// value buffer, lists the arguments, packs them, calls the routine, writes residuals and
// Jacobian rows and creates the procedure's equations. Its member definitions are in
// procedure_template_*.h; procedure_template_all.h gathers them for an instantiation.
//
// Template arguments: the procedure class, the numbers of inputs and outputs, the number of
// dimension sizes that all the arguments have together, the host base class, and the
// compatibility level that the procedure library must meet.
//
// A procedure lists its arguments twice: the counting pass on a new object, closed by
// LastArgument(), then the filling pass with the same calls. Listing beyond the signature (a
// further argument, a dimension size that its argument does not have) is ignored; elements
// of a filling pass beyond what the counting pass counted are counted but not stored. Before
// any call the template checks that the listing is complete and agrees with the layout and
// with the host's storage, argument by argument (an element listed under the wrong argument
// is no element of the right one); when it is not, the call is refused with a negative status
// and nothing is packed, called or read. Such a listing has no rows: the owner's counting pass
// counts no equation and no non-zero for it, its equation pass makes none and registers its
// call as null, and Residuals and Jacobian write nothing and leave the index where it was.
// Otherwise each output element is one row, counted, made and written alike.
//
// The character-pointer tables of string arrays hold addresses in the packed value buffer:
// they are pointed at the buffer whenever it gets an address (the end of the counting pass, a
// copy, an assignment), as well as when the host calls InitializeCStrings. Where the host
// gives no derivative storage, the procedure makes its own before the first call that reaches
// the routine and releases it; when it cannot, the call is refused for lack of storage.
#pragma once

#include "host/qvcore.h"

template <class Proc, int Inputs, int Outputs, int DimensionSizes, class Base, int Level>
class QV_ProcedureTemplate : public Base {
public:
    QV_ProcedureTemplate();
    QV_ProcedureTemplate(const QV_ProcedureTemplate& other);
    QV_ProcedureTemplate& operator=(const QV_ProcedureTemplate& other);
    ~QV_ProcedureTemplate() override;

    static int InputArgs() { return Inputs; }
    static int OutputArgs() { return Outputs; }
    static int TotalArgs() { return Inputs + Outputs; }

    // The argument list (both passes).
    void Argument(QV_IntegerSetIter& iterator);
    void Argument(QV_StringSetIter& iterator);
    void Argument(QV_VarParam& variable);
    void Argument(int value);
    void Argument(double value);
    void Argument(const char* text);
    void Argument();
    bool ByReference(int i) const;
    void SetArg(bool byReference);
    void SetOffset(int words);
    void Element(QV_VarParam& variable);
    void SetDimensionSize(int size);
    void LastArgument();

    int GetOffset(int i) const;
    const int* GetOffsets(int i) const;
    int GetIntegerArg(int i) const;
    double GetRealArg(int i) const;
    const char* GetStringArg(int i) const;

    // Packing into the packed value buffer, and writing inputs back after a call.
    void PackInputVars();
    void PackOutputVars();
    bool PackVal(int value);
    bool PackVal(double value);
    bool PackVal(const char* text);
    bool PackVarInteger();
    bool PackVarReal();
    bool PackVarString();
    void UnpackInputVars();
    void InitializeCStrings() override;

    // The call of the routine, and what the host asks of a procedure.
    int CallFn(QV_ProcedureType::CallType type, bool flag);
    int Residuals(double* residuals, int& index) override;
    int Jacobian(double* values, int& index) override;

    // The procedure's part of its owner's equation passes.
    int NZAndEqnContribution(QV_ModelTypeEx* owner, int group, int& equationCount);
    int NZAndEqnContribution(QV_StructureTypeEx* owner, int group, int& equationCount);
    void CreateEquationsAndSetGroup(int group, int kind, int*& rows, int*& cols, int& equationCount,
                                    QV_ModelTypeEx* owner, const char* source, int line);
    void CreateEquationsAndSetGroup(int group, int kind, int*& rows, int*& cols, int& equationCount,
                                    QV_StructureTypeEx* owner, const char* source, int line);

private:
    Proc* P() { return static_cast<Proc*>(this); }
    const Proc* P() const { return static_cast<const Proc*>(this); }

    // How the template meets the host's storage and the argument list.
    int BindingStatus() const;
    // The host's storage as the end of the counting pass asked for it: StatusDone when it
    // exists and the filling pass listed exactly the elements and input values counted, each
    // element present; else StatusNoStorage (none) or StatusUnbound.
    int StorageStatus() const;
    // Stores `element` in entry `index` of the element list; false, storing nothing, when the
    // list has no such entry.
    bool StoreElement(long long index, QV_VarParam* element);
    // The element at the packing cursor, which moves on; null at the end of the list.
    QV_VarParam* NextElement();
    // The number of elements that `dimensions` sizes from `sizes` give (negative sizes as 0).
    static long long ElementCount(int dimensions, const int* sizes);
    // The rows of the procedure's equations, one per output element; none while the argument
    // list is incomplete or the host's storage missing, when no equation is made either.
    int Rows() const { return BindingStatus() >= 0 ? this->m_nOutputVars : 0; }
    bool BuildDerivativePattern();
    bool ProvideDerivativeStorage();
    void ReleaseOwnBuffers();
    void CopyFields(const QV_ProcedureTemplate& other);
    template <class Owner> int Contribution(Owner* owner, int group, int& equationCount);
    template <class Owner>
    void CreateEquations(int group, int kind, int*& rows, int*& cols, int& equationCount,
                         Owner* owner, const char* source, int line);
    // Visits the arguments `first` to `last` - 1 with their numbers of dimensions and of
    // elements (the product of their sizes, 1 for a scalar). Needs a sound layout.
    template <class Visit> void ForEachArgument(int first, int last, Visit visit) const;
    // One walk over the input values for the Jacobian: constants, fixed and free elements.
    template <class Visit> void WalkInputValues(Visit visit) const;
    void WriteStoredRows(double* values, int& index) const;
    int WriteDifferenceRows(double* values, int& index, int status);
    static double DifferenceStep(const QV_VarParam& variable, double& perturbed);
    static double DifferenceQuotient(double difference, double step);
    template <class T> bool PackScalar(T value);
    template <class PackArray, class PackOne> bool PackVariable(PackArray array, PackOne one);
    template <class T> void TakeValue(QV_VarParam& variable, T value, QV_Value& scratch);
    template <class T> void WriteBack(QV_VarParam& variable, T value, QV_Value& scratch);
    void AddWords(long long bytes);

    int m_nArgElements = 0;
    int m_nDimsLeft = 0;
    int m_nDimCursor = 0;
    int m_nFirstOutputDim = 0;
    int m_aDimSizes[DimensionSizes + 1] = {};
    int m_nCurrentArg = -1;
    int m_nBufferWords = 0;
    int m_aOffsets[Inputs + Outputs] = {};
    double* m_pSavedOutputs = nullptr;
    bool m_bCountingPass = true;
    bool m_abByRef[Inputs + Outputs] = {};
    ConstProcValue m_aConstArgs[Inputs + Outputs];
    int* m_pDerivRows = nullptr;
    int* m_pDerivCols = nullptr;
    bool m_bOutputsFresh = true;
    // What the procedure keeps beyond the fields above, to check every call against its
    // listing. The elements that the current pass listed under each argument.
    int m_aListedElements[Inputs + Outputs] = {};
    // The derivative storage that the procedure made where the host gave none.
    double* m_pOwnDerivMatrix = nullptr;
    // False once the counting pass missed an argument or a dimension size, or its buffer
    // grew beyond what an int counts.
    bool m_bLayoutSound = true;
    // What the counting pass counted when it handed its totals to the host: the room of the
    // element list that the host provides, and the input values.
    long long m_nElementRoom = 0;
    int m_nCountedInputs = 0;
};

// The head of a member definition of the template, in procedure_template_*.h.
#define QV_PROCEDURE_TEMPLATE                                                                      \
    template <class Proc, int Inputs, int Outputs, int DimensionSizes, class Base, int Level>
#define QV_PROCEDURE QV_ProcedureTemplate<Proc, Inputs, Outputs, DimensionSizes, Base, Level>
