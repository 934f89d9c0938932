#include "tests/analysis/allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Every form that the sanitizers also replace is replaced here, so that memory from this
// operator new is never handed to theirs.
namespace {

std::atomic<size_t> Allocations{0};

void* Allocate(std::size_t size) {
  ++Allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

size_t AllocationCount() { return Allocations; }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
