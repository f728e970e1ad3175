// Every test runs with the heap set up as the program sets it up first thing in main.
#include "shell/memorypolicy.h"

namespace {
[[maybe_unused]] const bool applied = (MemoryPolicy::apply(), true);
}
