// The module description "ver.txt" and the data folder's settings override (number-encoded text),
// laid over the built-in settings list the way start-up lays them.
// Input: ver.txt, "\n=====\n", the override file 288901.mxy.

#include "app/settingslist.h"
#include "fuzzfiles.h"
#include "platform/textfile.h"
#include "toolkit/vb.h"
#include "toolkit/vberror.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> parts = fuzzfiles::parts(fuzzfiles::bytes(data, size), 2);
    const QString ver = fuzzfiles::put(QStringLiteral("ver.txt"), parts.value(0));
    const QString over = fuzzfiles::put(QStringLiteral("288901.mxy"), parts.value(1));

    app::SettingsList settings = app::defaultSettings();
    (void)app::applyNumberLines(settings, platform::readAllLines(ver).value_or(QStringList{}), 1);
    const app::ModuleInfo info = app::moduleInfo(settings);
    if (info.unitNames.size() != 21)
        std::abort();
    try {
        const qint16 proNo = vb::cint(vb::val(settings(4)));
        (void)app::installValueNames(proNo);
    } catch (const vb::Error&) {
    }
    (void)app::applyNumberLines(settings, platform::readAllLines(over).value_or(QStringList{}), 0);
    app::trimSettings(settings);
    (void)app::programTitle(settings, info.keMu);
    // What the windows take from the list as numbers.
    for (int i : {29, 30, 31, 32, 33}) {
        try {
            (void)vb::clng(vb::val(settings(i)));
        } catch (const vb::Error&) {
        }
    }
    // Every line decoded on its own, with its first fault.
    for (const QString& line : platform::splitLines(platform::decodeGbk(parts.value(0)))) {
        std::optional<vb::Error> fault;
        (void)app::decodeNumberLine(line, &fault);
    }
    return 0;
}
