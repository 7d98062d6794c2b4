#include "toolkit/core/WideText.h"

#include <gtest/gtest.h>

using talvek::ByteBlock;
using talvek::WideText;

namespace {

WideText text(std::u16string_view s) { return WideText::fromUtf16(s); }

ByteBlock bytes(std::u16string_view s, bool terminator = false) {
  ByteBlock b = WideText::fromUtf16(s).getData(true);
  if (terminator) b.insert(b.end(), 2, 0);
  return b;
}

}  // namespace

TEST(WideText, InsertsAtClampedZeroBasedPositions) {
  WideText t = text(u"cd");
  t.insertWide(0, bytes(u"ab"));
  EXPECT_EQ(t.toUtf16(), u"abcd");
  t.insertWide(4, bytes(u"ef", true));  // one trailing zero unit is dropped
  EXPECT_EQ(t.getData(true), bytes(u"abcdef"));
  t.insertWide(99, bytes(u"g"));
  t.insertWide(-5, bytes(u"_"));
  EXPECT_EQ(t.toUtf16(), u"_abcdefg");
  t.insertObject(1, text(u"中文"));
  EXPECT_EQ(t.toUtf16(), u"_中文abcdefg");
}

TEST(WideText, InsertCharUsesTheLowBytesOnly) {
  WideText t = text(u"ac");
  EXPECT_EQ(t.insertChar(0x101, 0x4162), 1);  // position 1, character 'b'
  EXPECT_EQ(t.toUtf16(), u"abc");
  EXPECT_EQ(t.insertChar(0, 0x4100), 0);
  EXPECT_EQ(t.toUtf16(), u"abc");
  t.appendChar(0x164);
  EXPECT_EQ(t.toUtf16(), u"abcd");
}

TEST(WideText, AppendsWithoutTerminators) {
  WideText t;
  t.appendWide(bytes(u"ab", true));
  t.appendObject(text(u"cd"));
  t.appendWide(bytes(u"e"));
  EXPECT_EQ(t.getData(true), bytes(u"abcde"));
  // An object is appended whole: a terminator it carries stays, and ends
  // the text for lengthW.
  WideText withZero;
  withZero.assignObject(text(u"f"));
  t.appendObject(withZero);
  EXPECT_EQ(t.getData(true), bytes(u"abcdef", true));
  EXPECT_EQ(t.lengthW(), 6);
}

TEST(WideText, DeletesByPositionAndCountWithClamping) {
  WideText t = text(u"abcdef");
  t.deleteRange(1, 2);
  EXPECT_EQ(t.toUtf16(), u"adef");
  t.deleteAt(1);
  EXPECT_EQ(t.toUtf16(), u"def");
  t.deleteAt(0);
  t.deleteAt(4);
  EXPECT_EQ(t.toUtf16(), u"def");
  t.deleteAt(3);
  EXPECT_EQ(t.toUtf16(), u"de");
  t.deleteRange(1, 100);
  EXPECT_EQ(t.toUtf16(), u"d");

  WideText u = text(u"abcdef");
  u.deleteLeft(2);
  u.deleteRight(1);
  EXPECT_EQ(u.toUtf16(), u"cde");
  u.deleteLeft(-1);
  u.deleteRight(0);
  EXPECT_EQ(u.toUtf16(), u"cde");
  u.deleteRight(10);
  EXPECT_TRUE(u.isEmpty());
  u.deleteLeft(10);
  EXPECT_TRUE(u.isEmpty());
}

