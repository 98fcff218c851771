// The durations of a stored code as a short table: groups of durations close enough that one value
// stands for all of them at a receiver.
#pragma once

#include <cstddef>
#include <vector>

namespace ir {

// Most entries a stored table holds: its size is one byte.
constexpr std::size_t kMostTableEntries = 255;

class DurationTable {
public:
    // `rounded` puts each group's value on the sharing grid, so that keys of one remote tend to
    // the same table.
    DurationTable(std::vector<int> values, bool rounded);

    std::size_t size() const { return groups_.size(); }
    int value(std::size_t index) const { return groups_[index].value; }
    // The group `v` fell into when the table was made; 0 for a value it was not made from.
    std::size_t indexOf(int v) const;

    // The nearest point of a grid 10 % apart: within 5 % of the value, and the same point for
    // the same duration of another key of the remote unless it lies near the middle between two.
    static int roundForSharing(int v);

private:
    struct Group {
        int low, high, value;
    };
    std::vector<Group> groups_;
};

} // namespace ir
