// Writing of the program folder.

#include "build.h"

#include "../encoder.h"
#include "../skins.h"
#include "../tables.h"
#include "platform/textfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QtEndian>

namespace gen {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

[[noreturn]] void failWrite(const QString& path)
{
    throw SourceError(QStringLiteral("cannot write %1").arg(path).toStdString());
}

// Every line followed by CR LF.
QString joined(const QStringList& lines)
{
    QString s;
    for (const QString& l : lines)
        s += l + kCrLf;
    return s;
}

void writeText(const QString& path, const QString& text)
{
    if (!platform::writeWholeFile(path, text))
        failWrite(path);
}

// History seeds: written only where the file is missing, so that rebuilding the sample folder
// never wipes the candidate's own history.
void seedText(const QString& path, const QString& text)
{
    if (!QFile::exists(path))
        writeText(path, text);
}

void writePicture(const QString& path, const QImage& image)
{
    if (!image.save(path, "PNG"))
        failWrite(path);
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        failWrite(path);
}

QString htmlEscape(const QString& s)
{
    return s.toHtmlEscaped();
}

QString helpPage(const QString& title, const QString& body)
{
    QStringList lines;
    lines << QStringLiteral("<!DOCTYPE html>") << QStringLiteral("<html>") << QStringLiteral("<head>")
          << QStringLiteral("<meta charset=\"gbk\">") << QStringLiteral("<title>%1</title>").arg(htmlEscape(title))
          << QStringLiteral("<style>body{font-family:\"宋体\",sans-serif;font-size:14px;line-height:1.7;color:#333;margin:16px;}"
                            "h1{font-size:20px;color:#0c7fe9;}</style>")
          << QStringLiteral("</head>") << QStringLiteral("<body>") << QStringLiteral("<h1>%1</h1>").arg(htmlEscape(title));
    for (const QString& p : body.split(QLatin1Char('|')))
        lines << QStringLiteral("<p>%1</p>").arg(htmlEscape(p));
    lines << QStringLiteral("</body>") << QStringLiteral("</html>");
    return joined(lines);
}

QString paperResultsSeed()
{
    QStringList lines;
    for (int p = 0; p < 30; ++p)
        lines << QStringLiteral("您还未考试！") << QStringLiteral("0") << QStringLiteral("E");
    return joined(lines) + kCrLf;
}

} // namespace

QByteArray cursorFile(int number)
{
    // 0 arrow, 1 move, 2 copy (arrow with plus), 3 link, 4 hand, 5 no-drop.
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPoint hot(0, 0);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QPolygon arrow;
        arrow << QPoint(0, 0) << QPoint(0, 17) << QPoint(4, 13) << QPoint(7, 20) << QPoint(10, 19) << QPoint(7, 12) << QPoint(12, 12);
        if (number == 4) {
            hot = QPoint(8, 1);
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawRoundedRect(6, 0, 5, 14, 2, 2);
            p.drawRoundedRect(6, 9, 15, 13, 4, 4);
        } else if (number == 5) {
            hot = QPoint(10, 10);
            p.setPen(QPen(QColor(0xD0, 0x20, 0x20), 3));
            p.setBrush(Qt::white);
            p.drawEllipse(2, 2, 16, 16);
            p.drawLine(5, 5, 15, 15);
        } else {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawPolygon(arrow);
            if (number == 1 || number == 2 || number == 3) {
                p.setBrush(Qt::white);
                p.drawRect(12, 18, 12, 10);
                p.setPen(QPen(Qt::black, 2));
                if (number == 2) {
                    p.drawLine(15, 23, 21, 23);
                    p.drawLine(18, 20, 18, 26);
                } else if (number == 3) {
                    p.drawLine(15, 26, 21, 20);
                }
            }
        }
    }
    // ICONDIR, one ICONDIRENTRY (hot spot in the planes and bit-count fields), then the DIB:
    // header with doubled height, 32-bit colour rows bottom-up, 1-bit AND mask bottom-up.
    QByteArray out;
    auto u8 = [&](int v) { out.append(char(v & 0xFF)); };
    auto u16 = [&](int v) { u8(v); u8(v >> 8); };
    auto u32 = [&](quint32 v) { u16(int(v & 0xFFFF)); u16(int(v >> 16)); };
    const quint32 xorSize = 32 * 32 * 4;
    const quint32 andSize = 32 * 4;
    const quint32 dibSize = 40 + xorSize + andSize;
    u16(0); u16(2); u16(1);
    u8(32); u8(32); u8(0); u8(0); u16(hot.x()); u16(hot.y()); u32(dibSize); u32(22);
    u32(40); u32(32); u32(64); u16(1); u16(32); u32(0); u32(xorSize + andSize); u32(0); u32(0); u32(0); u32(0);
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; ++x) {
            const QRgb c = img.pixel(x, y);
            u8(qBlue(c)); u8(qGreen(c)); u8(qRed(c)); u8(qAlpha(c));
        }
    for (int y = 31; y >= 0; --y)
        for (int byte = 0; byte < 4; ++byte) {
            int bits = 0;
            for (int b = 0; b < 8; ++b)
                if (qAlpha(img.pixel(byte * 8 + b, y)) < 128)
                    bits |= 0x80 >> b;
            u8(bits);
        }
    return out;
}

