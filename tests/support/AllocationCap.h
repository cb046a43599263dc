// Refuses large allocations while a test looks: a reader that sets memory aside for a
// length read from a damaged file before checking that the file can hold it then fails
// at once with std::bad_alloc, instead of quietly taking gigabytes.
//
// The test binary replaces the global operator new and delete (AllocationCap.cpp) so
// that every allocation passes the cap; they take their memory from malloc and give it
// back with free, which keeps sanitizer builds consistent.
#pragma once

#include <cstddef>

namespace zedro::testing {

class AllocationCap {
 public:
  // While the object lives, a single allocation of more than maxBytes is refused.
  explicit AllocationCap(std::size_t maxBytes);
  ~AllocationCap();
  AllocationCap(const AllocationCap&) = delete;
  AllocationCap& operator=(const AllocationCap&) = delete;

  // The largest request that was refused while the cap held; 0 when none was.
  std::size_t LargestRefused() const;

 private:
  std::size_t previous_;
};

}  // namespace zedro::testing
