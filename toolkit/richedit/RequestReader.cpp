#include "toolkit/richedit/RequestReader.h"

#include <utility>

namespace talvek::richedit {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kContentLengthName = "content-length:";
// The full-width space of code page 936.
constexpr char kWideSpaceByte = '\xA1';

// Lower-cases ASCII letters and drops every space, so a header name matches
// in any letter case and with any spacing around its colon.
std::string foldHeaderLine(std::string_view line) {
  std::string folded;
  folded.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ') continue;
    if (c == kWideSpaceByte && i + 1 < line.size() && line[i + 1] == kWideSpaceByte) {
      ++i;
      continue;
    }
    folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return folded;
}

// Digits up to the first non-digit; values past `cap` saturate at cap + 1.
std::size_t leadingNumber(std::string_view text, std::size_t cap) {
  std::size_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<std::size_t>(c - '0');
    if (value > cap) return cap + 1;
  }
  return value;
}

// Where to resume searching for `terminator` once `size` bytes have been
// searched without finding it: a match may straddle the next receive.
std::size_t resumePoint(std::size_t size, std::string_view terminator) {
  return size >= terminator.size() ? size - (terminator.size() - 1) : 0;
}

}  // namespace

std::optional<std::size_t> announcedContentLength(std::string_view headerBlock, std::size_t cap) {
  while (!headerBlock.empty()) {
    const std::size_t end = headerBlock.find(kLineEnd);
    const std::string_view line = headerBlock.substr(0, end);
    const std::string folded = foldHeaderLine(line);
    if (folded.starts_with(kContentLengthName)) {
      return leadingNumber(std::string_view(folded).substr(kContentLengthName.size()), cap);
    }
    if (end == std::string_view::npos) break;
    headerBlock.remove_prefix(end + kLineEnd.size());
  }
  return std::nullopt;
}

RequestReader::RequestReader(std::size_t maxRequestBytes) : maxRequestBytes_(maxRequestBytes) {}

RequestReader::Status RequestReader::append(std::string_view bytes) {
  if (state_ == State::Done) return Status::Complete;
  gathered_.append(bytes);
  return advance();
}

RequestReader::Status RequestReader::peerClosed() { return finish(); }

RequestReader::Status RequestReader::advance() {
  switch (state_) {
    case State::RequestLine:
      return readRequestLine();
    case State::Headers:
      return readHeaders();
    case State::Body:
      return readBody();
    case State::Done:
      break;
  }
  return Status::Complete;
}

bool RequestReader::overBound() const { return headerBytes_ + gathered_.size() > maxRequestBytes_; }

RequestReader::Status RequestReader::readRequestLine() {
  const std::size_t end = gathered_.find(kLineEnd, searchFrom_);
  if (end == std::string::npos) {
    searchFrom_ = resumePoint(gathered_.size(), kLineEnd);
    return overBound() ? Status::TooLarge : Status::NeedMore;
  }
  // The end can arrive in the very receive that crosses the bound.
  if (end + kLineEnd.size() > maxRequestBytes_) return Status::TooLarge;
  const std::string_view line = std::string_view(gathered_).substr(0, end);
  const std::size_t firstSpace = line.find(' ');
  if (firstSpace != std::string_view::npos) {
    const std::size_t secondSpace = line.find(' ', firstSpace + 1);
    if (secondSpace != std::string_view::npos) {
      request_.path = line.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    }
  }
  request_.isPost = line.starts_with("POST");
  // Every request's headers are read: they say which page sent it.
  state_ = State::Headers;
  // The request line's own line end may begin the empty line.
  searchFrom_ = 0;
  return readHeaders();
}

RequestReader::Status RequestReader::readHeaders() {
  const std::size_t end = gathered_.find(kHeaderEnd, searchFrom_);
  if (end == std::string::npos) {
    searchFrom_ = resumePoint(gathered_.size(), kHeaderEnd);
    return overBound() ? Status::TooLarge : Status::NeedMore;
  }
  if (end + kHeaderEnd.size() > maxRequestBytes_) return Status::TooLarge;
  const std::size_t requestLineEnd = gathered_.find(kLineEnd);
  if (requestLineEnd < end)
    request_.headers = gathered_.substr(requestLineEnd + kLineEnd.size(), end - requestLineEnd - kLineEnd.size());
  // The rest of a resource request is never needed.
  if (!request_.isPost) return finish();
  const std::optional<std::size_t> length =
      announcedContentLength(std::string_view(gathered_).substr(0, end), maxRequestBytes_);
  // A body without an announced length has no defined end: it is dropped.
  if (!length) return finish();
  headerBytes_ = end + kHeaderEnd.size();
  if (headerBytes_ + *length > maxRequestBytes_) return Status::TooLarge;
  contentLength_ = *length;
  gathered_.erase(0, headerBytes_);
  state_ = State::Body;
  return readBody();
}

RequestReader::Status RequestReader::readBody() {
  if (overBound()) return Status::TooLarge;
  if (gathered_.size() < contentLength_) return Status::NeedMore;
  // Bytes past the announced length belong to the body too.
  request_.body = std::move(gathered_);
  return finish();
}

RequestReader::Status RequestReader::finish() {
  state_ = State::Done;
  gathered_.clear();
  gathered_.shrink_to_fit();
  return Status::Complete;
}

}  // namespace talvek::richedit
