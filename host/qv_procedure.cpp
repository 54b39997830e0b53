#include "host/qv_procedure.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "host/qv_memory.h"

namespace {

bool g_alwaysCall = false;
bool g_postsetInputs = true;
bool g_providesDerivativeStorage = true;

// A zeroed block of `count` entries of `size` bytes; null when empty, too large or refused.
void* ZeroedBlock(long long count, std::size_t size, bool& refused) {
    if (count <= 0) return nullptr;
    if (count > static_cast<long long>(INT_MAX / size)) {
        refused = true;
        return nullptr;
    }
    const unsigned bytes = static_cast<unsigned>(count * static_cast<long long>(size));
    void* block = MyAllocate(bytes);
    if (block)
        std::memset(block, 0, bytes);
    else
        refused = true;
    return block;
}

template <class T> T* Duplicate(const T* source, long long count, bool& refused) {
    if (!source) return nullptr;
    T* copy = static_cast<T*>(ZeroedBlock(count, sizeof(T), refused));
    if (copy) std::memcpy(copy, source, static_cast<std::size_t>(count) * sizeof(T));
    return copy;
}

} // namespace

ConstProcValue::ConstProcValue() : m_kind(None), m_integer(0), m_real(0.0), m_text(nullptr) {}
ConstProcValue& ConstProcValue::operator=(int value) {
    m_kind = IntegerValue;
    m_integer = value;
    return *this;
}
ConstProcValue& ConstProcValue::operator=(double value) {
    m_kind = RealValue;
    m_real = value;
    return *this;
}
ConstProcValue& ConstProcValue::operator=(const char* value) {
    m_kind = TextValue;
    m_text = value;
    return *this;
}
int ConstProcValue::Integer() const {
    if (m_kind == IntegerValue) return m_integer;
    if (m_kind == RealValue && m_real >= INT_MIN && m_real <= INT_MAX)
        return static_cast<int>(m_real);
    return 0;
}
double ConstProcValue::Real() const {
    if (m_kind == IntegerValue) return m_integer;
    return m_kind == RealValue ? m_real : 0.0;
}
const char* ConstProcValue::String() const {
    return m_kind == TextValue && m_text ? m_text : "";
}

QV_IncrementalUpdate::~QV_IncrementalUpdate() = default;
bool QV_IncrementalUpdate::IncludesVariable(QV_VarParam*) {
    return true;
}
void QV_IncrementalUpdate::VariableChanged(QV_VarParam*, int) {}

const char* QV_ProcedureType::StatusText(int status) {
    switch (status) {
    case StatusRoutineFailed:
        return "the routine reported failure";
    case StatusLibraryMissing:
        return "the procedure library could not be loaded";
    case StatusRoutineMissing:
        return "the procedure library has no such routine";
    case StatusBadOutput:
        return "the routine gave an output that is not a finite number";
    case StatusNoStorage:
        return "storage could not be allocated";
    case StatusUnbound:
        return "the argument list is incomplete";
    default:
        return status >= 0 ? "done" : "failed";
    }
}

QV_ProcedureType::QV_ProcedureType()
    : m_pValues(nullptr), m_pDerivMatrix(nullptr), m_pDerivatives(nullptr), m_pRoutineArg9(nullptr),
      m_nRoutineArg10(0), m_nDerivCount(0), m_pFunction(nullptr), m_nRoutineArg8(0),
      m_nFreeInputs(0), m_nInputVars(0), m_nOutputs(0), m_nInputs(0), m_nOutputVars(0),
      m_ppVars(nullptr), m_ppVarCursor(nullptr), m_bHostFlag(true), m_bCallNeeded(true),
      m_valueWords(0), m_outputOffset(0), m_elementRoom(0), m_matrixEntries(0), m_lastCall(NoCall),
      m_lastFailure(1), m_lastStatus(StatusDone), m_judgedCalls(0), m_mode(0), m_modeFlag(false),
      m_routineMissing(false), m_presetOutputs(false), m_componentList(nullptr),
      m_updateController(nullptr) {}

QV_ProcedureType::QV_ProcedureType(const QV_ProcedureType& other)
    : QV_PtrVectorObject(other), m_pValues(nullptr), m_pDerivMatrix(nullptr),
      m_pDerivatives(nullptr), m_pFunction(nullptr), m_ppVars(nullptr), m_ppVarCursor(nullptr) {
    CopyFrom(other);
}

QV_ProcedureType& QV_ProcedureType::operator=(const QV_ProcedureType& other) {
    if (this != &other) {
        ReleaseStorage();
        MyFree(m_pFunction);
        m_pFunction = nullptr;
        CopyFrom(other);
    }
    return *this;
}

