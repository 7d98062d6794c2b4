// Feeds arbitrary bytes to the rich-edit request reader, once whole and once
// in pieces whose sizes come from the input, then checks what a client could
// notice: the same request either way, and well-formed UTF-16 for delivery.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "toolkit/richedit/PostedContent.h"
#include "toolkit/richedit/RequestGate.h"
#include "toolkit/richedit/RequestReader.h"
#include "toolkit/richedit/Utf8.h"

using talvek::richedit::HttpRequest;
using talvek::richedit::RequestReader;

namespace {

constexpr std::size_t kBound = 2048;

struct Outcome {
  RequestReader::Status status;
  HttpRequest request;
};

// A piece seed of 0 feeds everything at once.
Outcome readInPieces(std::string_view bytes, std::uint8_t pieceSeed) {
  RequestReader reader(kBound);
  RequestReader::Status status = RequestReader::Status::NeedMore;
  unsigned state = pieceSeed;
  while (!bytes.empty() && status == RequestReader::Status::NeedMore) {
    state = state * 1103515245u + 12345u;
    const std::size_t size = pieceSeed == 0 ? bytes.size() : std::min<std::size_t>(bytes.size(), 1 + (state >> 16) % 64);
    status = reader.append(bytes.substr(0, size));
    bytes.remove_prefix(size);
  }
  if (status == RequestReader::Status::NeedMore) status = reader.peerClosed();
  return {status, reader.request()};
}

void checkUtf16(const std::u16string& text, std::size_t inputBytes) {
  if (text.size() > inputBytes) std::abort();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) std::abort();
      ++i;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  const Outcome whole = readInPieces(bytes, 0);
  const Outcome pieces = readInPieces(bytes, data[0]);
  // Where the request ends never depends on how it was split, but a body
  // read in pieces stops at the first piece that completes it.
  if (whole.status == RequestReader::Status::Complete && pieces.status == RequestReader::Status::Complete) {
    if (whole.request.path != pieces.request.path || whole.request.isPost != pieces.request.isPost) std::abort();
    if (whole.request.headers != pieces.request.headers) std::abort();
    if (whole.request.body.has_value() != pieces.request.body.has_value()) std::abort();
    if (pieces.request.body && !whole.request.body->starts_with(*pieces.request.body)) std::abort();
  }
  if (whole.request.body && !whole.request.isPost) std::abort();
  if (whole.request.body && whole.request.body->size() > kBound) std::abort();
  if (whole.request.headers.size() > kBound) std::abort();

  // Delivery is a narrower permission than an answer, and a request that
  // names no host is never answered.
  const talvek::richedit::RequestGate gate("127.89.64.254", 50123);
  const bool answered = gate.mayAnswer(whole.request);
  if (gate.mayDeliver(whole.request) && !answered) std::abort();
  if (answered && talvek::richedit::headerValues(whole.request.headers, "host").size() != 1) std::abort();

  if (const auto content = talvek::richedit::postedContent(whole.request)) {
    if (content->control <= 0) std::abort();
    checkUtf16(content->text, whole.request.body->size());
  }
  checkUtf16(talvek::richedit::utf8ToUtf16(bytes), bytes.size());
  return 0;
}
