// The requests the web-service clients send and how their answers are read.
// Long addresses go into forms and queries unencoded, as the services expect.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "netutil/ServiceEndpoints.h"

namespace talvek {

std::string aliasShortenerForm(std::string_view longAddress);
std::string keywordShortenerForm(std::string_view longAddress);
std::string typeShortenerForm(std::string_view domain, std::string_view longAddress);
std::string jsonShortenerForm(std::string_view longAddress);
std::string jsonpShortenerAddress(const ServiceEndpoints& endpoints, std::string_view longAddress);
std::string callBackForm(const ServiceEndpoints& endpoints);
std::string shareDownloadForm(std::string_view callerLink, std::string_view nid);

// base + the code that follows the base written with "\/" in the answer;
// empty when the answer does not hold it.
std::string readBaseQuotedAnswer(std::string_view answer, const std::string& base);
// The value after "url":" (no backslash removal).
std::string readJsonpAnswer(std::string_view answer);
// The first quoted text after "[", backslashes removed.
std::string readListAnswer(std::string_view answer);
// The value after "data":", backslashes removed.
std::string readDataAnswer(std::string_view answer);
// The value after "url":", backslashes removed.
std::string readUrlAnswer(std::string_view answer);
// "http:" + the text after "http:" up to the next quote, backslashes removed.
std::string readDownloadAddress(std::string_view answer);
// The share id of a share page.
std::string readShareNid(std::string_view page);
// The candidate signatures of a page: each item's text after its last ">".
std::vector<std::string> signatureItems(std::string_view page);

}  // namespace talvek
