// Whole questions of the sample bank demonstrated from step 1 to their end record, each ending by
// itself and handing back to the surface and the panel. With XP_DEMO_SCREENSHOT set to a file
// name prefix, each replay also saves the window as it stands mid-demonstration ("<prefix>-<kind>.png"):
//
//   XP_DEMO_SCREENSHOT=/tmp/demo build-n/tests/test_demo --gtest_filter='DemoReplay.*'

#include "demoworld.h"

#include "app/fonts.h"
#include "bank/exercise.h"
#include "bank/oprecord.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace demotest;
using namespace ModData;

namespace {

const QString kProgram = QStringLiteral(XP_BUILD_DIR "/program");
const QString kData = kProgram + QStringLiteral("/xpdata/");

struct Question {
    int unit = -1;
    int number = 0;   // in its unit
    int steps = 0;    // records of its block, the end record included
    std::vector<int> offsets; // the unit's record-offset table
};

// The first question of the sample bank with a step the test picks.
Question findQuestion(const std::function<bool(const bank::OpRecord&)>& wanted)
{
    for (int u = 0; u < bank::kMaxUnits; ++u) {
        const auto texts = platform::readAllLines(bank::unitTextPath(kData, u));
        const auto ops = platform::readAllLines(bank::unitOpPath(kData, u));
        if (!texts || !ops)
            continue;
        const std::vector<int> offsets = bank::recordOffsets(*texts);
        for (std::size_t q = 0; q < offsets.size() && qsizetype(q) < texts->size(); ++q) {
            const int length = bank::blockLength(texts->at(qsizetype(q)));
            for (int s = 0; s < length; ++s) {
                const int line = offsets[q] - 1 + s;
                if (line < ops->size() && wanted(bank::OpRecord(ops->at(line))))
                    return {u, int(q) + 1, length, offsets};
            }
        }
    }
    return {};
}

bool codeStarts(const bank::OpRecord& r, std::initializer_list<const char*> prefixes)
{
    const QString code = r.run(8, 11);
    for (const char* p : prefixes)
        if (code.startsWith(QLatin1String(p)))
            return true;
    return false;
}

// Is the demonstration at a moment worth a picture: a drawn menu, a drag, a typing, a tab change.
bool worthAPicture(FrmYanShi& d)
{
    return d.TimerRM.Enabled() || d.TimerRS.Enabled() || d.Timer7.Enabled() || d.Timer9.Enabled()
           || d.Timer3.Enabled() || (d.Timer1.Enabled() && FrmYanShi::typedCount >= 2)
           || d.Shape4.Left() == -100;
}

} // namespace

TEST(DemoReplay, SampleQuestionsPlayToTheirEndAndHandBack)
{
    if (!QFileInfo::exists(kData + QStringLiteral("288890.mxy")))
        GTEST_SKIP() << "the sample program folder has not been laid out";
    app::installFontSubstitutes();
    struct Case {
        const char* kind;
        std::function<bool(const bank::OpRecord&)> step;
    } cases[] = {
        {"click", [](const bank::OpRecord& r) { return codeStarts(r, {"0001"}); }},
        {"double-click", [](const bank::OpRecord& r) { return codeStarts(r, {"0002"}); }},
        {"typing", [](const bank::OpRecord& r) { return codeStarts(r, {"0020", "0021", "0024", "0025"}); }},
        {"drag", [](const bank::OpRecord& r) { return codeStarts(r, {"004", "005"}); }},
        {"picture-drag", [](const bank::OpRecord& r) { return codeStarts(r, {"800"}); }},
        {"menu-bar", [](const bank::OpRecord& r) { return codeStarts(r, {"7000"}); }},
        {"popup", [](const bank::OpRecord& r) { return codeStarts(r, {"3", "4"}); }},
        {"cascade-popup", [](const bank::OpRecord& r) {
             const QString c = r.run(8, 11);
             return codeStarts(r, {"3", "4"}) && c.size() == 4 && QStringLiteral("13578").contains(c.at(2));
         }},
        {"submenu", [](const bank::OpRecord& r) { return codeStarts(r, {"7000"}) && r.run(128, 129) != u"00"; }},
        {"tab", [](const bank::OpRecord& r) { return r.col(130) == u'X' && r.col(132) != r.col(133); }},
        {"key", [](const bank::OpRecord& r) { return codeStarts(r, {"6"}); }},
    };
    const QString shots = qEnvironmentVariable("XP_DEMO_SCREENSHOT");
    for (const Case& c : cases) {
        const Question q = findQuestion(c.step);
        if (q.unit < 0) {
            ADD_FAILURE() << "the sample bank has no question with a " << c.kind << " step";
            continue;
        }
        World w;
        platform::setProgramFolder(kProgram);
        sDataPath = kData;
        sOpTextFile = kData + QStringLiteral("288890.mxy");
        iLianXiType = 20;
        iLianXiSub = qint16(q.unit);
        const bank::ExercisePaths paths = bank::exercisePaths(kData, 20 + q.unit);
        sOpFile = paths.opFile;
        sTmTextFile = paths.textFile;
        iTmCount = qint16(q.offsets.size());
        for (std::size_t i = 0; i < q.offsets.size(); ++i) {
            iTmLine(int(i) + 1) = qint16(q.offsets[i]);
            sTmDone(int(i) + 1) = QStringLiteral("F");
        }
        iTmNo = qint16(q.number);
        FrmMain::get();
        FrmTm::get();
        iStepNo = 2;
        iTmFlags(q.number) = 1;

        // Started by the panel's demonstration button and its starter.
        FrmTm& panel = FrmTm::get();
        panel.CmdGN_Click(7);
        panel.TimStartYS.fire();
        panel.TimStartYS.fire();
        ASSERT_TRUE(FrmYanShi::isLoaded()) << c.kind;
        int lastStep = 0;
        bool shot = shots.isEmpty();
        const int ticks = runToEnd(5000, [&](FrmYanShi& d) {
            lastStep = std::max<int>(lastStep, FrmYanShi::stepNo);
            const std::string kind = c.kind;
            const bool moment = kind == "cascade-popup" ? d.TimerRS.Enabled()
                                : kind == "tab"         ? d.Shape4.Left() == -100 && bank::OpRecord(FrmYanShi::opRecord).hasTabSpec()
                                : kind == "typing"      ? d.Timer1.Enabled() && FrmYanShi::typedCount >= 2
                                                        : worthAPicture(d);
            if (!shot && moment) {
                shot = true;
                d.grab().save(shots + QLatin1Char('-') + QLatin1String(c.kind) + QStringLiteral(".png"));
            }
        });
        const std::string where = std::string(c.kind) + " question " + std::to_string(q.number) + " of unit "
                                  + std::to_string(q.unit);
        EXPECT_GT(ticks, 0) << where;
        EXPECT_EQ(lastStep, q.steps) << where; // every step up to the end record
        EXPECT_FALSE(bYanShiOn) << where;
        EXPECT_FALSE(FrmYanShi::isLoaded()) << where;
        EXPECT_TRUE(FrmMain::get().Visible()) << where;
        EXPECT_TRUE(FrmTm::get().Visible()) << where;
        EXPECT_TRUE(FrmTm::get().TimerREDO.Enabled()) << where;
        EXPECT_EQ(iStepNo, 2) << where;
        EXPECT_EQ(iTmFlags(q.number), 1) << where;
        EXPECT_EQ(iRunMode, 1) << where; // the panel's redisplay turns it back into practice
    }
}
