// The program's application-wide objects, created before start-up and destroyed at the
// end of the process, and the steps of start-up and shutdown.
#pragma once

#include <memory>

#include "app/application_command.h"
#include "controls/message_box.h"
#include "localisation/app_localisation.h"
#include "platform/platform.h"
#include "shell/app_configs.h"
#include "shell/app_options.h"
#include "windows/app_services.h"
#include "windows/zunrc_form.h"

namespace ovalin::app {

class Application {
 public:
  // Over the real system.
  Application();
  // Over another platform (tests: a scratch program folder); it must outlive this.
  explicit Application(platform::Platform& platform);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up step: configuration, language, options. False when no usable language pack
  // is there (the process then ends without a window).
  bool StartupStep();
  // Shutdown step: options written and released, configuration written.
  void ShutdownStep();
  // Creates the main window (hidden), fills its language menu and applies the texts.
  bool CreateMainWindow();

  windows::TfrmZUNRC* MainWindow() { return mainWindow_.get(); }
  // The message loop; returns when the main window has closed.
  int RunMessageLoop();

 private:
  // platform, or the platform of services when it is nullptr.
  Application(std::unique_ptr<platform::PlatformServices> services, platform::Platform* platform);

  std::unique_ptr<platform::PlatformServices> ownServices_;  // when over the real system
  platform::Platform& platform_;
  platform::TraceSink* trace_ = nullptr;  // the program installs no sink
  std::unique_ptr<TAppConfigs> configs_;
  std::unique_ptr<AppLocalisation> localisation_;
  std::unique_ptr<TZUNOptions> options_;
  std::unique_ptr<controls::TMessageBoxLibrary> messageBoxes_;
  std::unique_ptr<AppServices> services;
  std::unique_ptr<windows::TfrmZUNRC> mainWindow_;
  // The configuration is written at exit only by a process that read it, so that a
  // second instance never replaces the running instance's settings with built-in values.
  bool configurationLoaded_ = false;
};

class TAppCommand : public TKelApplicationCommand {
 public:
  explicit TAppCommand(Application& application)
      : TKelApplicationCommand(kInstanceGUID), application_(application) {}
  bool InitializeApplication() override;

 private:
  Application& application_;
};

}  // namespace ovalin::app
