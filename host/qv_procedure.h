// Procedures: model equations whose values an external routine computes. A procedure class
// (built on QV_ProcedureType_C) lists its arguments twice, a counting pass and a filling pass;
// the host provides its storage when the counting pass ends, loads the procedure library that
// DLLName() names, finds the routine that ProcedureName() names in it, and judges each call.
//
// Rules that procedure classes rely on:
// - TypeSize: integer codes 2 and 3 take 4 bytes, real code 4 takes 8, string code 5 takes 40
//   (a C string slot: at most 39 characters and a NUL); any other code 0.
// - C rules: LanguageBaseIndex() 0, IsFortran() false.
// - HandleDerivatives(false), at the end of the counting pass, sets m_nDerivCount to
//   m_nOutputVars x m_nInputs. FinalizeConstruction then provides m_pValues (zeroed, at least
//   the words asked for and one per output value behind the outputs' offset), m_ppVars (room
//   for every element counted, null until filled), m_pDerivatives (m_nDerivCount entries) and
//   m_pDerivMatrix (m_nOutputVars x m_nInputs entries, zeroed; none after
//   SetProvidesDerivativeStorage(false)), and sets m_nOutputs to m_nOutputVars. When any of
//   them cannot be allocated, none is kept: StorageStatus() then reports StatusNoStorage. The
//   host's destructor releases them; copies copy them deep.
// - Where the host gave no m_pDerivMatrix, a procedure may put there storage of its own of
//   m_nOutputVars x m_nInputs entries, as the filling pass counted them. The host writes it
//   and never copies or releases it: the procedure takes it out again before the host's
//   storage is released or assigned.
// - HandleDerivatives(true), after a call with derivatives, leaves in m_pDerivMatrix the
//   routine's derivatives (m_pDerivatives, dense and row-major) with their sign turned.
// - The packers take their elements from m_ppVarCursor, never past the element list, and set
//   m_bCallNeeded when a value they store differs from what the buffer held.
// - EnsureCompatibleDLLLoaded loads the library as qv_procedure_library.h says.
//   GetProcedure13Address gives the routine or null; the host remembers which.
// - CheckIFailAndOutputs: a failure flag of 0 is success (status 0), unless the routine was
//   not found or, when asked with true, an output value is not finite; any other flag gives
//   StatusRoutineFailed. An accepted call (status 0 or more) becomes the latest call; a
//   rejected one leaves no call standing, so that LastCall(t) is true only after an accepted
//   call of type t, and LastCall(-1) while none stands.
// - A procedure belongs to whoever made it; models that register its equations or its call
//   keep plain pointers to it.
#pragma once

#include "host/qv_model.h"
#include "host/qv_procedure_library.h"

class QV_ProcedureType;

// One constant argument of a procedure: an integer, a real or a text (the caller's pointer,
// not a copy). Copied as plain bytes; has nothing to release.
class QVCORE_API ConstProcValue {
public:
    ConstProcValue();
    ConstProcValue& operator=(int value);
    ConstProcValue& operator=(double value);
    ConstProcValue& operator=(const char* value);
    // The value in the form asked for: a real truncated (0 when no int holds it), an integer
    // widened; "" for a value that is not a text.
    int Integer() const;
    double Real() const;
    const char* String() const;

private:
    enum Kind : int { None, IntegerValue, RealValue, TextValue } m_kind;
    int m_integer;
    double m_real;
    const char* m_text;
};

// The host's record of a procedure's routine: the library it lies in.
struct DLLFunction {
    qvhost::ProcedureLibrary* library;
};

// What an incremental update of the host follows: variables that change outside the solver.
class QVCORE_API QV_IncrementalUpdate {
public:
    virtual ~QV_IncrementalUpdate();
    // Whether the update takes `variable` into account (true unless a subclass says not).
    virtual bool IncludesVariable(QV_VarParam* variable);
    // Told that a procedure wrote a new value into `variable`.
    virtual void VariableChanged(QV_VarParam* variable, int how);
};

class QVCORE_API QV_ProcedureType : public QV_PtrVectorObject {
public:
    // The kinds of call, spoken of by number: 0 residuals, 1 pre-call, 2 a further kind,
    // 3 Jacobian, 4 residuals with derivatives; -1 stands for no call.
    enum CallType : int {
        NoCall = -1,
        ResidualCall = 0,
        PreCall = 1,
        OtherCall = 2,
        JacobianCall = 3,
        DerivativeCall = 4
    };
    // Statuses of the host's procedure operations: 0 or more success, negative failure.
    enum Status : int {
        StatusDone = 0,
        StatusRoutineFailed = -1,  // the routine set a non-zero failure flag
        StatusLibraryMissing = -2, // the procedure library could not be loaded
        StatusRoutineMissing = -3, // the library has no such routine: it was not called
        StatusBadOutput = -4,      // the routine gave an output that is not a finite number
        StatusNoStorage = -5,      // the host or the procedure could not allocate its storage
        StatusUnbound = -6         // the argument list is incomplete or disagrees with itself
    };
    static const char* StatusText(int status);
    // Bytes of one string slot in the packed value buffer.
    static constexpr int StringSlotBytes = 40;
    // The highest compatibility level that EnsureCompatibleDLLLoaded accepts.
    static constexpr int CompatibilityLevel = 4;

    QV_ProcedureType();
    QV_ProcedureType(const QV_ProcedureType& other);
    QV_ProcedureType& operator=(const QV_ProcedureType& other);
    ~QV_ProcedureType() override;

