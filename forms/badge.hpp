#pragma once

namespace wizlo {

// A key only T can make: a member that takes a Badge<T> may be called by T alone, without making T a
// friend of the whole class.
template <typename T>
class Badge {
  friend T;
  Badge() = default;
};

}  // namespace wizlo