QV_ProcedureType::~QV_ProcedureType() {
    ReleaseStorage();
    MyFree(m_pFunction);
}

// Everything but the routine's record, which a copy finds again; storage is copied deep, and
// a copy that cannot get all of it keeps none.
void QV_ProcedureType::CopyFrom(const QV_ProcedureType& o) {
    m_pRoutineArg9 = o.m_pRoutineArg9;
    m_nRoutineArg10 = o.m_nRoutineArg10;
    m_nDerivCount = o.m_nDerivCount;
    m_nRoutineArg8 = o.m_nRoutineArg8;
    m_nFreeInputs = o.m_nFreeInputs;
    m_nInputVars = o.m_nInputVars;
    m_nOutputs = o.m_nOutputs;
    m_nInputs = o.m_nInputs;
    m_nOutputVars = o.m_nOutputVars;
    m_bHostFlag = o.m_bHostFlag;
    m_bCallNeeded = o.m_bCallNeeded;
    m_valueWords = o.m_valueWords;
    m_outputOffset = o.m_outputOffset;
    m_elementRoom = o.m_elementRoom;
    m_matrixEntries = 0;
    m_lastCall = o.m_lastCall;
    m_lastFailure = o.m_lastFailure;
    m_lastStatus = o.m_lastStatus;
    m_judgedCalls = o.m_judgedCalls;
    m_mode = o.m_mode;
    m_modeFlag = o.m_modeFlag;
    m_routineMissing = o.m_routineMissing;
    m_presetOutputs = o.m_presetOutputs;
    m_componentList = o.m_componentList;
    m_updateController = o.m_updateController;

    bool refused = false;
    m_pValues = Duplicate(o.m_pValues, o.m_valueWords, refused);
    m_ppVars = Duplicate(o.m_ppVars, o.m_elementRoom, refused);
    m_pDerivatives = Duplicate(o.m_pDerivatives, o.m_nDerivCount, refused);
    m_pDerivMatrix = Duplicate(o.m_pDerivMatrix, o.m_matrixEntries, refused);
    m_matrixEntries = m_pDerivMatrix ? o.m_matrixEntries : 0;
    if (refused) ReleaseStorage();
    m_ppVarCursor =
        m_ppVars && o.m_ppVarCursor ? m_ppVars + (o.m_ppVarCursor - o.m_ppVars) : m_ppVars;
}

void QV_ProcedureType::AllocateStorage(int outputOffset, int words) {
    const int derivativeCount = m_nDerivCount;
    ReleaseStorage();
    m_nDerivCount = derivativeCount;
    m_nOutputs = m_nOutputVars;
    m_outputOffset = std::max(outputOffset, 0);
    const long long valueWords =
        std::max<long long>(words, m_outputOffset + static_cast<long long>(m_nOutputs));
    const long long elements = static_cast<long long>(m_nInputVars) + m_nOutputVars;
    const long long matrixEntries = static_cast<long long>(m_nOutputVars) * m_nInputs;
    bool refused = false;
    m_pValues = static_cast<double*>(ZeroedBlock(valueWords, sizeof(double), refused));
    m_ppVars = static_cast<QV_VarParam**>(ZeroedBlock(elements, sizeof(QV_VarParam*), refused));
    m_pDerivatives = static_cast<double*>(ZeroedBlock(m_nDerivCount, sizeof(double), refused));
    if (g_providesDerivativeStorage)
        m_pDerivMatrix = static_cast<double*>(ZeroedBlock(matrixEntries, sizeof(double), refused));
    if (refused || !m_pValues || !m_ppVars) {
        ReleaseStorage();
        return;
    }
    m_valueWords = static_cast<int>(valueWords);
    m_elementRoom = static_cast<int>(elements);
    m_matrixEntries = m_pDerivMatrix ? static_cast<int>(matrixEntries) : 0;
    m_ppVarCursor = m_ppVars;
}

void QV_ProcedureType::ReleaseStorage() {
    MyFree(m_pValues);
    MyFree(m_ppVars);
    MyFree(m_pDerivatives);
    MyFree(m_pDerivMatrix);
    m_pValues = nullptr;
    m_ppVars = nullptr;
    m_ppVarCursor = nullptr;
    m_pDerivatives = nullptr;
    m_pDerivMatrix = nullptr;
    m_valueWords = 0;
    m_elementRoom = 0;
    m_matrixEntries = 0;
    m_nDerivCount = 0;
}

QV_VarParam* QV_ProcedureType::NextElement() {
    if (!m_ppVars || !m_ppVarCursor || m_ppVarCursor >= m_ppVars + m_elementRoom) return nullptr;
    return *m_ppVarCursor++;
}