    // A procedure's table holds its own AddRef, Release and Destroy; it counts its references
    // as every object of the tree does.
    unsigned long AddRef() override;
    unsigned long Release() override;
    void Destroy() override;
    virtual const char* ProcedureName() const = 0;
    virtual const char* DLLName() const = 0;
    virtual QV_COMPONENTLISTNAME* ComponentListName() const;
    virtual int Jacobian(double* values, int& index);
    virtual int Residuals(double* residuals, int& index);
    virtual int Precall(bool flag);
    virtual int Postcall(bool flag);
    // Output element k (from 0) as a variable; null when there is no such element or it is
    // no variable.
    virtual QV_Variable* OutputVar(int k) const;
    virtual void InitializeCStrings();

    void SetMode(bool flag, int mode);
    int TypeSize(int type) const;
    bool LastCall(CallType type) const;
    static bool AlwaysCall();
    bool PresetOutputs() const;
    static bool PostsetInputs();
    int EnsureCompatibleDLLLoaded(int level);
    QV_ProcedureRoutine GetProcedure13Address(DLLFunction* function);
    int CheckIFailAndOutputs(int failure, CallType type, bool checkOutputs);
    QV_IncrementalUpdate* UpdateController() const;
    bool PackIntegerArray(int* word, int dimensions, const int* sizes);
    bool PackRealArray(double* word, int dimensions, const int* sizes);

    // The host's settings and records, for its driver and its tests.
    static void SetAlwaysCall(bool always);
    static void SetPostsetInputs(bool postset);
    // false: FinalizeConstruction gives no derivative storage (m_pDerivMatrix stays null), as a
    // host that leaves it to the procedure would. True at start.
    static void SetProvidesDerivativeStorage(bool provides);
    void SetPresetOutputs(bool preset);
    void SetComponentList(QV_COMPONENTLISTNAME* list);
    void SetUpdateController(QV_IncrementalUpdate* controller);
    bool ModeFlag() const;
    int Mode() const;
    int LastFailureFlag() const; // as the latest judged call left it
    int LastStatus() const;      // of the latest judged call
    int JudgedCalls() const;     // CheckIFailAndOutputs calls
    int ValueWords() const;
    int OutputOffset() const; // in words, from the buffer's start
    const double* Values() const;
    const double* DerivativeMatrix() const;
    int InputValueCount() const;
    int InputElementCount() const;
    int OutputElementCount() const;
    int FreeInputCount() const;
    int DerivativeCount() const;

protected:
    // Fields that procedure classes read and write in place.
    double* m_pValues;
    double* m_pDerivMatrix;
    double* m_pDerivatives;
    double* m_pRoutineArg9;
    int m_nRoutineArg10;
    int m_nDerivCount;
    DLLFunction* m_pFunction;
    int m_nRoutineArg8;
    int m_nFreeInputs;
    int m_nInputVars;
    int m_nOutputs;
    int m_nInputs;
    int m_nOutputVars;
    QV_VarParam** m_ppVars;
    QV_VarParam** m_ppVarCursor;
    bool m_bHostFlag;
    bool m_bCallNeeded;

    // Provides the storage from the counts (see the rules above); `outputOffset` is where the
    // output values start, in words, `words` the buffer's length.
    void AllocateStorage(int outputOffset, int words);
    void ReleaseStorage();
    // false: counts the derivative entries; true: stores the routine's derivatives negated.
    void TakeDerivatives(bool negate);
    // The element at the packing cursor, which moves on; null at the end of the list.
    QV_VarParam* NextElement();
    // The number of elements that `dimensions` sizes from `sizes` give (negative sizes as 0).
    static long long ElementCount(int dimensions, const int* sizes);

private:
    void CopyFrom(const QV_ProcedureType& other);
    template <class T, class Read>
    bool PackElements(T* word, int dimensions, const int* sizes, Read read);

    int m_valueWords;
    int m_outputOffset;
    int m_elementRoom;
    int m_matrixEntries;
    int m_lastCall;
    int m_lastFailure;
    int m_lastStatus;
    int m_judgedCalls;
    int m_mode;
    bool m_modeFlag;
    bool m_routineMissing;
    bool m_presetOutputs;
    QV_COMPONENTLISTNAME* m_componentList;
    QV_IncrementalUpdate* m_updateController;
};

// A procedure whose routine follows C rules (or Fortran's, which this host does not use).
class QVCORE_API QV_ProcedureType_C : public QV_ProcedureType {
public:
    QV_ProcedureType_C();
    QV_ProcedureType_C(const QV_ProcedureType_C& other);
    QV_ProcedureType_C& operator=(const QV_ProcedureType_C& other);
    ~QV_ProcedureType_C() override;

    // Bytes of one entry of the character-pointer table of a string array under C rules.
    static constexpr int StringTableEntryBytes = static_cast<int>(sizeof(char*));

    int LanguageBaseIndex() const;
    bool IsFortran() const;
    void HandleDerivatives(bool negate);
    // Stores the text in the 40-byte slot at `word`, NUL-terminated and NUL-filled.
    bool PackStr(char* word, const char* text);
    // Strings from the element list: under C rules a table of one character pointer per
    // string at `word`, the slots after it (see InitializeCStrings of a procedure).
    bool PackStringArray(char* word, int dimensions, const int* sizes);

protected:
    void FinalizeConstruction(int outputOffset, int words);
};
