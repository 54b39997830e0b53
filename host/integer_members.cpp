#include "host/integer_members.h"

#include <algorithm>

namespace qvhost {

bool IntegerMembers::Find(int value, int& position) const {
    // The run that the value lies in or right after: the last one whose first member is at
    // most `value`. Lookups tend to walk a set in order, so the run of the lookup before and the
    // one after it are tried before the search.
    const auto covers = [this, value](std::size_t r) {
        return r < m_runs.size() && m_runs[r].first <= value &&
               (r + 1 == m_runs.size() || value < m_runs[r + 1].first);
    };
    std::size_t r = m_lastRun;
    if (!covers(r) && !covers(++r)) {
        const auto after = std::upper_bound(m_runs.begin(), m_runs.end(), value,
                                            [](int v, const Run& run) { return v < run.first; });
        if (after == m_runs.begin()) {
            position = 0;
            return false;
        }
        r = static_cast<std::size_t>(after - m_runs.begin()) - 1;
    }
    m_lastRun = r;
    const Run& run = m_runs[r];
    const int end = r + 1 == m_runs.size() ? Size() : m_runs[r + 1].position;
    const long long offset = static_cast<long long>(value) - run.first;
    if (offset < end - run.position) {
        position = run.position + static_cast<int>(offset);
        return true;
    }
    position = end;
    return false;
}

void IntegerMembers::Insert(int position, int value) {
    m_members.insert(m_members.begin() + position, value);
    // The runs that started at `position` or later start one further on. Whether the members
    // now at `position` and `position + 1` start a run is measured anew: only their
    // neighbours changed.
    auto run = FirstRunFrom(position);
    if (run != m_runs.end() && run->position == position) run = m_runs.erase(run);
    for (auto later = run; later != m_runs.end(); ++later)
        ++later->position;
    Run starts[2];
    int count = 0;
    for (int k = position; k <= position + 1 && k < Size(); ++k)
        if (StartsRun(k)) starts[count++] = Run{At(k), k};
    m_runs.insert(run, starts, starts + count);
}

void IntegerMembers::Append(const std::vector<int>& members) {
    const int from = Size();
    m_members.insert(m_members.end(), members.begin(), members.end());
    MeasureFrom(from);
}

void IntegerMembers::Assign(std::vector<int> members) {
    m_members = std::move(members);
    MeasureFrom(0);
}

void IntegerMembers::Clear() {
    m_members.clear();
    m_runs.clear();
}

bool IntegerMembers::StartsRun(int k) const {
    return k == 0 || At(k) != static_cast<long long>(At(k - 1)) + 1;
}

std::vector<IntegerMembers::Run>::iterator IntegerMembers::FirstRunFrom(int position) {
    return std::lower_bound(m_runs.begin(), m_runs.end(), position,
                            [](const Run& r, int p) { return r.position < p; });
}

void IntegerMembers::MeasureFrom(int position) {
    m_runs.erase(FirstRunFrom(position), m_runs.end());
    for (int k = position; k < Size(); ++k)
        if (StartsRun(k)) m_runs.push_back(Run{At(k), k});
}

} // namespace qvhost
