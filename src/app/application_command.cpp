#include "app/application_command.h"

#include <cstring>

namespace ovalin::app {

namespace {

constexpr DWORD kRecordSize = 8;

std::u16string TrimBlanks(const std::u16string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return text.substr(begin, end - begin);
}

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

// Window handles are 32-bit significant on 64-bit Windows, so the record holds them in
// four bytes each.
HWND ToWindow(std::uint32_t value) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}
std::uint32_t FromWindow(HWND hwnd) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hwnd));
}

}  // namespace

TKelApplicationCommand::TKelApplicationCommand(const std::u16string& AInstanceGUID)
    : FInstanceGUID(TrimBlanks(AInstanceGUID)) {}

TKelApplicationCommand::~TKelApplicationCommand() {
  if (mapping_ != nullptr) CloseHandle(mapping_);
}

void TKelApplicationCommand::Execute() {
  if (FEnableCheckSingleInstance && !FEverCheckSingleInstance && !FInstanceGUID.empty()) {
    FindRunningInstance();
  }
  if (FEverInitializeApplication) return;
  const bool started = InitializeApplication();
  FEverInitializeApplication = true;
  const HWND running = ToWindow(FWndHandle);
  if (FExistInstance && !started && IsWindow(running)) {
    ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOWNORMAL);
    SetForegroundWindow(running);
  }
}

void TKelApplicationCommand::FindRunningInstance() {
  FExistInstance = false;
  HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, Wide(FInstanceGUID));
  if (mapping == nullptr) return;
  const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kRecordSize);
  if (view != nullptr) {
    std::uint32_t record[2] = {0, 0};
    std::memcpy(record, view, sizeof(record));
    UnmapViewOfFile(view);
    if (record[0] != 0 && IsWindow(ToWindow(record[0]))) {
      FExistInstance = true;
      FEverCheckSingleInstance = true;
      FWndHandle = record[0];
      FInstanceHandle = record[1];
    }
  }
  CloseHandle(mapping);
}

bool TKelApplicationCommand::RegisterSingleInstance(HWND AWnd, HWND AInstanceHandle) {
  if (FInstanceGUID.empty()) return false;
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT,
                                      0, kRecordSize, Wide(FInstanceGUID));
  if (mapping == nullptr) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mapping);
    return false;
  }
  void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kRecordSize);
  if (view == nullptr) {
    CloseHandle(mapping);
    return false;
  }
  const std::uint32_t record[2] = {FromWindow(AWnd), FromWindow(AInstanceHandle)};
  std::memcpy(view, record, sizeof(record));
  FlushViewOfFile(view, kRecordSize);
  UnmapViewOfFile(view);
  if (mapping_ != nullptr) CloseHandle(mapping_);
  mapping_ = mapping;
  return true;
}

}  // namespace ovalin::app
