#pragma once
// The number of operator new calls so far in this test program, so that a test can show
// that a hot path allocates nothing.

#include <cstddef>

size_t AllocationCount();
