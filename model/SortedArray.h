// CSortedArray: a growable array of records kept in order by the record type's
// comparison, with an ordered insert that never stores two equal records.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <vector>

namespace ks {

// The shared default record of a type: what total getters hand out for an index
// outside an array. Record types give their defaults through member initialisers.
template <class T>
const T& defaultRecord() {
    static const T record{};
    return record;
}

// Total read access to a plain array of records.
template <class T>
const T& recordAt(const std::vector<T>& items, int index) {
    if (index < 0 || index >= static_cast<int>(items.size())) return defaultRecord<T>();
    return items[static_cast<size_t>(index)];
}

// Record types provide `static int compare(const T& a, const T& b)` returning <0, 0 or >0.
template <class T>
class CSortedArray {
  public:
    using value_type = T;
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;

    // Ordered insert. When an equal record exists, it stays unchanged and its index is
    // returned; otherwise the record is inserted where it belongs and its index returned.
    int Add(const T& record) {
        auto it = std::lower_bound(items_.begin(), items_.end(), record, less);
        if (it != items_.end() && T::compare(*it, record) == 0)
            return static_cast<int>(it - items_.begin());
        it = items_.insert(it, record);
        return static_cast<int>(it - items_.begin());
    }

    // The same result as calling Add for each record in turn, in O((n + m) log m):
    // among equal records the one already present, or else the first offered, wins.
    void AddAll(std::vector<T> records) {
        if (records.empty()) return;
        std::stable_sort(records.begin(), records.end(), less);
        records.erase(std::unique(records.begin(), records.end(),
                                  [](const T& a, const T& b) { return T::compare(a, b) == 0; }),
                      records.end());
        std::vector<T> merged;
        merged.reserve(items_.size() + records.size());
        auto a = items_.begin();
        auto b = records.begin();
        while (a != items_.end() || b != records.end()) {
            if (b == records.end() || (a != items_.end() && T::compare(*a, *b) <= 0)) {
                if (b != records.end() && T::compare(*a, *b) == 0) ++b;
                merged.push_back(std::move(*a++));
            } else {
                merged.push_back(std::move(*b++));
            }
        }
        items_ = std::move(merged);
    }

    // Index of the record equal to `record`, or -1.
    int find(const T& record) const {
        auto it = std::lower_bound(items_.begin(), items_.end(), record, less);
        if (it != items_.end() && T::compare(*it, record) == 0)
            return static_cast<int>(it - items_.begin());
        return -1;
    }

    // Index of the first record not ordered before `record`.
    int lowerBound(const T& record) const {
        return static_cast<int>(std::lower_bound(items_.begin(), items_.end(), record, less) -
                                items_.begin());
    }

    int size() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    void clear() { items_.clear(); }
    void reserve(int n) { items_.reserve(static_cast<size_t>(std::max(n, 0))); }

    // Total getter: the shared default record for an index out of range.
    const T& at(int index) const { return recordAt(items_, index); }

    // Mutable access for callers that keep the order (they must not change the sort key).
    T& operator[](int index) {
        assert(index >= 0 && index < size());
        return items_[static_cast<size_t>(index)];
    }
    const T& operator[](int index) const { return at(index); }

    void removeAt(int index) {
        if (index >= 0 && index < size()) items_.erase(items_.begin() + index);
    }
    void removeRange(int first, int count) {
        first = std::clamp(first, 0, size());
        count = std::clamp(count, 0, size() - first);
        items_.erase(items_.begin() + first, items_.begin() + first + count);
    }
    template <class Pred>
    int removeIf(Pred pred) {
        auto end = std::remove_if(items_.begin(), items_.end(), pred);
        int removed = static_cast<int>(items_.end() - end);
        items_.erase(end, items_.end());
        return removed;
    }

    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

    // The underlying vector, read only.
    const std::vector<T>& items() const { return items_; }

    // Replace the whole content; the records are sorted and equal ones dropped as AddAll does.
    void assign(std::vector<T> records) {
        items_.clear();
        AddAll(std::move(records));
    }

    bool operator==(const CSortedArray& other) const { return items_ == other.items_; }

  private:
    static bool less(const T& a, const T& b) { return T::compare(a, b) < 0; }
    std::vector<T> items_;
};

// Three-way comparison of plain integers, for record compare functions.
inline int compareInts(int64_t a, int64_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace ks
