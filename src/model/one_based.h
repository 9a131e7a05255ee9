// A table addressed from 1, with entry 0 as a scratch slot, whose capacity comes from a limit.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace tavo::model {

/// Entries 0..capacity; the capacity is set once per load by allocate() and never grows
/// meanwhile. Counts are held by the owner of the table, not here.
///
/// The capacity is only reserved (address space, not memory): an entry is made the first time it
/// is written through the non-const accessors, so a table costs memory and time for the entries
/// in use, however high the limit. Entries never move while the capacity stays the same, so a
/// reference to one stays valid while others are added. Reading an entry that was never written
/// gives a default-made entry.
template <class T>
class OneBased {
 public:
  OneBased() = default;
  OneBased(const OneBased& other) { copyFrom(other); }
  OneBased& operator=(const OneBased& other) {
    if (this != &other) copyFrom(other);
    return *this;
  }
  OneBased(OneBased&&) noexcept = default;
  OneBased& operator=(OneBased&&) noexcept = default;

  /// Gives the table `capacity` usable entries (1..capacity). Entries in use that still fit keep
  /// their values; none is made.
  void allocate(int capacity) {
    m_capacity = std::max(capacity, 0);
    const auto wanted = static_cast<std::size_t>(m_capacity) + 1;
    if (m_entries.size() > wanted) m_entries.resize(wanted);
    if (m_entries.capacity() < wanted) m_entries.reserve(wanted);
  }
  int capacity() const { return m_capacity; }

  T& operator[](int i) {
    assert(i >= 0 && i <= m_capacity);
    const auto at = static_cast<std::size_t>(i);
    if (at >= m_entries.size()) [[unlikely]]
      m_entries.resize(at + 1);
    return m_entries[at];
  }
  const T& operator[](int i) const {
    assert(i >= 0 && i <= m_capacity);
    const auto at = static_cast<std::size_t>(i);
    return at < m_entries.size() ? m_entries[at] : m_blank;
  }
  /// As operator[], with std::out_of_range for an index outside 0..capacity.
  T& at(int i) {
    check(i);
    return (*this)[i];
  }
  const T& at(int i) const {
    check(i);
    return (*this)[i];
  }
  T& scratch() { return at(0); }

  /// Entries 0..last made and contiguous, for loops over a range in use; `last` at most the
  /// capacity.
  T* upTo(int last) {
    if (last >= 0) (*this)[last];
    return m_entries.data();
  }
  /// Entries made so far (0..inUse − 1).
  int inUse() const { return static_cast<int>(m_entries.size()); }

  /// Equal capacities and entries, an entry never written counting as a default-made one.
  friend bool operator==(const OneBased& a, const OneBased& b) {
    if (a.m_capacity != b.m_capacity) return false;
    const int made = std::max(a.inUse(), b.inUse());
    for (int i = 0; i < made; ++i) {
      if (!(a[i] == b[i])) return false;
    }
    return true;
  }

 private:
  void check(int i) const {
    if (i < 0 || i > m_capacity) throw std::out_of_range("table index beyond its capacity");
  }
  void copyFrom(const OneBased& other) {
    m_capacity = other.m_capacity;
    m_entries.clear();
    m_entries.reserve(static_cast<std::size_t>(m_capacity) + 1);
    m_entries.insert(m_entries.end(), other.m_entries.begin(), other.m_entries.end());
  }

  std::vector<T> m_entries;  // entries made so far; the capacity is reserved
  int m_capacity = 0;
  T m_blank{};  // what an entry never written reads as
};

}  // namespace tavo::model
