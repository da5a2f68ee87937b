#pragma once
// Run-time errors in the program's own terms: a number and a text. Calls that can fail throw
// vb::Error; a trapping procedure guards each of its steps with vb::ErrorTrap, so a failing step
// is reported under the procedure's tag and the next step still runs. Every other procedure uses
// vb::attempt, which lets a failing step do nothing, silently.

#include <QString>
#include <exception>
#include <functional>

namespace vb {

enum ErrorNumber : int {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrSubscript = 9,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrBadFileName = 52,
    ErrFileNotFound = 53,
    ErrFileAlreadyOpen = 55,
    ErrDiskFull = 61,
    ErrPermission = 70,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
    ErrObjectVariable = 91,
    ErrInvalidPropertyValue = 380,
    ErrInvalidPicture = 481,
};

// The standard text of an error number ("Subscript out of range" for 9, ...).
QString errorText(int number);

class Error : public std::exception {
public:
    explicit Error(int number, QString text = {});
    int number() const { return number_; }
    const QString& text() const { return text_; }
    const char* what() const noexcept override { return whatBytes_.constData(); }

private:
    int number_;
    QString text_;
    QByteArray whatBytes_;
};

[[noreturn]] void raise(int number);

// The error of a file that was not read: 53 when nothing stands under its name, 75 when what
// stands there cannot be read (a file that cannot be read is never reported as missing).
inline int notReadError(bool missing) { return missing ? ErrFileNotFound : ErrPathFileAccess; }

// Receives every error a trapping procedure catches: tag, number, text. The start-up services
// install the error reporter here; until then errors are only dropped.
using Reporter = std::function<void(const QString& tag, long number, const QString& text)>;
void setReporter(Reporter reporter);
void report(const QString& tag, long number, const QString& text);

class ErrorTrap {
public:
    explicit ErrorTrap(QString tag) : tag_(std::move(tag)) {}
    const QString& tag() const { return tag_; }

    // Runs one step; an error in it is reported under the tag and the caller goes on.
    // Returns whether the step ran without error.
    template <class F>
    bool operator()(F&& step) const
    {
        try {
            step();
            return true;
        } catch (const Error& e) {
            report(tag_, e.number(), e.text());
        } catch (const std::exception&) {
            report(tag_, 5, errorText(5));
        }
        return false;
    }

private:
    QString tag_;
};

// Runs one step of a procedure that traps nothing: an error ends the step silently.
template <class F>
bool attempt(F&& step)
{
    try {
        step();
        return true;
    } catch (const Error&) {
    } catch (const std::exception&) {
    }
    return false;
}

} // namespace vb
