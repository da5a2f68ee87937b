#pragma once
// Readable gtest output for Qt strings.

#include <QString>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(QChar c, std::ostream* os) { PrintTo(QString(c), os); }
QT_END_NAMESPACE
