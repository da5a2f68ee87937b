#include "app/moddata.h"

#include <gtest/gtest.h>

namespace {
template <class F>
int errorOf(F&& step)
{
    try {
        step();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}
} // namespace

class ModDataTest : public ::testing::Test {
protected:
    void SetUp() override { ModData::resetAll(); }
    void TearDown() override { ModData::resetAll(); }
};

TEST_F(ModDataTest, EverythingStartsEmptyZeroOrFalse)
{
    using namespace ModData;
    for (const QString* s : {&sErrProc, &sErrDesc, &sKeMu, &sProName, &sDataPath, &sKsName, &sOsVer,
                             &sTkVer, &sErrLogFile, &sKsZwh, &sKsCC, &sKsDah, &sKsSfz,
                             &sKsStartTime, &sOpFile, &sOpTextFile, &sTmTextFile, &sTmLine,
                             &sOpRecord})
        EXPECT_TRUE(s->isEmpty());
    for (qint16 i : {iProNo, iUpdataShow, iMsgAnswer, iFengmianPage, iLianXiType, iLianXiSub,
                     iRunMode, iSelIndex, iTmCount, iTmNo, iStepNo, iLeftMinutes, iPaperMix,
                     iDanYuanCount})
        EXPECT_EQ(i, 0);
    EXPECT_EQ(lErrNum, 0);
    EXPECT_EQ(lImeHkl, 0);
    EXPECT_EQ(dScaleX, 0.0);
    EXPECT_EQ(dScaleY, 0.0);
    EXPECT_FALSE(bYanShiOn);
    EXPECT_FALSE(bTmCanClose);
    EXPECT_FALSE(bAutoIme);
    EXPECT_EQ(vb::boolNum(bAutoIme), 0);
    EXPECT_TRUE(sSettings(0).isEmpty());
    EXPECT_TRUE(sSettings(40).isEmpty());
    EXPECT_TRUE(sDanYuan(40, 4).isEmpty());
    EXPECT_TRUE(sTmPic(500, 6).isEmpty());
    EXPECT_EQ(iTmFlags(500), 0);
}

TEST_F(ModDataTest, TypesAndBoundsAreThoseDeclared)
{
    using namespace ModData;
    static_assert(std::is_same_v<decltype(iTmNo), qint16>);
    static_assert(std::is_same_v<decltype(lErrNum), qint32>);
    static_assert(std::is_same_v<decltype(lImeHkl), qint32>);
    static_assert(std::is_same_v<decltype(dScaleX), double>);
    static_assert(decltype(sSettings)::lower() == 0 && decltype(sSettings)::upper() == 40);
    static_assert(decltype(sTmDone)::lower() == 1 && decltype(sTmDone)::upper() == 500);
    static_assert(decltype(sTmPic)::upper1() == 500 && decltype(sTmPic)::upper2() == 6);
    static_assert(decltype(sDanYuan)::lower1() == 0 && decltype(sDanYuan)::upper1() == 40);
    static_assert(decltype(sDanYuan)::lower2() == 1 && decltype(sDanYuan)::upper2() == 4);
    static_assert(std::is_same_v<std::remove_cvref_t<decltype(iTmFlags(1))>, qint16>);
}

TEST_F(ModDataTest, IndexesOutsideTheTablesRaiseNineAndWriteNothing)
{
    using namespace ModData;
    struct Case { const char* what; std::function<void()> store; };
    const Case cases[] = {
        {"sTmDone(0)", [] { sTmDone(0) = "T"; }},
        {"sTmDone(501)", [] { sTmDone(501) = "T"; }},
        {"iTmStep(0)", [] { iTmStep(0) = 1; }},
        {"iTmLine(501)", [] { iTmLine(501) = 1; }},
        {"iTmCode(0)", [] { iTmCode(0) = 1; }},
        {"iTmFlags(501)", [] { iTmFlags(501) = 4; }},
        {"sSettings(41)", [] { sSettings(41) = "x"; }},
        {"sSettings(-1)", [] { sSettings(-1) = "x"; }},
        {"sDanYuan(41, 1)", [] { sDanYuan(41, 1) = "x"; }},
        {"sDanYuan(0, 0)", [] { sDanYuan(0, 0) = "x"; }},
        {"sTmPic(501, 0)", [] { sTmPic(501, 0) = "x"; }},
        {"sTmPic(1, 7)", [] { sTmPic(1, 7) = "x"; }},
        {"sTmPic(0, 0)", [] { sTmPic(0, 0) = "x"; }},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.store), vb::ErrSubscript) << c.what;
    for (const QString& s : sTmDone)
        EXPECT_TRUE(s.isEmpty());
    for (const QString& s : sTmPic)
        EXPECT_TRUE(s.isEmpty());
    for (const QString& s : sSettings)
        EXPECT_TRUE(s.isEmpty());
    for (qint16 v : iTmFlags)
        EXPECT_EQ(v, 0);
}

TEST_F(ModDataTest, FlagValuesAndResetAll)
{
    using namespace ModData;
    iTmFlags(1) = 1 + 2 + 4;
    iTmFlags(500) = 5;
    sTmPic(3, 5) = "l20060";
    sSettings(40) = "x";
    sDanYuan(40, 4) = "TTF";
    iTmNo = 3;
    bYanShiOn = true;
    EXPECT_EQ(vb::boolNum(bYanShiOn), -1);
    EXPECT_EQ(iTmFlags(1) & 4, 4);
    EXPECT_EQ(iTmFlags(500) & 2, 0);

    resetAll();
    EXPECT_EQ(iTmFlags(1), 0);
    EXPECT_EQ(iTmFlags(500), 0);
    EXPECT_TRUE(sTmPic(3, 5).isEmpty());
    EXPECT_TRUE(sSettings(40).isEmpty());
    EXPECT_TRUE(sDanYuan(40, 4).isEmpty());
    EXPECT_EQ(iTmNo, 0);
    EXPECT_FALSE(bYanShiOn);
}
