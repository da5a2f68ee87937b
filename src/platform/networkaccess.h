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

class QNetworkAccessManager;

namespace platform {

QNetworkAccessManager& networkAccess();

// Ends the network access object while the application still runs its events: its cached
// connections closed, its thread ended and what that thread leaves behind deleted. Called before
// the application object goes (a later request builds a new one); left to the application's own
// teardown, objects the network thread hands back for deletion are never deleted.
void endNetworkAccess();

} // namespace platform
