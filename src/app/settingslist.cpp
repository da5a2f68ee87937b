#include "app/settingslist.h"

#include "toolkit/vb.h"

namespace app {

QString decodeNumberLine(const QString& line, std::optional<vb::Error>* firstError)
{
    QString text;
    for (qsizetype at = 0; at < line.size(); at += 6) {
        const QString group = line.mid(at, 6);
        try {
            const vb::Long v = vb::clng(vb::val(group));
            if (v == 0)
                continue;
            const long code = v > 500000 ? long(v) - 500000 : long(v) - 200000;
            text += vb::chr(code);
        } catch (const vb::Error& e) {
            if (firstError && !*firstError)
                *firstError = e;
        }
    }
    return text;
}

SettingsList defaultSettings()
{
    SettingsList s;
    s(0) = QStringLiteral("禾川明泽");
    s(1) = QStringLiteral("https://www.example.com/");
    s(2) = QStringLiteral("https://www.example.com/xp/");
    s(3) = QStringLiteral("https://chat.example.com/?to=10001");
    s(4) = QStringLiteral("https://chat.example.com/?to=10002");
    s(5) = QStringLiteral("https://pay.example.com/");
    s(6) = QStringLiteral("https://shop.example.com/");
    s(7) = QStringLiteral("禾川明泽软件工作室");
    s(8) = QStringLiteral("禾川");
    s(9) = QStringLiteral("模拟考试练习系统");
    s(10) = QStringLiteral("000-00000000");
    s(11) = QStringLiteral("10000");
    s(12) = QStringLiteral("tavo");
    s(13) = QStringLiteral("https://www.example.com/download/");
    s(14) = QStringLiteral("readme.txt");
    s(15) = QStringLiteral("tavo");
    s(16) = QStringLiteral("www.example.com");
    s(20) = QStringLiteral("禾川");
    s(21) = QStringLiteral("明泽");
    s(22) = QStringLiteral("练习");
    s(23) = QStringLiteral("000-00000000");
    s(24) = QStringLiteral("10000");
    s(25) = QStringLiteral("禾川明泽");
    s(26) = QStringLiteral("2015");
    s(28) = QStringLiteral("B");
    s(29) = QStringLiteral("&H666666");
    s(30) = QStringLiteral("240");
    s(31) = QStringLiteral("5040");
    s(32) = QStringLiteral("7440");
    s(33) = QStringLiteral("9930");
    s(34) = QStringLiteral("2");
    s(35) = QStringLiteral("禾川");
    return s;
}

std::optional<vb::Error> applyNumberLines(SettingsList& settings, const QStringList& lines,
                                          int firstEntry)
{
    std::optional<vb::Error> first;
    long entry = firstEntry;
    for (const QString& line : lines) {
        if (entry > SettingsList::upper()) {
            // This line and every later one have no entry: one fault, and nothing more to do.
            if (!first)
                first = vb::Error(vb::ErrSubscript);
            break;
        }
        std::optional<vb::Error> lineError;
        const QString text = decodeNumberLine(line, &lineError);
        if (lineError && !first)
            first = lineError;
        settings(entry) = text;
        ++entry;
    }
    return first;
}

void trimSettings(SettingsList& settings)
{
    for (QString& s : settings)
        s = vb::trim(s);
}

ModuleInfo moduleInfo(const SettingsList& settings)
{
    ModuleInfo m;
    m.keMu = vb::trim(settings(1));
    m.proName = vb::trim(settings(2));
    m.dataFolder = vb::trim(settings(3));
    for (int u = 0; u <= 20; ++u)
        m.unitNames << vb::trim(settings(u + 5));
    return m;
}

QString programTitle(const SettingsList& settings, const QString& keMu)
{
    return settings(0) + settings(9) + QStringLiteral("——") + keMu + QStringLiteral("模块");
}

InstallValueNames installValueNames(qint16 proNo)
{
    const QString nn = vb::right(QStringLiteral("0") + QString::number(proNo), 2);
    return {QStringLiteral("ProPath") + nn, QStringLiteral("ProName") + nn};
}

} // namespace app