long long QV_ProcedureType::ElementCount(int dimensions, const int* sizes) {
    long long count = 1;
    for (int d = 0; d < dimensions; ++d)
        count *= sizes[d] > 0 ? sizes[d] : 0;
    return count;
}

unsigned long QV_ProcedureType::AddRef() {
    return QV_PtrVectorObject::AddRef();
}
unsigned long QV_ProcedureType::Release() {
    return QV_PtrVectorObject::Release();
}
void QV_ProcedureType::Destroy() {
    QV_PtrVectorObject::Destroy();
}
QV_COMPONENTLISTNAME* QV_ProcedureType::ComponentListName() const {
    return m_componentList;
}
int QV_ProcedureType::Jacobian(double*, int&) {
    return 0;
}
int QV_ProcedureType::Residuals(double*, int&) {
    return 0;
}
int QV_ProcedureType::Precall(bool) {
    return 0;
}
int QV_ProcedureType::Postcall(bool) {
    return 0;
}
QV_Variable* QV_ProcedureType::OutputVar(int k) const {
    if (!m_ppVars || k < 0 || k >= m_nOutputVars || m_nInputVars + k >= m_elementRoom)
        return nullptr;
    return dynamic_cast<QV_Variable*>(m_ppVars[m_nInputVars + k]);
}
void QV_ProcedureType::InitializeCStrings() {}

void QV_ProcedureType::SetMode(bool flag, int mode) {
    m_modeFlag = flag;
    m_mode = mode;
    m_nRoutineArg10 = mode;
}

int QV_ProcedureType::TypeSize(int type) const {
    switch (type) {
    case 2:
    case 3:
        return 4;
    case 4:
        return 8;
    case 5:
        return StringSlotBytes;
    default:
        return 0;
    }
}

bool QV_ProcedureType::LastCall(CallType type) const {
    return m_lastCall == type;
}
bool QV_ProcedureType::AlwaysCall() {
    return g_alwaysCall;
}
bool QV_ProcedureType::PostsetInputs() {
    return g_postsetInputs;
}
void QV_ProcedureType::SetAlwaysCall(bool always) {
    g_alwaysCall = always;
}
void QV_ProcedureType::SetPostsetInputs(bool postset) {
    g_postsetInputs = postset;
}
void QV_ProcedureType::SetProvidesDerivativeStorage(bool provides) {
    g_providesDerivativeStorage = provides;
}

int QV_ProcedureType::EnsureCompatibleDLLLoaded(int level) {
    m_routineMissing = false;
    if (level > CompatibilityLevel) return StatusLibraryMissing;
    if (!m_pFunction) {
        m_pFunction = static_cast<DLLFunction*>(MyAllocate(sizeof(DLLFunction)));
        if (!m_pFunction) return StatusNoStorage;
        m_pFunction->library = nullptr;
    }
    if (!m_pFunction->library) m_pFunction->library = qvhost::OpenProcedureLibrary(DLLName());
    return m_pFunction->library ? StatusDone : StatusLibraryMissing;
}

QV_ProcedureRoutine QV_ProcedureType::GetProcedure13Address(DLLFunction* function) {
    const QV_ProcedureRoutine routine =
        function ? qvhost::FindRoutine(function->library, ProcedureName()) : nullptr;
    m_routineMissing = routine == nullptr;
    return routine;
}

int QV_ProcedureType::CheckIFailAndOutputs(int failure, CallType type, bool checkOutputs) {
    int status = StatusDone;
    if (m_routineMissing)
        status = StatusRoutineMissing;
    else if (failure != 0)
        status = StatusRoutineFailed;
    else if (checkOutputs && m_pValues)
        for (int k = 0; k < m_nOutputs && m_outputOffset + k < m_valueWords; ++k)
            if (!std::isfinite(m_pValues[m_outputOffset + k])) status = StatusBadOutput;
    m_lastFailure = failure;
    m_lastStatus = status;
    ++m_judgedCalls;
    m_lastCall = status >= 0 ? type : NoCall;
    return status;
}

// Stores each of the array's elements, read by `read` from the next element of the list, into
// its slot of `word`, where it differs from what stands there (NaN always differs).
template <class T, class Read>
bool QV_ProcedureType::PackElements(T* word, int dimensions, const int* sizes, Read read) {
    const long long count = ElementCount(dimensions, sizes);
    for (long long k = 0; k < count; ++k) {
        const QV_VarParam* element = NextElement();
        if (!element) break;
        const T value = read(*element);
        if (!(word[k] == value)) {
            word[k] = value;
            m_bCallNeeded = true;
        }
    }
    return m_bCallNeeded;
}

