#include "toolkit/vberror.h"

namespace vb {

namespace {
Reporter& reporterSlot()
{
    static Reporter r;
    return r;
}
} // namespace

QString errorText(int number)
{
    switch (number) {
    case 3: return QStringLiteral("Return without GoSub");
    case ErrInvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case ErrOverflow: return QStringLiteral("Overflow");
    case 7: return QStringLiteral("Out of memory");
    case ErrSubscript: return QStringLiteral("Subscript out of range");
    case ErrDivisionByZero: return QStringLiteral("Division by zero");
    case ErrTypeMismatch: return QStringLiteral("Type mismatch");
    case ErrBadFileName: return QStringLiteral("Bad file name or number");
    case ErrFileNotFound: return QStringLiteral("File not found");
    case 54: return QStringLiteral("Bad file mode");
    case ErrFileAlreadyOpen: return QStringLiteral("File already open");
    case 57: return QStringLiteral("Device I/O error");
    case 62: return QStringLiteral("Input past end of file");
    case ErrDiskFull: return QStringLiteral("Disk full");
    case ErrPermission: return QStringLiteral("Permission denied");
    case ErrPathFileAccess: return QStringLiteral("Path/File access error");
    case ErrPathNotFound: return QStringLiteral("Path not found");
    case ErrObjectVariable: return QStringLiteral("Object variable or With block variable not set");
    case ErrInvalidPropertyValue: return QStringLiteral("Invalid property value");
    case ErrInvalidPicture: return QStringLiteral("Invalid picture");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

Error::Error(int number, QString text)
    : number_(number), text_(text.isEmpty() ? errorText(number) : std::move(text)),
      whatBytes_(text_.toUtf8())
{
}

void raise(int number) { throw Error(number); }

void setReporter(Reporter reporter) { reporterSlot() = std::move(reporter); }

void report(const QString& tag, long number, const QString& text)
{
    // Work on a copy: a report may replace the reporter or run other reports while it waits.
    Reporter r = reporterSlot();
    if (r)
        r(tag, number, text);
}

} // namespace vb
