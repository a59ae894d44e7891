// TKelApplicationCommand: the single-instance check and the one-time initialisation of
// the program. The running instance records its main window in a named, 8-byte block of
// shared memory; a later start finds it there, brings that window forward and starts
// nothing of its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace ovalin::app {

class TKelApplicationCommand {
 public:
  explicit TKelApplicationCommand(const std::u16string& AInstanceGUID);
  virtual ~TKelApplicationCommand();
  TKelApplicationCommand(const TKelApplicationCommand&) = delete;
  TKelApplicationCommand& operator=(const TKelApplicationCommand&) = delete;

  // Runs the instance search and InitializeApplication, each at most once; brings the
  // running instance forward when this one must not start.
  void Execute();
  // Creates and fills the instance record. True only when this process created it.
  bool RegisterSingleInstance(HWND AWnd, HWND AInstanceHandle);
  virtual bool InitializeApplication() { return false; }

  bool ExistInstance() const { return FExistInstance; }
  bool EnableCheckSingleInstance() const { return FEnableCheckSingleInstance; }
  void SetEnableCheckSingleInstance(bool value) { FEnableCheckSingleInstance = value; }
  const std::u16string& InstanceGUID() const { return FInstanceGUID; }
  std::uint32_t InstanceHandle() const { return FInstanceHandle; }
  std::uint32_t WndHandle() const { return FWndHandle; }

 protected:
  void FindRunningInstance();

 private:
  bool FExistInstance = false;
  bool FEnableCheckSingleInstance = true;
  std::u16string FInstanceGUID;
  std::uint32_t FInstanceHandle = 0;
  std::uint32_t FWndHandle = 0;
  bool FEverCheckSingleInstance = false;
  bool FEverInitializeApplication = false;
  // The instance record this process created; open until the process ends.
  HANDLE mapping_ = nullptr;
};

// The instance record's name.
inline constexpr char16_t kInstanceGUID[] = u"{B04DBF1F_EE09_47ff_A666_A2DCD0483BDB}";

}  // namespace ovalin::app
