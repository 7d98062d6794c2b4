#include "toolkit/richedit/RichEditStart.h"

#include <utility>

#include "toolkit/richedit/JqueryLibrary.h"
#include "toolkit/richedit/RichEditServer.h"

namespace talvek::richedit {
namespace {

// Lives until the process ends and is never destroyed: there is no stop, and
// an exit routine must not wait for a connection being served.
RichEditServer* toolkitServer = nullptr;

}  // namespace

void startRichEditServer(ControlEventSink deliver) {
  if (toolkitServer) return;
  toolkitServer = new RichEditServer(std::move(deliver), jqueryLibrary());
  toolkitServer->start();
}

int richEditServerPort() { return toolkitServer ? toolkitServer->port() : 0; }

}  // namespace talvek::richedit
