#pragma once
// The program's one network access object: every web request and every download goes through
// it. It lives as long as the application and is never built or torn down for a request, so no
// request waits for a network thread to start or to end. Requests to this machine itself
// (localhost, 127.0.0.0/8, ::1) never go through a proxy; all others use the application's
// proxy settings.
//
//   QNetworkReply* reply = platform::networkAccess().get(request);
//
// Used from the thread of the application object only.

#include <QtGlobal>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

namespace platform {

QNetworkAccessManager& networkAccess();

// A GET of the address through it: redirects followed only to the same host and port (and never
// from https to http; a redirect elsewhere ends the reply as a failed one), never answered from a
// cache, and the network thread reading at most readAhead bytes ahead of what the caller has taken
// (a server that sends faster waits, and an aborted reply has little to let go).
QNetworkReply* getFresh(const QUrl& url, qint64 readAhead);

// Whether a reply to `from` may follow a redirect to `to`: an http or https address of the same
// host (letter case ignored) and port, not from https to http.
bool isRedirectAllowed(const QUrl& from, const QUrl& to);

// Whether the reply's headers announce a body longer than bound.
bool announcesMoreThan(const QNetworkReply& reply, qint64 bound);

// Ends the network access object while the application still runs its events: its cached
// connections closed, its thread ended and what that thread leaves behind deleted. Called before
// the application object goes (a later request builds a new one); left to the application's own
// teardown, objects the network thread hands back for deletion are never deleted.
void endNetworkAccess();

} // namespace platform
