#pragma once
// A context object that lives for one test: calls queued on it (QTimer::singleShot(0, ...),
// queued invokeMethod) that have not run by the end of the test are dropped with it, so that none
// runs in the next test of the same binary, on what the ended test had on its stack.

class QObject;

namespace testscope {

// Deleted at the end of every test and made anew for the next.
QObject* context();

} // namespace testscope
