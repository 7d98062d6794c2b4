#include "netutil/ServiceEndpoints.h"

namespace talvek {

ServiceEndpoints ServiceEndpoints::standard() {
  ServiceEndpoints e;
  e.aliasShortenerBase = "http://alias.shortener.example.com/";
  e.keywordShortenerBase = "http://keyword.shortener.example.com/";
  e.typeShortenerBase = "http://typed.shortener.example.com/";
  e.jsonShortenerBase = "http://json.shortener.example.com/";
  e.jsonpFrontEnd = "http://jsonp.shortener.example.com/urljsons.php";
  e.jsonpReferer = "http://jsonp.shortener.example.com/";
  e.jsonpShortenerDomain = "jsonp.short.example";
  e.listShortenerDomain = "list.short.example";
  e.dataShortenerDomain1 = "one.short.example";
  e.dataShortenerDomain2 = "two.short.example";
  e.signatureSite = "http://signatures.example.com/";
  e.callBackService = "http://callback.example.com/";
  e.callBackNumber1 = "07700900001";
  e.callBackNumber2 = "07700900002";
  e.messengerScheme = "tencent";
  return e;
}

ServiceEndpoints ServiceEndpoints::onBase(const std::string& base) {
  ServiceEndpoints e = standard();
  e.aliasShortenerBase = base + "alias/";
  e.keywordShortenerBase = base + "keyword/";
  e.typeShortenerBase = base + "typed/";
  e.jsonShortenerBase = base + "json/";
  e.jsonpFrontEnd = base + "jsonp/urljsons.php";
  e.jsonpReferer = base + "jsonp/";
  e.signatureSite = base;
  e.callBackService = base + "callback/";
  return e;
}

}  // namespace talvek
