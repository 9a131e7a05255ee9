// A fixed-capacity table addressed from 1, with entry 0 as a scratch slot.
#pragma once

#include <cassert>
#include <vector>

namespace tavo::model {

/// Entries 0..capacity; the capacity is set once per load by allocate() and never grows meanwhile.
/// Counts are held by the owner of the table, not here.
template <class T>
class OneBased {
 public:
  /// Gives the table `capacity` usable entries (1..capacity). Entries that still fit keep their
  /// values.
  void allocate(int capacity) { m_entries.resize(static_cast<std::size_t>(capacity) + 1); }
  int capacity() const { return static_cast<int>(m_entries.size()) - 1; }

  T& operator[](int i) {
    assert(i >= 0 && i <= capacity());
    return m_entries[static_cast<std::size_t>(i)];
  }
  const T& operator[](int i) const {
    assert(i >= 0 && i <= capacity());
    return m_entries[static_cast<std::size_t>(i)];
  }
  T& at(int i) { return m_entries.at(static_cast<std::size_t>(i)); }
  const T& at(int i) const { return m_entries.at(static_cast<std::size_t>(i)); }
  T& scratch() { return m_entries.at(0); }

 private:
  std::vector<T> m_entries;
};

}  // namespace tavo::model
