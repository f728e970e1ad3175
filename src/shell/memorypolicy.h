#pragma once
// How the program's heap hands memory back to the system.

namespace MemoryPolicy {

// Called first thing in main, before anything is allocated.
void apply();

}  // namespace MemoryPolicy
