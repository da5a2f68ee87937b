#include "app/moddata.h"

namespace ModData {

void resetAll()
{
    sErrProc.clear();
    lErrNum = 0;
    sErrDesc.clear();

    sSettings.clear();
    sKeMu.clear();
    sProName.clear();
    sDataPath.clear();
    iProNo = 0;
    sDanYuan.clear();
    sKsName.clear();
    sOsVer.clear();
    sTkVer.clear();
    sErrLogFile.clear();
    dScaleX = 0;
    dScaleY = 0;

    iUpdataShow = 0;
    iMsgAnswer = 0;
    iFengmianPage = 0;
    bYanShiOn = false;
    bTmCanClose = false;

    sKsZwh.clear();
    sKsCC.clear();
    sKsDah.clear();
    sKsSfz.clear();

    iLianXiType = 0;
    iLianXiSub = 0;
    iRunMode = 0;
    iSelIndex = 0;
    iTmCount = 0;
    bTmMarksRead = true;
    iTmNo = 0;
    iStepNo = 0;
    iLeftMinutes = 0;
    sKsStartTime.clear();
    sOpFile.clear();
    sOpTextFile.clear();
    sTmTextFile.clear();
    sTmLine.clear();
    sOpRecord.clear();

    iPaperMix = 0;
    iDanYuanCount = 0;

    sTmDone.clear();
    sTmPic.clear();
    iTmStep.clear();
    iTmLine.clear();
    iTmCode.clear();
    iTmFlags.clear();

    lImeHkl = 0;
    bAutoIme = false;
}

} // namespace ModData
