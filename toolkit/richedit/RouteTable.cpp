#include "toolkit/richedit/RouteTable.h"

namespace talvek::richedit {
namespace {

std::span<const std::uint8_t> bytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

const std::string_view kEditorPage =
    "<!doctype html>\r\n"
    "<html>\r\n"
    "<head>\r\n"
    "<meta charset='utf8'>\r\n"
    "<title>QeUI RichEdit</title>\r\n"
    "<script src='/web/jquery'></script>\r\n"
    "<script src='/web/richeditclient'></script>\r\n"
    "</head>\r\n"
    "<body contentEditable>\r\n"
    "</body>\r\n"
    "<script>\r\n"
    "eval(document.getElementById('load').innerHTML)\r\n"
    "</script>\r\n"
    "</html>";

const std::string_view kEditorClientScript =
    "RichEditClient={\r\n"
    "\tgetHtml:function(sel,hobj){\r\n"
    "\t\thtml = $(sel).html();\r\n"
    "\t\t$.ajax({\r\n"
    "\t\t\turl:'/cmd/get/html',\r\n"
    "\t\t\ttype:'post',\r\n"
    "\t\t\tdata:hobj+\"|\"+html\r\n"
    "\t\t})\r\n"
    "\t},\r\n"
    "\tgetText:function(sel,hobj){\r\n"
    "\t\thtml = $(sel).text();\r\n"
    "\t\t$.ajax({\r\n"
    "\t\t\turl:'/cmd/get/text',\r\n"
    "\t\t\ttype:'post',\r\n"
    "\t\t\tdata:hobj+\"|\"+html\r\n"
    "\t\t})\r\n"
    "\t},\r\n"
    "}";

RouteTable::RouteTable(std::span<const std::uint8_t> jquery)
    : routes_{{"/web/default", "text/html", bytesOf(kEditorPage)},
              {"/web/jquery", "text/javascript", jquery},
              {"/web/richeditclient", "text/javascript", bytesOf(kEditorClientScript)}} {}

const Route* RouteTable::find(std::string_view path) const {
  for (const Route& route : routes_) {
    if (route.path == path) return &route;
  }
  return nullptr;
}

std::string responseHead(std::string_view contentType, std::size_t contentLength) {
  std::string head = "HTTP/1.1 200 OK\r\n";
  head += "Server:RbUI RichEdit HTTP Server\r\n";
  head += "Content-Length:" + std::to_string(contentLength) + "\r\n";
  head += "Content-Type:";
  head += contentType;
  head += "\r\n\r\n";
  return head;
}

}  // namespace talvek::richedit
