#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include "toolkit/core/PngDecoder.h"

namespace talvek {
namespace {

void putBigEndian(ByteBlock& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void putChunk(ByteBlock& out, const std::string& type, const ByteBlock& data) {
  putBigEndian(out, static_cast<std::uint32_t>(data.size()));
  ByteBlock typed(type.begin(), type.end());
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  putBigEndian(out, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// A picture in the file's own layout, written the way an encoder would.
struct Picture {
  int width = 0;
  int height = 0;
  int depth = 8;
  int colourType = 6;
  int interlace = 0;
  std::vector<ByteBlock> rows;  // unfiltered row bytes
  std::vector<std::uint8_t> filters;
  ByteBlock palette;       // PLTE data
  ByteBlock transparency;  // tRNS data
  std::vector<std::pair<std::string, ByteBlock>> extraChunks;

  int step() const { return std::max(1, depth * (colourType == 6 ? 4 : colourType == 2 ? 3 : 1) / 8); }

  ByteBlock filtered() const {
    ByteBlock out;
    for (std::size_t y = 0; y < rows.size(); ++y) {
      out.push_back(filters[y]);
      for (std::size_t x = 0; x < rows[y].size(); ++x) {
        const int a = x >= static_cast<std::size_t>(step()) ? rows[y][x - step()] : 0;
        const int b = y > 0 ? rows[y - 1][x] : 0;
        const int c = y > 0 && x >= static_cast<std::size_t>(step()) ? rows[y - 1][x - step()] : 0;
        const int p = a + b - c;
        const int nearest = (std::abs(p - a) <= std::abs(p - b) && std::abs(p - a) <= std::abs(p - c)) ? a
                            : std::abs(p - b) <= std::abs(p - c)                                       ? b
                                                                                                       : c;
        const int predictions[] = {0, a, b, (a + b) / 2, nearest};
        out.push_back(static_cast<std::uint8_t>(rows[y][x] - predictions[filters[y] % 5]));
      }
    }
    return out;
  }

  ByteBlock encode(ByteBlock compressedTail = {}) const {
    ByteBlock out = {137, 80, 78, 71, 13, 10, 26, 10};
    ByteBlock header;
    putBigEndian(header, static_cast<std::uint32_t>(width));
    putBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colourType), 0, 0,
                                 static_cast<std::uint8_t>(interlace)});
    putChunk(out, "IHDR", header);
    for (const auto& [type, data] : extraChunks) putChunk(out, type, data);
    if (!palette.empty()) putChunk(out, "PLTE", palette);
    if (!transparency.empty()) putChunk(out, "tRNS", transparency);
    const ByteBlock raw = filtered();
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    ByteBlock compressed(size);
    compress(compressed.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    compressed.resize(size);
    compressed.insert(compressed.end(), compressedTail.begin(), compressedTail.end());
    // Split over two data chunks, as encoders do with larger pictures.
    putChunk(out, "IDAT", ByteBlock(compressed.begin(), compressed.begin() + compressed.size() / 2));
    putChunk(out, "IDAT", ByteBlock(compressed.begin() + compressed.size() / 2, compressed.end()));
    putChunk(out, "IEND", {});
    return out;
  }
};

// Rows take the filters in turn, starting at firstFilter: the first row has
// nothing above it, which every filter reads as zeros.
Picture randomTrueColour(std::mt19937& random, int width, int height, bool alpha, int firstFilter = 0) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.colourType = alpha ? 6 : 2;
  for (int y = 0; y < height; ++y) {
    ByteBlock row(static_cast<std::size_t>(width) * (alpha ? 4 : 3));
    for (auto& byte : row) byte = static_cast<std::uint8_t>(random());
    picture.rows.push_back(row);
    picture.filters.push_back(static_cast<std::uint8_t>((y + firstFilter) % 5));
  }
  return picture;
}

TEST(PngDecoder, ReadsTrueColourWithEveryRowFilterIntoBlueGreenRedAlpha) {
  std::mt19937 random(7);
  for (bool alpha : {true, false}) {
    for (int width : {1, 2, 13, 64}) {
      for (int firstFilter = 0; firstFilter < 5; ++firstFilter) {
        const Picture picture = randomTrueColour(random, width, 11, alpha, firstFilter);
        const auto decoded = decodePng(picture.encode());
        ASSERT_TRUE(decoded) << width << " " << alpha << " " << firstFilter;
        ASSERT_EQ(decoded->width, width);
        ASSERT_EQ(decoded->height, 11);
        ASSERT_EQ(decoded->pixels.size(), static_cast<std::size_t>(width) * 11 * 4);
        const std::size_t channels = alpha ? 4 : 3;
        for (int y = 0; y < 11; ++y) {
          for (int x = 0; x < width; ++x) {
            const std::uint8_t* in = &picture.rows[y][x * channels];
            const std::uint8_t* out = &decoded->pixels[(static_cast<std::size_t>(y) * width + x) * 4];
            ASSERT_EQ(out[0], in[2]);
            ASSERT_EQ(out[1], in[1]);
            ASSERT_EQ(out[2], in[0]);
            ASSERT_EQ(out[3], alpha ? in[3] : 255);
          }
        }
      }
    }
  }
}

TEST(PngDecoder, ReadsPackedPaletteIndicesWithTheirTransparency) {
  for (int depth : {1, 2, 4, 8}) {
    Picture picture;
    picture.width = 11;  // a row that ends inside a byte
    picture.height = 3;
    picture.depth = depth;
    picture.colourType = 3;
    const int colours = 1 << std::min(depth, 2);
    for (int i = 0; i < colours; ++i) picture.palette.insert(picture.palette.end(), {std::uint8_t(10 * i), 20, 30});
    picture.transparency = {0, 128};  // the rest opaque
    for (int y = 0; y < 3; ++y) {
      ByteBlock row((11 * depth + 7) / 8);
      for (int x = 0; x < 11; ++x) {
        const int index = (x + y) % colours;
        row[x * depth / 8] |= static_cast<std::uint8_t>(index << (8 - depth - x * depth % 8));
      }
      picture.rows.push_back(row);
      picture.filters.push_back(static_cast<std::uint8_t>(y + 2));
    }
    const auto decoded = decodePng(picture.encode());
    ASSERT_TRUE(decoded) << depth;
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 11; ++x) {
        const int index = (x + y) % colours;
        const std::uint8_t* out = &decoded->pixels[(y * 11 + x) * 4];
        const std::uint8_t alpha = index == 0 ? 0 : index == 1 ? 128 : 255;
        EXPECT_EQ(std::vector<int>(out, out + 4), (std::vector<int>{30, 20, 10 * index, alpha})) << depth << " " << x;
      }
    }
  }
}

