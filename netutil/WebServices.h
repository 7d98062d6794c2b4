// The small web-service clients: URL shorteners, the share-link resolver,
// the call-back service and the random signature page. Each returns an
// empty text when its request fails or the answer lacks its markers.
#pragma once

#include <optional>
#include <string>

#include "netutil/HttpClient.h"
#include "netutil/ServiceEndpoints.h"

namespace talvek {

class WebServices {
 public:
  explicit WebServices(const ServiceEndpoints& endpoints) : endpoints_(endpoints) {}

  std::string resolveShareLink(const std::string& link) const;
  std::string requestCallBack(std::string* cookies) const;
  void callServiceAdd(const std::string& cookies) const;
  std::string shortenUrlAliasForm(const std::string& longAddress) const;
  std::string shortenUrlJsonp(const std::string& longAddress) const;
  std::string shortenUrlKeywordForm(const std::string& longAddress) const;
  std::string shortenUrlTypeList(const std::string& longAddress) const;
  std::string shortenUrlTypeData1(const std::string& longAddress) const;
  std::string shortenUrlTypeData2(const std::string& longAddress) const;
  std::string shortenUrlJsonForm(const std::string& longAddress) const;
  std::string randomSignature() const;

 private:
  std::string post(const std::string& address, const std::string& form, bool asText) const;
  std::string postTypeForm(const std::string& domain, const std::string& longAddress) const;

  const ServiceEndpoints& endpoints_;
  HttpClient http_;
};

}  // namespace talvek
