#include "toolkit/richedit/RichEditStart.h"

#include <gtest/gtest.h>

#include "tests/windows/richedit/RawHttpClient.h"
#include "tests/windows/richedit/RecordingSink.h"

namespace talvek::richedit {
namespace {

// The toolkit's start-up (run by other tests in this process) may already
// have started the one server; a later start must change nothing.
TEST(RichEditStart, StartsOneServerForTheProcess) {
  static test::RecordingSink sink;  // the started server lives until the process ends
  const int before = richEditServerPort();
  startRichEditServer(sink.sink());
  const int port = richEditServerPort();
  ASSERT_GE(port, 50000);
  ASSERT_LE(port, 63000);
  if (before != 0) {
    EXPECT_EQ(port, before);
  }
  startRichEditServer(sink.sink());
  EXPECT_EQ(richEditServerPort(), port);

  const test::Reply reply =
      // A reference no control can hold: an earlier start delivers to live
      // controls only, and must not wait on one of this thread's.
      test::exchange(port, test::scriptPost(port, "/cmd/get/html", "2147483647|<p/>"));
  EXPECT_TRUE(reply.closed);
  const auto events = sink.take();
  if (before != 0) {
    EXPECT_TRUE(events.empty()) << "the first start's delivery stays in place";
    return;
  }
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].control, 2147483647);
  EXPECT_EQ(events[0].text, u"<p/>");
}

}  // namespace
}  // namespace talvek::richedit
