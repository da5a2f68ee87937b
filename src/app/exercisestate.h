#pragma once
// Copies a prepared exercise into the program-wide state: kind, sub-kind, paper or unit, mode,
// question count, the per-question tables (ids, done marks, flags, record offsets; saved steps
// back to 1 and saved pictures cleared for every entry), the file names, question 1 and step 1,
// and 50 minutes on the clock.
//
//   const bank::LaunchResult r = bank::prepareExercise(ModData::sDataPath, set, markedList);
//   if (r.ok())
//       app::applyExercise(r.setup);

#include "bank/exercise.h"

namespace app {

void applyExercise(const bank::ExerciseSetup& setup);

} // namespace app
