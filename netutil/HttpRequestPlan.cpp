#include "netutil/HttpRequestPlan.h"

#include "netutil/TextMarkers.h"
#include "netutil/UrlParts.h"

namespace talvek {

const char* const kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; QV7TW; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";

std::string userAgentFrom(std::string_view headers) {
  constexpr std::string_view kName = "User-Agent:";
  size_t at = findNoCase(headers, kName);
  if (at == std::string_view::npos) return kDefaultUserAgent;
  std::string_view value = headers.substr(at + kName.size());
  return trimSpaces(value.substr(0, value.find("\r\n")));
}

std::string completeHeaders(std::string headers, std::string_view address,
                            std::string_view cookieJar) {
  auto appendLine = [&headers](std::string_view line) {
    headers += "\r\n";
    headers += line;
  };
  if (headers.find("Referer:") == std::string::npos) {
    if (headers.empty()) {
      headers = "Referer: " + std::string(address);
    } else {
      appendLine("Referer: " + std::string(address));
    }
  }
  if (headers.find("Accept:") == std::string::npos) appendLine("Accept: */*");
  if (headers.find("Accept-Language:") == std::string::npos) appendLine("Accept-Language: zh-cn");
  if (headers.find("Content-Type:") == std::string::npos) {
    appendLine("Content-Type: application/x-www-form-urlencoded");
  }
  if (!cookieJar.empty()) appendLine("Cookie: " + std::string(cookieJar));
  return headers;
}

HttpRequestPlan planRequest(std::string_view address, const HttpRequestOptions& options) {
  HttpRequestPlan plan;
  plan.verb = options.method == 1 ? "POST" : "GET";
  plan.userAgent = userAgentFrom(options.extraHeaders);
  plan.host = hostOfUrl(address);
  plan.port = portOfUrl(address);
  plan.path = pathOfUrl(address);
  plan.flags.noCookies = options.cookieJar.has_value();
  plan.flags.noAutoRedirect = options.noRedirect;
  plan.flags.secure = isHttpsAddress(address);
  plan.flags.ignoreRedirectToHttps = !plan.flags.secure;
  plan.sendsBody = options.method != 0;
  if (plan.sendsBody) plan.body = options.postBytes.empty() ? options.postText : options.postBytes;
  return plan;
}

}  // namespace talvek
