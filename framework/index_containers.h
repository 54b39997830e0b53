// Index containers: the base classes of arrays whose elements are addressed by two to four
// index values, each an integer (I) or a text (S). QV_BASE_IS, for example, has an integer
// first index and a text second index.
//
// Each container derives from the host's QV_Matrix and keeps, in m_SetValues, the index
// values that exist for each index (set value k typed 10 for an integer index, 13 for a text
// index). The host's element vector m_Elements holds the dense row-major grid of those values,
// last index fastest: once it has slots at all, it has one slot per combination, null while
// that element does not exist.
//
//   Find(x1, ..., xn)               the element at these index values; a value that is new
//                                   joins its set value and adds a hyperplane of null slots,
//                                   and a missing element is made through NewElement. Null
//                                   when the grid cannot grow or the element cannot be made.
//   SetDim(s1, ..., sn)             declares the index sets; the array becomes their dependent.
//   BuildIndexString(x1, ..., xn)   hands the index values of the next element to the host.
//   NewElements()                   makes every missing element of the grid; returns how many.
//   CreateMissingArrayElement(t)    makes the element named by an index text such as "3,a)".
//
// NewElement stays pure: the array templates that derive from a container supply it.
// The logic is written once, in index_containers.cpp; the classes here only fix the number
// and kinds of the indices.
//
// A container keeps nothing beside its set values: every lookup asks them (SetContains), so
// that a set value changed from outside is never answered from an older copy.
#pragma once

#include "framework/library_api.h"
#include "host/qvcore.h"

// The members that do not depend on the kinds of the indices.
#define QV_INDEX_CONTAINER_COMMON(Name, N)                                                         \
public:                                                                                            \
    Name();                                                                                        \
    Name(const Name& other);                                                                       \
    Name& operator=(const Name& other);                                                            \
    ~Name() override;                                                                              \
    int NewElements() override;                                                                    \
    void CreateMissingArrayElement(const char* text) override;                                     \
    QV_SetValue m_SetValues[N]

class NORVANE_CLASS QV_BASE_II : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_II, 2);
    QV_Type* Find(int x1, int x2);
    void SetDim(QV_Set& s1, QV_Set& s2);
    void BuildIndexString(int x1, int x2);
};

class NORVANE_CLASS QV_BASE_III : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_III, 3);
    QV_Type* Find(int x1, int x2, int x3);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3);
    void BuildIndexString(int x1, int x2, int x3);
};

class NORVANE_CLASS QV_BASE_IIII : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_IIII, 4);
    QV_Type* Find(int x1, int x2, int x3, int x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(int x1, int x2, int x3, int x4);
};

class NORVANE_CLASS QV_BASE_IIIS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_IIIS, 4);
    QV_Type* Find(int x1, int x2, int x3, const char* x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(int x1, int x2, int x3, const char* x4);
};

class NORVANE_CLASS QV_BASE_IIS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_IIS, 3);
    QV_Type* Find(int x1, int x2, const char* x3);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3);
    void BuildIndexString(int x1, int x2, const char* x3);
};

class NORVANE_CLASS QV_BASE_IISI : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_IISI, 4);
    QV_Type* Find(int x1, int x2, const char* x3, int x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(int x1, int x2, const char* x3, int x4);
};

class NORVANE_CLASS QV_BASE_IISS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_IISS, 4);
    QV_Type* Find(int x1, int x2, const char* x3, const char* x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(int x1, int x2, const char* x3, const char* x4);
};

class NORVANE_CLASS QV_BASE_IS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_IS, 2);
    QV_Type* Find(int x1, const char* x2);
    void SetDim(QV_Set& s1, QV_Set& s2);
    void BuildIndexString(int x1, const char* x2);
};

class NORVANE_CLASS QV_BASE_ISI : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_ISI, 3);
    QV_Type* Find(int x1, const char* x2, int x3);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3);
    void BuildIndexString(int x1, const char* x2, int x3);
};

class NORVANE_CLASS QV_BASE_ISII : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_ISII, 4);
    QV_Type* Find(int x1, const char* x2, int x3, int x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(int x1, const char* x2, int x3, int x4);
};

