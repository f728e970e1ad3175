#pragma once
// State the mail merge shares across the program.
#include <QString>

namespace MergeState {

// The practice database's connection string, rebuilt from the settings at every window load.
inline QString ConnectionString;
// The statement the Merge dialog leaves for the merge; empty when it was cancelled.
inline QString mergesql;

}  // namespace MergeState
