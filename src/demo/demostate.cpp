#include "demo/demostate.h"

#include "app/moddata.h"
#include "demo/frmyanshi.h"
#include "exam/frmtm.h"

namespace demo {

bool underWay()
{
    if (!ModData::bYanShiOn)
        return false;
    if (FrmYanShi::isLoaded() && FrmYanShi::get().isVisible())
        return true;
    return FrmTm::isLoaded() && FrmTm::get().TimStartYS.Enabled();
}

void clearStaleFlag()
{
    if (!underWay())
        ModData::bYanShiOn = false;
}

} // namespace demo
