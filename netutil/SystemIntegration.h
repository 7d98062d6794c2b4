// The system-integration object: Windows chores (URL protocol, taskbar pin,
// autorun, elevation) and the small web-service clients, behind one method
// table whose order other code relies on. It keeps no state of its own
// besides the table of service endpoints it talks to.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "netutil/ServiceEndpoints.h"

namespace talvek {

class SystemIntegration {
 public:
  explicit SystemIntegration(ServiceEndpoints endpoints = ServiceEndpoints::standard());
  virtual ~SystemIntegration() = default;

  // Owns nothing, so there is nothing to release.
  virtual void release();
  virtual std::unique_ptr<SystemIntegration> clone() const;

  virtual std::string resolveShareLink(const std::string& link) const;
  virtual std::string shortCodeOf(const std::string& address) const;
  virtual void openMessengerChat(const std::string& number) const;
  // The first argument is accepted and not used; the call-back service's
  // cookies end up in `cookies` when it is given.
  virtual std::string requestCallBack(const std::optional<std::string>& unused = std::nullopt,
                                      std::string* cookies = nullptr) const;
  virtual void callServiceAdd(const std::string& cookies) const;
  virtual bool isProgramRunning() const;
  virtual bool registerProtocol(const std::string& name, const std::string& handlerPath,
                                int rootCode) const;
  virtual std::string readProtocolCommand(const std::string& name, int rootCode) const;
  virtual void unregisterProtocol(const std::string& name) const;
  virtual bool isProtocolRegistered(const std::string& name, int rootCode) const;
  virtual void pinToTaskbar(const std::string& directory, const std::string& fileName) const;
  virtual int setAutorun(const std::string& programPath,
                         const std::optional<std::string>& arguments,
                         const std::string& valueName) const;
  virtual int removeAutorun(const std::string& valueName) const;
  virtual bool runElevated(const std::optional<std::string>& programPath,
                           const std::string& parameters) const;
  virtual bool isUserAdmin() const;
  virtual std::string shortenUrlAliasForm(const std::string& longAddress) const;
  virtual std::string shortenUrlJsonp(const std::string& longAddress) const;
  virtual std::string shortenUrlKeywordForm(const std::string& longAddress) const;
  virtual std::string shortenUrlTypeList(const std::string& longAddress) const;
  virtual std::string shortenUrlTypeData1(const std::string& longAddress) const;
  virtual std::string shortenUrlTypeData2(const std::string& longAddress) const;
  virtual std::string shortenUrlJsonForm(const std::string& longAddress) const;
  virtual std::string randomSignature() const;
  virtual void sortListViewNumeric(HWND listView, int column, bool descending) const;

  const ServiceEndpoints& endpoints() const { return endpoints_; }

 private:
  ServiceEndpoints endpoints_;
};

// The process's one instance.
extern SystemIntegration integration;

}  // namespace talvek
