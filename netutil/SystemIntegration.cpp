#include "netutil/SystemIntegration.h"

#include <shellapi.h>

#include "netutil/Autorun.h"
#include "netutil/ListViewNumericSort.h"
#include "netutil/ProcessElevation.h"
#include "netutil/TaskbarPin.h"
#include "netutil/UrlParts.h"
#include "netutil/UrlProtocol.h"
#include "netutil/WebServices.h"

namespace talvek {

SystemIntegration integration;

SystemIntegration::SystemIntegration(ServiceEndpoints endpoints)
    : endpoints_(std::move(endpoints)) {}

void SystemIntegration::release() {}

std::unique_ptr<SystemIntegration> SystemIntegration::clone() const {
  return std::make_unique<SystemIntegration>(*this);
}

std::string SystemIntegration::resolveShareLink(const std::string& link) const {
  return WebServices(endpoints_).resolveShareLink(link);
}

std::string SystemIntegration::shortCodeOf(const std::string& address) const {
  return talvek::shortCodeOf(address);
}

void SystemIntegration::openMessengerChat(const std::string& number) const {
  std::string link = endpoints_.messengerScheme + "://Message/?Uin=" + number;
  ShellExecuteA(nullptr, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string SystemIntegration::requestCallBack(const std::optional<std::string>&,
                                               std::string* cookies) const {
  return WebServices(endpoints_).requestCallBack(cookies);
}

void SystemIntegration::callServiceAdd(const std::string& cookies) const {
  WebServices(endpoints_).callServiceAdd(cookies);
}

bool SystemIntegration::isProgramRunning() const { return ProcessElevation::isProgramRunning(); }

bool SystemIntegration::registerProtocol(const std::string& name, const std::string& handlerPath,
                                         int rootCode) const {
  return UrlProtocol::registerHandler(name, handlerPath, rootCode);
}

std::string SystemIntegration::readProtocolCommand(const std::string& name, int rootCode) const {
  return UrlProtocol::command(name, rootCode);
}

void SystemIntegration::unregisterProtocol(const std::string& name) const {
  UrlProtocol::unregister(name);
}

bool SystemIntegration::isProtocolRegistered(const std::string& name, int rootCode) const {
  return UrlProtocol::isRegistered(name, rootCode);
}

void SystemIntegration::pinToTaskbar(const std::string& directory,
                                     const std::string& fileName) const {
  TaskbarPin::pin(directory, fileName);
}

int SystemIntegration::setAutorun(const std::string& programPath,
                                  const std::optional<std::string>& arguments,
                                  const std::string& valueName) const {
  return Autorun::set(programPath, arguments, valueName);
}

int SystemIntegration::removeAutorun(const std::string& valueName) const {
  return Autorun::remove(valueName);
}

bool SystemIntegration::runElevated(const std::optional<std::string>& programPath,
                                    const std::string& parameters) const {
  return ProcessElevation::runElevated(programPath, parameters);
}

bool SystemIntegration::isUserAdmin() const { return ProcessElevation::isUserAdmin(); }

std::string SystemIntegration::shortenUrlAliasForm(const std::string& longAddress) const {
  return WebServices(endpoints_).shortenUrlAliasForm(longAddress);
}

std::string SystemIntegration::shortenUrlJsonp(const std::string& longAddress) const {
  return WebServices(endpoints_).shortenUrlJsonp(longAddress);
}

std::string SystemIntegration::shortenUrlKeywordForm(const std::string& longAddress) const {
  return WebServices(endpoints_).shortenUrlKeywordForm(longAddress);
}

std::string SystemIntegration::shortenUrlTypeList(const std::string& longAddress) const {
  return WebServices(endpoints_).shortenUrlTypeList(longAddress);
}

std::string SystemIntegration::shortenUrlTypeData1(const std::string& longAddress) const {
  return WebServices(endpoints_).shortenUrlTypeData1(longAddress);
}

std::string SystemIntegration::shortenUrlTypeData2(const std::string& longAddress) const {
  return WebServices(endpoints_).shortenUrlTypeData2(longAddress);
}

std::string SystemIntegration::shortenUrlJsonForm(const std::string& longAddress) const {
  return WebServices(endpoints_).shortenUrlJsonForm(longAddress);
}

std::string SystemIntegration::randomSignature() const {
  return WebServices(endpoints_).randomSignature();
}

void SystemIntegration::sortListViewNumeric(HWND listView, int column, bool descending) const {
  ListViewNumericSort::sort(listView, column, descending);
}

}  // namespace talvek
