// Host values: scalars, texts and ordered sets, the tagged values of assignments, and set
// iterators.
//
// A set keeps its members sorted (integers ascending, texts in byte order) and without
// duplicates; SetContains finds a member by binary search and reports where a missing one
// belongs. An integer that lies where a run of consecutive members from the first would put
// it, at or just after the member found last, or past the last member is answered without a
// search, so that the usual index sets and in-order lookups take constant time. Type codes: 10
// integer set, 13 text set, 8 a set whose members take the kind of what is put into it.
#pragma once

#include "host/qv_api.h"

class QVCORE_API SUValue {
public:
    enum : unsigned short {
        TypeNone = 0,
        TypeInteger = 1,
        TypeReal = 2,
        TypeText = 3,
        TypeSet = 8,
        TypeIntegerSet = 10,
        TypeStringSet = 13
    };

    SUValue();
    explicit SUValue(int value);
    explicit SUValue(double value);
    explicit SUValue(const char* text);
    SUValue(const SUValue& other);
    SUValue& operator=(const SUValue& other);
    virtual ~SUValue();

    unsigned short Type() const { return m_type; }
    bool IsSet() const;
    // Empties the value and gives it a new type.
    void ResetType(unsigned short type);

    int IntValue() const;
    double RealValue() const;
    // The text of a text value ("" for any other kind; never null).
    const char* Text() const;
    operator const char*() const { return Text(); }

    int SetSize() const;
    // Non-zero when present; `position` receives the member's position or, when absent, the
    // position at which it belongs.
    int SetContains(int value, int& position) const;
    int SetContains(const char* value, int& position) const;
    void SetAddAtOffset(int value, int position);
    void SetAddAtOffset(const char* value, int position);
    int IntegerAt(int k) const;
    const char* StringAt(int k) const;
    // Removes every member; keeps the type.
    void Clear(int unused);

    SUValue& operator+=(int value);
    SUValue& operator+=(const char* value);
    SUValue& operator+=(const SUValue& other); // union
    SUValue& operator*=(const SUValue& other); // intersection
    // 1 when the text is a member of this set, else 0.
    int operator>=(const char* text) const;
    bool operator==(const SUValue& other) const;

    // 0 when the two texts are equal without regard to letter case; null equals only null.
    static int CompareCI(const char* a, const char* b);

private:
    struct Payload;
    // The members and text, made on first need; a number becomes an untyped set first.
    Payload& payload();
    // The members and text, or null (always null for a number).
    const Payload* content() const {
        return m_type == TypeInteger || m_type == TypeReal ? nullptr : m_payload;
    }
    // Frees the payload of a value that is not a number.
    void dropPayload();
    unsigned short m_type;
    // Integers and reals keep their number; every other type keeps a payload. One of the three,
    // so that a variable's value stays small.
    union {
        int m_int;
        double m_real;
        Payload* m_payload;
    };
};

class QVCORE_API QV_SetValue : public SUValue {
public:
    QV_SetValue();
    explicit QV_SetValue(unsigned short type);
    QV_SetValue(const SUValue& other);
    QV_SetValue(const QV_SetValue& other);
    QV_SetValue& operator=(const SUValue& other);
    QV_SetValue& operator=(const QV_SetValue& other);
    ~QV_SetValue() override;
    // The member at position k.
    int Integer(int k) const;
    const char* String(int k) const;
};

class QVCORE_API QV_IntSetValue : public QV_SetValue {
public:
    // The integers low .. high; empty when high < low, except that high = INT_MIN stands for
    // the one member low.
    QV_IntSetValue(int low, int high);
    // An empty integer set (the text is not read).
    explicit QV_IntSetValue(const char* none);
    // A copy of a set's value, to change without changing the set.
    explicit QV_IntSetValue(const QV_SetValue& other);
};

class QVCORE_API QV_StrSetValue : public QV_SetValue {
public:
    QV_StrSetValue();
    // The members are the pieces of `text` that end with a double quote; a last piece with no
    // quote after it is a member too. Null or "" gives the empty set.
    explicit QV_StrSetValue(const char* text);
    explicit QV_StrSetValue(const QV_SetValue& other);
};

// A value handed to Assign or to an index-set refresh, tagged with the two assignment
// arguments of the caller and the assignment number.
class QVCORE_API QV_Value : public SUValue {
public:
    QV_Value(int value, unsigned b, unsigned a, int number);
    QV_Value(double value, unsigned b, unsigned a, int number);
    QV_Value(const char* value, unsigned b, unsigned a, int number);
    QV_Value(const SUValue& value, unsigned b, unsigned a, int number);
    // Default values of parameter types.
    QV_Value(int value, unsigned tag);
    QV_Value(double value, unsigned tag);
    QV_Value(const char* value, unsigned tag);
    QV_Value(const SUValue& value, unsigned tag);
    ~QV_Value() override;

    unsigned TagB() const { return m_b; }
    unsigned TagA() const { return m_a; }
    int Number() const { return m_number; }
    // Gives the value a new real or text; the tags stay.
    void ResetValue(double value);
    void ResetValue(const char* value);

private:
    unsigned m_b;
    unsigned m_a;
    int m_number;
};

// Walks the members of a set in order. The iterator keeps its own copy of the set, so it stays
// valid after the set value it was built from is gone.
class QVCORE_API QV_SetIter {
public:
    explicit QV_SetIter(const SUValue& set);
    // Steps to the next member (the first on the first call); false when none is left.
    bool Next();
    // The current member (0 or "" when the iterator stands on none).
    int Integer() const;
    const char* String() const;

protected:
    SUValue m_set;
    int m_position;
};

class QVCORE_API QV_IntegerSetIter : public QV_SetIter {
public:
    explicit QV_IntegerSetIter(const SUValue& set);
    ~QV_IntegerSetIter();
    int v();
    int fv() const;
};

class QVCORE_API QV_StringSetIter : public QV_SetIter {
public:
    explicit QV_StringSetIter(const SUValue& set) : QV_SetIter(set) {}
    const char* v() { return m_set.StringAt(m_position); }
};