// What it does not read exactly as the system would, or what is damaged,
// goes back to the system's decoder.
TEST(PngDecoder, DeclinesWhatItDoesNotReadAsTheSystemWouldAndWhatIsDamaged) {
  std::mt19937 random(3);
  const Picture plain = randomTrueColour(random, 5, 4, true);
  const ByteBlock good = plain.encode();
  ASSERT_TRUE(decodePng(good));

  Picture gamma = plain;
  gamma.extraChunks.push_back({"gAMA", {0, 0, 177, 143}});
  Picture interlaced = plain;
  interlaced.interlace = 1;
  Picture deep = plain;
  deep.depth = 16;
  Picture unknownCritical = plain;
  unknownCritical.extraChunks.push_back({"ZZZZ", {1}});
  Picture keyedTrueColour = plain;
  keyedTrueColour.transparency = {0, 1, 0, 2, 0, 3};
  Picture outsideThePalette;
  outsideThePalette.width = 2;
  outsideThePalette.height = 1;
  outsideThePalette.colourType = 3;
  outsideThePalette.palette = {1, 2, 3};
  outsideThePalette.rows = {{0, 1}};
  outsideThePalette.filters = {0};
  Picture withoutPalette = outsideThePalette;
  withoutPalette.palette.clear();
  Picture badFilter = plain;
  badFilter.filters[1] = 5;
  Picture huge = plain;
  huge.width = kLargestDecodedSide + 1;

  ByteBlock badChecksum = good;
  badChecksum[8 + 8 + 13] ^= 1;  // the header's checksum
  ByteBlock truncated(good.begin(), good.end() - 13);

  int which = 0;
  for (const ByteBlock& bytes :
       {gamma.encode(), interlaced.encode(), deep.encode(), unknownCritical.encode(), keyedTrueColour.encode(),
        outsideThePalette.encode(), withoutPalette.encode(), badFilter.encode(), huge.encode(), plain.encode({0}),
        badChecksum, truncated, ByteBlock(good.begin(), good.begin() + 8), ByteBlock{}}) {
    EXPECT_FALSE(decodePng(bytes)) << which;
    ++which;
  }
  // Ancillary chunks that do not change colours are passed over.
  Picture described = plain;
  described.extraChunks.push_back({"tEXt", {'a', 0, 'b'}});
  EXPECT_TRUE(decodePng(described.encode()));
}

}  // namespace
}  // namespace talvek
