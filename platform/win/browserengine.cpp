#include "platform/browserengine.h"

namespace tarvelo::platform {

// The WebBrowser control needs nothing before the application object: Qt
// initialises OLE on its GUI thread, where the control is made.
void prepareBrowserEngine() {}

} // namespace tarvelo::platform
