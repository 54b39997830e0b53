// The runs of the index values of a container over integer indices only. For each index, the
// run is the values that follow its first value without a gap: first, first + 1, ...,
// first + length - 1, at positions 0 .. length - 1 of its set value. An element whose index
// values all lie in their runs is found by arithmetic, without a search of the set values: the
// index sets of a grid's arrays are such runs, so every lookup of a pass takes this way.
//
// The runs follow the set values through the container's own changes: a lookup that may have
// added values (Update), a copy or an assignment (Measure). Set values changed from outside
// the container must be changed before its first lookup, as the dense grid already requires.
#pragma once

#include <climits>

#include "host/qvcore.h"

namespace norvane {

template <int N> class IndexRuns {
public:
    // The element at these index values when each lies in its run and the element exists
    // (m_Position then names its slot); null otherwise, and the caller searches.
    template <class... Index> QV_Type* Find(QV_Matrix& array, Index... x) {
        static_assert(sizeof...(Index) == N, "one value per index");
        // An offset outside its run wraps to a large unsigned value; within the runs the slot
        // stays below the grid's size, at most INT_MAX (Strides makes sure).
        unsigned long long slot = 0;
        int k = 0;
        const bool within =
            ((Offset(x, k) < m_length[k] ? (slot += Offset(x, k) * m_stride[k], ++k, true)
                                         : false) &&
             ...);
        if (!within || slot >= array.m_Elements.Elements()) return nullptr;
        QV_Type* element = array.m_Elements[static_cast<unsigned>(slot)];
        if (!element) return nullptr;
        array.m_Position = static_cast<int>(slot);
        return element;
    }

    // Measures every run anew.
    void Measure(const QV_SetValue* sets) {
        for (int k = 0; k < N; ++k) {
            m_size[k] = sets[k].SetSize();
            m_first[k] = m_size[k] > 0 ? sets[k].Integer(0) : 0;
            m_length[k] = 0;
            Extend(sets[k], k);
        }
        Strides();
    }

    // Keeps the runs current after a lookup that may have added a value to each set. A value
    // missing from a set cannot lie within its run: it comes before the run's first value
    // (and may continue the run downwards) or after it, where it may continue the run.
    void Update(const QV_SetValue* sets) {
        bool changed = false;
        for (int k = 0; k < N; ++k) {
            const int size = sets[k].SetSize();
            if (size == m_size[k]) continue;
            changed = true;
            m_size[k] = size;
            const int first = sets[k].Integer(0);
            if (m_length[k] > 0 && m_length[k] < static_cast<unsigned>(size) &&
                first == m_first[k] - 1LL)
                ++m_length[k];
            else if (first != m_first[k] || m_length[k] > static_cast<unsigned>(size))
                m_length[k] = 0;
            m_first[k] = first;
            Extend(sets[k], k);
        }
        if (changed) Strides();
    }

private:
    template <class Index> unsigned long long Offset(Index x, int k) const {
        return static_cast<unsigned long long>(static_cast<long long>(x) - m_first[k]);
    }

    void Extend(const QV_SetValue& set, int k) {
        while (m_length[k] < static_cast<unsigned>(m_size[k]) &&
               set.Integer(static_cast<int>(m_length[k])) ==
                   static_cast<long long>(m_first[k]) + m_length[k])
            ++m_length[k];
    }

    // The stride of each index is the product of the later indices' sizes. A grid of more than
    // INT_MAX slots cannot exist: its runs are then not used.
    void Strides() {
        unsigned long long stride = 1;
        for (int k = N - 1; k >= 0; --k) {
            m_stride[k] = stride;
            stride *= static_cast<unsigned long long>(m_size[k]);
            if (stride > INT_MAX) {
                for (unsigned& length : m_length)
                    length = 0;
                return;
            }
        }
    }

    int m_first[N] = {};
    unsigned m_length[N] = {}; // 0: no run
    int m_size[N] = {};
    unsigned long long m_stride[N] = {};
};

} // namespace norvane
