#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/TestSupport.h"
#include "toolkit/core/FontStartup.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/PictureScale.h"
#include "toolkit/core/SkinRecord.h"
#include "toolkit/core/ToolkitSettings.h"

using namespace talvek;

namespace {

const wchar_t kReplacements[] = L"Software\\Wine\\Fonts\\Replacements";

// Takes the test prefix's stand-in for a font family away while it lives.
class RemovedFontReplacement {
 public:
  explicit RemovedFontReplacement(const wchar_t* family) : family_(family) {
    RegOpenKeyExW(HKEY_CURRENT_USER, kReplacements, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key_.put());
    DWORD size = sizeof value_;
    present_ = RegQueryValueExW(key_.get(), family_, nullptr, nullptr, reinterpret_cast<BYTE*>(value_), &size) ==
               ERROR_SUCCESS;
    if (present_) RegDeleteValueW(key_.get(), family_);
  }
  ~RemovedFontReplacement() {
    if (present_) {
      RegSetValueExW(key_.get(), family_, 0, REG_SZ, reinterpret_cast<const BYTE*>(value_),
                     static_cast<DWORD>((wcslen(value_) + 1) * sizeof(wchar_t)));
    }
  }
  RemovedFontReplacement(const RemovedFontReplacement&) = delete;
  RemovedFontReplacement& operator=(const RemovedFontReplacement&) = delete;
  bool removed() const { return present_; }

 private:
  const wchar_t* family_;
  RegKey key_;
  wchar_t value_[256] = {};
  bool present_ = false;
};

int runFontChoiceProbe() {
  test::StartedProgram probe(test::testDataDir() + "font_choice_probe.exe");
  if (!probe.waitForExit(60000)) return -1;
  return static_cast<int>(probe.exitCode());
}

void startGdiplusForTheProcess() {
  static const bool started = GdiplusSession().release() != 0;
  ASSERT_TRUE(started);
}

}  // namespace

TEST(FontStartup, ChoosesTheModernFaceOnlyWhereItIsInstalled) {
  EXPECT_EQ(runFontChoiceProbe(), 1);
  {
    RemovedFontReplacement gone(L"微软雅黑");
    ASSERT_TRUE(gone.removed()) << "the test prefix maps the font to a stand-in";
    EXPECT_EQ(runFontChoiceProbe(), 2);
  }
  EXPECT_EQ(runFontChoiceProbe(), 1);
}

TEST(FontStartup, FindsInstalledFamiliesOnly) {
  startGdiplusForTheProcess();
  EXPECT_TRUE(fontFamilyExists(WideText::fromUtf16(u"宋体")));
  EXPECT_FALSE(fontFamilyExists(WideText::fromUtf16(u"No Such Family 42")));
  EXPECT_FALSE(fontFamilyExists(WideText()));
}

TEST(FontStartup, SetsTheTextDefaultsAndLoadsTheBuiltinSkin) {
  startGdiplusForTheProcess();
  defaultFontSize(30);
  animatedTransitions(0);
  defaultTextColor(0);
  fontAndSkinStartup();
  EXPECT_EQ(defaultFontName().toUtf16(), u"微软雅黑");
  EXPECT_EQ(textRenderingHint(), 3);
  EXPECT_EQ(defaultFontSize(), 12);
  EXPECT_EQ(defaultTextColor(), 0xFEFFFFFFu);
  EXPECT_EQ(defaultFormStyle(), 47);
  EXPECT_EQ(defaultTextFlags(), 4688);
  EXPECT_EQ(animatedTransitions(), 1);
  EXPECT_EQ(skinRecord().database.items().size(), 46u * (1 + kLargerPictureScales.size()));
  EXPECT_TRUE(skinRecord().captionButtons[kCloseButton][kHotState]);
}
