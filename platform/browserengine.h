#pragma once

namespace tarvelo::platform {

// Readies the browser engine for this process. Call before the application
// object is made (the program, its benchmark and every test program that
// shows a page do). The system's WebBrowser control needs nothing here.
//
// Qt WebEngine shares its OpenGL contexts with the window system, and its
// sandbox refuses to start for root, so root runs it without one.
//
// Every browser page must be deleted before the application object: the
// engine releases its profile with the application, and a page that outlives
// its profile crashes the process at exit (Qt 6.8).
void prepareBrowserEngine();

} // namespace tarvelo::platform
