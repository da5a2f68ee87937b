// A question of the sample bank on the work surface with its panel, saved as a picture to look
// at. Runs only when XP_SCREENSHOT names the picture file, on a real display:
//
//   xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb XP_SCREENSHOT=/tmp/q.png
//       build-g/tests/test_surface --gtest_filter='Screenshot.*'
//
// XP_SCREENSHOT_QUESTION and XP_SCREENSHOT_STEP choose the question of unit 1 and its step;
// XP_SCREENSHOT_COLLAPSED=1 shows the panel collapsed to its bar.

#include "app/fonts.h"
#include "app/moddata.h"
#include "bank/exercise.h"
#include "exam/frmtm.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "surface/frmmain.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace ModData;

namespace {

// Lets the window system map and paint the windows before the screen is read.
void settle() { QTest::qWait(800); }

} // namespace

TEST(Screenshot, SampleQuestionOnTheSurface)
{
    const QString out = qEnvironmentVariable("XP_SCREENSHOT");
    if (out.isEmpty())
        GTEST_SKIP() << "XP_SCREENSHOT not set";
    const QString program = QStringLiteral(XP_BUILD_DIR) + QStringLiteral("/program");
    platform::setProgramFolder(program);
    app::installFontSubstitutes();

    resetAll();
    dScaleX = 1;
    dScaleY = 1;
    sKeMu = QStringLiteral("Windows XP");
    sKsName = QStringLiteral("张三");
    sDataPath = program + QStringLiteral("/xpdata/");
    sOpTextFile = sDataPath + QStringLiteral("288890.mxy");
    iLianXiType = 20;
    iLianXiSub = 0;
    sOpFile = sDataPath + QStringLiteral("288820.mxy");
    sTmTextFile = sDataPath + QStringLiteral("288870.mxy");
    const auto lines = platform::readAllLines(sTmTextFile);
    ASSERT_TRUE(lines.has_value());
    const std::vector<int> offsets = bank::recordOffsets(*lines);
    iTmCount = qint16(offsets.size());
    for (int q = 1; q <= int(offsets.size()); ++q) {
        iTmLine(q) = qint16(offsets[q - 1]);
        sTmDone(q) = QStringLiteral("F");
    }
    iTmNo = qint16(qEnvironmentVariableIntValue("XP_SCREENSHOT_QUESTION") > 0
                       ? qEnvironmentVariableIntValue("XP_SCREENSHOT_QUESTION") : 1);
    iRunMode = 2;

    FrmTm& panel = FrmTm::get(); // shows question iTmNo and loads the surface
    panel.Show();
    FrmMain& surface = FrmMain::get();
    iRunMode = 1; // the hint, as the panel's hint button shows it
    iStepNo = qint16(qMax(1, qEnvironmentVariableIntValue("XP_SCREENSHOT_STEP")));
    surface.Timer2.setEnabled(true);
    surface.Timer2.fire();
    if (qEnvironmentVariableIntValue("XP_SCREENSHOT_COLLAPSED") == 1)
        panel.LblZXH_Click();
    settle();

    const QPixmap shot = QApplication::primaryScreen()->grabWindow(0);
    ASSERT_TRUE(shot.save(out, "PNG"));

    ModData::bTmCanClose = true;
    FrmMain::unloadIfLoaded();
    FrmTm::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::setProgramFolder(QString());
}
