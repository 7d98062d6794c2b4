#include "toolkit/core/PngDecoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace talvek {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr std::size_t kLargestPixelCount = std::size_t{16} << 20;

enum ColourType : std::uint8_t { kTrueColour = 2, kIndexed = 3, kTrueColourAlpha = 6 };

struct Header {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitDepth = 0;
  int colourType = 0;
  int bitsPerPixel() const { return colourType == kIndexed ? bitDepth : (colourType == kTrueColour ? 24 : 32); }
  std::size_t rowBytes() const { return (static_cast<std::size_t>(width) * bitsPerPixel() + 7) / 8; }
};

struct Chunk {
  std::string_view type;
  ByteView data;
};

std::uint32_t bigEndian(const std::uint8_t* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

// The chunk at `offset`, its checksum proven, advancing `offset` past it.
std::optional<Chunk> nextChunk(ByteView bytes, std::size_t& offset) {
  if (bytes.size() - offset < 12) return std::nullopt;
  const std::uint32_t length = bigEndian(&bytes[offset]);
  if (length > bytes.size() - offset - 12) return std::nullopt;
  const std::uint8_t* typeAndData = &bytes[offset + 4];
  const uLong checksum = crc32(crc32(0, nullptr, 0), typeAndData, length + 4);
  if (checksum != bigEndian(typeAndData + 4 + length)) return std::nullopt;
  Chunk chunk{std::string_view(reinterpret_cast<const char*>(typeAndData), 4), ByteView(typeAndData + 4, length)};
  offset += std::size_t{length} + 12;
  return chunk;
}

std::optional<Header> readHeader(const Chunk& chunk) {
  if (chunk.type != "IHDR" || chunk.data.size() != 13) return std::nullopt;
  Header header;
  header.width = bigEndian(&chunk.data[0]);
  header.height = bigEndian(&chunk.data[4]);
  header.bitDepth = chunk.data[8];
  header.colourType = chunk.data[9];
  const bool plainLayout = chunk.data[10] == 0 && chunk.data[11] == 0 && chunk.data[12] == 0;  // not interlaced
  const bool knownDepth =
      header.colourType == kIndexed
          ? (header.bitDepth == 1 || header.bitDepth == 2 || header.bitDepth == 4 || header.bitDepth == 8)
          : ((header.colourType == kTrueColour || header.colourType == kTrueColourAlpha) && header.bitDepth == 8);
  if (!plainLayout || !knownDepth) return std::nullopt;
  if (header.width == 0 || header.height == 0 || header.width > kLargestDecodedSide ||
      header.height > kLargestDecodedSide || std::size_t{header.width} * header.height > kLargestPixelCount) {
    return std::nullopt;
  }
  return header;
}

// Chunks that change how the colours are read; the system's decoder is
// left to apply them.
bool changesColours(std::string_view type) {
  return type == "gAMA" || type == "cHRM" || type == "sRGB" || type == "iCCP" || type == "sBIT";
}

int paeth(int left, int above, int aboveLeft) {
  const int estimate = left + above - aboveLeft;
  const int toLeft = std::abs(estimate - left);
  const int toAbove = std::abs(estimate - above);
  const int toAboveLeft = std::abs(estimate - aboveLeft);
  if (toLeft <= toAbove && toLeft <= toAboveLeft) return left;
  return toAbove <= toAboveLeft ? above : aboveLeft;
}

// Undoes one row's filter in place. A loop of its own per filter: these
// run over every byte of every picture before the first frame shows.
void unfilterRow(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* above, std::size_t length,
                 std::size_t step) {
  const std::size_t head = std::min(step, length);
  switch (filter) {
    case 1:
      for (std::size_t x = step; x < length; ++x) row[x] = static_cast<std::uint8_t>(row[x] + row[x - step]);
      break;
    case 2:
      if (!above) break;
      for (std::size_t x = 0; x < length; ++x) row[x] = static_cast<std::uint8_t>(row[x] + above[x]);
      break;
    case 3:
      if (!above) {  // the average with nothing above is half the left byte
        for (std::size_t x = step; x < length; ++x) row[x] = static_cast<std::uint8_t>(row[x] + row[x - step] / 2);
        break;
      }
      for (std::size_t x = 0; x < head; ++x) row[x] = static_cast<std::uint8_t>(row[x] + above[x] / 2);
      for (std::size_t x = step; x < length; ++x) {
        row[x] = static_cast<std::uint8_t>(row[x] + (row[x - step] + above[x]) / 2);
      }
      break;
    case 4:
      if (!above) {  // Paeth with nothing above predicts the left byte
        unfilterRow(1, row, above, length, step);
        break;
      }
      for (std::size_t x = 0; x < head; ++x) row[x] = static_cast<std::uint8_t>(row[x] + above[x]);
      for (std::size_t x = step; x < length; ++x) {
        row[x] = static_cast<std::uint8_t>(row[x] + paeth(row[x - step], above[x], above[x - step]));
      }
      break;
    default: break;
  }
}

// Undoes the per-row filters in place; `rows` holds each row's filter byte
// followed by its bytes.
bool unfilter(std::vector<std::uint8_t>& rows, const Header& header) {
  const std::size_t stride = header.rowBytes() + 1;
  const std::size_t step = static_cast<std::size_t>(header.bitsPerPixel() < 8 ? 1 : header.bitsPerPixel() / 8);
  for (std::size_t y = 0; y < header.height; ++y) {
    std::uint8_t* row = &rows[y * stride + 1];
    const std::uint8_t filter = row[-1];
    if (filter > 4) return false;
    unfilterRow(filter, row, y > 0 ? &rows[(y - 1) * stride + 1] : nullptr, stride - 1, step);
  }
  return true;
}

struct Palette {
  std::array<std::array<std::uint8_t, 4>, 256> entries{};  // blue, green, red, alpha
  std::size_t count = 0;
};

bool readPalette(const Chunk& chunk, Palette& palette) {
  if (palette.count != 0 || chunk.data.empty() || chunk.data.size() % 3 != 0 || chunk.data.size() > 3 * 256) {
    return false;
  }
  palette.count = chunk.data.size() / 3;
  for (std::size_t i = 0; i < palette.count; ++i) {
    palette.entries[i] = {chunk.data[3 * i + 2], chunk.data[3 * i + 1], chunk.data[3 * i], 255};
  }
  return true;
}

bool readTransparency(const Chunk& chunk, Palette& palette) {
  if (palette.count == 0 || chunk.data.size() > palette.count) return false;
  for (std::size_t i = 0; i < chunk.data.size(); ++i) palette.entries[i][3] = chunk.data[i];
  return true;
}

// One row's palette indices as blue, green, red, alpha; false for an index
// past the palette.
bool expandIndexedRow(const std::uint8_t* row, const Header& header, const Palette& palette, std::uint8_t* out) {
  if (header.bitDepth == 8) {
    for (std::size_t x = 0; x < header.width; ++x, out += 4) {
      if (row[x] >= palette.count) return false;
      std::memcpy(out, palette.entries[row[x]].data(), 4);
    }
    return true;
  }
  for (std::size_t x = 0; x < header.width; ++x, out += 4) {
    const std::size_t bit = x * header.bitDepth;
    const int shift = 8 - header.bitDepth - static_cast<int>(bit % 8);
    const std::size_t index = (row[bit / 8] >> shift) & ((1u << header.bitDepth) - 1);
    if (index >= palette.count) return false;
    std::memcpy(out, palette.entries[index].data(), 4);
  }
  return true;
}

void expandTrueColourRow(const std::uint8_t* row, const Header& header, std::uint8_t* out) {
  if (header.colourType == kTrueColourAlpha) {
    for (std::size_t x = 0; x < header.width; ++x, out += 4, row += 4) {
      out[0] = row[2];
      out[1] = row[1];
      out[2] = row[0];
      out[3] = row[3];
    }
    return;
  }
  for (std::size_t x = 0; x < header.width; ++x, out += 4, row += 3) {
    out[0] = row[2];
    out[1] = row[1];
    out[2] = row[0];
    out[3] = 255;
  }
}

std::optional<DecodedPng> expand(const std::vector<std::uint8_t>& rows, const Header& header, const Palette& palette) {
  DecodedPng picture;
  picture.width = static_cast<int>(header.width);
  picture.height = static_cast<int>(header.height);
  picture.pixels.resize(std::size_t{header.width} * header.height * 4);
  const std::size_t stride = header.rowBytes() + 1;
  for (std::size_t y = 0; y < header.height; ++y) {
    const std::uint8_t* row = &rows[y * stride + 1];
    std::uint8_t* out = &picture.pixels[y * std::size_t{header.width} * 4];
    if (header.colourType != kIndexed) {
      expandTrueColourRow(row, header, out);
    } else if (!expandIndexedRow(row, header, palette, out)) {
      return std::nullopt;
    }
  }
  return picture;
}

}  // namespace

