// The server's posts reach the toolkit through the real sendControlEvent:
// only a live control receives them, on its own thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/windows/TestSupport.h"
#include "tests/windows/richedit/RawHttpClient.h"
#include "tests/windows/toolkit/ToolkitTestWindows.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/RoutedControl.h"
#include "toolkit/core/WinHandles.h"
#include "toolkit/richedit/JqueryLibrary.h"
#include "toolkit/richedit/RichEditServer.h"

namespace talvek {
namespace {

class ContentRecorder : public RoutedControl {
 public:
  int onEvent(int code, std::intptr_t kind, std::intptr_t text) override {
    if (code == 301) {
      received.push_back(reinterpret_cast<const char16_t*>(text));
      kinds.push_back(kind);
      threads.push_back(GetCurrentThreadId());
    }
    return 0;
  }
  std::vector<std::u16string> received;
  std::vector<std::intptr_t> kinds;
  std::vector<DWORD> threads;
};

// Posts from another thread while this (the controls') thread keeps its
// messages flowing, as the installer's message loop does.
void postAndPump(int port, const std::string& request) {
  std::atomic<bool> done = false;
  std::thread client([&] {
    test::exchange(port, request);
    done = true;
  });
  test::waitUntil([&] { return done.load(); }, 15000);
  client.join();
  test::pumpMessages();
}

std::string textPost(int port, ControlRef target, const std::string& utf8) {
  return test::scriptPost(port, "/cmd/get/text", std::to_string(target) + "|" + utf8);
}

TEST(LiveControlDelivery, OnlyALiveControlReceivesPostedContent) {
  test::startToolkitOnce();
  richedit::RichEditServer server(&sendControlEventWithin, richedit::jqueryLibrary());
  ASSERT_TRUE(server.start());

  ContentRecorder control;
  const ControlRef live = control.attachReference();
  postAndPump(server.port(), textPost(server.port(), live, "h\xC3\xA9llo"));
  ASSERT_EQ(control.received.size(), 1u);
  EXPECT_EQ(control.received[0], u"h\u00e9llo");
  EXPECT_EQ(control.kinds[0], 2);
  EXPECT_EQ(control.threads[0], GetCurrentThreadId());

  postAndPump(server.port(), textPost(server.port(), live + 1000, "nobody"));
  postAndPump(server.port(), textPost(server.port(), -1, "a form"));
  control.detachReference();
  postAndPump(server.port(), textPost(server.port(), live, "stale"));
  EXPECT_EQ(control.received.size(), 1u);
}

TEST(LiveControlDelivery, AControlThreadBusyPastTheBoundLosesThePostAndTheServerGoesOn) {
  test::startToolkitOnce();
  richedit::ServerLimits limits;
  limits.handOverMs = 200;
  richedit::RichEditServer server(&sendControlEventWithin, richedit::jqueryLibrary(), limits);
  ASSERT_TRUE(server.start());
  ContentRecorder control;
  const ControlRef live = control.attachReference();

  Handle answered(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  test::Reply page;
  std::thread client([&] {
    test::exchange(server.port(), textPost(server.port(), live, "late"));
    page = test::exchange(server.port(), test::pageGet(server.port(), "/web/default"));
    SetEvent(answered.get());
  });
  // This thread stays busy, taking no messages, until the page has come.
  const bool servedMeanwhile = WaitForSingleObject(answered.get(), 20000) == WAIT_OBJECT_0;
  test::pumpMessages();
  client.join();
  EXPECT_TRUE(servedMeanwhile);
  EXPECT_NE(page.bytes.find("200 OK"), std::string::npos);
  test::pumpMessages();
  EXPECT_TRUE(control.received.empty()) << "a dropped post never arrives late";
  control.detachReference();
}

}  // namespace
}  // namespace talvek
