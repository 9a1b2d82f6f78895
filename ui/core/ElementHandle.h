// The identity of an element or of a window host: the object's own address as
// a pointer-sized integer. It is what window messages carry in wparam and what
// timers use as their id; 0 names nothing. Objects are larger than one byte, so
// a handle plus 1 (the timer id of an element's transition) never names
// another object.
#pragma once

#include <cstdint>

using ElementHandle = std::uintptr_t;

inline ElementHandle HandleOf(const void* object) { return reinterpret_cast<ElementHandle>(object); }
