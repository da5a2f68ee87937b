// The sample question bank: the record encoder against the program's own record reader, the
// number-encoded text, and the laid-out program folder (validator, text files, cursors).

#include "bank/oprecord.h"
#include "encoder.h"
#include "platform/textfile.h"
#include "validate.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kProgram = QStringLiteral(XP_BUILD_DIR "/program");

bool generate(const QString& out)
{
    QProcess p;
    p.start(QStringLiteral(XP_BUILD_DIR "/sample/xpsample"), {QStringLiteral("--out"), out});
    // However long a busy machine takes: the test's own time limit ends a generator that hangs.
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The build's program folder is read by the tests that only look. Tests that scan every file or
// change files get a folder laid out for them alone (once per test process), so that what other
// tests write into the build's folder cannot disturb them.
class SampleFolder : public ::testing::Test {
protected:
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    static QString folder()
    {
        if (!s_dir) {
            s_dir = new QTemporaryDir;
            s_ok = s_dir->isValid() && generate(s_dir->path());
        }
        return s_ok ? s_dir->path() : QString();
    }

private:
    static inline QTemporaryDir* s_dir = nullptr;
    static inline bool s_ok = false;
};

sample::OpRecord fullRecord()
{
    sample::OpRecord r;
    r.dragOnly = true;
    r.code = QStringLiteral("0052");
    r.formPicture = QStringLiteral("600001");
    r.planes[0] = {true, 1350, 450, QStringLiteral("600002")};
    r.planes[2] = {true, 0, 30, sample::kKeepPicture};
    r.planes[4] = {true, 6000, 4500, QStringLiteral("600009")};
    r.hotSpot = sample::Box{450, 300, 960, 900};
    r.hotPointer = QStringLiteral("S0011");
    r.dragPointer = QStringLiteral("M0003");
    r.initialText = 7;
    r.answerText = 12;
    r.hintText = 345;
    r.hint = QPoint{480, 1260};
    r.dragBound = QPoint{9000, 150};
    r.secondHotSpot = sample::Box{11985, 8985, 15, 15};
    return r;
}

TEST(SampleEncoder, RecordReadsBackThroughTheProgramsReader)
{
    const QString line = sample::encodeRecord(fullRecord());
    ASSERT_EQ(line.size(), 196);
    const bank::OpRecord r(line);
    EXPECT_TRUE(r.dragOnly());
    EXPECT_EQ(r.opCode().text(), QStringLiteral("0052"));
    EXPECT_EQ(r.opCode().kind(), bank::StepKind::Drag);
    EXPECT_EQ(r.plane(0)->picture, QStringLiteral("600001"));
    EXPECT_FALSE(r.plane(1)->hidden);
    EXPECT_EQ(r.plane(1)->left, 1350);
    EXPECT_EQ(r.plane(1)->top, 450);
    EXPECT_EQ(r.plane(1)->picture, QStringLiteral("600002"));
    EXPECT_TRUE(r.plane(2)->hidden);
    EXPECT_TRUE(r.plane(3)->keep());
    EXPECT_EQ(r.plane(3)->top, 30);
    EXPECT_TRUE(r.plane(4)->hidden);
    EXPECT_EQ(r.plane(5)->left, 6000);
    EXPECT_EQ(r.plane(5)->picture, QStringLiteral("600009"));
    EXPECT_EQ(r.hotSpot(), (bank::TwipRect{450, 300, 960, 900}));
    EXPECT_FALSE(r.textBoxShown());
    EXPECT_EQ(*r.hotSpotPointer().pointer(), 11);
    EXPECT_EQ(r.dragPointer().cursorFileName(), QStringLiteral("ico03.CUR"));
    EXPECT_EQ(r.initialText().number(), 7);
    EXPECT_EQ(r.answerText().number(), 12);
    EXPECT_EQ(r.hintText().number(), 345);
    EXPECT_EQ(r.hintLeft(), 480);
    EXPECT_EQ(r.hintTop(), 1260);
    EXPECT_FALSE(r.menuBarLive());
    EXPECT_EQ(r.backMark(), QStringLiteral("NONO"));
    EXPECT_EQ(r.dragBoundX(), 9000);
    EXPECT_EQ(r.dragBoundY(), 150);
    EXPECT_EQ(r.secondHotSpot(), (bank::TwipRect{11985, 8985, 15, 15}));
}

TEST(SampleEncoder, HiddenPartsAndTheTextBoxReadBack)
{
    sample::OpRecord in;
    in.code = QStringLiteral("0020");
    in.textBox = sample::Box{3000, 2000, 2250, 300};
    in.shared = sample::fontSpec(120, 1, 4, 2, 1);
    const bank::OpRecord r(sample::encodeRecord(in));
    EXPECT_TRUE(r.hotSpotHidden());
    EXPECT_TRUE(r.textBoxShown());
    EXPECT_EQ(r.textBox(), (bank::TwipRect{3000, 2000, 2250, 300}));
    EXPECT_FALSE(r.hintPlaced());
    EXPECT_TRUE(r.initialText().none());
    EXPECT_FALSE(r.secondHotSpotPlaced());
    for (int k = 1; k <= 5; ++k)
        EXPECT_TRUE(r.plane(k)->hidden) << k;
    const bank::FontSpec f = r.fontSpec();
    EXPECT_EQ(*f.points, 12.0);
    EXPECT_TRUE(*f.bold);
    EXPECT_EQ(*f.family, QStringLiteral("隶书"));
    EXPECT_EQ(*f.textColour, 0xFFu);
    EXPECT_EQ(*f.backColour, 0xFF0000u);
}

TEST(SampleEncoder, SharedBlockUsesReadBack)
{
    struct Case {
        const char* name;
        QString shared;
        std::function<void(const bank::OpRecord&)> check;
    };
    const Case cases[] = {
        {"menu choice with submenu", sample::menuChoice(4, 7, 2),
         [](const bank::OpRecord& r) {
             EXPECT_TRUE(r.menuBarLive());
             EXPECT_EQ(r.menuChoice().code, 40702);
             EXPECT_TRUE(r.menuBarFrame());
         }},
        {"menu choice without submenu", sample::menuChoice(1, 3, 0),
         [](const bank::OpRecord& r) {
             EXPECT_EQ(r.menuChoice().code, 10300);
             EXPECT_FALSE(r.menuChoice().hasSubRow);
         }},
        {"popup at a fixed place", sample::popupPosition(1350, 2100),
         [](const bank::OpRecord& r) {
             EXPECT_EQ(r.popupX(), 1350);
             EXPECT_EQ(r.popupY(), 2100);
             EXPECT_FALSE(r.menuBarFrame());
         }},
        {"two-row tab field", sample::tabSpec(u'D', 2, 11, 3),
         [](const bank::OpRecord& r) {
             const auto t = r.tabSpec();
             ASSERT_TRUE(t);
             EXPECT_EQ(t->layout, u'D');
             EXPECT_EQ(t->currentTab, 2);
             EXPECT_EQ(t->targetTab, 11);
             EXPECT_EQ(t->imagePlane, 3);
             EXPECT_FALSE(r.menuBarLive());
         }},
        {"back mark with a tab field", sample::backMark(2) + sample::tabSpec(u'J', 1, 3, 1).right(5),
         [](const bank::OpRecord& r) {
             EXPECT_EQ(r.backMark(), QStringLiteral("Q0002"));
             EXPECT_EQ(r.backSteps(), 2);
             EXPECT_TRUE(r.hasTabSpec());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sample::OpRecord in;
        in.shared = c.shared;
        c.check(bank::OpRecord(sample::encodeRecord(in)));
    }
}

TEST(SampleEncoder, KeyOverrideAndRejectedFields)
{
    sample::OpRecord in;
    in.key = sample::KeyOverride{2, 65};
    in.hotSpot = sample::Box{0, 0, 15, 15};
    const bank::OpRecord r(sample::encodeRecord(in));
    EXPECT_FALSE(r.textBoxShown());
    EXPECT_EQ(r.keyStep(), (bank::KeyStep{2, 65, 65}));

    const std::function<void(sample::OpRecord&)> faults[] = {
        [](sample::OpRecord& f) { f.code = QStringLiteral("001"); },
        [](sample::OpRecord& f) { f.formPicture = QStringLiteral("60001"); },
        [](sample::OpRecord& f) { f.hotSpot = sample::Box{100000, 0, 1, 1}; },
        [](sample::OpRecord& f) { f.answerText = 1000; },
        [](sample::OpRecord& f) { f.hotPointer = QStringLiteral("X0001"); },
        [](sample::OpRecord& f) { f.textBox = sample::Box{1, 1, 1, 1}; f.key = sample::KeyOverride{0, 13}; },
    };
    for (const auto& fault : faults) {
        sample::OpRecord f;
        fault(f);
        EXPECT_THROW(sample::encodeRecord(f), std::invalid_argument);
    }
}

TEST(SampleEncoder, NumberEncodedText)
{
    EXPECT_EQ(sample::encodeNumberLine(QStringLiteral("AB")), QStringLiteral("500065500066"));
    EXPECT_EQ(sample::decodeNumberLine(QStringLiteral("200065000000200066")), QStringLiteral("AB"));
    EXPECT_EQ(sample::decodeNumberLine(QString()), QString());
    for (const QString& text : {QStringLiteral("WindowsXP"), QStringLiteral("桌面与开始菜单"), QStringLiteral("Windows XP 操作系统")}) {
        const QString line = sample::encodeNumberLine(text);
        EXPECT_EQ(line.size(), 6 * text.size());
        EXPECT_EQ(sample::decodeNumberLine(line), text);
    }
    // A double-byte character in its unsigned form (500000 + code) reads the same.
    const QByteArray gbk = platform::encodeGbk(QStringLiteral("桌"));
    const int code = (uchar(gbk[0]) << 8) | uchar(gbk[1]);
    EXPECT_EQ(sample::decodeNumberLine(QString::number(500000 + code)), QStringLiteral("桌"));
}

TEST_F(SampleFolder, ValidatorFindsNoProblem)
{
    const QStringList problems = sample::validateProgramFolder(kProgram);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    const auto ver = platform::readAllLines(kProgram + QStringLiteral("/ver.txt"));
    ASSERT_TRUE(ver);
    EXPECT_EQ(sample::decodeNumberLine(ver->value(2)), QStringLiteral("xpdata"));
    EXPECT_GE(ver->size(), 4 + 11);
}

TEST_F(SampleFolder, EveryTextFileIsGbkWithCrLf)
{
    ASSERT_FALSE(folder().isEmpty());
    int texts = 0;
    QDirIterator it(folder(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".CUR")))
            continue;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = f.readAll();
        if (sample::isBinaryFile(bytes))
            continue;
        ++texts;
        EXPECT_EQ(sample::textFileProblem(bytes), QString()) << path.toStdString();
    }
    EXPECT_GT(texts, 30);
}

TEST_F(SampleFolder, CursorFilesLoad)
{
    for (int n = 0; n <= 5; ++n) {
        QImageReader reader(kProgram + QStringLiteral("/ico%1.CUR").arg(n, 2, 10, QLatin1Char('0')));
        const QImage image = reader.read();
        EXPECT_EQ(image.size(), QSize(32, 32)) << n;
    }
}

// The records of every question of the laid-out bank, by question id.
QMap<int, QVector<bank::OpRecord>> questionRecords(const QString& program)
{
    QMap<int, QVector<bank::OpRecord>> out;
    const QString data = program + QStringLiteral("/xpdata/");
    for (int u = 0; u < 20; ++u) {
        const auto texts = platform::readAllLines(data + QStringLiteral("2888%1.mxy").arg(70 + u));
        const auto ops = platform::readAllLines(data + QStringLiteral("2888%1.mxy").arg(20 + u));
        if (!texts || !ops)
            break;
        int line = 0;
        for (int q = 0; q < texts->size(); ++q)
            for (int s = 0; s < texts->at(q).mid(4, 2).toInt(); ++s)
                out[u * 100 + q + 1].append(bank::OpRecord(ops->value(line++)));
    }
    return out;
}

// The questions that later tests rely on exercise what they are said to exercise.
TEST_F(SampleFolder, QuestionsCoverTheStepKinds)
{
    const auto bankRecords = questionRecords(kProgram);
    ASSERT_GE(bankRecords.size(), 60);
    using Check = std::function<bool(const bank::OpRecord&)>;
    auto code = [](const char* c) { return Check([c](const bank::OpRecord& r) { return r.opCode().text() == QLatin1String(c); }); };
    struct Case {
        int id;
        int step;
        const char* what;
        Check check;
    };
    const Case cases[] = {
        {1, 1, "double click", code("0002")},
        {7, 1, "right click", code("0003")},
        {2, 1, "standard pointer", [](const bank::OpRecord& r) { return r.hotSpotPointer().kind == bank::PointerSpec::Kind::Standard; }},
        {2, 2, "hover", code("0030")},
        {3, 1, "popup set 1, cascade item", code("3110")},
        {5, 1, "popup item after a separator", code("3191")},
        {102, 1, "Alt+F4", [](const bank::OpRecord& r) { return r.keyStep() == bank::KeyStep{4, 15, 115}; }},
        {103, 1, "picture drag right", code("8002")},
        {104, 1, "picture drag down-left", code("8006")},
        {104, 2, "picture drag up-right", code("8009")},
        {105, 1, "picture drag down-right", code("8007")},
        {105, 2, "picture drag up-left", code("8008")},
        {201, 2, "button step", code("9201")},
        {202, 1, "Ctrl+A", code("6265")},
        {203, 1, "drag with Ctrl, drag-only", [](const bank::OpRecord& r) { return r.opCode().text() == u"0052" && r.dragOnly(); }},
        {204, 1, "drag, custom drag pointer", [](const bank::OpRecord& r) { return r.opCode().text() == u"0050" && r.dragPointer().kind == bank::PointerSpec::Kind::Custom; }},
        {205, 1, "rubber band", [](const bank::OpRecord& r) { return r.opCode().text() == u"0040" && r.dragOnly(); }},
        {207, 1, "custom hot-spot pointer", [](const bank::OpRecord& r) { return r.hotSpotPointer().kind == bank::PointerSpec::Kind::Custom; }},
        {206, 2, "rename", code("0021")},
        {208, 2, "Delete", code("6046")},
        {301, 1, "menu bar without submenu", [](const bank::OpRecord& r) { return r.opCode().text() == u"7000" && !r.menuChoice().hasSubRow; }},
        {302, 1, "menu bar with submenu", [](const bank::OpRecord& r) { return r.opCode().text() == u"7000" && r.menuChoice().hasSubRow; }},
        {303, 2, "tab step, one row", [](const bank::OpRecord& r) { return r.tabSpec() && r.tabSpec()->layout == u'G'; }},
        {307, 1, "popup set 2 at a fixed place", [](const bank::OpRecord& r) { return r.opCode().text() == u"4224" && r.popupY() != 0; }},
        {502, 2, "tab step, two rows", [](const bank::OpRecord& r) { return r.tabSpec() && r.tabSpec()->layout == u'D' && r.tabSpec()->targetTab > 4; }},
        {505, 2, "type then click", code("0026")},
        {602, 1, "picture drag left", code("8001")},
        {603, 1, "picture drag up", code("8003")},
        {604, 1, "picture drag down", code("8004")},
        {703, 1, "popup set 2 at the pointer", code("4520")},
        {801, 1, "exact typing", code("0025")},
        {802, 1, "typing", code("0020")},
        {803, 1, "selection", code("0023")},
        {804, 1, "text-box font", [](const bank::OpRecord& r) { return r.textBoxShown() && r.fontSpec().family == QStringLiteral("隶书"); }},
        {805, 1, "second box", code("0027")},
        {901, 3, "typing and Enter", code("0024")},
        {1004, 3, "timed step", code("8888")},
        {1004, 4, "second timed step", code("8888")},
        {1102, 2, "demonstration click", [](const bank::OpRecord& r) { return r.opCode().text() == u"2000" && r.secondHotSpotPlaced(); }},
        {1103, 2, "click in place", [](const bank::OpRecord& r) { return r.opCode().text().startsWith(u'T') && r.secondHotSpotPlaced(); }},
        {1104, 2, "step-back mark", [](const bank::OpRecord& r) { return r.backMark() == u"Q0001"; }},
        {1105, 1, "Shift+F8", code("6109")},
        {1106, 1, "key override Ctrl+A", [](const bank::OpRecord& r) { return r.keyOverride() && r.keyStep() == bank::KeyStep{2, 65, 65}; }},
        {1107, 2, "F2", code("6003")},
        {1108, 2, "Enter", code("6013")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto records = bankRecords.value(c.id);
        ASSERT_GT(records.size(), c.step) << c.id;
        EXPECT_TRUE(c.check(records[c.step - 1])) << c.id << " step " << c.step;
    }
    const auto picture = platform::readAllLines(kProgram + QStringLiteral("/xpdata/288881.mxy"));
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->value(0).mid(6).startsWith(QLatin1String("picture")));
}

// Laying the folder out again rewrites the bank but keeps the candidate's history files.
TEST_F(SampleFolder, RebuildKeepsTheHistory)
{
    ASSERT_FALSE(folder().isEmpty());
    const QDir dir(folder());
    const QString marked = dir.filePath(QStringLiteral("ksdata/288862.mxy"));
    const QString progress = dir.filePath(QStringLiteral("ksdata/288893.mxy"));
    const QString texts = dir.filePath(QStringLiteral("xpdata/288890.mxy"));
    const auto bankTexts = platform::readAllLines(texts);
    ASSERT_TRUE(platform::writeWholeFile(marked, QStringLiteral("00010203\r\n")));
    ASSERT_TRUE(platform::writeWholeFile(progress, QStringLiteral("TTF\r\n")));
    ASSERT_TRUE(platform::writeWholeFile(texts, QStringLiteral("001changed\r\n")));
    ASSERT_TRUE(generate(folder()));
    EXPECT_EQ(platform::readAllLines(marked), QStringList{QStringLiteral("00010203")});
    EXPECT_EQ(platform::readAllLines(progress), QStringList{QStringLiteral("TTF")});
    EXPECT_EQ(platform::readAllLines(texts), bankTexts);
}

// Breaks one file of the folder at a time; the validator must notice each fault, and the folder
// is whole again once the file is put back.
TEST_F(SampleFolder, ValidatorCatchesBrokenFolders)
{
    ASSERT_FALSE(folder().isEmpty());
    const QDir dir(folder());
    ASSERT_TRUE(sample::validateProgramFolder(dir.path()).isEmpty());
    using Lines = std::function<void(QStringList&)>;
    struct Fault {
        const char* file;
        Lines change; // empty: the file is removed
        const char* expect = nullptr; // a problem that must be among those reported
    };
    const Fault faults[] = {
        {"xpdata/288820.mxy", [](QStringList& l) { l[0].chop(10); }},
        {"xpdata/288820.mxy", [](QStringList& l) { l[1].replace(7, 4, QStringLiteral("0001")); }},
        {"xpdata/288870.mxy", [](QStringList& l) { l[0].replace(4, 2, QStringLiteral("03")); }},
        // A click step after a double click would be completed by the double click's last release.
        {"xpdata/288825.mxy",
         [](QStringList& l) {
             for (QString& line : l)
                 if (line.mid(7, 4) == QStringLiteral("9001"))
                     line.replace(7, 4, QStringLiteral("0001"));
         }},
        // A click step after a left-button step would be completed by the release of its click.
        {"xpdata/288825.mxy",
         [](QStringList& l) {
             for (qsizetype i = l.size() - 1; i >= 0; --i)
                 if (l[i].mid(7, 4) == QStringLiteral("9001")) {
                     l[i].replace(7, 4, QStringLiteral("0001"));
                     break;
                 }
         },
         "completed by the release of the same click"},
        // A press on the second hot spot of question 0201's first step, then a drag whose hot spot
        // lies under that press: the release completes the drag.
        {"xpdata/288822.mxy",
         [](QStringList& l) {
             for (const QString& line : l)
                 if (line.mid(7, 4) == QStringLiteral("0052")) {
                     l[1] = line;
                     l[0].replace(7, 4, QStringLiteral("2000"));
                     l[0].replace(176, 20, line.mid(65, 20));
                     break;
                 }
         },
         "the release of its press completes it"},
        // Hot spot and second hot spot on the clock of a bottom taskbar, under the docked question
        // panel.
        {"xpdata/288827.mxy", [](QStringList& l) { l[0].replace(65, 20, QStringLiteral("11100085500090000450")); },
         ": hot spot lies under the docked question panel"},
        {"xpdata/288831.mxy",
         [](QStringList& l) {
             for (QString& line : l)
                 if (line.mid(7, 4) == QStringLiteral("2000"))
                     line.replace(176, 20, QStringLiteral("11100085500090000450"));
         },
         "second hot spot lies under the docked question panel"},
        {"xpdata/600001.mxy", {}},
        {"examdata/742000.mxy", {}},
        {"ico02.CUR", {}},
        {"xpdata/288891.mxy", [](QStringList& l) { l[2].replace(0, 4, QStringLiteral("1999")); }},
        {"xpdata/288891.mxy", [](QStringList& l) { l[3].replace(4, 4, l[3].left(4)); }},
        {"sMenu.sys", [](QStringList& l) { l.removeLast(); }},
        {"sMenu.sys", [](QStringList& l) { l[14] = QStringLiteral("0"); }},
        {"xpdata/288890.mxy", [](QStringList& l) { l = l.mid(0, 1); }},
        {"ver.txt", [](QStringList& l) { l[2] = sample::encodeNumberLine(QStringLiteral("nodata")); }},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.file);
        const QString path = dir.filePath(QString::fromLatin1(fault.file));
        QFile original(path);
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();
        original.close();
        if (fault.change) {
            QStringList lines = platform::readAllLines(path).value_or(QStringList());
            fault.change(lines);
            ASSERT_TRUE(platform::writeWholeFile(path, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        } else {
            ASSERT_TRUE(QFile::remove(path));
        }
        const QStringList problems = sample::validateProgramFolder(dir.path());
        EXPECT_FALSE(problems.isEmpty());
        if (fault.expect) {
            EXPECT_TRUE(problems.join(QLatin1Char('\n')).contains(QLatin1String(fault.expect)))
                << problems.join(QLatin1Char('\n')).toStdString();
        }
        QFile restore(path);
        ASSERT_TRUE(restore.open(QIODevice::WriteOnly | QIODevice::Truncate));
        restore.write(bytes);
    }
    EXPECT_TRUE(sample::validateProgramFolder(dir.path()).isEmpty());
}

} // namespace

// The selection judge compares the selected text and the target both in lower case: a target
// with capitals is found in the box text whatever the case of either; one the box does not hold
// in any case is refused.
TEST_F(SampleFolder, ValidatorFindsSelectionTargetsAsTheJudgeDoes)
{
    ASSERT_FALSE(folder().isEmpty());
    const QString texts = QDir(folder()).filePath(QStringLiteral("xpdata/288890.mxy"));
    const QStringList original = platform::readAllLines(texts).value_or(QStringList());
    QList<qsizetype> targets; // the selection target of question 803
    for (qsizetype i = 0; i < original.size(); ++i)
        if (original[i].mid(3) == QStringLiteral("操作系统"))
            targets << i;
    ASSERT_FALSE(targets.isEmpty());
    const struct {
        const char* target; // the box holds "我们正在学习 Windows XP 操作系统。"
        bool valid;
    } cases[] = {
        {"XP 操作系统", true},
        {"windows xp", true},
        {"WINDOWS", true},
        {" Xp ", true},
        {"Linux 操作系统", false},
        {"XP操作系统", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        QStringList lines = original;
        for (qsizetype i : targets)
            lines[i] = lines[i].left(3) + QString::fromUtf8(c.target);
        ASSERT_TRUE(platform::writeWholeFile(texts, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        const QStringList problems = sample::validateProgramFolder(folder());
        EXPECT_EQ(problems.isEmpty(), c.valid) << problems.join(QLatin1Char('\n')).toStdString();
        if (!c.valid) {
            EXPECT_TRUE(problems.join(QLatin1Char('\n')).contains(QStringLiteral("does not hold the selection target")));
        }
    }
    ASSERT_TRUE(platform::writeWholeFile(texts, original.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    EXPECT_TRUE(sample::validateProgramFolder(folder()).isEmpty());
}