class NORVANE_CLASS QV_BASE_ISIS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_ISIS, 4);
    QV_Type* Find(int x1, const char* x2, int x3, const char* x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(int x1, const char* x2, int x3, const char* x4);
};

class NORVANE_CLASS QV_BASE_ISS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_ISS, 3);
    QV_Type* Find(int x1, const char* x2, const char* x3);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3);
    void BuildIndexString(int x1, const char* x2, const char* x3);
};

class NORVANE_CLASS QV_BASE_ISSI : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_ISSI, 4);
    QV_Type* Find(int x1, const char* x2, const char* x3, int x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(int x1, const char* x2, const char* x3, int x4);
};

class NORVANE_CLASS QV_BASE_ISSS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_ISSS, 4);
    QV_Type* Find(int x1, const char* x2, const char* x3, const char* x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(int x1, const char* x2, const char* x3, const char* x4);
};

class NORVANE_CLASS QV_BASE_SI : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SI, 2);
    QV_Type* Find(const char* x1, int x2);
    void SetDim(QV_Set& s1, QV_Set& s2);
    void BuildIndexString(const char* x1, int x2);
};

class NORVANE_CLASS QV_BASE_SII : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SII, 3);
    QV_Type* Find(const char* x1, int x2, int x3);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3);
    void BuildIndexString(const char* x1, int x2, int x3);
};

class NORVANE_CLASS QV_BASE_SIII : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SIII, 4);
    QV_Type* Find(const char* x1, int x2, int x3, int x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(const char* x1, int x2, int x3, int x4);
};

class NORVANE_CLASS QV_BASE_SIIS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SIIS, 4);
    QV_Type* Find(const char* x1, int x2, int x3, const char* x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(const char* x1, int x2, int x3, const char* x4);
};

class NORVANE_CLASS QV_BASE_SIS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SIS, 3);
    QV_Type* Find(const char* x1, int x2, const char* x3);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3);
    void BuildIndexString(const char* x1, int x2, const char* x3);
};

class NORVANE_CLASS QV_BASE_SISI : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SISI, 4);
    QV_Type* Find(const char* x1, int x2, const char* x3, int x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(const char* x1, int x2, const char* x3, int x4);
};

class NORVANE_CLASS QV_BASE_SISS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SISS, 4);
    QV_Type* Find(const char* x1, int x2, const char* x3, const char* x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(const char* x1, int x2, const char* x3, const char* x4);
};

class NORVANE_CLASS QV_BASE_SS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SS, 2);
    QV_Type* Find(const char* x1, const char* x2);
    void SetDim(QV_Set& s1, QV_Set& s2);
    void BuildIndexString(const char* x1, const char* x2);
};

class NORVANE_CLASS QV_BASE_SSI : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SSI, 3);
    QV_Type* Find(const char* x1, const char* x2, int x3);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3);
    void BuildIndexString(const char* x1, const char* x2, int x3);
};

class NORVANE_CLASS QV_BASE_SSII : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SSII, 4);
    QV_Type* Find(const char* x1, const char* x2, int x3, int x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(const char* x1, const char* x2, int x3, int x4);
};

class NORVANE_CLASS QV_BASE_SSIS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SSIS, 4);
    QV_Type* Find(const char* x1, const char* x2, int x3, const char* x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(const char* x1, const char* x2, int x3, const char* x4);
};

class NORVANE_CLASS QV_BASE_SSS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SSS, 3);
    QV_Type* Find(const char* x1, const char* x2, const char* x3);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3);
    void BuildIndexString(const char* x1, const char* x2, const char* x3);
};

class NORVANE_CLASS QV_BASE_SSSI : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SSSI, 4);
    QV_Type* Find(const char* x1, const char* x2, const char* x3, int x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(const char* x1, const char* x2, const char* x3, int x4);
};

class NORVANE_CLASS QV_BASE_SSSS : public QV_Matrix {
    QV_INDEX_CONTAINER_COMMON(QV_BASE_SSSS, 4);
    QV_Type* Find(const char* x1, const char* x2, const char* x3, const char* x4);
    void SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4);
    void BuildIndexString(const char* x1, const char* x2, const char* x3, const char* x4);
};

#undef QV_INDEX_CONTAINER_COMMON
