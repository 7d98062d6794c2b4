#include "toolkit/richedit/RouteTable.h"

#include <gtest/gtest.h>

#include <array>

namespace talvek::richedit {
namespace {

TEST(RouteTable, ServesThePageTheScriptAndJqueryByExactPath) {
  const std::array<std::uint8_t, 3> jquery{1, 2, 3};
  const RouteTable routes(jquery);

  const Route* page = routes.find("/web/default");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->contentType, "text/html");
  EXPECT_EQ(page->body.size(), 287u);

  const Route* script = routes.find("/web/richeditclient");
  ASSERT_TRUE(script);
  EXPECT_EQ(script->contentType, "text/javascript");
  EXPECT_EQ(script->body.size(), 305u);

  const Route* library = routes.find("/web/jquery");
  ASSERT_TRUE(library);
  EXPECT_EQ(library->contentType, "text/javascript");
  EXPECT_EQ(library->body.data(), jquery.data());

  for (const char* path : {"/", "", "/web/default?x", "/Web/default", "/web/default/", "/web/jquery "}) {
    EXPECT_FALSE(routes.find(path)) << path;
  }
}

TEST(ResponseHead, HasNoSpaceAfterTheColons) {
  EXPECT_EQ(responseHead("text/html", 287),
            "HTTP/1.1 200 OK\r\n"
            "Server:RbUI RichEdit HTTP Server\r\n"
            "Content-Length:287\r\n"
            "Content-Type:text/html\r\n"
            "\r\n");
}

}  // namespace
}  // namespace talvek::richedit
