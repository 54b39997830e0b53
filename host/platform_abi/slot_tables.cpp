#include "host/platform_abi/slot_tables.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace platform_abi {
namespace {

// One slot of the host's arrangement (host/qv_object.h, host/qv_model.h, host/qv_procedure.h):
// its operation with the decoration of its signature, and the host class whose body a class
// that does not override the operation keeps there. The slots of a kind of class follow one
// another from slot 0, so that a slot's number is its place in the kind's list.
struct HostSlot {
    const char* operation;
    const char* signature;
    const char* hostClass; // decorated; null for the deleting destructor, which is the class's own
};

// The operation name of the deleting destructor in these tables.
constexpr const char* DeletingDestructor = "~";
// The host class of an operation that the host's class declares without a body: the table
// holds the runtime's handler of a call of a pure virtual function.
constexpr const char* PureVirtual = "_purecall";

// The automation operations, the destructor and what QV_PtrVectorObject adds behind it.
const std::vector<HostSlot> kAutomation = {
    {"QueryInterface", "UAEJABU_GUID@@PAPAX@Z", "QV_PtrVectorObject@"},
    {"AddRef", "UAEKXZ", "QV_PtrVectorObject@"},
    {"Release", "UAEKXZ", "QV_PtrVectorObject@"},
    {"GetTypeInfoCount", "UAEJPAI@Z", "QV_PtrVectorObject@"},
    {"GetTypeInfo", "UAEJIKPAPAUITypeInfo@@@Z", "QV_PtrVectorObject@"},
    {"GetIDsOfNames", "UAEJABU_GUID@@PAPAGIKPAJ@Z", "QV_PtrVectorObject@"},
    {"Invoke", "UAEJJABU_GUID@@KGPAUtagDISPPARAMS@@PAUtagVARIANT@@PAUtagEXCEPINFO@@PAI@Z",
     "QV_PtrVectorObject@"},
    {DeletingDestructor, "UAEPAXI@Z", nullptr},
    {"Destroy", "UAEXXZ", "QV_PtrVectorObject@"},
};
// A property's name is its registered one.
const std::vector<HostSlot> kContainable = {
    {"Name", "UBEPBDXZ", "QV_Containable@"},
    {"IsSolverVariable", "UBE_NXZ", "QV_Containable@"},
    {"Assign", "UAE?AW4QV_AssignStatus@@PAVQV_Value@@@Z", "QV_VarParamProp@"},
};
const std::vector<HostSlot> kPortsOfProperty = {
    {"DumpStructure", "UAEXXZ", "QV_Type@"},
    {"PortCount", "UBEH_N@Z", "QV_Type@"},
    {"GetPort", "UAEPAV1@AAH_N@Z", "QV_Type@"},
    {"UnsetIsToBeExported", "UAEPAV1@XZ", "QV_Type@"},
};
const std::vector<HostSlot> kPortsOfPort = {
    {"DumpStructure", "UAEXXZ", "QV_PortType@"},
    {"PortCount", "UBEH_N@Z", "QV_PortType@"},
    {"GetPort", "UAEPAVQV_Type@@AAH_N@Z", "QV_PortType@"},
    {"UnsetIsToBeExported", "UAEPAV1@XZ", "QV_Type@"},
};
const std::vector<HostSlot> kContainer = {
    {"ComponentList", "UAEPAVQV_COMPONENTLISTNAME@@XZ", "QV_Container@"},
    {"IsConnected", "UAEPAVQV_VarParamProp@@XZ", "QV_Container@"},
    {"SetDims", "UAEXXZ", "QV_Container@"},
    {"QV_DefaultDESCRIPTION", "UBEPBDXZ", "QV_Container@"},
    {"ContainerDerivesFrom", "UAE_NPBD@Z", "QV_Container@"},
    {"JacPattern", "UAEHAAPAH0PAPAVQV_EquationType@@@Z", "QV_ModelType@"},
    {"Jacobian", "UAEHPANHH@Z", "QV_ModelType@"},
    {"Residuals", "UAEHPANHH@Z", "QV_ModelType@"},
    {"ExecuteAssignments", "UAEJHH@Z", "QV_Container@"},
    {"SetUpEquations", "UAEHXZ", "QV_ModelType@"},
};
const std::vector<HostSlot> kPort = {
    {"IsAMultiport", "UBE_NXZ", "QV_PortType@"},
    {"Connect", "UAE_NPAV1@@Z", "QV_PortType@"},
    {"Disconnect", "UAEXPAV1@@Z", "QV_PortType@"},
};
const std::vector<HostSlot> kMultiport = {
    {"IsAMultiport", "UBE_NXZ", "QV_MULTIPORT_BaseType@"},
    {"Connect", "UAE_NPAVQV_PortType@@@Z", "QV_MULTIPORT_BaseType@"},
    {"Disconnect", "UAEXPAVQV_PortType@@@Z", "QV_MULTIPORT_BaseType@"},
    {"CreateConnectionPort", "UAEPAVQV_PortType@@PBDI@Z", "QV_MULTIPORT_BaseType@"},
    {"FindConnectionPort", "UAEPAVQV_PortType@@PBD@Z", "QV_MULTIPORT_BaseType@"},
};
const std::vector<HostSlot> kValueDefaults = {
    {"QV_DefaultVALUE", "UBEPAVQV_Value@@XZ", "QV_VarParam@"},
    {"QV_DefaultLOWER", "UBEPAVQV_Value@@XZ", "QV_VarParam@"},
    {"QV_DefaultVALID", "UBEPAVQV_Value@@XZ", "QV_VarParam@"},
    {"QV_PQCol", "UBEHXZ", "QV_VarParam@"},
    {"QV_PQRow", "UBEHXZ", "QV_VarParam@"},
    {"QV_DefaultPHYSICALQUANTITY", "UBEPAVQV_Value@@XZ", "QV_VarParam@"},
    {"QV_DefaultBASEUOMNAME", "UBEPAVQV_Value@@XZ", "QV_VarParam@"},
};
// A procedure's table holds its own AddRef, Release and Destroy, and the object's name.
const std::vector<HostSlot> kProcedure = {
    {"Name", "UBEPBDXZ", "QV_PtrVectorObject@"},
    {"ProcedureName", "UBEPBDXZ", PureVirtual},
    {"DLLName", "UBEPBDXZ", PureVirtual},
    {"ComponentListName", "UBEPAVQV_COMPONENTLISTNAME@@XZ", "QV_ProcedureType@"},
    {"Jacobian", "UAEHPANAAH@Z", "QV_ProcedureType@"},
    {"Residuals", "UAEHPANAAH@Z", "QV_ProcedureType@"},
    {"Precall", "UAEH_N@Z", "QV_ProcedureType@"},
    {"Postcall", "UAEH_N@Z", "QV_ProcedureType@"},
    {"OutputVar", "UBEPAVQV_Variable@@H@Z", "QV_ProcedureType@"},
    {"InitializeCStrings", "UAEXXZ", "QV_ProcedureType@"},
};

template <class T> std::vector<T> Join(std::initializer_list<std::vector<T>> parts) {
    std::vector<T> joined;
    for (const std::vector<T>& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

// `slots` with the host class of each of `operations` replaced by `hostClass`.
std::vector<HostSlot> Keeping(std::vector<HostSlot> slots, const char* hostClass,
                              std::initializer_list<const char*> operations) {
    for (HostSlot& slot : slots)
        for (const char* operation : operations)
            if (std::strcmp(slot.operation, operation) == 0) slot.hostClass = hostClass;
    return slots;
}

const std::vector<HostSlot> kModelKind =
    Join({kAutomation, kContainable, kPortsOfProperty, kContainer});
const std::vector<HostSlot> kPortKind =
    Join({kAutomation, kContainable, kPortsOfPort, kContainer, kPort});
// A multiport keeps the host multiport's description and derivation test.
const std::vector<HostSlot> kMultiportKind =
    Keeping(Join({kAutomation, kContainable, kPortsOfPort, kContainer, kMultiport}),
            "QV_MULTIPORT_BaseType@", {"QV_DefaultDESCRIPTION", "ContainerDerivesFrom"});
const std::vector<HostSlot> kValueKind =
    Join({kAutomation, kContainable, kPortsOfProperty, kValueDefaults});
const std::vector<HostSlot> kProcedureKind =
    Join({Keeping(kAutomation, "QV_ProcedureType@", {"AddRef", "Release", "Destroy"}), kProcedure});

// The operations that a class overrides, each standing in the slot that the host's arrangement
// gives it; `owner` is the class whose body stands there, null for the class itself.
struct Overrides {
    const char* owner;
    std::vector<const char*> operations;
};

struct ClassRow {
    const char* decoratedClass;
    const char* primaryBase;
    const std::vector<HostSlot>* kind;
    std::vector<Overrides> overrides;
};

const std::vector<const char*> kGeneratedType = {
    DeletingDestructor, "SetDims",   "QV_DefaultDESCRIPTION", "ContainerDerivesFrom", "JacPattern",
    "Jacobian",         "Residuals", "ExecuteAssignments",    "SetUpEquations"};

// A class that overrides `operations` and keeps `inherited` of its bases.
ClassRow Row(const char* decoratedClass, const char* primaryBase, const std::vector<HostSlot>& kind,
             std::vector<const char*> operations, std::vector<Overrides> inherited) {
    inherited.insert(inherited.begin(), Overrides{nullptr, std::move(operations)});
    return {decoratedClass, primaryBase, &kind, inherited};
}

// A generated type, with `more` operations of its own or of its parent.
ClassRow Generated(const char* decoratedClass, const char* primaryBase,
                   const std::vector<HostSlot>& kind, std::vector<Overrides> more = {}) {
    return Row(decoratedClass, primaryBase, kind, kGeneratedType, std::move(more));
}

const char* const kGenericMultiport = "?$QV_MULTIPORT@VQV_GENERICPORT@@@";
const char* const kControlMultiport = "?$QV_MULTIPORT@VQV_CONTROLPORT@@@";
const char* const kConnectionMultiport = "?$QV_MULTIPORT@VQV_CONNECTIONPORT@@@";
const std::vector<const char*> kMultiportOwn = {"DumpStructure", "PortCount", "GetPort",
                                                "CreateConnectionPort", "FindConnectionPort"};

// A class with one table.
ClassRow OneTable(const char* decoratedClass, const std::vector<HostSlot>& kind,
                  std::vector<const char*> operations, std::vector<Overrides> inherited = {}) {
    return Row(decoratedClass, "", kind, std::move(operations), std::move(inherited));
}

// A multiport, or a flavour of `multiport`: a flavour has its own deleting destructor and its
// multiport's operations.
ClassRow Multiport(const char* decoratedClass, const char* multiport = nullptr) {
    return OneTable(decoratedClass, kMultiportKind, {DeletingDestructor},
                    {{multiport, kMultiportOwn}});
}

const char* const kProcedureTemplate =
    "?$QV_ProcedureTemplate@VQVProc_INTERPOLATE@@$03$00$01VQV_ProcedureType_C@@$03@";
const std::vector<const char*> kTemplateOwn = {"Jacobian", "Residuals", "InitializeCStrings"};
const std::vector<const char*> kPhysicalQuantity = {DeletingDestructor, "QV_PQCol", "QV_PQRow",
                                                    "QV_DefaultPHYSICALQUANTITY",
                                                    "QV_DefaultBASEUOMNAME"};

std::vector<ClassRow> ClassRows() {
    const Overrides componentList{nullptr, {"ComponentList"}};
    return {
        Generated("QV_GENERICMODEL@", "QV_ModelType@@", kModelKind, {componentList}),
        Generated("QV_GENERICSTREAM@", "QV_ModelType@@", kModelKind, {componentList}),
        Generated("QV_GENERICSTRUCTURE@", "QV_StructureType@@", kModelKind, {componentList}),
        Generated("QV_GENERICCONTROLSIGNAL@", "QV_ModelType@@", kModelKind),
        Generated("QV_CONTROLSIGNAL@", "QV_ModelType@@", kModelKind),
        Generated("QV_GENERICCONNECTION@", "QV_ModelType@@", kModelKind),
        Generated("QV_CONNECTION@", "QV_ModelType@@", kModelKind),
        Generated("QV_SECTIONDATAMODEL@", "QV_ModelType@@", kModelKind,
                  {{"QV_GENERICMODEL@", {"ComponentList"}}}),
        Generated("QV_DOMAIN@", "QV_ModelType@@", kModelKind),
        Generated("QV_LENGTHDOMAIN@", "QV_ModelType@@", kModelKind),
        Generated("QV_ANGLEDOMAIN@", "QV_ModelType@@", kModelKind),
        Generated("QV_DISTRIBUTION1D@", "QV_ModelType@@", kModelKind),
        Generated("QV_DISTRIBUTION2D@", "QV_ModelType@@", kModelKind),
        Generated("QV_DISTRIBUTION3D@", "QV_ModelType@@", kModelKind),
        // The generic port's two operations stand between the destructor and SetDims.
        Generated("QV_GENERICPORT@", "QV_PortType@@", kPortKind,
                  {{nullptr, {"ComponentList", "IsConnected"}}}),
        Generated("QV_CONTROLPORT@", "QV_PortType@@", kPortKind),
        Generated("QV_CONNECTIONPORT@", "QV_PortType@@", kPortKind),
        Multiport(kGenericMultiport),
        Multiport(kControlMultiport),
        Multiport(kConnectionMultiport),
        Multiport("QV_QV_MIGENERICPORT@", kGenericMultiport),
        Multiport("QV_QV_MOGENERICPORT@", kGenericMultiport),
        Multiport("QV_QV_MIOGENERICPORT@", kGenericMultiport),
        Multiport("QV_QV_MICONTROLPORT@", kControlMultiport),
        Multiport("QV_QV_MOCONTROLPORT@", kControlMultiport),
        Multiport("QV_QV_MIOCONTROLPORT@", kControlMultiport),
        Multiport("QV_QV_MICONNECTIONPORT@", kConnectionMultiport),
        Multiport("QV_QV_MOCONNECTIONPORT@", kConnectionMultiport),
        Multiport("QV_QV_MIOCONNECTIONPORT@", kConnectionMultiport),
        OneTable("QV_DISCRETIZATIONMETHODPARAM_DOMAIN@", kValueKind,
                 {DeletingDestructor, "QV_DefaultVALUE", "QV_DefaultVALID"}),
        OneTable("QV_NUMSECTIONSPARAM_DOMAIN@", kValueKind,
                 {DeletingDestructor, "QV_DefaultVALUE", "QV_DefaultLOWER"}),
        OneTable("QV_POLYPOINTSPARAM_DOMAIN@", kValueKind,
                 {DeletingDestructor, "QV_DefaultVALUE", "QV_DefaultLOWER"}),
        OneTable("QV_ANGLEPARAMETER@", kValueKind, kPhysicalQuantity),
        OneTable("QV_LENGTHPARAMETER@", kValueKind, kPhysicalQuantity),
        OneTable(kProcedureTemplate, kProcedureKind, {},
                 {{CompilerTrap, {DeletingDestructor}}, {nullptr, kTemplateOwn}}),
        OneTable("QVProc_INTERPOLATE@", kProcedureKind,
                 {DeletingDestructor, "ProcedureName", "DLLName", "Precall"},
                 {{kProcedureTemplate, kTemplateOwn}}),
    };
}

std::string Member(const HostSlot& slot, const std::string& decoratedClass) {
    if (std::strcmp(slot.operation, DeletingDestructor) == 0)
        return DeletingDestructorName(decoratedClass);
    return std::string("?") + slot.operation + "@" + decoratedClass + "@" + slot.signature;
}

ExpectedSlot HostBody(int number, const HostSlot& slot) {
    if (slot.hostClass == PureVirtual) return {number, Home::Runtime, PureVirtual};
    return {number, Home::Host, Member(slot, slot.hostClass)};
}

// A mistake in the tables above stops the program: it would check nothing.
[[noreturn]] void Unknown(const char* operation, const char* decoratedClass) {
    std::printf("slot_tables: %s has no slot for %s\n", decoratedClass, operation);
    std::exit(2);
}

ExpectedTable Expand(const ClassRow& row) {
    ExpectedTable table{TableName(row.decoratedClass, row.primaryBase), {}};
    for (const HostSlot& slot : *row.kind) {
        const int number = static_cast<int>(table.slots.size());
        if (slot.hostClass)
            table.slots.push_back(HostBody(number, slot));
        else
            table.slots.push_back({number, Home::Library, Member(slot, row.decoratedClass)});
    }
    for (const Overrides& overrides : row.overrides)
        for (const char* operation : overrides.operations) {
            std::size_t k = 0;
            while (k < row.kind->size() && std::strcmp((*row.kind)[k].operation, operation) != 0)
                ++k;
            if (k == row.kind->size()) Unknown(operation, row.decoratedClass);
            const HostSlot& slot = (*row.kind)[k];
            const char* owner = overrides.owner ? overrides.owner : row.decoratedClass;
            table.slots[k] = {static_cast<int>(k), Home::Library,
                              owner == CompilerTrap ? CompilerTrap : Member(slot, owner)};
        }
    return table;
}

} // namespace

const char* const CompilerTrap = "ud2";

std::string TableName(const std::string& decoratedClass, const std::string& primaryBase) {
    return "??_7" + decoratedClass + "@6B" + primaryBase + "@";
}

std::string DeletingDestructorName(const std::string& decoratedClass) {
    return "??_E" + decoratedClass + "@UAEPAXI@Z";
}

std::vector<ExpectedTable> ExpectedTables() {
    std::vector<ExpectedTable> tables;
    for (const ClassRow& row : ClassRows())
        tables.push_back(Expand(row));
    return tables;
}

} // namespace platform_abi
