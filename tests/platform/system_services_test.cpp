// Environment expansion, special folders, the module path and the thread's language.
#include <gtest/gtest.h>

#include "platform/system_services.h"
#include "support/test_platform.h"

namespace ovalin::platform {
namespace {

using testing::U8;

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view tail) {
  if (text.size() < tail.size()) return false;
  text = text.substr(text.size() - tail.size());
  for (size_t i = 0; i < tail.size(); ++i) {
    auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; };
    if (fold(text[i]) != fold(tail[i])) return false;
  }
  return true;
}

TEST(SystemServices, ExpandsEnvironmentLikeWindows) {
  testing::TestPlatform test;
  SystemServices& system = test.Get().system;
  std::u16string root;
  ASSERT_TRUE(system.ExpandEnvironment(u"%SystemRoot%", &root));
  ASSERT_FALSE(root.empty());
  ASSERT_EQ(root.find(u'%'), std::u16string::npos) << U8(root);

  const struct {
    std::u16string text;
    std::u16string expected;
  } cases[] = {
      {u"", u""},
      {u"plain text", u"plain text"},
      {u"%SystemRoot%\\Fonts", root + u"\\Fonts"},
      {u"%SYSTEMROOT%|%systemroot%", root + u"|" + root},
      {u"%OVALIN_NO_SUCH_VARIABLE%\\x", u"%OVALIN_NO_SUCH_VARIABLE%\\x"},
      {u"%OVALIN_NO_SUCH_VARIABLE%%SystemRoot%", u"%OVALIN_NO_SUCH_VARIABLE%" + root},
      {u"50%", u"50%"},
      {u"%SystemRoot", u"%SystemRoot"},
      {u"100% of %SystemRoot", u"100% of %SystemRoot"},
      {u"%%", u"%%"},
      {u"a%%b%SystemRoot%", u"a%%b" + root},
  };
  for (const auto& c : cases) {
    std::u16string expanded = u"junk";
    ASSERT_TRUE(system.ExpandEnvironment(c.text, &expanded)) << U8(c.text);
    EXPECT_EQ(U8(expanded), U8(c.expected)) << "from " << U8(c.text);
  }
}

TEST(SystemServices, SpecialFoldersAndModulePath) {
  testing::TestPlatform test;
  SystemServices& system = test.Get().system;
  const std::u16string fonts = system.SpecialFolder(kCsidlFonts);
  EXPECT_TRUE(EndsWithIgnoringCase(fonts, u"\\Fonts")) << U8(fonts);
  for (int csidl : {kCsidlRecent, kCsidlStartMenu, kCsidlCommonStartMenu}) {
    const std::u16string folder = system.SpecialFolder(csidl);
    EXPECT_FALSE(folder.empty()) << csidl;
    EXPECT_NE(folder.back(), u'\\') << U8(folder);
  }
  EXPECT_TRUE(system.SpecialFolder(0x7E).empty());
  EXPECT_TRUE(EndsWithIgnoringCase(system.ModulePath(), u".exe")) << U8(system.ModulePath());
  if (test.IsSubstitute()) {
    EXPECT_FALSE(system.ShellOpen(u"https://example.com/", u"", 1));
  }
}

TEST(SystemServices, ThreadLanguageIsARealLanguage) {
  testing::TestPlatform test;
  const std::uint16_t language = test.Get().system.ThreadLanguageID();
  EXPECT_NE(language & 0x3FF, 0) << language;  // the primary language: never neutral
  if (test.IsSubstitute()) {
    EXPECT_EQ(language, 1033);  // the substitute's default
  }
}

}  // namespace
}  // namespace ovalin::platform
