// Start-up, single instance and shutdown of the program, on a scratch program folder:
// the instance record, the start-up and shutdown steps and the files each kind of
// process writes.
// The test platform comes before <windows.h>, whose CreateFile macro would rename its
// CreateFile.
#include "localisation/program_platform.h"

#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "localisation/ini_file.h"

namespace ovalin::app {
namespace {

using ovalin::testing::ProgramPlatform;
using ovalin::testing::Utf16File;

// A hidden window standing in for a running instance's main window: a top-level one
// where there is a display, a message-only one otherwise (Wine without X makes no
// top-level windows; IsWindow still knows a message-only one).
class StandInWindow {
 public:
  StandInWindow() {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"Ovalin stand-in", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    topLevel_ = hwnd_ != nullptr;
    if (!topLevel_) {
      hwnd_ = CreateWindowExW(0, L"STATIC", L"Ovalin stand-in", 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    }
  }
  ~StandInWindow() { Destroy(); }
  StandInWindow(const StandInWindow&) = delete;
  StandInWindow& operator=(const StandInWindow&) = delete;
  HWND Get() const { return hwnd_; }
  // Whether it can be shown (and so be brought forward).
  bool TopLevel() const { return topLevel_; }
  void Destroy() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }

 private:
  HWND hwnd_ = nullptr;
  bool topLevel_ = false;
};

// Counts how often the one-time initialisation runs and answers as told.
class CountingCommand : public TKelApplicationCommand {
 public:
  CountingCommand(const std::u16string& guid, bool answer)
      : TKelApplicationCommand(guid), answer_(answer) {}
  bool InitializeApplication() override {
    ++initialisations;
    return answer_;
  }
  using TKelApplicationCommand::FindRunningInstance;
  int initialisations = 0;

 private:
  bool answer_;
};

// A record name of this test process alone.
std::u16string TestGuid(const char* name) {
  const std::string text = std::string("{ovalin-test-") + std::to_string(GetCurrentProcessId()) +
                           "-" + name + "}";
  return std::u16string(text.begin(), text.end());
}

TEST(ApplicationCommandTest, TheFirstInstanceRecordsItsWindowAndALaterStartFindsIt) {
  StandInWindow window;
  ASSERT_NE(window.Get(), nullptr);
  const std::u16string guid = TestGuid("record");
  CountingCommand first(u"  " + guid + u" ", true);
  EXPECT_EQ(first.InstanceGUID(), guid);  // blanks trimmed
  first.Execute();
  EXPECT_FALSE(first.ExistInstance());
  EXPECT_EQ(first.initialisations, 1);
  ASSERT_TRUE(first.RegisterSingleInstance(window.Get(), window.Get()));

  // A second registration under the same name fails: the block exists already.
  CountingCommand second(guid, false);
  EXPECT_FALSE(second.RegisterSingleInstance(window.Get(), window.Get()));
  // A later start finds the window, starts nothing and brings the window forward.
  EXPECT_FALSE(IsWindowVisible(window.Get()));
  second.Execute();
  second.Execute();  // each step at most once
  EXPECT_TRUE(second.ExistInstance());
  EXPECT_EQ(second.initialisations, 1);
  EXPECT_EQ(second.WndHandle(),
            static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window.Get())));
  EXPECT_EQ(second.InstanceHandle(), second.WndHandle());
  if (window.TopLevel()) EXPECT_TRUE(IsWindowVisible(window.Get()));
}

TEST(ApplicationCommandTest, ARecordWithoutItsWindowOrItsProcessCountsAsNoInstance) {
  const std::u16string guid = TestGuid("gone");
  {
    StandInWindow window;
    ASSERT_NE(window.Get(), nullptr);
    CountingCommand first(guid, true);
    ASSERT_TRUE(first.RegisterSingleInstance(window.Get(), window.Get()));
    window.Destroy();
    // The window closed while its process still runs its shutdown: no instance, and the
    // new process's own registration fails because the block is still there.
    CountingCommand second(guid, true);
    second.FindRunningInstance();
    EXPECT_FALSE(second.ExistInstance());
    StandInWindow other;
    EXPECT_FALSE(second.RegisterSingleInstance(other.Get(), other.Get()));
  }
  // The first instance has ended: the record is gone and a new start is first again.
  StandInWindow window;
  CountingCommand later(guid, true);
  later.FindRunningInstance();
  EXPECT_FALSE(later.ExistInstance());
  EXPECT_TRUE(later.RegisterSingleInstance(window.Get(), window.Get()));
}

