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

#include "host/qvcore.h"

namespace norvane {

template <int N> class IndexRuns {
public:
    // The element at these index values when each lies in its run and the element exists
    // (m_Position then names its slot); null otherwise, and the caller searches.
    QV_Type* Find(QV_Matrix& array, const int (&x)[N]) const {
        const long long slots = array.m_Elements.Elements();
        long long slot = 0;
        for (int k = 0; k < N; ++k) {
            const long long offset = static_cast<long long>(x[k]) - m_first[k];
            if (offset < 0 || offset >= m_length[k]) return nullptr;
            // Each factor stays below 2^31, as `slot` stays below the slot count: no overflow.
            slot = slot * m_size[k] + offset;
            if (slot >= slots) return nullptr;
        }
        QV_Type* element = array.m_Elements[static_cast<unsigned>(slot)];
        if (element) array.m_Position = static_cast<int>(slot);
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
    }

    // Keeps the runs current after a lookup that may have added a value to each set. A value
    // missing from a set cannot lie within its run: it comes before the run's first value
    // (and may continue the run downwards) or after it, where it may continue the run.
    void Update(const QV_SetValue* sets) {
        for (int k = 0; k < N; ++k) {
            const int size = sets[k].SetSize();
            if (size == m_size[k]) continue;
            m_size[k] = size;
            const int first = sets[k].Integer(0);
            if (m_length[k] > 0 && m_length[k] < size && first == m_first[k] - 1LL)
                ++m_length[k];
            else if (first != m_first[k] || m_length[k] > size)
                m_length[k] = 0;
            m_first[k] = first;
            Extend(sets[k], k);
        }
    }

private:
    void Extend(const QV_SetValue& set, int k) {
        while (m_length[k] < m_size[k] &&
               set.Integer(m_length[k]) == static_cast<long long>(m_first[k]) + m_length[k])
            ++m_length[k];
    }

    int m_first[N] = {};
    int m_length[N] = {}; // 0: no run
    int m_size[N] = {};   // the set sizes, which give the strides of the grid
};

} // namespace norvane
