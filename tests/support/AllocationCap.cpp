#include "support/AllocationCap.h"

#include <cstdlib>
#include <new>

namespace {

// Per thread, so that a cap set by one test never refuses another thread's memory.
// Plain values without constructors: they are usable before any static initialisation.
thread_local std::size_t capBytes = 0;  // 0: no cap
thread_local std::size_t largestRefused = 0;

void* Allocate(std::size_t n) {
  if (capBytes != 0 && n > capBytes) {
    if (n > largestRefused) largestRefused = n;
    throw std::bad_alloc();
  }
  for (;;) {
    if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void* AllocateNoThrow(std::size_t n) noexcept {
  try {
    return Allocate(n);
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

namespace zedro::testing {

AllocationCap::AllocationCap(std::size_t maxBytes) : previous_(capBytes) {
  capBytes = maxBytes;
  largestRefused = 0;
}

AllocationCap::~AllocationCap() { capBytes = previous_; }

std::size_t AllocationCap::LargestRefused() const { return largestRefused; }

}  // namespace zedro::testing

// Every form that a plain or array new-expression and its delete may use. The aligned
// forms stay the library's own: they are paired among themselves.
void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return AllocateNoThrow(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return AllocateNoThrow(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
