#include "app/moddata.h"
#include "reportspy.h"
#include "app/settingslist.h"
#include "app/startup.h"
#include "platform/programfolder.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The number-encoded form of a text: ASCII as 500000 + code, double-byte characters as 200000 +
// their signed 16-bit GBK code.
QString encodeLine(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const QByteArray b = platform::encodeGbk(QString(c));
        const int code = b.size() == 1 ? 500000 + quint8(b[0])
                                       : 200000 + qint16((quint8(b[0]) << 8) | quint8(b[1]));
        out += QString::number(code);
    }
    return out;
}

void writeLines(const QString& path, const QStringList& lines)
{
    QString text;
    for (const QString& l : lines)
        text += l + QStringLiteral("\r\n");
    ASSERT_TRUE(platform::writeWholeFile(path, text));
}


} // namespace

TEST(NumberText, DecodesGroups)
{
    const struct {
        QString line;
        QString text;
        bool fault;
    } cases[] = {
        {QStringLiteral("500065500066"), QStringLiteral("AB"), false},
        {QStringLiteral("200065000000200066"), QStringLiteral("AB"), false},
        {QString(), QString(), false},
        // 中 is D6 D0 in GBK: signed -10544, unsigned 54992.
        {QStringLiteral("189456"), QStringLiteral("中"), false},
        {QStringLiteral("554992"), QStringLiteral("中"), false},
        {QStringLiteral("254992"), QStringLiteral("中"), false},
        {QStringLiteral("500065abcdef500066"), QStringLiteral("AB"), false}, // reads as 0: skipped
        {QStringLiteral("50006500"), QStringLiteral("A"), false},           // short zero group
        {QStringLiteral("500065999999500066"), QStringLiteral("AB"), true}, // code 499999
        {QStringLiteral("500065100000500066"), QStringLiteral("AB"), true}, // code -100000
        {QStringLiteral("5000655000"), QStringLiteral("A"), true},          // short last group
    };
    for (const auto& c : cases) {
        std::optional<vb::Error> fault;
        EXPECT_EQ(app::decodeNumberLine(c.line, &fault), c.text) << c.line.toStdString();
        EXPECT_EQ(fault.has_value(), c.fault) << c.line.toStdString();
    }
    EXPECT_EQ(app::decodeNumberLine(encodeLine(QStringLiteral("Windows XP 操作"))),
              QStringLiteral("Windows XP 操作"));
}

TEST(NumberText, ValueNamesByProductNumber)
{
    const struct {
        qint16 proNo;
        const char* suffix;
    } cases[] = {{5, "05"}, {12, "12"}, {0, "00"}, {123, "23"}};
    for (const auto& c : cases) {
        const auto names = app::installValueNames(c.proNo);
        EXPECT_EQ(names.path, QStringLiteral("ProPath") + QLatin1String(c.suffix));
        EXPECT_EQ(names.name, QStringLiteral("ProName") + QLatin1String(c.suffix));
    }
}

class ReadInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("data")));
        platform::setProgramFolder(dir.path());
        platform::registry::setStoreFile(dir.filePath(QStringLiteral("store/registry.ini")));
        ModData::resetAll();
    }
    void TearDown() override
    {
        platform::setProgramFolder({});
        platform::registry::setStoreFile({});
        ModData::resetAll();
    }
    QString path(const QString& rel) const { return dir.filePath(rel); }
    void writeVer(const QStringList& texts)
    {
        QStringList lines;
        for (const QString& t : texts)
            lines << encodeLine(t);
        writeLines(path(QStringLiteral("ver.txt")), lines);
    }
    void writeFlag(const QByteArray& bytes)
    {
        QFile f(path(QStringLiteral("data/288892.mxy")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
};

TEST_F(ReadInfo, ThreeLayersAndDerivedValuesTakenBeforeTheOverride)
{
    writeVer({QStringLiteral("  Windows XP "), QStringLiteral("XP操作"), QStringLiteral("data"),
              QStringLiteral("5")});
    writeLines(path(QStringLiteral("data/288901.mxy")),
               {encodeLine(QStringLiteral("品牌")), encodeLine(QStringLiteral("另一个模块")),
                QString(), encodeLine(QStringLiteral(" other "))});
    writeFlag("1\r\n");
    ReportSpy spy;

    app::readInfo();

    EXPECT_TRUE(spy.reports.isEmpty()) << spy.reports.join(u' ').toStdString();
    // Layer 3 changed entries 0, 1, 2 and 3 ...
    EXPECT_EQ(ModData::sSettings(0), QStringLiteral("品牌"));
    EXPECT_EQ(ModData::sSettings(1), QStringLiteral("另一个模块"));
    EXPECT_EQ(ModData::sSettings(2), QString());
    EXPECT_EQ(ModData::sSettings(3), QStringLiteral("other"));
    // ... but not what was derived from layer 2.
    EXPECT_EQ(ModData::sKeMu, QStringLiteral("Windows XP"));
    EXPECT_EQ(ModData::sProName, QStringLiteral("XP操作"));
    EXPECT_EQ(ModData::sDataPath, dir.path() + QStringLiteral("/data/"));
    EXPECT_EQ(ModData::iProNo, 5);
    // A 4-line module file leaves the unit names at the defaults of entries 5 to 25.
    const app::SettingsList defaults = app::defaultSettings();
    for (int u = 0; u <= 20; ++u)
        EXPECT_EQ(ModData::sDanYuan(u, 1), defaults(u + 5).trimmed()) << u;
    EXPECT_EQ(ModData::sSettings(9), QStringLiteral("模拟考试练习系统"));
    EXPECT_EQ(app::programTitle(), QStringLiteral("品牌模拟考试练习系统——Windows XP模块"));
    // The title stays out of every window's caption: the window system adds the application's
    // display name, once one is set, to each caption ("模拟考试练习系统 — 品牌…").
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
}

TEST_F(ReadInfo, AtMostOneReportPerFile)
{
    // A long module file with bad groups on many lines: one report for it, none for the rest.
    QStringList ver{encodeLine(QStringLiteral("XP")), QString(), QStringLiteral("data")};
    for (int i = 0; i < 5000; ++i)
        ver << QStringLiteral("999999100000");
    writeLines(path(QStringLiteral("ver.txt")), ver);
    ReportSpy spy;
    app::readInfo(); // override and flag files missing: one report each

    EXPECT_EQ(spy.reports, (QStringList{QStringLiteral("readInfo:5"), QStringLiteral("readInfo:53"),
                                        QStringLiteral("readInfo:53")}));
    EXPECT_EQ(ModData::sKeMu, QStringLiteral("XP"));
    EXPECT_EQ(ModData::sSettings(40), QString());

    // Lines beyond entry 40 are one subscript fault.
    QStringList longVer{encodeLine(QStringLiteral("XP")), QString(), encodeLine(QStringLiteral("data"))};
    for (int i = 0; i < 100; ++i)
        longVer << encodeLine(QString::number(i));
    writeLines(path(QStringLiteral("ver.txt")), longVer);
    writeFlag("1");
    spy.reports.clear();
    app::readInfo();
    EXPECT_EQ(spy.reports, (QStringList{QStringLiteral("readInfo:9"), QStringLiteral("readInfo:53")}));
    EXPECT_EQ(ModData::sSettings(40), QStringLiteral("36"));
}

TEST_F(ReadInfo, FirstRunFlagWritesInstallValuesOnlyForExactlyZero)
{
    namespace reg = platform::registry;
    const struct {
        const char* flag; // nullptr: no flag file
        bool writes;
    } cases[] = {{"0\r\n", true}, {"0", true},  {"1\r\n", false}, {" 0\r\n", false},
                 {"00\r\n", false}, {"", false}, {nullptr, false}};
    const QString programName =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    for (const auto& c : cases) {
        QFile::remove(path(QStringLiteral("store/registry.ini")));
        QFile::remove(path(QStringLiteral("data/288892.mxy")));
        writeVer({QStringLiteral("XP"), QStringLiteral("XP"), QStringLiteral("data"), QStringLiteral("5")});
        if (c.flag)
            writeFlag(QByteArray(c.flag));

        app::readInfo();

        const auto pathValue = reg::readValue(reg::CurrentUser, QStringLiteral("Software\\tavo"),
                                              QStringLiteral("ProPath05"));
        const auto nameValue = reg::readValue(reg::CurrentUser, QStringLiteral("Software\\tavo"),
                                              QStringLiteral("ProName05"));
        QFile flag(path(QStringLiteral("data/288892.mxy")));
        const QByteArray after = flag.open(QIODevice::ReadOnly) ? flag.readAll() : QByteArray("-");
        if (c.writes) {
            ASSERT_TRUE(pathValue && nameValue) << c.flag;
            EXPECT_EQ(pathValue->data, (dir.path() + QString(72, u'*')).toLocal8Bit());
            EXPECT_EQ(nameValue->data, (programName + QString(36, u'*')).toLocal8Bit());
            EXPECT_EQ(after, QByteArray("1\r\n"));
        } else {
            EXPECT_FALSE(pathValue || nameValue) << (c.flag ? c.flag : "missing");
            EXPECT_EQ(after, c.flag ? QByteArray(c.flag) : QByteArray("-"));
        }
    }
}

TEST(RunLogPath, NamedByTheHandOverTimeInTheUserFolder)
{
    platform::setProgramFolder(QStringLiteral("/opt/xp"));
    EXPECT_EQ(app::runLogPath(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))),
              QStringLiteral("/opt/xp/ksdata/20260102030405.txt"));
    platform::setProgramFolder({});
}
