// The shape shared by every generated model, stream, structure and port type.
//
// A generated class declares its members and, with QV_GENERATED_TYPE, the operations that
// every type has. Its source then writes what is its own (constructor, Construct, SetDims,
// ExecuteAssignments0, and the equation passes of a type with equations) and takes the rest
// from the QV_DEFINE_* macros below, which chain to the parent exactly as each type does:
// a generated subclass names its generated parent as Parent, a type on a host base the host
// class. Member order is declaration order, so the compiler-made destructor and operator=
// already destroy in reverse and assign base-then-members-then-counters.
#pragma once

#include <type_traits>

#include "framework/library_api.h"
#include "framework/library_new.h"
#include "framework/property_templates.h"
#include "host/qvcore.h"

// Declarations common to every generated class; the three counters come last. The marker that
// tells a generated class from a host base is kept (used) so that it is exported like every
// other member.
#define QV_GENERATED_TYPE(Class)                                                                   \
public:                                                                                            \
    [[gnu::used]] static constexpr bool QV_IsGenerated = true;                                     \
    explicit Class(bool construct = true);                                                         \
    Class(const Class&) = delete; /* copied only by assignment */                                  \
    ~Class() override;                                                                             \
    Class& operator=(const Class& other);                                                          \
    Class& operator*();                                                                            \
    void Construct();                                                                              \
    static const char* QV_ContainerId();                                                           \
    long ExecuteAssignments0(int a, int b, long r);                                                \
    void SetDims() override;                                                                       \
    const char* QV_DefaultDESCRIPTION() const override;                                            \
    bool ContainerDerivesFrom(const char* name) override;                                          \
    int JacPattern(int*& rows, int*& cols, QV_EquationType** equations) override;                  \
    int Jacobian(double* values, int first, int count) override;                                   \
    int Residuals(double* values, int first, int count) override;                                  \
    long ExecuteAssignments(int a, int b) override;                                                \
    int SetUpEquations() override

#define QV_GENERATED_COUNTERS                                                                      \
    int m_groupBase = 0;                                                                           \
    int m_eqnCount = 0;                                                                            \
    int m_patternCount = 0

namespace norvane {
template <class T, class = void> struct IsGenerated : std::false_type {};
template <class T>
struct IsGenerated<T, std::void_t<decltype(T::QV_IsGenerated)>> : std::true_type {};

// A type derives from `name` when its own id matches without regard to case, or when its
// generated parent derives from it; a host base is not asked.
template <class Parent, class Self> bool DerivesFrom(Self& self, const char* id, const char* name) {
    if (SUValue::CompareCI(id, name) == 0) return true;
    if constexpr (IsGenerated<Parent>::value)
        return self.Parent::ContainerDerivesFrom(name);
    else
        return false;
}
} // namespace norvane

// Identity, destruction, copying and the operations that only chain or return 0.
#define QV_DEFINE_GENERATED_COMMON(Class, Parent, Id)                                              \
    Class::~Class() = default;                                                                     \
    Class& Class::operator=(const Class& other) = default;                                         \
    Class& Class::operator*() {                                                                    \
        return *this;                                                                              \
    }                                                                                              \
    const char* Class::QV_ContainerId() {                                                          \
        return Id;                                                                                 \
    }                                                                                              \
    const char* Class::QV_DefaultDESCRIPTION() const {                                             \
        return QV_ContainerId();                                                                   \
    }                                                                                              \
    bool Class::ContainerDerivesFrom(const char* name) {                                           \
        return norvane::DerivesFrom<Parent>(*this, QV_ContainerId(), name);                        \
    }                                                                                              \
    int Class::Jacobian(double*, int, int) {                                                       \
        return 0;                                                                                  \
    }                                                                                              \
    int Class::Residuals(double*, int, int) {                                                      \
        return 0;                                                                                  \
    }                                                                                              \
    long Class::ExecuteAssignments(int a, int b) {                                                 \
        return ExecuteAssignments0(a, b, 0);                                                       \
    }

// A type without arrays, index sets or assignments of its own: both passes of its assignments
// are empty, so only the parent's run one level down remains.
#define QV_DEFINE_NO_ASSIGNMENTS(Class, Parent)                                                    \
    void Class::SetDims() {                                                                        \
        Parent::SetDims();                                                                         \
    }                                                                                              \
    long Class::ExecuteAssignments0(int a, int b, long) {                                          \
        return Parent::ExecuteAssignments(a - 1, b);                                               \
    }

// A type without equations of its own.
#define QV_DEFINE_NO_EQUATIONS(Class, Parent)                                                      \
    int Class::SetUpEquations() {                                                                  \
        const int r = Parent::SetUpEquations();                                                    \
        if (r < 0) return r;                                                                       \
        m_groupBase = QV_ModelType::m_stLastGroup;                                                 \
        m_eqnCount = 0;                                                                            \
        return QV_ModelType::SetLocalEqnCount(r);                                                  \
    }                                                                                              \
    int Class::JacPattern(int*& rows, int*& cols, QV_EquationType** equations) {                   \
        static_cast<QV_ModelExtensions&>(*this).ResetExpressions();                                \
        const int r = Parent::JacPattern(rows, cols, equations);                                   \
        m_patternCount = 0;                                                                        \
        return r;                                                                                  \
    }

// The three undecorated entry points of a creatable type: the factory (one reference held,
// null when no block is available), the property-information block (4 zero bytes that the
// library never touches) and the compatibility data (6, then 0).
#define QV_DEFINE_CREATABLE(TYPE, Class)                                                           \
    extern "C" NORVANE_API Class* TYPE##Factory() {                                                \
        Class* object = norvane::LibraryNew<Class>(true);                                          \
        if (object) object->AddRef();                                                              \
        return object;                                                                             \
    }                                                                                              \
    extern "C" NORVANE_API void* TYPE##PropertyInfo() {                                            \
        static unsigned char block[4];                                                             \
        return block;                                                                              \
    }                                                                                              \
    extern "C" {                                                                                   \
    NORVANE_API extern const int _Compatibility##TYPE[2];                                          \
    const int _Compatibility##TYPE[2] = {6, 0};                                                    \
    }

// A creatable generated subclass that adds nothing to its parent but its own identity: built
// on its parent made with false, registering the parent's properties, and chaining every
// operation to the parent.
#define QV_DEFINE_IDENTITY_SUBCLASS(TYPE, Class, Parent, Id)                                       \
    Class::Class(bool construct) : Parent(false) {                                                 \
        if (construct) Construct();                                                                \
    }                                                                                              \
    void Class::Construct() {                                                                      \
        Parent::Construct();                                                                       \
    }                                                                                              \
    QV_DEFINE_GENERATED_COMMON(Class, Parent, Id)                                                  \
    QV_DEFINE_NO_ASSIGNMENTS(Class, Parent)                                                        \
    QV_DEFINE_NO_EQUATIONS(Class, Parent)                                                          \
    QV_DEFINE_CREATABLE(TYPE, Class)
