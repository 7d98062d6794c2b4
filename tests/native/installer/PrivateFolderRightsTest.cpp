#include "installer/PrivateFolderRights.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(PrivateFolderRights, OnlyTheAccountAtItsLevelAndTheSystemNothingInherited) {
  const std::wstring user = L"S-1-5-21-1004336348-1177238915-682003330-1001";
  // Elevated: the user's own unelevated programs must not write there.
  EXPECT_EQ(privateFolderRights(Elevation::Elevated, user), L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)");
  EXPECT_EQ(privateFolderRights(Elevation::NotElevated, user), L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;" + user + L")");
  EXPECT_EQ(privateFolderRights(Elevation::Unknown, user), privateFolderRights(Elevation::NotElevated, user));
  // Text that is no SID would put other entries into the rules.
  for (const wchar_t* notSid : {L"", L"S-1-", L"S-1-5--1", L"S-1-5-", L"WD", L"S-1-5)(A;;FA;;;WD"}) {
    EXPECT_EQ(privateFolderRights(Elevation::NotElevated, notSid), L"") << notSid;
  }
}
