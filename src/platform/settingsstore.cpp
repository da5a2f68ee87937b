#include "platform/settingsstore.h"

#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <optional>

namespace platform::registry {

namespace {

QString& storeOverride()
{
    static QString path;
    return path;
}

struct OpenKey {
    QString group;
};

std::map<long, OpenKey>& openKeys()
{
    static std::map<long, OpenKey> keys;
    return keys;
}

long& lastHandle()
{
    static long h = 0;
    return h;
}

std::optional<QString> rootName(std::uint32_t root)
{
    switch (root) {
    case ClassesRoot: return QStringLiteral("HKEY_CLASSES_ROOT");
    case CurrentUser: return QStringLiteral("HKEY_CURRENT_USER");
    case LocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case Users: return QStringLiteral("HKEY_USERS");
    default: return std::nullopt;
    }
}

// Key paths use "\" between their parts; empty parts are dropped.
QString groupOf(const QString& root, const QString& subKey)
{
    QStringList parts{root};
    for (const QString& p : subKey.split(QRegularExpression(QStringLiteral("[\\\\/]")),
                                         Qt::SkipEmptyParts))
        parts << p;
    return parts.join(u'/');
}

// A value name is one entry: separators inside it must not open sub-groups.
QString entryOf(const QString& valueName)
{
    QString n = valueName;
    n.replace(u'%', QStringLiteral("%25"));
    n.replace(u'/', QStringLiteral("%2F"));
    n.replace(u'\\', QStringLiteral("%5C"));
    return n.isEmpty() ? QStringLiteral("%40") : n; // the key's default value
}

// The store as QSettings sees it, on a private copy: the store file itself is read by the one
// reader of the program's files (a pipe or an oversized file in its place is never waited on nor
// read whole) and replaced whole through the text-file writer, and QSettings only turns its bytes
// into values and back. A store that is there but cannot be read is never overwritten.
class StoreCopy {
public:
    explicit StoreCopy(const QString& store) : store_(store)
    {
        FileBytes f = readFile(store_, kProgramFileBytes);
        if (!f.read() && f.status != ReadStatus::Missing)
            return;
        const QString copy = dir_.filePath(QStringLiteral("store.ini"));
        if (!dir_.isValid() || !writeWholeFileBytes(copy, f.bytes))
            return;
        before_ = std::move(f.bytes);
        settings_.emplace(copy, QSettings::IniFormat);
    }

    // Nothing when the store cannot be read.
    QSettings* settings() { return settings_ ? &*settings_ : nullptr; }

    // Puts the copy's values into the store, when they changed; false when they could not be.
    bool save()
    {
        if (!settings_)
            return false;
        settings_->sync();
        if (settings_->status() != QSettings::NoError)
            return false;
        const FileBytes after = readFile(settings_->fileName(), kProgramFileBytes);
        if (!after.read())
            return false;
        if (after.bytes == before_)
            return true;
        // The store's own folder is made as QSettings always made it.
        QDir().mkpath(QFileInfo(store_).absolutePath());
        return writeWholeFileBytes(store_, after.bytes);
    }

private:
    QString store_;
    QTemporaryDir dir_;
    QByteArray before_;
    std::optional<QSettings> settings_;
};

} // namespace

QString storeFile()
{
    if (!storeOverride().isEmpty())
        return storeOverride();
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/xpprac/registry.ini");
}

void setStoreFile(const QString& path) { storeOverride() = path; }

long createKey(std::uint32_t root, const QString& subKey, long& handle)
{
    const auto name = rootName(root);
    if (!name)
        return InvalidHandle;
    const QString group = groupOf(*name, subKey);
    StoreCopy store(storeFile());
    if (!store.settings())
        return AccessDenied;
    // A key exists once it has its marker entry.
    store.settings()->setValue(group + QStringLiteral("/%key"), true);
    if (!store.save())
        return AccessDenied;
    handle = ++lastHandle();
    openKeys()[handle] = OpenKey{group};
    return Success;
}

long setValue(long handle, const QString& valueName, long type, const QByteArray& data)
{
    const auto it = openKeys().find(handle);
    if (it == openKeys().end())
        return InvalidHandle;
    StoreCopy store(storeFile());
    QSettings* s = store.settings();
    if (!s)
        return AccessDenied;
    const QString entry = it->second.group + u'/' + entryOf(valueName);
    s->setValue(entry, data);
    s->setValue(entry + QStringLiteral("%type"), static_cast<qlonglong>(type));
    return store.save() ? Success : AccessDenied;
}

long closeKey(long handle) { return openKeys().erase(handle) ? Success : InvalidHandle; }

std::optional<StoredValue> readValue(std::uint32_t root, const QString& subKey,
                                     const QString& valueName)
{
    const auto name = rootName(root);
    if (!name)
        return std::nullopt;
    StoreCopy store(storeFile());
    const QSettings* s = store.settings();
    const QString entry = groupOf(*name, subKey) + u'/' + entryOf(valueName);
    if (!s || !s->contains(entry))
        return std::nullopt;
    return StoredValue{s->value(entry + QStringLiteral("%type")).toLongLong(), s->value(entry).toByteArray()};
}

} // namespace platform::registry
