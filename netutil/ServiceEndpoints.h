// Where the web-service clients send their requests, and the two numbers the
// call-back service rings. Every address the clients use is here, so a test
// can point the whole table at a loopback server. The defaults are reserved
// example hosts and reserved drama numbers: nothing real is ever contacted.
#pragma once

#include <string>

namespace talvek {

struct ServiceEndpoints {
  // Base addresses end with "/"; the clients append their fixed paths.
  std::string aliasShortenerBase;    // create.php, answer quotes base + code
  std::string keywordShortenerBase;  // create.php, same answer form
  std::string typeShortenerBase;     // create.php with a "type" field
  std::string jsonShortenerBase;     // short.action
  std::string jsonpFrontEnd;         // urljsons.php
  std::string jsonpReferer;          // fixed Referer line's address
  std::string jsonpShortenerDomain;  // its "type" value
  std::string listShortenerDomain;   // "type" of shortenUrlTypeList
  std::string dataShortenerDomain1;  // "type" of shortenUrlTypeData1
  std::string dataShortenerDomain2;  // "type" of shortenUrlTypeData2
  std::string signatureSite;         // serves gexing/tui/
  std::string callBackService;       // index.asp, 3.asp, add.asp
  std::string callBackNumber1;
  std::string callBackNumber2;
  std::string messengerScheme;  // URL scheme of the chat link

  static ServiceEndpoints standard();
  // Every service address on one local base, e.g. "http://127.0.0.1:8080/";
  // each service gets its own sub-path so tests can tell them apart.
  static ServiceEndpoints onBase(const std::string& base);
};

}  // namespace talvek
