#pragma once
// Changes to the whole word book from the main window.

#include "app/core/Program.h"

namespace cindral {

// Shuffles the words (with their meanings) inside each group; group,
// entry date, proficiency and serial number stay with their records.
void ShuffleWordBook(Program& program);

// After the learner confirms: empties the word book and starts the course
// again from group 1.
void ResetWordBook(Program& program);

}  // namespace cindral