TEST(ApplicationCommandTest, WithoutANameOrWithTheCheckOffNothingIsLookedFor) {
  StandInWindow window;
  CountingCommand unnamed(u"   ", true);
  EXPECT_EQ(unnamed.InstanceGUID(), u"");
  EXPECT_FALSE(unnamed.RegisterSingleInstance(window.Get(), window.Get()));
  unnamed.Execute();
  EXPECT_FALSE(unnamed.ExistInstance());

  const std::u16string guid = TestGuid("off");
  CountingCommand first(guid, true);
  ASSERT_TRUE(first.RegisterSingleInstance(window.Get(), window.Get()));
  CountingCommand unchecked(guid, true);
  unchecked.SetEnableCheckSingleInstance(false);
  unchecked.Execute();
  EXPECT_FALSE(unchecked.ExistInstance());
  EXPECT_EQ(unchecked.initialisations, 1);
}

class ApplicationTest : public ::testing::Test {
 protected:
  std::u16string File(std::u16string_view name) { return program.ProgramFolder() + std::u16string(name); }
  bool Exists(std::u16string_view name) {
    return program.Get().files.Probe(File(name)) != platform::PathKind::kMissing;
  }
  void WriteEnglishPack() {
    program.Write(program.LangsFolder() + u"English\\RegistryCleanerStrs.ini",
                  Utf16File("[_Description_]\nLanguageName=English\nLanguageID=1033\n"
                            "[StringRes]\nSTR_ZUNRCForm_Caption=Registry Cleaner\n"));
  }
  std::u16string ConfigKey(std::u16string_view section, std::u16string_view key) {
    IniFile ini(program.Get().profiles, File(u"Config.ini"));
    return ini.ReadString(section, key, u"<missing>");
  }

  ProgramPlatform program;
};

TEST_F(ApplicationTest, WithoutPacksTheFolderIsMadeNoWindowComesAndOnlyConfigIsWritten) {
  Application application(program.Get());
  EXPECT_FALSE(application.StartupStep());
  EXPECT_EQ(program.Get().files.Probe(program.LangsFolder()), platform::PathKind::kFolder);
  EXPECT_EQ(application.MainWindow(), nullptr);
  EXPECT_EQ(application.RunMessageLoop(), 0);  // no window: the loop ends at once
  application.ShutdownStep();
  EXPECT_TRUE(Exists(u"Config.ini"));
  EXPECT_FALSE(Exists(u"data\\ZUNOptions.xml"));
}

TEST_F(ApplicationTest, AStartWithAPackMakesTheWindowAndTheShutdownWritesBothFiles) {
  if (!StandInWindow().TopLevel()) GTEST_SKIP() << "no display for the main window";
  WriteEnglishPack();
  Application application(program.Get());
  ASSERT_TRUE(application.StartupStep());
  EXPECT_EQ(ConfigKey(u"General", u"LanguageID"), u"1033");  // written by the language step
  ASSERT_TRUE(application.CreateMainWindow());
  ASSERT_NE(application.MainWindow(), nullptr);
  EXPECT_NE(application.MainWindow()->Handle(), nullptr);
  EXPECT_FALSE(IsWindowVisible(application.MainWindow()->Handle()));  // shown by the loop
  application.ShutdownStep();
  EXPECT_TRUE(Exists(u"data\\ZUNOptions.xml"));
  EXPECT_TRUE(Exists(u"Config.ini"));
}

TEST_F(ApplicationTest, ASecondStartLeavesTheRunningInstancesFilesAlone) {
  WriteEnglishPack();
  const std::string config = Utf16File("[General]\nLanguageID=1031\nAutoUpdate=0\n");
  program.Write(File(u"Config.ini"), config);
  StandInWindow running;
  ASSERT_NE(running.Get(), nullptr);
  TKelApplicationCommand record(kInstanceGUID);
  if (!record.RegisterSingleInstance(running.Get(), running.Get())) {
    GTEST_SKIP() << "the program itself runs in this session";
  }
  {
    Application application(program.Get());
    TAppCommand command(application);
    command.Execute();
    EXPECT_TRUE(command.ExistInstance());
    EXPECT_EQ(application.MainWindow(), nullptr);
    EXPECT_EQ(application.RunMessageLoop(), 0);
    application.ShutdownStep();
  }
  EXPECT_EQ(program.Read(File(u"Config.ini")), config);
  EXPECT_FALSE(Exists(u"data\\ZUNOptions.xml"));
  if (running.TopLevel()) EXPECT_TRUE(IsWindowVisible(running.Get()));  // brought forward
}

}  // namespace
}  // namespace ovalin::app
