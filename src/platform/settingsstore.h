#pragma once
// The settings store that stands in for the system registry: one INI file per user holding
// keys under the predefined roots, each with typed values. Results are the system's error codes:
// 0 success, otherwise a failure code (see below).

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace platform::registry {

// Predefined roots.
inline constexpr std::uint32_t ClassesRoot = 0x80000000u;
inline constexpr std::uint32_t CurrentUser = 0x80000001u;
inline constexpr std::uint32_t LocalMachine = 0x80000002u;
inline constexpr std::uint32_t Users = 0x80000003u;

// Value types.
inline constexpr long TypeSz = 1;
inline constexpr long TypeExpandSz = 2;
inline constexpr long TypeBinary = 3;
inline constexpr long TypeDword = 4;

// Result codes.
inline constexpr long Success = 0;
inline constexpr long AccessDenied = 5;     // the store file cannot be written
inline constexpr long InvalidHandle = 6;    // unknown root or key handle
inline constexpr long InvalidParameter = 87;

// The store file: $XDG_CONFIG_HOME (or ~/.config) / xpprac / registry.ini unless set.
QString storeFile();
void setStoreFile(const QString& path); // empty: back to the default

// Creates the key under the root when missing and opens it; handle receives a key handle.
long createKey(std::uint32_t root, const QString& subKey, long& handle);
// Sets one value of an open key to the given bytes.
long setValue(long handle, const QString& valueName, long type, const QByteArray& data);
long closeKey(long handle);

struct StoredValue {
    long type = 0;
    QByteArray data;
};
std::optional<StoredValue> readValue(std::uint32_t root, const QString& subKey,
                                     const QString& valueName);

} // namespace platform::registry
