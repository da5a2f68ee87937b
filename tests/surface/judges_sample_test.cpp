// The sample bank, question by question: every question whose steps the surface's judges take is
// completed by the actions its records ask for, through real mouse and key events (and the
// candidate's hand in the popup menus). Menu-bar and tab steps belong to the drawn menu bar and
// the tab strip and are left to their own tests.

#include "judges_fixture.h"

#include "bank/exercise.h"
#include "bank/oprecord.h"
#include "bank/popupmenu.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QDirIterator>
#include <iostream>
#include <gtest/gtest.h>

using namespace judgetest;
using namespace ModData;

namespace {

const QString kBuiltProgram = QStringLiteral(XP_BUILD_DIR "/program");

// A copy of the laid-out program folder, without the program itself.
bool copyProgramFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    bool any = false;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(from).relativeFilePath(path);
        if (rel == u"xpprac")
            continue;
        QDir(to).mkpath(QFileInfo(to + QLatin1Char('/') + rel).path());
        any = QFile::copy(path, to + QLatin1Char('/') + rel) || any;
    }
    return any;
}

QString dataFolderOf(const QString& program)
{
    // The folder of unit 0's operation file (the user folder has files of other numbers only).
    QDirIterator it(program, {QStringLiteral("288820.mxy")}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? QFileInfo(it.next()).path() + QLatin1Char('/') : QString();
}

bool needsMenuBarOrTabs(const bank::OpRecord& r) { return r.opCode().kind() == bank::StepKind::MenuBar || r.hasTabSpec(); }

QPoint surfacePoint(const tk::Control& c) { return tktest::inWindow(c, centre(c)); }

// The candidate carries out what the current step asks for.
class Candidate {
public:
    explicit Candidate(FrmMain& m) : m(m) { hand.install(m); }

    void act()
    {
        const bank::OpRecord rec(sOpRecord);
        const bank::OpCode code = rec.opCode();
        if (rec.keyOverride()) {
            pressKey(*rec.keyStep());
            return;
        }
        switch (code.kind()) {
        case bank::StepKind::Click: click(m.Label1, centre(m.Label1)); break;
        case bank::StepKind::DoubleClick: doubleClick(m.Label1, centre(m.Label1)); break;
        case bank::StepKind::RightClick: click(m.Label1, centre(m.Label1), Qt::RightButton); break;
        case bank::StepKind::Button: {
            const bank::ButtonStep b = *code.buttonStep();
            click(m.Label1, centre(m.Label1), Qt::MouseButton(b.button), modifiersOf(b.shift));
            break;
        }
        case bank::StepKind::Key: pressKey(*rec.keyStep()); break;
        case bank::StepKind::Hover:
            tktest::moveTo(m.Label1, {-20, -20});
            tktest::moveTo(m.Label1, centre(m.Label1));
            break;
        case bank::StepKind::RubberBand:
        case bank::StepKind::Drag: dragIntoHotSpot(modifiersOf(*code.dragShift())); break;
        case bank::StepKind::Typing:
        case bank::StepKind::ExactTyping: typeAnswer(m.Text1, rec); break;
        case bank::StepKind::TypingEnter:
            typeAnswer(m.Text1, rec);
            key(m, Qt::Key_Return);
            break;
        case bank::StepKind::TypeThenClick:
            typeAnswer(m.Text1, rec);
            click(m.Label1, centre(m.Label1));
            break;
        case bank::StepKind::Rename: typeAnswer(m.Text2, rec); break;
        case bank::StepKind::SecondBox: typeAnswer(m.Text3, rec); break;
        case bank::StepKind::Selection: selectTarget(rec); break;
        case bank::StepKind::Popup: choose(*code.popupStep()); break;
        case bank::StepKind::PictureDrag: dragPicture(*code.pictureDragDirection()); break;
        case bank::StepKind::Timed: m.Timer3_Timer(); break;
        default: click(m.Label4, centre(m.Label4)); break; // no judge of its own: the second hot spot
        }
    }

private:
    void pressKey(const bank::KeyStep& k)
    {
        const std::optional<QtKey> q = qtKeyOf(k.keyCode);
        ASSERT_TRUE(q) << "no key gives code " << k.keyCode;
        key(m, q->key, q->modifiers | modifiersOf(k.shift));
    }

    void typeAnswer(tk::TextBox& box, const bank::OpRecord& rec)
    {
        const QString answer = bank::splitAnswers(bank::operationText(sOpTextFile, rec.answerText())).first;
        click(box, centre(box));
        key(m, Qt::Key_A, Qt::ControlModifier);
        type(m, answer.isEmpty() ? QStringLiteral(" ") : answer);
    }

    void selectTarget(const bank::OpRecord& rec)
    {
        const QString target = vb::trim(bank::operationText(sOpTextFile, rec.hintText()));
        const int at = int(m.Text1.Text().indexOf(target, 0, Qt::CaseInsensitive));
        ASSERT_GE(at, 0) << "the box does not hold " << target.toStdString();
        const QPoint from = boundaryPoint(m.Text1, at);
        const QPoint to = boundaryPoint(m.Text1, at + int(target.size()));
        tktest::press(m.Text1, from);
        tktest::moveTo(m.Text1, to);
        tktest::release(m.Text1, to);
    }

    void choose(const bank::PopupStep& p)
    {
        const bank::popupmenu::MenuBlock b =
            bank::popupmenu::readMenuBlock(platform::programPath(QStringLiteral("sMenu.sys")), p.set, p.block);
        const bank::popupmenu::Section* s = b.section(p.section);
        ASSERT_TRUE(s && s->present && p.item < s->items.size());
        hand.pick = (s->cascade ? s->caption + QLatin1Char('/') : QString()) + s->items[p.item];
        click(m.Label1, centre(m.Label1), m.popupY == 0 ? Qt::RightButton : Qt::LeftButton);
    }

    // Pressed on the second hot spot, dragged into the hot spot, released there: all with the
    // step's Shift state.
    void dragIntoHotSpot(Qt::KeyboardModifiers mods)
    {
        const QPoint from = surfacePoint(m.Label4);
        const QPoint to = surfacePoint(m.Label1);
        tktest::press(m.Label4, centre(m.Label4), Qt::LeftButton, mods);
        for (QPoint at : {(from + to) / 2, to}) {
            QMouseEvent mv(QEvent::MouseMove, QPointF(at - m.Label4.mapTo(&m, QPoint())), QPointF(m.mapToGlobal(at)),
                           Qt::NoButton, Qt::LeftButton, mods);
            QApplication::sendEvent(&m.Label4, &mv);
        }
        QTest::mouseRelease(m.windowHandle(), Qt::LeftButton, mods, to);
    }

    // Pulls the drag picture well beyond its bound.
    void dragPicture(int direction)
    {
        const int dx = (direction == 1 || direction == 6 || direction == 8) ? -1 : (direction == 2 || direction == 7 || direction == 9) ? 1 : 0;
        const int dy = (direction == 3 || direction == 8 || direction == 9) ? -1 : (direction == 4 || direction == 6 || direction == 7) ? 1 : 0;
        const double bx = dx ? m.dragBoundX * dScaleX + dx * 600 : m.Image5.Left();
        const double by = dy ? m.dragBoundY * dScaleY + dy * 600 : m.Image5.Top();
        const QPoint target = m.mapFrom(&m, px(bx, by)) + px(dx ? 0 : m.Image5.Width() / 2, dy ? 0 : m.Image5.Height() / 2);
        tktest::press(m.Image5, centre(m.Image5));
        for (int i = 0; i < 14; ++i)
            QTest::mouseMove(m.windowHandle(), target + QPoint(i % 2, i % 2));
        QTest::mouseRelease(m.windowHandle(), Qt::LeftButton, {}, target);
    }

    FrmMain& m;
    PopupHand hand;
};

} // namespace

