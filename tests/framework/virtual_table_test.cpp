// The tables of virtual operations of the library's classes. The host calls an operation
// through its entry in the table, so each class must hold the operations in the host's order:
// the seven automation operations first, then the destructor (two entries in this ABI: complete
// and deleting), then the rest in the order in which the host's classes declare them.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <string>
#include <typeinfo>
#include <vector>

#include "framework/property_templates.h"
#include "procedures/interpolate.h"
#include "types/connectivity/connection.h"
#include "types/connectivity/control_signal.h"
#include "types/connectivity/generic_model.h"
#include "types/connectivity/generic_stream.h"
#include "types/connectivity/generic_structure.h"
#include "types/connectivity/mi_connection_port.h"
#include "types/connectivity/mi_control_port.h"
#include "types/connectivity/mi_generic_port.h"
#include "types/connectivity/mio_connection_port.h"
#include "types/connectivity/mio_control_port.h"
#include "types/connectivity/mio_generic_port.h"
#include "types/connectivity/mo_connection_port.h"
#include "types/connectivity/mo_control_port.h"
#include "types/connectivity/mo_generic_port.h"
#include "types/distribution1d/distribution1d.h"
#include "types/distribution2d/distribution2d.h"
#include "types/distribution3d/distribution3d.h"
#include "types/domain/coordinate_domains.h"
#include "types/domain/domain_parameters.h"

