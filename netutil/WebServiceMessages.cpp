#include "netutil/WebServiceMessages.h"

#include "netutil/TextMarkers.h"

namespace talvek {
namespace {

std::string concat(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (std::string_view part : parts) joined += part;
  return joined;
}

std::string unescaped(std::string_view text) { return withoutChar(text, '\\'); }

}  // namespace

std::string aliasShortenerForm(std::string_view longAddress) {
  return concat({"url=", longAddress, "&alias=&access_type=web"});
}

std::string keywordShortenerForm(std::string_view longAddress) {
  return concat({"url=", longAddress, "&keyword="});
}

std::string typeShortenerForm(std::string_view domain, std::string_view longAddress) {
  return concat({"type=", domain, "&url=", longAddress});
}

std::string jsonShortenerForm(std::string_view longAddress) {
  return concat({"json=%7B%22urls%22%3A%5B%7B%22url%22%3A%22", longAddress, "%22%7D%5D%7D"});
}

std::string jsonpShortenerAddress(const ServiceEndpoints& endpoints, std::string_view longAddress) {
  return concat({endpoints.jsonpFrontEnd, "?type=", endpoints.jsonpShortenerDomain,
                 "&mk=a&uk=a&fdn=&ref=", longAddress, "&xzurl=", longAddress,
                 "&rnd=xz0.3884035509545356&jsoncallback=jQuery1830802266810555011_1421998690072"
                 "&_=1421999263984"});
}

std::string callBackForm(const ServiceEndpoints& endpoints) {
  return concat({"ph1=", endpoints.callBackNumber1, "&ph2=", endpoints.callBackNumber2});
}

std::string shareDownloadForm(std::string_view callerLink, std::string_view nid) {
  size_t slash = callerLink.rfind('/');
  std::string_view code =
      slash == std::string_view::npos ? callerLink : callerLink.substr(slash + 1);
  return concat({"surl=", code, "&nid=", nid});
}

std::string readBaseQuotedAnswer(std::string_view answer, const std::string& base) {
  std::string code = textBetween(answer, replaceAll(base, "/", "\\/"), "\"");
  return code.empty() ? std::string() : base + code;
}

std::string readJsonpAnswer(std::string_view answer) {
  return textBetween(answer, "#引号url#引号:#引号", "#引号");
}

std::string readListAnswer(std::string_view answer) {
  return unescaped(textBetween(answer, "[\"", "\""));
}

std::string readDataAnswer(std::string_view answer) {
  return unescaped(textBetween(answer, "data\":\"", "\""));
}

std::string readUrlAnswer(std::string_view answer) {
  return unescaped(textBetween(answer, "url\":\"", "\""));
}

std::string readDownloadAddress(std::string_view answer) {
  std::string rest = textBetween(answer, "http:", "\"");
  return rest.empty() ? std::string() : unescaped("http:" + rest);
}

std::string readShareNid(std::string_view page) { return textBetween(page, "nid : '", "',"); }

std::vector<std::string> signatureItems(std::string_view page) {
  std::vector<std::string> items;
  for (const std::string& item : textsBetween(page, "id=\"txt-", "<")) {
    items.push_back(textAfterLast(item, ">"));
  }
  return items;
}

}  // namespace talvek