bool QV_ProcedureType::PackIntegerArray(int* word, int dimensions, const int* sizes) {
    return PackElements(word, dimensions, sizes, [](const QV_VarParam& e) { return e.Integer(); });
}

bool QV_ProcedureType::PackRealArray(double* word, int dimensions, const int* sizes) {
    return PackElements(word, dimensions, sizes, [](const QV_VarParam& e) { return e.Real(); });
}

bool QV_ProcedureType::PresetOutputs() const {
    return m_presetOutputs;
}
QV_IncrementalUpdate* QV_ProcedureType::UpdateController() const {
    return m_updateController;
}
void QV_ProcedureType::SetPresetOutputs(bool preset) {
    m_presetOutputs = preset;
}
void QV_ProcedureType::SetComponentList(QV_COMPONENTLISTNAME* list) {
    m_componentList = list;
}
void QV_ProcedureType::SetUpdateController(QV_IncrementalUpdate* controller) {
    m_updateController = controller;
}
bool QV_ProcedureType::ModeFlag() const {
    return m_modeFlag;
}
int QV_ProcedureType::Mode() const {
    return m_mode;
}
int QV_ProcedureType::LastFailureFlag() const {
    return m_lastFailure;
}
int QV_ProcedureType::LastStatus() const {
    return m_lastStatus;
}
int QV_ProcedureType::JudgedCalls() const {
    return m_judgedCalls;
}
int QV_ProcedureType::ValueWords() const {
    return m_valueWords;
}
int QV_ProcedureType::OutputOffset() const {
    return m_outputOffset;
}
const double* QV_ProcedureType::Values() const {
    return m_pValues;
}
const double* QV_ProcedureType::DerivativeMatrix() const {
    return m_pDerivMatrix;
}
int QV_ProcedureType::InputValueCount() const {
    return m_nInputs;
}
int QV_ProcedureType::InputElementCount() const {
    return m_nInputVars;
}
int QV_ProcedureType::OutputElementCount() const {
    return m_nOutputVars;
}
int QV_ProcedureType::FreeInputCount() const {
    return m_nFreeInputs;
}
int QV_ProcedureType::DerivativeCount() const {
    return m_nDerivCount;
}

QV_ProcedureType_C::QV_ProcedureType_C() = default;
QV_ProcedureType_C::QV_ProcedureType_C(const QV_ProcedureType_C& other) = default;
QV_ProcedureType_C& QV_ProcedureType_C::operator=(const QV_ProcedureType_C& other) = default;
QV_ProcedureType_C::~QV_ProcedureType_C() = default;

int QV_ProcedureType_C::LanguageBaseIndex() const {
    return 0;
}
bool QV_ProcedureType_C::IsFortran() const {
    return false;
}

void QV_ProcedureType_C::HandleDerivatives(bool negate) {
    TakeDerivatives(negate);
}

void QV_ProcedureType::TakeDerivatives(bool negate) {
    if (!negate) {
        const long long count = static_cast<long long>(m_nOutputVars) * m_nInputs;
        m_nDerivCount = count > 0 && count <= INT_MAX ? static_cast<int>(count) : 0;
        return;
    }
    if (!m_pDerivMatrix || !m_pDerivatives) return;
    // The host's own storage has the entries it allocated; a procedure's has one per output
    // element and input value.
    const long long entries =
        m_matrixEntries > 0 ? m_matrixEntries : static_cast<long long>(m_nOutputVars) * m_nInputs;
    for (long long k = 0; k < entries && k < m_nDerivCount; ++k)
        m_pDerivMatrix[k] = 0.0 - m_pDerivatives[k]; // a zero stays +0
}

void QV_ProcedureType_C::FinalizeConstruction(int outputOffset, int words) {
    AllocateStorage(outputOffset, words);
}

bool QV_ProcedureType_C::PackStr(char* word, const char* text) {
    char slot[StringSlotBytes] = {};
    if (text) std::strncpy(slot, text, StringSlotBytes - 1);
    const bool changed = std::memcmp(word, slot, StringSlotBytes) != 0;
    if (changed) {
        std::memcpy(word, slot, StringSlotBytes);
        m_bCallNeeded = true;
    }
    return changed;
}

bool QV_ProcedureType_C::PackStringArray(char* word, int dimensions, const int* sizes) {
    const long long count = ElementCount(dimensions, sizes);
    char* slots = word + ((count * StringTableEntryBytes + 7) >> 3) * 8;
    for (long long k = 0; k < count; ++k) {
        const QV_VarParam* element = NextElement();
        if (!element) break;
        PackStr(slots + k * StringSlotBytes, element->String());
    }
    return m_bCallNeeded;
}
