#include "host/driver/procedure_binding.h"

#include "host/driver/model_library.h"
#include "procedures/interpolate.h"

namespace {

// Members are called with the object first; on 32-bit Windows under the member convention.
#if defined(_WIN32) && defined(__i386__)
#define QV_MEMBER_CALL __attribute__((thiscall))
#else
#define QV_MEMBER_CALL
#endif
template <class Result, class... Args> using Member = Result(QV_MEMBER_CALL*)(void*, Args...);

// The procedure class derives from the host's procedure along a single chain, so both share
// the object's address: the members are called on the host's pointer.
template <class Result, class... Args>
Result Call(void* address, QV_ProcedureType* procedure, Args... args) {
    return reinterpret_cast<Member<Result, Args...>>(address)(procedure, args...);
}

// The decorated names of the members, as the library exports them.
#if defined(_MSC_VER)
// The platform compiler's decoration: "?member@" and the class, then the signature.
const std::string Template =
    "@?$QV_ProcedureTemplate@VQVProc_INTERPOLATE@@$03$00$01VQV_ProcedureType_C@@$03@@QAE";
const std::string Construct = "??0QVProc_INTERPOLATE@@QAE@_NH@Z";
const std::string ArgumentVariable = "?Argument" + Template + "XAAVQV_VarParam@@@Z";
const std::string ArgumentInteger = "?Argument" + Template + "XH@Z";
const std::string ArgumentOpen = "?Argument" + Template + "XXZ";
const std::string ElementVariable = "?Element" + Template + "XAAVQV_VarParam@@@Z";
const std::string SetDimensionSizeInteger = "?SetDimensionSize" + Template + "XH@Z";
const std::string LastArgumentOpen = "?LastArgument" + Template + "XXZ";
const std::string Contribution = "?NZAndEqnContribution" + Template + "HPAVQV_ModelTypeEx@@HAAH@Z";
const std::string CreateEquations =
    "?CreateEquationsAndSetGroup" + Template + "XHHAAPAH0AAHPAVQV_ModelTypeEx@@PBDH@Z";
#else
// The GNU decoration: the class, then the member and its signature.
const std::string Template =
    "_ZN20QV_ProcedureTemplateI18QVProc_INTERPOLATELi4ELi1ELi2E18QV_ProcedureType_CLi4EE";
const std::string Construct = "_ZN18QVProc_INTERPOLATEC1Ebi";
const std::string ArgumentVariable = Template + "8ArgumentER11QV_VarParam";
const std::string ArgumentInteger = Template + "8ArgumentEi";
const std::string ArgumentOpen = Template + "8ArgumentEv";
const std::string ElementVariable = Template + "7ElementER11QV_VarParam";
const std::string SetDimensionSizeInteger = Template + "16SetDimensionSizeEi";
const std::string LastArgumentOpen = Template + "12LastArgumentEv";
const std::string Contribution = Template + "20NZAndEqnContributionEP14QV_ModelTypeExiRi";
const std::string CreateEquations =
    Template + "26CreateEquationsAndSetGroupEiiRPiS4_RiP14QV_ModelTypeExPKci";
#endif

} // namespace

bool InterpolationBinding::Resolve(const ModelLibrary& library, std::string& error) {
    const struct {
        void** address;
        std::string name;
    } members[] = {
        {&m_construct, Construct},
        {&m_argumentVariable, ArgumentVariable},
        {&m_argumentInteger, ArgumentInteger},
        {&m_argumentOpen, ArgumentOpen},
        {&m_element, ElementVariable},
        {&m_setDimensionSize, SetDimensionSizeInteger},
        {&m_lastArgument, LastArgumentOpen},
        {&m_contribution, Contribution},
        {&m_createEquations, CreateEquations},
    };
    for (const auto& member : members) {
        *member.address = library.Symbol(member.name);
        if (!*member.address) {
            error = "the library exports no " + member.name;
            return false;
        }
    }
    return true;
}

QV_ProcedureType* InterpolationBinding::Create(bool flag, int mode) const {
    void* block = MyAllocate(sizeof(QVProc_INTERPOLATE));
    if (!block) return nullptr;
    reinterpret_cast<Member<void, bool, int>>(m_construct)(block, flag, mode);
    return static_cast<QV_ProcedureType*>(block);
}

void InterpolationBinding::Argument(QV_ProcedureType* p, QV_VarParam& variable) const {
    Call<void, QV_VarParam*>(m_argumentVariable, p, &variable);
}
void InterpolationBinding::Argument(QV_ProcedureType* p, int value) const {
    Call<void, int>(m_argumentInteger, p, value);
}
void InterpolationBinding::Argument(QV_ProcedureType* p) const {
    Call<void>(m_argumentOpen, p);
}
void InterpolationBinding::Element(QV_ProcedureType* p, QV_VarParam& variable) const {
    Call<void, QV_VarParam*>(m_element, p, &variable);
}
void InterpolationBinding::SetDimensionSize(QV_ProcedureType* p, int size) const {
    Call<void, int>(m_setDimensionSize, p, size);
}
void InterpolationBinding::LastArgument(QV_ProcedureType* p) const {
    Call<void>(m_lastArgument, p);
}
int InterpolationBinding::NZAndEqnContribution(QV_ProcedureType* p, QV_ModelTypeEx* owner,
                                               int group, int& equationCount) const {
    return Call<int, QV_ModelTypeEx*, int, int*>(m_contribution, p, owner, group, &equationCount);
}
void InterpolationBinding::CreateEquationsAndSetGroup(QV_ProcedureType* p, int group, int*& rows,
                                                      int*& cols, int& equationCount,
                                                      QV_ModelTypeEx* owner) const {
    Call<void, int, int, int**, int**, int*, QV_ModelTypeEx*, const char*, int>(
        m_createEquations, p, group, 0, &rows, &cols, &equationCount, owner, "", 0);
}
