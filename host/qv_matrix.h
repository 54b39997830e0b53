// Arrays: an element vector that owns its elements, the array base class QV_Matrix, and the
// host's own one-index arrays QV_BASE_I (integer index) and QV_BASE_S (text index).
//
// Arrays keep their grid dense: one slot per combination of index values, row-major, the
// last index fastest; a slot is null while its element does not exist. An element addressed
// with an index value that the array does not hold yet is created on access, and the value
// joins the array's own index values.
#pragma once

#include "host/qv_object.h"

class QVCORE_API QV_LongPtrVectorOwnsData {
public:
    QV_LongPtrVectorOwnsData();
    QV_LongPtrVectorOwnsData(const QV_LongPtrVectorOwnsData&) = delete;
    QV_LongPtrVectorOwnsData& operator=(const QV_LongPtrVectorOwnsData&) = delete;
    ~QV_LongPtrVectorOwnsData(); // deletes every element

    unsigned Elements() const;
    QV_Type*& operator[](unsigned slot) const;
    // Takes the vector as consecutive runs of count * stride slots (one run when the vector
    // is empty or count is 0) and inserts `stride` null slots into each run before its slot
    // position * stride. Refuses (returns false, changes nothing) when the vector would pass
    // 2^31 - 1 slots or memory runs out.
    bool AddNullEntries(int position, int count, int stride);
    // Deletes every element and drops every slot.
    void Clear();

private:
    QV_Type** m_slots;
    unsigned m_size;
    unsigned m_capacity; // a single run grows in place, so appending stays amortised O(1)
};

class QVCORE_API QV_Matrix : public QV_Type {
public:
    enum { MaxIndices = 4 };

    // `setValues`: the n index-value sets of the derived array; only stored here.
    QV_Matrix(int n, QV_SetValue* setValues);
    // A copy has no elements; they are made anew on access. The set values handed to the
    // first constructor are members of the derived array: the copy takes its own, at the same
    // place within the object.
    QV_Matrix(const QV_Matrix& other);
    // Replaces the elements by copies of the other array's values (made by NewElement).
    QV_Matrix& operator=(const QV_Matrix& other);
    ~QV_Matrix() override;

    virtual QV_Type* NewElement() = 0;
    // Makes every missing element of the grid; returns how many were made.
    virtual int NewElements();
    // Makes the element named by an index text such as "3)" or "a,7)".
    virtual void CreateMissingArrayElement(const char* text);

    // Makes one element through NewElement, stores it in slot m_Position and names it with
    // the index values given by the AddIndexToString calls just before. Null when no element
    // could be made or m_Position lies outside the vector.
    QV_Type* AddElement();
    void AddIndexToString(int value, int position);
    void AddIndexToString(const char* value, int position);
    // Reads one index value up to `terminator` (blanks around it are skipped) and moves
    // `text` past the terminator; false when nothing valid could be read. A text index is
    // read into `buffer` of 128 characters; a longer one is refused, never truncated.
    static bool ReadIndex(const char*& text, int& value, char terminator);
    static bool ReadIndex(const char*& text, char* buffer, char terminator);
    enum { IndexBufferSize = 128 };

    void CancelDependenceOnDeclaredSets();
    // Told by a declared set that it goes away: the array no longer refers to it.
    void DependenceLost(QV_Containable* set);
    int PortCount(bool all) const override;
    QV_Type* GetPort(int& index, bool all) override;

    int IndexCount() const;
    const QV_SetValue& IndexValues(int k) const;
    // The element at a slot, or null.
    QV_Type* ElementAt(unsigned slot) const;
    static const char* QV_ContainerId();

    QV_LongPtrVectorOwnsData m_Elements;
    int m_Position;
    QV_Set* m_DeclaredSets[MaxIndices];

protected:
    // Declares the one index set of a one-index array.
    void DeclareSet(QV_Set& set);

private:
    struct PendingIndex;
    PendingIndex* m_pending;
    QV_SetValue* m_setValues;
    int m_indexCount;
};

class QVCORE_API QV_BASE_I : public QV_Matrix {
public:
    QV_BASE_I();
    QV_BASE_I(const QV_BASE_I& other);
    QV_BASE_I& operator=(const QV_BASE_I& other);
    ~QV_BASE_I() override;
    QV_Type* Find(int x);
    void SetDim(QV_Set& set);
    int NewElements() override;
    void CreateMissingArrayElement(const char* text) override;

private:
    // Measures the run of index values that follow the first one without a gap.
    void MeasureRun();
    // Keeps the run current when `value` has joined the index values at `position`.
    void TakeNewValue(int value, int position);
    // Lengthens the run by the values that continue it.
    void ExtendRun();
    QV_SetValue m_SetValue;
    // Index values m_runFirst + k, 0 <= k < m_runLength, sit in slot k: an element there is
    // found without consulting the index values (an array over a grid's nodes is one run).
    int m_runFirst = 0;
    int m_runLength = 0;
};

class QVCORE_API QV_BASE_S : public QV_Matrix {
public:
    QV_BASE_S();
    QV_BASE_S(const QV_BASE_S& other);
    QV_BASE_S& operator=(const QV_BASE_S& other);
    ~QV_BASE_S() override;
    QV_Type* Find(const char* x);
    void SetDim(QV_Set& set);
    int NewElements() override;
    void CreateMissingArrayElement(const char* text) override;

private:
    QV_SetValue m_SetValue;
};