TEST(SampleBank, EveryQuestionIsCompletedByItsRecordedActions)
{
    if (!QFileInfo::exists(kBuiltProgram + QStringLiteral("/sMenu.sys")))
        GTEST_SKIP() << "no laid-out sample program folder in " << kBuiltProgram.toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(copyProgramFolder(kBuiltProgram, dir.path()));
    testworld::closeWindows();
    ModData::resetAll();
    platform::setScreenSizeOverride(QSize(1024, 768));
    platform::setProgramFolder(dir.path());
    const QString data = dataFolderOf(dir.path());
    ASSERT_FALSE(data.isEmpty());

    int completed = 0;
    QStringList leftToMenusAndTabs;
    for (int unit = 0; unit < bank::kMaxUnits; ++unit) {
        const std::optional<QStringList> texts = platform::readAllLines(bank::unitTextPath(data, unit));
        if (!texts)
            continue;
        const std::vector<int> offsets = bank::recordOffsets(*texts);
        const QStringList records = platform::readAllLines(bank::unitOpPath(data, unit)).value_or(QStringList());
        testworld::closeWindows();
        ModData::resetAll();
        dScaleX = 1;
        dScaleY = 1;
        sDataPath = data;
        sOpTextFile = data + QStringLiteral("288890.mxy");
        iLianXiType = bank::kind::WholeUnit;
        iLianXiSub = qint16(unit);
        iTmCount = qint16(offsets.size());
        iRunMode = 2;
        for (int q = 1; q <= int(offsets.size()); ++q)
            iTmLine(q) = qint16(offsets[q - 1]);
        FrmMain& m = FrmMain::get();
        m.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
        Candidate candidate(m);
        for (int q = 1; q <= int(offsets.size()); ++q) {
            const QString id = bank::idText(unit * 100 + q);
            // The question's block, up to its end record.
            bool judgedHere = true;
            for (int line = offsets[q - 1]; line <= records.size(); ++line) {
                const bank::OpRecord r(records[line - 1]);
                if (needsMenuBarOrTabs(r))
                    judgedHere = false;
                if (r.opCode().isEnd())
                    break;
            }
            if (!judgedHere) {
                leftToMenusAndTabs << id;
                continue;
            }
            iTmNo = qint16(q);
            iStepNo = 1;
            m.Timer2_Timer();
            for (int actions = 0; !bank::OpRecord(sOpRecord).opCode().isEnd() && actions < 40; ++actions) {
                const QString before = sOpRecord;
                const int stepBefore = iStepNo;
                candidate.act();
                ASSERT_TRUE(iStepNo != stepBefore || sOpRecord != before)
                    << "question " << id.toStdString() << " step " << stepBefore << " code "
                    << bank::OpRecord(before).opCode().text().toStdString() << " not completed by its action";
            }
            EXPECT_GE(iTmFlags(q), 4) << "question " << id.toStdString();
            completed += iTmFlags(q) >= 4;
        }
    }
    testworld::closeWindows();
    platform::setScreenSizeOverride(QSize());
    platform::setProgramFolder(QString());
    RecordProperty("completed", completed);
    RecordProperty("leftToMenusAndTabs", leftToMenusAndTabs.join(QLatin1Char(' ')).toStdString());
    std::cout << "sample bank: " << completed << " questions completed; left to the menu bar and tab strip: "
              << leftToMenusAndTabs.join(QLatin1Char(' ')).toStdString() << '\n';
    EXPECT_GT(completed, 0);
}
