// Classes whose exports in the platform compiler's interface exercise each rule of
// tests/msvc_members.py. The build makes a DLL of them, exported as the library is, and the test
// export_rules requires that the rules name exactly the destructors, tables and closures it
// exports.
#define EXPORTED __declspec(dllexport)

// One table: "??_7Root@@6B@"; a virtual destructor, so a deleting one.
struct EXPORTED Root {
    virtual ~Root();
    virtual void Run();
};
struct EXPORTED Left : Root {};
struct EXPORTED Right : Root {};

// Two tables, each named by the base that brings its pointer; a closure for the constructor whose
// parameters all have defaults.
struct EXPORTED Pair : Left, Right {
    explicit Pair(int first = 1, int second = 2);
};
struct EXPORTED OtherPair : Left, Right {};

// Four tables: "Left" and "Right" twice each, so each name adds the base it comes through.
struct EXPORTED Quartet : Pair, OtherPair {
    Quartet();
    ~Quartet() override;
    static int count;
};

// A member named like the enclosing class: the class's name refers back to it.
struct Outer {
    struct EXPORTED Nested : Root {
        Nested();
        void Outer();
    };
};

// A template instance with a negative integer argument, a closure and a deleted move, which
// deletes the copies too.
template <class T, int N> struct EXPORTED Holder : Root {
    Holder(const T* = nullptr) {}
    Holder(Holder&&) = delete;
};
template struct EXPORTED Holder<Outer::Nested, -3>;

// A constructor declared in a macro, protected, with a default: a protected closure; a protected
// virtual destructor.
#define DECLARE_FLAGGED(Class)                                                                     \
protected:                                                                                         \
    explicit Class(bool flag = true);                                                              \
    ~Class() override

class EXPORTED Flagged : public Root {
    DECLARE_FLAGGED(Flagged);
};

Root::~Root() = default;
void Root::Run() {}
Pair::Pair(int, int) {}
Quartet::Quartet() = default;
Quartet::~Quartet() = default;
int Quartet::count = 0;
Outer::Nested::Nested() = default;
void Outer::Nested::Outer() {}
Flagged::Flagged(bool) {}
Flagged::~Flagged() = default;