TEST(WideText, ExtractsSubstringsClampedWithOrWithoutTerminator) {
  WideText t = text(u"abcdef");
  EXPECT_EQ(t.mid(2, 3, true), bytes(u"bcd"));
  EXPECT_EQ(t.mid(2, std::nullopt, true), bytes(u"bcdef"));
  EXPECT_EQ(t.mid(0, 2, true), bytes(u"ab"));  // start below 1 counts as 1
  EXPECT_EQ(t.mid(5, 10, true), bytes(u"ef"));
  EXPECT_EQ(t.mid(7, 1, true), ByteBlock{});
  EXPECT_EQ(t.mid(3, 1, false), bytes(u"c", true));
  EXPECT_EQ(t.midObject(4, 2).toUtf16(), u"de");

  EXPECT_EQ(t.left(2, true), bytes(u"ab"));
  EXPECT_EQ(t.left(10, true), bytes(u"abcdef"));
  EXPECT_EQ(t.left(-1, false), bytes(u"", true));
  EXPECT_EQ(t.right(2, true), bytes(u"ef"));
  EXPECT_EQ(t.right(10, true), bytes(u"abcdef"));
  EXPECT_EQ(t.rightObject(3).toUtf16(), u"def");

  WideText ab = text(u"ab");
  EXPECT_EQ(ab.getData(false).size(), 6u);
  EXPECT_EQ(ab.getData(false), bytes(u"ab", true));
  EXPECT_EQ(ab.getData(true).size(), 4u);
}

TEST(WideText, ReadsCodeUnitsByOneBasedPosition) {
  WideText t = text(u"a中c");
  EXPECT_EQ(t.codeUnitAt(0), 'a');
  EXPECT_EQ(t.codeUnitAt(1), 'a');
  EXPECT_EQ(t.codeUnitAt(2), 0x4E2D);
  EXPECT_EQ(t.codeUnitAt(3), 'c');  // the last character is readable too
  EXPECT_EQ(t.codeUnitAt(4), 0);
  EXPECT_EQ(t.codeUnitAt(-1), 0);
}

TEST(WideText, ReplacesAlignedOccurrencesFromAStartWithinABudget) {
  WideText t = text(u"a-b-c-d");
  t.replaceWide(bytes(u"-", true), bytes(u"+-", true));
  EXPECT_EQ(t.toUtf16(), u"a+-b+-c+-d");

  WideText u = text(u"a-b-c-d");
  u.replaceObjects(text(u"-"), text(u"::"), 1, 2);
  EXPECT_EQ(u.toUtf16(), u"a::b::c-d");

  WideText v = text(u"a-b-c-d");
  v.replaceWide(bytes(u"-"), bytes(u""), 5);  // from the third character on
  EXPECT_EQ(v.toUtf16(), u"a-bcd");

  // U+4100 U+0041 holds the bytes 00 41 41 00 whose middle reads as 'A' at
  // an odd offset; that is not a character and is left alone.
  WideText w = text(u"\u4100\u0041");
  w.replaceWide(bytes(u"\u4141"), bytes(u"x"));
  EXPECT_EQ(w.toUtf16(), u"\u4100\u0041");

  WideText x = text(u"aaa");
  x.replaceWide(ByteBlock{}, bytes(u"b"));
  x.replaceWide(bytes(u"a"), bytes(u"b"), 1, 0);
  x.replaceWide(bytes(u"a"), bytes(u"b"), 100);
  EXPECT_EQ(x.toUtf16(), u"aaa");
}

TEST(WideText, LengthStopsAtTheFirstZeroWhileEqualityComparesBytes) {
  WideText t;
  t.allocate(3);
  EXPECT_EQ(t.bytes().size(), 8u);
  EXPECT_EQ(t.lengthW(), 0);
  EXPECT_FALSE(t.isEmpty());
  t.allocate(-4);
  EXPECT_EQ(t.bytes().size(), 2u);

  WideText a = text(u"ab");
  WideText b;
  b.assignObject(a);
  EXPECT_EQ(b.lengthW(), 2);
  EXPECT_TRUE(b.equals(a));   // b holds a's text plus a terminator
  EXPECT_FALSE(a.equals(a));  // a has none

  WideText c;
  a.copyInto(c);
  EXPECT_EQ(c.getData(true), a.getData(true));
  c.clear();
  EXPECT_TRUE(c.isEmpty());
  EXPECT_EQ(c.lengthW(), 0);

  // An odd trailing byte reads as a code unit with a zero high byte.
  WideText odd(ByteBlock{'a', 0, 'b'});
  EXPECT_EQ(odd.lengthW(), 2);
}
