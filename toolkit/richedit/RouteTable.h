// The resources the rich-edit server answers, and the head of its answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace talvek::richedit {

// The editable page: its body is the editing surface; its last script runs
// whatever the host page placed in an element with id "load".
extern const std::string_view kEditorPage;
// Posts the selected element's HTML or text, behind the control identifier
// and a "|", to the command paths.
extern const std::string_view kEditorClientScript;

struct Route {
  std::string_view path;
  std::string_view contentType;
  std::span<const std::uint8_t> body;
};

class RouteTable {
 public:
  // The jQuery library is linked in by the Windows build only, so it is
  // handed in here.
  explicit RouteTable(std::span<const std::uint8_t> jquery);

  // Exact, case-sensitive match of the whole request target; null when the
  // path gets no answer.
  const Route* find(std::string_view path) const;

 private:
  Route routes_[3];
};

// Status line, the three header lines and the empty line.
std::string responseHead(std::string_view contentType, std::size_t contentLength);

}  // namespace talvek::richedit
