// The integer members of a host set value that is not a single run, in ascending order, with
// the runs of consecutive members that they form (4, 5, 6, 9, 10 is the runs 4..6 and 9..10). A
// lookup searches the runs, not the members: a set of a few runs answers any value, present or
// not, after a search among those few.
//
// Every change goes through this class, which keeps the runs exact after it: the runs are never
// a copy that could fall behind the members. An insertion costs no more than moving the
// members behind it; a replacement of all members measures the runs once.
#pragma once

#include <cstddef>
#include <vector>

namespace qvhost {

class IntegerMembers {
public:
    int Size() const { return static_cast<int>(m_members.size()); }
    bool Empty() const { return m_members.empty(); }
    // The member at position k, 0 <= k < Size().
    int At(int k) const { return m_members[static_cast<unsigned>(k)]; }
    const std::vector<int>& Members() const { return m_members; }
    // The number of runs (0 without members).
    int RunCount() const { return static_cast<int>(m_runs.size()); }

    // True when `value` is a member; `position` receives its position or, when it is absent,
    // the position at which it belongs.
    bool Find(int value, int& position) const;

    // Inserts `value` before position `position` (0 .. Size()).
    void Insert(int position, int value);
    // Appends members that follow the last one.
    void Append(const std::vector<int>& members);
    // Replaces every member.
    void Assign(std::vector<int> members);
    void Clear();

    bool operator==(const IntegerMembers& other) const { return m_members == other.m_members; }

private:
    // A run starts at `position` with the member `first`; it ends where the next run starts,
    // or at the last member.
    struct Run {
        int first;
        int position;
    };
    // True when the member at position k does not continue the member before it.
    bool StartsRun(int k) const;
    // The first run that starts at `position` or later.
    std::vector<Run>::iterator FirstRunFrom(int position);
    // Drops the runs that start at `position` or later, then measures the members from there.
    void MeasureFrom(int position);
    std::vector<int> m_members;
    std::vector<Run> m_runs;
    // The run that the last lookup found; only a hint, which Find checks before it uses it.
    mutable std::size_t m_lastRun = 0;
};

} // namespace qvhost
