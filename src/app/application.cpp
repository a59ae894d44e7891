#include "app/application.h"

#include "controls/kel_form.h"
#include "platform/win32/win32_platform.h"
#include "shell/language_step.h"

namespace ovalin::app {

namespace {

constexpr std::uint32_t kStartupBegin = 0x10031001, kStartupEnd = 0x10032001;
constexpr std::uint32_t kShutdownBegin = 0x10031002, kShutdownEnd = 0x10032002;

}  // namespace

Application::Application() : Application(platform::win32::CreateWin32Platform(), nullptr) {}

Application::Application(platform::Platform& platform) : Application(nullptr, &platform) {}

Application::Application(std::unique_ptr<platform::PlatformServices> services,
                         platform::Platform* platform)
    : ownServices_(std::move(services)),
      platform_(platform != nullptr ? *platform : ownServices_->Get()),
      configs_(std::make_unique<TAppConfigs>(platform_, trace_)),
      localisation_(std::make_unique<AppLocalisation>(platform_, configs_.get())),
      messageBoxes_(std::make_unique<controls::TMessageBoxLibrary>(
          controls::TMessageBoxLibrary::ProgramFolder())),
      services(std::make_unique<AppServices>(AppServices{platform_, *configs_,
                                                         *localisation_, options_,
                                                         messageBoxes_.get(), trace_})) {
  localisation_->MultiLangs.SetRefreshWindows([this] {
    if (mainWindow_) mainWindow_->RefreshVisibleWindows();
  });
}

Application::~Application() {
  localisation_->MultiLangs.SetRefreshWindows(nullptr);
  mainWindow_.reset();
}

bool Application::StartupStep() {
  platform::RaiseTrace(trace_, kStartupBegin);
  configs_->Load();
  configurationLoaded_ = true;
  if (!LanguageStep(*configs_, localisation_->MultiLangs, platform_, trace_)) return false;
  OptionsStartupStep(options_, platform_, configs_->DataPath(), trace_);
  platform::RaiseTrace(trace_, kStartupEnd);
  return true;
}

void Application::ShutdownStep() {
  platform::TraceScope scope(trace_, kShutdownBegin, kShutdownEnd);
  OptionsSaveStep(options_.get(), trace_);
  OptionsReleaseStep(options_, trace_);
  if (configs_ && configurationLoaded_) configs_->Save();
}

bool Application::CreateMainWindow() {
  mainWindow_ = std::make_unique<windows::TfrmZUNRC>(*services);
  if (!mainWindow_->Build()) {
    mainWindow_.reset();
    return false;
  }
  mainWindow_->LoadLangMenuItems();
  mainWindow_->RefreshMultiLangs();
  return true;
}

int Application::RunMessageLoop() {
  if (!mainWindow_ || mainWindow_->Handle() == nullptr) return 0;
  mainWindow_->CentreOnScreen();
  mainWindow_->Show();
  SetForegroundWindow(mainWindow_->Handle());
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (mainWindow_->HandleShortcut(msg)) continue;
    if (controls::TKelForm::TranslateDialogKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

bool TAppCommand::InitializeApplication() {
  if (ExistInstance()) return false;
  if (!application_.StartupStep()) return true;
  if (!application_.CreateMainWindow()) return true;
  windows::TfrmZUNRC* main = application_.MainWindow();
  RegisterSingleInstance(main->Handle(), main->Handle());
  return true;
}

}  // namespace ovalin::app