namespace {

constexpr int AutomationEntries = 7;
constexpr int DestructorEntries = 2;

// The entry of a virtual operation in the table: under the C++ ABI of both builds a pointer to
// a virtual member function holds 1 + the entry's offset in bytes (an odd number; a pointer to
// a member that is not virtual holds the function's address, which is even). -1 for the latter.
template <class Operation> std::ptrdiff_t Entry(Operation operation) {
    std::ptrdiff_t word;
    static_assert(sizeof operation >= sizeof word);
    std::memcpy(&word, &operation, sizeof word);
    if (word % 2 == 0) return -1;
    return (word - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

template <class T> std::string NameOf() {
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(T).name(), nullptr, nullptr, &status);
    std::string result = status == 0 ? name : typeid(T).name();
    std::free(name);
    return result;
}

template <class... Operation> std::vector<std::ptrdiff_t> Entries(Operation... operations) {
    return {Entry(operations)...};
}

// The host's orders, each read from class T.
struct ModelOrder {
    template <class T> static std::vector<std::ptrdiff_t> Of() {
        return Entries(&T::ComponentList, &T::IsConnected, &T::SetDims, &T::QV_DefaultDESCRIPTION,
                       &T::ContainerDerivesFrom, &T::JacPattern, &T::Jacobian, &T::Residuals,
                       &T::ExecuteAssignments, &T::SetUpEquations);
    }
};
struct MultiportOrder {
    template <class T> static std::vector<std::ptrdiff_t> Of() {
        return Entries(&T::DumpStructure, &T::PortCount, &T::GetPort, &T::CreateConnectionPort,
                       &T::FindConnectionPort);
    }
};
struct ParameterOrder {
    template <class T> static std::vector<std::ptrdiff_t> Of() {
        return Entries(&T::QV_DefaultVALUE, &T::QV_DefaultLOWER, &T::QV_DefaultVALID, &T::QV_PQCol,
                       &T::QV_PQRow, &T::QV_DefaultPHYSICALQUANTITY, &T::QV_DefaultBASEUOMNAME);
    }
};
// An array's three operations come behind those of every property.
struct ArrayOrder {
    template <class T> static std::vector<std::ptrdiff_t> Of() {
        return Entries(&T::GetPort, &T::NewElement, &T::NewElements, &T::CreateMissingArrayElement);
    }
};
// A reference's operation comes last, behind those of every containable.
struct ExternalOrder {
    template <class T> static std::vector<std::ptrdiff_t> Of() {
        return Entries(&T::Destroy, &T::Name, &T::IsSolverVariable, &T::ExternalTypeName);
    }
};
// The type-replaceable property and the global reference add their own behind a parameter's.
struct VirtualOwn {
    template <class T> static std::vector<std::ptrdiff_t> Of() {
        return Entries(&T::NewDefaultVirtual, &T::VirtualBaseType);
    }
};
struct GlobalReferenceOwn {
    template <class T> static std::vector<std::ptrdiff_t> Of() {
        return Entries(&T::CreateDummyInstance, &T::CheckCompatibleStructureType,
                       &T::RemoveActivityAndCancelDependencyForPropertiesControlledBy);
    }
};
template <class Own> struct BehindParameter {
    template <class T> static std::vector<std::ptrdiff_t> Of() {
        std::vector<std::ptrdiff_t> entries = ParameterOrder::Of<T>();
        const std::vector<std::ptrdiff_t> own = Own::template Of<T>();
        entries.insert(entries.end(), own.begin(), own.end());
        return entries;
    }
};

struct Row {
    std::string name;
    std::vector<std::ptrdiff_t> entries; // in the host's order
};

template <class Order, class... T> void Add(std::vector<Row>& rows) {
    (rows.push_back({NameOf<T>(), Order::template Of<T>()}), ...);
}

template <class T> using Array_I = QV_ARRAY_I<T, T>;
template <class T> using Array_S = QV_ARRAY_S<T, T>;
template <class T> using Array_II = QV_ARRAY_II<T, T>;
template <class T> using Array_III = QV_ARRAY_III<T, T>;

std::vector<Row> Rows() {
    std::vector<Row> rows;
    Add<ModelOrder, QV_GENERICMODEL, QV_GENERICSTREAM, QV_GENERICSTRUCTURE, QV_GENERICCONTROLSIGNAL,
        QV_CONTROLSIGNAL, QV_GENERICCONNECTION, QV_CONNECTION, QV_SECTIONDATAMODEL, QV_DOMAIN,
        QV_LENGTHDOMAIN, QV_ANGLEDOMAIN, QV_DISTRIBUTION1D, QV_DISTRIBUTION2D, QV_DISTRIBUTION3D,
        QV_CONTROLPORT, QV_GENERICPORT, QV_CONNECTIONPORT>(rows);
    Add<MultiportOrder, QV_MULTIPORT<QV_CONTROLPORT>, QV_MULTIPORT<QV_GENERICPORT>,
        QV_MULTIPORT<QV_CONNECTIONPORT>, QV_QV_MICONTROLPORT, QV_QV_MOCONTROLPORT,
        QV_QV_MIOCONTROLPORT, QV_QV_MIGENERICPORT, QV_QV_MOGENERICPORT, QV_QV_MIOGENERICPORT,
        QV_QV_MICONNECTIONPORT, QV_QV_MOCONNECTIONPORT, QV_QV_MIOCONNECTIONPORT>(rows);
    Add<ParameterOrder, QV_DISCRETIZATIONMETHODPARAM_DOMAIN, QV_NUMSECTIONSPARAM_DOMAIN,
        QV_POLYPOINTSPARAM_DOMAIN, QV_ANGLEPARAMETER, QV_LENGTHPARAMETER>(rows);
    Add<ExternalOrder, QV_External<QV_DOMAIN>, QV_External<QV_LENGTHPARAMETER>,
        QV_External<QV_QV_MIGENERICPORT>>(rows);
    Add<BehindParameter<VirtualOwn>, QV_Virtual<QV_DOMAIN>, QV_Virtual<QV_LENGTHPARAMETER>,
        QV_Virtual<Array_I<QV_SECTIONDATAMODEL>>>(rows);
    Add<BehindParameter<GlobalReferenceOwn>, QV_GLOBALSTRUCTUREREFNAME<QV_GENERICSTRUCTURE>>(rows);
    Add<ArrayOrder, Array_I<QV_REALVARIABLE>, Array_S<QV_GENERICPORT>,
        Array_II<QV_PARTIALDERIVATIVE>, Array_III<QV_REALVARIABLE>, QV_BASE_II, QV_BASE_III,
        QV_BASE_IIII, QV_BASE_IIIS, QV_BASE_IIS, QV_BASE_IISI, QV_BASE_IISS, QV_BASE_IS,
        QV_BASE_ISI, QV_BASE_ISII, QV_BASE_ISIS, QV_BASE_ISS, QV_BASE_ISSI, QV_BASE_ISSS,
        QV_BASE_SI, QV_BASE_SII, QV_BASE_SIII, QV_BASE_SIIS, QV_BASE_SIS, QV_BASE_SISI,
        QV_BASE_SISS, QV_BASE_SS, QV_BASE_SSI, QV_BASE_SSII, QV_BASE_SSIS, QV_BASE_SSS,
        QV_BASE_SSSI, QV_BASE_SSSS>(rows);
    return rows;
}

TEST(VirtualTables, HoldEachClasssOperationsInTheHostsOrderBehindTheDestructor) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        EXPECT_GE(row.entries.front(), AutomationEntries + DestructorEntries);
        for (std::size_t k = 1; k < row.entries.size(); ++k)
            EXPECT_LT(row.entries[k - 1], row.entries[k]) << "operations " << k - 1 << ", " << k;
    }
}

TEST(VirtualTables, HoldTheProceduresOperationsInTheirExactEntries) {
    using P = QVProc_INTERPOLATE;
    const std::vector<std::ptrdiff_t> entries =
        Entries(&P::QueryInterface, &P::AddRef, &P::Release, &P::GetTypeInfoCount, &P::GetTypeInfo,
                &P::GetIDsOfNames, &P::Invoke, &P::Destroy, &P::Name, &P::ProcedureName,
                &P::DLLName, &P::ComponentListName, &P::Jacobian, &P::Residuals, &P::Precall,
                &P::Postcall, &P::OutputVar, &P::InitializeCStrings);
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        EXPECT_EQ(entries[i], i < AutomationEntries ? i : i + DestructorEntries)
            << "operation " << i;
}

TEST(VirtualTables, AutomationAnswersAsAHostWithoutIt) {
    QVProc_INTERPOLATE procedure(false, 0);
    const _GUID anyInterface{};
    void* object = &procedure;
    EXPECT_LT(procedure.QueryInterface(anyInterface, &object), 0);
    EXPECT_EQ(object, nullptr);
    unsigned int count = 1;
    EXPECT_EQ(procedure.GetTypeInfoCount(&count), 0);
    EXPECT_EQ(count, 0u);
}

} // namespace
