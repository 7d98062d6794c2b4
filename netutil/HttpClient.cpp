#include "netutil/HttpClient.h"

#include <algorithm>
#include <vector>

#include "netutil/CodePageText.h"
#include "netutil/CookieText.h"
#include "netutil/HttpRequestPlan.h"
#include "netutil/HttpResponseDigest.h"
#include "netutil/UrlParts.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr DWORD kReadChunk = 1024;
constexpr DWORD kRawHeaderBuffer = 5000;

DWORD winInetFlags(const HttpRequestFlags& flags) {
  DWORD bits = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE;
  if (flags.noCookies) bits |= INTERNET_FLAG_NO_COOKIES;
  if (flags.noAutoRedirect) bits |= INTERNET_FLAG_NO_AUTO_REDIRECT;
  if (flags.secure) bits |= INTERNET_FLAG_SECURE;
  if (flags.ignoreRedirectToHttps) bits |= INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
  return bits;
}

InternetHandle openRoot(const HttpRequestPlan& plan, const HttpRequestOptions& options) {
  if (options.proxy) {
    std::string proxy = "http=" + *options.proxy;
    return InternetHandle(
        InternetOpenA(plan.userAgent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), "", 0));
  }
  return InternetHandle(
      InternetOpenA(plan.userAgent.c_str(), INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
}

std::string readBody(HINTERNET request) {
  std::string body;
  char chunk[kReadChunk];
  DWORD got = 0;
  while (InternetReadFile(request, chunk, kReadChunk, &got) && got > 0) body.append(chunk, got);
  return body;
}

// Headers beyond the usual buffer are not dropped: WinINet reports the size
// it needs, and the query is repeated once with that size.
std::string rawResponseHeaders(HINTERNET request) {
  std::vector<char> buffer(kRawHeaderBuffer);
  DWORD size = kRawHeaderBuffer;
  BOOL ok = HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &size, nullptr);
  if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && size > buffer.size()) {
    buffer.resize(size + 1);
    size = static_cast<DWORD>(buffer.size());
    ok = HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &size, nullptr);
  }
  if (!ok) return {};
  return std::string(buffer.data(), std::min<size_t>(size, buffer.size()));
}

std::string asText(std::string body, const std::string& rawHeaders) {
  if (declaresUtf8(body, rawHeaders)) body = utf8ToGbk(body);
  return body.substr(0, body.find('\0'));
}

}  // namespace

std::string HttpClient::requestBytes(const std::string& address,
                                     HttpRequestOptions& options) const {
  return request(address, options, Result::Bytes, true);
}

std::string HttpClient::requestBytes(const std::string& address) const {
  HttpRequestOptions options;
  return requestBytes(address, options);
}

std::string HttpClient::requestText(const std::string& address, HttpRequestOptions& options) const {
  return request(address, options, Result::Text, true);
}

std::string HttpClient::requestText(const std::string& address) const {
  HttpRequestOptions options;
  return requestText(address, options);
}

std::string HttpClient::requestPlain(const std::string& address) const {
  InternetHandle root(InternetOpenA(kDefaultUserAgent, INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
  if (!root) return {};
  InternetHandle page(InternetOpenUrlA(root.get(), address.c_str(), nullptr, 0,
                                       INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES |
                                           INTERNET_FLAG_NO_UI,
                                       0));
  if (!page) return {};
  return readBody(page.get());
}

std::string HttpClient::request(const std::string& address, HttpRequestOptions& options,
                                Result result, bool mayFollowMoved) const {
  const HttpRequestPlan plan = planRequest(address, options);
  // Declared in opening order, so they close request, connection, root.
  InternetHandle root = openRoot(plan, options);
  if (!root) return {};
  InternetHandle connection(InternetConnectA(root.get(), plan.host.c_str(),
                                             static_cast<INTERNET_PORT>(plan.port), nullptr,
                                             nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  InternetHandle exchange(HttpOpenRequestA(connection.get(), plan.verb.c_str(), plan.path.c_str(),
                                           "HTTP/1.1", nullptr, nullptr, winInetFlags(plan.flags),
                                           0));
  if (!exchange) return {};

  options.extraHeaders =
      completeHeaders(options.extraHeaders, address, options.cookieJar.value_or(std::string()));
  HttpSendRequestA(exchange.get(), options.extraHeaders.c_str(),
                   static_cast<DWORD>(options.extraHeaders.size()),
                   plan.sendsBody ? const_cast<char*>(plan.body.data()) : nullptr,
                   plan.sendsBody ? static_cast<DWORD>(plan.body.size()) : 0);
  std::string body = readBody(exchange.get());
  options.responseHeaders = rawResponseHeaders(exchange.get());
  exchange.reset();
  connection.reset();
  root.reset();

  HttpResponseDigest digest = digestResponseHeaders(options.responseHeaders);
  if (digest.location) options.location = *digest.location;
  // Gathered over a moved request's answers, so the first one's pairs stay.
  options.returnedCookies = appendCookiePairs(options.returnedCookies, digest.cookies);
  // Only this answer's pairs: the earlier ones are in the jar already, and
  // merged again they would outrank this answer's values and deletions.
  if (options.cookieJar) mergeCookies(*options.cookieJar, digest.cookies);
  if (options.location.empty()) options.location = options.responseHeaders;

  // Followed once only: a server answering every request with a 301 must
  // not keep the caller waiting forever.
  if (mayFollowMoved && isMovedPermanently(options.responseHeaders)) {
    std::string movedTo = options.location + pathOfUrl(address);
    options.location.clear();
    return request(movedTo, options, result, false);
  }
  if (result == Result::Text) return asText(std::move(body), options.responseHeaders);
  return body;
}

}  // namespace talvek
