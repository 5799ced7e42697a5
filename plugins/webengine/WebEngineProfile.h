#pragma once
// The browser's kept profile: cookies, local storage and the HTTP cache live in the user's
// folders (${XDG_DATA_HOME:-~/.local/share}/tavo/web and ${XDG_CACHE_HOME:-~/.cache}/tavo/web),
// so a login survives a restart and nothing is written beside the program. One profile
// serves the process; its storage is flushed when it is deleted, which happens when the
// last control using it goes, or when the program quits without one.
#include <QString>

class QWebEngineProfile;

namespace tavo::webengine {

QString ProfileDataFolder();
QString ProfileCacheFolder();

// Sets what the engine reads from the environment once, when it starts.
void PrepareEngineEnvironment();

// The profile for a new control, made on first use; AcquireProfile counts the control in,
// ReleaseProfile out (the page using it must be gone by then).
QWebEngineProfile* AcquireProfile();
void ReleaseProfile();

// Starts the engine with its profile, for nobody yet (see TWebBrowserEngine).
void PrepareProfile();

}  // namespace tavo::webengine
