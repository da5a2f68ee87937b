#include "app/exercisestate.h"

#include "app/moddata.h"
#include "bank/value.h"

namespace app {

void applyExercise(const bank::ExerciseSetup& s)
{
    using namespace ModData;
    iLianXiType = vb::Integer(s.exerciseKind);
    iLianXiSub = vb::Integer(s.subKind);
    if (s.selIndex >= 0)
        iSelIndex = vb::Integer(s.selIndex);
    iRunMode = vb::Integer(s.runMode);
    iTmCount = vb::Integer(s.count);
    bTmMarksRead = s.marksRead;
    for (int q = 1; q <= bank::kTableSize; ++q) {
        const size_t i = size_t(q - 1);
        iTmCode(q) = bank::toInt16(i < s.codes.size() ? s.codes[i] : 0);
        sTmDone(q) = q - 1 < s.done.size() ? s.done.at(q - 1) : QString();
        iTmFlags(q) = bank::toInt16(i < s.flags.size() ? s.flags[i] : 0);
        iTmLine(q) = bank::toInt16(i < s.lineOffsets.size() ? s.lineOffsets[i] : 0);
        iTmStep(q) = 1;
        for (int plane = 0; plane <= 6; ++plane)
            sTmPic(q, plane) = QString();
    }
    sOpFile = s.paths.opFile;
    sTmTextFile = s.paths.textFile;
    sOpTextFile = s.paths.opTextFile;
    iTmNo = 1;
    iStepNo = 1;
    iLeftMinutes = 50;
}

} // namespace app
