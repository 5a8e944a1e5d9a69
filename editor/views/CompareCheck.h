// Consistency check of a finished comparison, for tests and the fuzz target.
#pragma once

#include <string>

#include "editor/views/CompareEngine.h"

// True when: both panes have the same length; in the all-lines view every line of each
// file appears exactly once in its pane in file order (in the only-differences view
// the shown lines are in file order and include every changed line); partners are
// mutual and equal under the options; an unchanged line that takes part in matching
// sits opposite its partner; and the difference count matches the rows. `why` gets the first fault.
bool CheckCompare(const TCompareEngine& engine, std::string* why);