void writeProgramFolder(const Bank& bank, const Compiled& compiled, const QString& programFolder)
{
    const QDir program(programFolder);
    const QString dataName = bank.module.value(QStringLiteral("datafolder"));
    for (const QString& sub : {dataName, QStringLiteral("examdata"), QStringLiteral("ksdata")})
        if (!program.mkpath(sub))
            failWrite(program.filePath(sub));
    const QDir data(program.filePath(dataName));
    const QDir pictures(program.filePath(QStringLiteral("examdata")));
    const QDir user(program.filePath(QStringLiteral("ksdata")));
    auto dataFile = [&](const QString& name) { return data.filePath(name + QStringLiteral(".mxy")); };

    // Module description: module, display name, data folder, product number, unit names.
    QStringList names;
    for (const char* key : {"module", "display", "datafolder", "product"})
        names << bank.module.value(QString::fromLatin1(key));
    for (const UnitDef& u : bank.units)
        names << u.name;
    QStringList ver;
    for (const QString& name : names) {
        ver << sample::encodeNumberLine(name);
        if (sample::decodeNumberLine(ver.last()) != name)
            throw SourceError(QStringLiteral("ver.txt: \"%1\" does not decode to itself").arg(name).toStdString());
    }
    writeText(program.filePath(QStringLiteral("ver.txt")), joined(ver));

    // Settings override (line n replaces entry n - 1) and the first-run flag.
    QStringList settings;
    for (const QString& s : bank.settings)
        settings << sample::encodeNumberLine(s);
    writeText(dataFile(QStringLiteral("288901")), joined(settings));
    writeText(dataFile(QStringLiteral("288892")), joined({QStringLiteral("0")}));

    // Bank version and bank layout.
    writeText(dataFile(QStringLiteral("288895")), joined({bank.module.value(QStringLiteral("version"))}));
    QString counts;
    for (const CompiledUnit& u : compiled.units)
        counts += QStringLiteral("%1").arg(u.questionLines.size(), 2, 10, QLatin1Char('0'));
    QStringList layout;
    layout << QStringLiteral("%1%2").arg(bank.papers.size(), 2, 10, QLatin1Char('0')).arg(compiled.units.size(), 2, 10, QLatin1Char('0'))
           << counts;
    for (const PaperDef& p : bank.papers)
        layout << p.ids.join(QString());
    writeText(dataFile(QStringLiteral("288891")), joined(layout));

    // Operation texts and the unit file pairs.
    QStringList texts;
    for (int i = 0; i < compiled.texts.size(); ++i)
        texts << sample::encodeTextLine(i + 1, compiled.texts[i]);
    writeText(dataFile(QStringLiteral("288890")), joined(texts));
    for (int u = 0; u < compiled.units.size(); ++u) {
        writeText(dataFile(QStringLiteral("2888%1").arg(20 + u)), joined(compiled.units[u].records));
        writeText(dataFile(QStringLiteral("2888%1").arg(70 + u)), joined(compiled.units[u].questionLines));
    }

    // Scene pictures, question pictures and the page pictures of every tab layout.
    for (const SceneDef& s : bank.scenes)
        writePicture(dataFile(s.id), compiled.scenes.value(s.name).image);
    for (const DialogDef& d : bank.dialogs) {
        const QString layoutString = d.key == u"A-demo" ? sample::demoLayoutAString() : sample::surfaceLayoutString(d.key.at(0));
        const QMap<QString, QImage> pages = renderTabPages(layoutString, d);
        for (auto it = pages.begin(); it != pages.end(); ++it)
            writePicture(dataFile(it.key()), it.value());
    }

    // Help pages.
    for (int k = 0; k < bank.helpPages.size() && k < 5; ++k)
        writeText(dataFile(QStringLiteral("l3818%1").arg(k)), helpPage(bank.helpPages[k].first, bank.helpPages[k].second));

    // Menu pictures and the menu definition file: 2 sets x 9 blocks x 15 lines.
    const QMap<QString, QImage> menus = renderMenuBarPictures(bank.menuBar);
    for (auto it = menus.begin(); it != menus.end(); ++it)
        writePicture(pictures.filePath(it.key()), it.value());
    QStringList sMenu;
    for (int set = 1; set <= 2; ++set)
        for (int block = 1; block <= 9; ++block) {
            const PopupBlockDef* found = nullptr;
            for (const PopupBlockDef& b : bank.popups)
                if (b.set == set && b.block == block)
                    found = &b;
            for (int line = 0; line < 15; ++line)
                sMenu << (found ? found->lines[line] : line == 0 ? QStringLiteral("未用的菜单") : QStringLiteral("0"));
        }
    writeText(program.filePath(QStringLiteral("sMenu.sys")), joined(sMenu));

    // Cursor files.
    for (int n = 0; n <= 5; ++n)
        writeBytes(program.filePath(QStringLiteral("ico%1.CUR").arg(n, 2, 10, QLatin1Char('0'))), cursorFile(n));

    writeSkinPictures(data.absolutePath(), program.absolutePath());

    // The user folder's seeds.
    QStringList progress;
    for (int u = 0; u < 25; ++u)
        progress << (u < compiled.units.size() ? QString(compiled.units[u].questionLines.size(), QLatin1Char('F')) : QString());
    seedText(user.filePath(QStringLiteral("288893.mxy")), joined(progress) + kCrLf);
    seedText(user.filePath(QStringLiteral("288891.mxy")), joined(QStringList(10, QString())));
    seedText(user.filePath(QStringLiteral("288892.mxy")), paperResultsSeed());
    for (const char* store : {"288862", "288872", "288863", "288873"})
        seedText(user.filePath(QString::fromLatin1(store) + QStringLiteral(".mxy")), kCrLf);
    seedText(user.filePath(QStringLiteral("288890.mxy")), joined({QStringLiteral("0")}));
    seedText(user.filePath(QStringLiteral("170100.mxy")), joined(bank.advert));
}

} // namespace gen
