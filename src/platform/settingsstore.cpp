#include "platform/settingsstore.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <map>

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
    QSettings s(storeFile(), QSettings::IniFormat);
    // A key exists once it has its marker entry.
    s.setValue(group + QStringLiteral("/%key"), true);
    s.sync();
    if (s.status() != QSettings::NoError)
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
    QSettings s(storeFile(), QSettings::IniFormat);
    const QString entry = it->second.group + u'/' + entryOf(valueName);
    s.setValue(entry, data);
    s.setValue(entry + QStringLiteral("%type"), static_cast<qlonglong>(type));
    s.sync();
    return s.status() == QSettings::NoError ? Success : AccessDenied;
}

long closeKey(long handle) { return openKeys().erase(handle) ? Success : InvalidHandle; }

std::optional<StoredValue> readValue(std::uint32_t root, const QString& subKey,
                                     const QString& valueName)
{
    const auto name = rootName(root);
    if (!name)
        return std::nullopt;
    QSettings s(storeFile(), QSettings::IniFormat);
    const QString entry = groupOf(*name, subKey) + u'/' + entryOf(valueName);
    if (!s.contains(entry))
        return std::nullopt;
    return StoredValue{s.value(entry + QStringLiteral("%type")).toLongLong(),
                       s.value(entry).toByteArray()};
}

} // namespace platform::registry
