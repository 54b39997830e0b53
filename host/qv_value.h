// Host values: scalars, texts and ordered sets, the tagged values of assignments, and set
// iterators.
//
// A set keeps its members sorted (integers ascending, texts in byte order) and without
// duplicates; SetContains reports a member's position or where a missing one belongs. A set
// whose members are one run of consecutive integers, as the usual index sets are, is held as
// that run (its first member and count) in the value itself: its lookups and its size read
// nothing else. Any other set keeps its members in a payload, where an integer is found by a
// search among the runs of consecutive members (integer_members.h) and a text by binary
// search. Every change of a set keeps its form exact. Type codes: 10 integer set, 13 text set,
// 8 a set whose members take the kind of what is put into it.
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

    unsigned short Type() const;
    bool IsSet() const;
    // Empties the value and gives it a new type.
    void ResetType(unsigned short type);

    int IntValue() const;
    double RealValue() const;
    // The text of a text value ("" for any other kind; never null).
    const char* Text() const;
    operator const char*() const;

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
    // The members first, first + 1, ..., first + count - 1.
    struct Run {
        int first;
        int count;
    };
    bool IsNumber() const { return m_type == TypeInteger || m_type == TypeReal; }
    // The members and text, made on first need; a number becomes an untyped set first, and a
    // run is laid out as members.
    Payload& payload();
    // The members and text, or null (always null for a number or a run).
    const Payload* content() const { return IsNumber() || m_isRun ? nullptr : m_payload; }
    // Frees the payload, if the value has one.
    void dropPayload();
    // Takes the members first .. first + count - 1 alone, without a payload.
    void BecomeRun(int first, int count);
    // Goes back to a run when the payload holds nothing but one run of integers (or nothing):
    // every change of a payload ends with it, so that such a set is always a run.
    void Compact();
    unsigned short m_type;
    bool m_isRun; // the union holds m_run; it sits in the padding before the union
    // Integers and reals keep their number, a set of one run its run, every other value a
    // payload (null when empty). One of them, so that a variable's value stays small.
    union {
        int m_int;
        double m_real;
        Payload* m_payload;
        Run m_run;
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
    ~QV_IntSetValue() override;
    // Copied only as a set value (the constructor above).
    QV_IntSetValue(const QV_IntSetValue&) = delete;
    QV_IntSetValue& operator=(const QV_IntSetValue&) = delete;
};

class QVCORE_API QV_StrSetValue : public QV_SetValue {
public:
    QV_StrSetValue();
    // The members are the pieces of `text` that end with a double quote; a last piece with no
    // quote after it is a member too. Null or "" gives the empty set.
    explicit QV_StrSetValue(const char* text);
    explicit QV_StrSetValue(const QV_SetValue& other);
    ~QV_StrSetValue() override;
    // Copied only as a set value (the constructor above).
    QV_StrSetValue(const QV_StrSetValue&) = delete;
    QV_StrSetValue& operator=(const QV_StrSetValue&) = delete;
};

// A value handed to Assign or to an index-set refresh, tagged with the two assignment
// arguments of the caller and the assignment number.
class QVCORE_API QV_Value : public SUValue {
public:
    QV_Value(int value, unsigned b, unsigned a, int number);
    QV_Value(double value, unsigned b, unsigned a, int number);
    QV_Value(const char* value, unsigned b, unsigned a, int number);
    QV_Value(const SUValue& value, unsigned b, unsigned a, int number);
    QV_Value(const QV_SetValue& value, unsigned b, unsigned a, int number);
    // Default values of parameter types.
    QV_Value(int value, unsigned tag);
    QV_Value(double value, unsigned tag);
    QV_Value(const char* value, unsigned tag);
    QV_Value(const SUValue& value, unsigned tag);
    QV_Value(const QV_SetValue& value, unsigned tag);
    ~QV_Value() override;
    QV_Value(const QV_Value&) = delete;
    QV_Value& operator=(const QV_Value&) = delete;

    unsigned TagB() const;
    unsigned TagA() const;
    int Number() const;
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
    explicit QV_IntegerSetIter(const QV_IntSetValue& set);
    ~QV_IntegerSetIter();
    int v();
    int fv() const;
};

class QVCORE_API QV_StringSetIter : public QV_SetIter {
public:
    explicit QV_StringSetIter(const SUValue& set);
    const char* v();
};
