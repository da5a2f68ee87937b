#pragma once
// Small helpers shared by the demonstration window's source files.

#include "app/moddata.h"
#include "bank/oprecord.h"
#include "demo/frmyanshi.h"
#include "toolkit/vberror.h"

#include <utility>

namespace demo {

// The demonstration goes on with its next statement after an error, reporting nothing.
template <class F>
void step(F&& f)
{
    vb::attempt(std::forward<F>(f));
}

// The current step's operation record, as it stands now (a nested build may have read the next).
// The demonstration reads its own copy: the surface's record stays as the candidate left it.
inline bank::OpRecord record() { return bank::OpRecord(FrmYanShi::opRecord); }

// Columns 8-11 of the current record.
inline QString codeText() { return record().run(8, 11); }

} // namespace demo
