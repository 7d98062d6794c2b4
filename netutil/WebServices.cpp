#include "netutil/WebServices.h"

#include <windows.h>

#include <random>

#include "netutil/CodePageText.h"
#include "netutil/UrlParts.h"
#include "netutil/WebServiceMessages.h"

namespace talvek {

std::string WebServices::post(const std::string& address, const std::string& form,
                              bool asText) const {
  HttpRequestOptions options;
  options.method = 1;
  options.postText = form;
  return asText ? http_.requestText(address, options) : http_.requestBytes(address, options);
}

std::string WebServices::postTypeForm(const std::string& domain,
                                      const std::string& longAddress) const {
  return post(endpoints_.typeShortenerBase + "create.php", typeShortenerForm(domain, longAddress),
              true);
}

std::string WebServices::shortenUrlAliasForm(const std::string& longAddress) const {
  const std::string& base = endpoints_.aliasShortenerBase;
  return readBaseQuotedAnswer(post(base + "create.php", aliasShortenerForm(longAddress), true),
                              base);
}

std::string WebServices::shortenUrlJsonp(const std::string& longAddress) const {
  HttpRequestOptions options;
  options.extraHeaders = "Referer: " + endpoints_.jsonpReferer;
  std::string answer = http_.requestBytes(jsonpShortenerAddress(endpoints_, longAddress), options);
  return readJsonpAnswer(answer.substr(0, answer.find('\0')));
}

std::string WebServices::shortenUrlKeywordForm(const std::string& longAddress) const {
  const std::string& base = endpoints_.keywordShortenerBase;
  std::string answer = post(base + "create.php", keywordShortenerForm(longAddress), false);
  return readBaseQuotedAnswer(answer.substr(0, answer.find('\0')), base);
}

std::string WebServices::shortenUrlTypeList(const std::string& longAddress) const {
  return readListAnswer(postTypeForm(endpoints_.listShortenerDomain, longAddress));
}

std::string WebServices::shortenUrlTypeData1(const std::string& longAddress) const {
  return readDataAnswer(postTypeForm(endpoints_.dataShortenerDomain1, longAddress));
}

std::string WebServices::shortenUrlTypeData2(const std::string& longAddress) const {
  return readDataAnswer(postTypeForm(endpoints_.dataShortenerDomain2, longAddress));
}

std::string WebServices::shortenUrlJsonForm(const std::string& longAddress) const {
  return readUrlAnswer(
      post(endpoints_.jsonShortenerBase + "short.action", jsonShortenerForm(longAddress), true));
}

std::string WebServices::randomSignature() const {
  std::vector<std::string> items =
      signatureItems(http_.requestText(endpoints_.signatureSite + "gexing/tui/"));
  if (items.empty()) return {};
  std::minstd_rand random(GetTickCount());
  std::uniform_int_distribution<size_t> pick(0, items.size() - 1);
  for (size_t attempt = 0; attempt < items.size(); ++attempt) {
    const std::string& item = items[pick(random)];
    if (!item.empty()) return item;
  }
  return {};
}

std::string WebServices::requestCallBack(std::string* cookies) const {
  HttpRequestOptions first;
  first.method = 1;
  first.postText = callBackForm(endpoints_);
  http_.requestText(endpoints_.callBackService + "index.asp", first);
  std::string jar = first.returnedCookies;
  HttpRequestOptions second;
  second.cookieJar = jar;
  std::string answer = http_.requestText(endpoints_.callBackService + "3.asp", second);
  if (cookies) *cookies = *second.cookieJar;
  return answer;
}

void WebServices::callServiceAdd(const std::string& cookies) const {
  HttpRequestOptions options;
  options.cookieJar = cookies;
  http_.requestBytes(endpoints_.callBackService + "add.asp", options);
}

std::string WebServices::resolveShareLink(const std::string& link) const {
  std::string target = link;
  if (link.find("lk") == std::string::npos) {
    HttpRequestOptions options;
    options.method = 1;
    options.noRedirect = true;
    http_.requestBytes(link, options);
    target = options.location;
  }
  std::string page = http_.requestPlain(target);
  std::string nid = readShareNid(percentDecode(page.substr(0, page.find('\0')), true));
  // The host keeps its port, so a share server on another port is reached.
  std::string answer = post("http://" + hostOfUrl(target, true) + "/share/downloadfile/",
                            shareDownloadForm(link, nid), false);
  return readDownloadAddress(answer.substr(0, answer.find('\0')));
}

}  // namespace talvek
