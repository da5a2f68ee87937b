// The update list fetched from the web service: its version line and every entry line planned
// the way the update check plans it (folder, local and server names, target path, address).
// A name from the list must never reach a file outside its folder.

#include "app/frmupdata.h"
#include "app/moddata.h"
#include "fuzzfiles.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "toolkit/vb.h"

#include <QDir>
#include <cstdlib>

namespace up = app::update;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = [] {
        fuzzfiles::application();
        const QString program = fuzzfiles::folder();
        QDir(program).mkpath(QStringLiteral("xpdata"));
        QDir(program).mkpath(QStringLiteral("ksdata"));
        QDir(program).mkpath(QStringLiteral("examdata"));
        platform::setProgramFolder(program);
        ModData::sDataPath = program + QStringLiteral("/xpdata/");
        ModData::sKeMu = QStringLiteral("WindowsXP");
        up::setProgramFileNameForTests(QStringLiteral("xpprac"));
        return true;
    }();
    (void)ready;

    const QString path = fuzzfiles::put(QStringLiteral("288895.mxy"), fuzzfiles::bytes(data, size));
    const QStringList lines = platform::readAllLines(path).value_or(QStringList{});
    // The version line: the check compares its first twelve characters.
    (void)vb::left(vb::trim(lines.value(0)), 12);

    up::Folder folder = up::Folder::Program;
    for (const QString& line : lines) {
        const auto entry = up::parseEntry(line);
        if (!entry)
            continue;
        const up::EntryPlan plan = up::planEntry(*entry, folder);
        if (plan.refused) {
            if (!plan.targetPath.isEmpty())
                std::abort();
            continue;
        }
        // The target lies in the folder of the entry or in a sub-folder of it ("pics\x.mxy"):
        // below the folder every part of its path is a name, never empty, "." or "..".
        const QString base = QDir::cleanPath(up::localFolder(folder)) + u'/';
        if (!plan.targetPath.startsWith(base))
            std::abort();
        for (const QString& part : plan.targetPath.mid(base.size()).split(u'/')) {
            if (part.isEmpty() || part == u"." || part == u"..")
                std::abort();
        }
        if (!plan.address.startsWith(up::updateBase()))
            std::abort();
        (void)up::localName(entry->fileName);
        (void)up::serverName(entry->fileName);
    }
    return 0;
}