std::optional<DecodedPng> decodePng(ByteView bytes) {
  if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) {
    return std::nullopt;
  }
  std::size_t offset = kSignature.size();
  const auto first = nextChunk(bytes, offset);
  const auto header = first ? readHeader(*first) : std::nullopt;
  if (!header) return std::nullopt;

  Palette palette;
  ByteBlock compressed;
  bool ended = false;
  while (!ended) {
    const auto chunk = nextChunk(bytes, offset);
    if (!chunk) return std::nullopt;
    const bool ancillary = (chunk->type[0] & 0x20) != 0;
    if (chunk->type == "IEND") {
      ended = true;
    } else if (chunk->type == "IDAT") {
      compressed.insert(compressed.end(), chunk->data.begin(), chunk->data.end());
    } else if (chunk->type == "PLTE") {
      if (!compressed.empty() || !readPalette(*chunk, palette)) return std::nullopt;
    } else if (chunk->type == "tRNS") {
      if (header->colourType != kIndexed || !compressed.empty() || !readTransparency(*chunk, palette)) {
        return std::nullopt;
      }
    } else if (!ancillary || changesColours(chunk->type)) {
      return std::nullopt;
    }
  }
  if (compressed.empty() || (header->colourType == kIndexed && palette.count == 0)) return std::nullopt;

  const std::size_t expected = (header->rowBytes() + 1) * header->height;
  std::vector<std::uint8_t> rows(expected);
  uLongf produced = static_cast<uLongf>(expected);
  uLong consumed = static_cast<uLong>(compressed.size());
  if (uncompress2(rows.data(), &produced, compressed.data(), &consumed) != Z_OK || produced != expected ||
      consumed != compressed.size() || !unfilter(rows, *header)) {
    return std::nullopt;
  }
  return expand(rows, *header, palette);
}

}  // namespace talvek
