#include "support/win/GdiObjects.h"

#include <windows.h>
#include <winternl.h>

#include <utility>
#include <vector>

#include "platform/win/Handles.h"

namespace corvela::testing {

// GetGuiResources counts them on Windows but answers 0 under Wine, which keeps the process's GDI
// handle table where Windows keeps its shared one (PEB + 0xF8): 24-byte entries whose byte 14 is
// the object type, cleared when the object is deleted.
std::optional<size_t> GdiObjects() {
  if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  using GetPeb = const unsigned char*(WINAPI*)();
  const FARPROC proc = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "RtlGetCurrentPeb");
  if (!proc) return std::nullopt;
  const auto* peb = reinterpret_cast<GetPeb>(reinterpret_cast<void (*)()>(proc))();
  const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + 0xF8);
  MEMORY_BASIC_INFORMATION region{};
  if (!table || !::VirtualQuery(table, &region, sizeof region) || region.State != MEM_COMMIT) return std::nullopt;
  const auto* end = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
  size_t count = 0;
  for (const unsigned char* entry = table; entry + 24 <= end; entry += 24) count += entry[14] != 0;
  return count;
}

bool GdiObjectsAreCounted() {
  const auto before = GdiObjects();
  if (!before) return false;
  std::vector<win::UniqueBrush> brushes;
  for (int i = 0; i < 3; ++i) brushes.emplace_back(::CreateSolidBrush(RGB(i, 1, 2)));
  const auto during = GdiObjects();
  brushes.clear();
  return during && *during == *before + 3 && GdiObjects() == before;
}

namespace {
// Wine's type codes (the low five bits of the object's kind; pens share the brushes' code).
const char* KindName(unsigned char type) {
  switch (type) {
    case 0x01: return "dc";
    case 0x04: return "region";
    case 0x05: return "surface";
    case 0x06: return "metafile";
    case 0x08: return "palette";
    case 0x09: return "bitmap";
    case 0x0a: return "font";
    case 0x10: return "brush/pen";
    default: return "other";
  }
}
}  // namespace

std::optional<size_t> GdiObjectsOf(HANDLE process) {
  if (DWORD n = ::GetGuiResources(process, GR_GDIOBJECTS)) return n;
  const auto kinds = GdiObjectKindsOf(process);
  if (!kinds) return std::nullopt;
  size_t count = 0;
  for (const auto& kind : *kinds) count += kind.second;
  return count;
}

std::optional<std::map<std::string, size_t>> GdiObjectKindsOf(HANDLE process) {
  // Where the system counts them, the table (if any) is not the process's own.
  if (::GetGuiResources(process, GR_GDIOBJECTS)) return std::nullopt;
  using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  const FARPROC proc = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
  if (!proc) return std::nullopt;
  PROCESS_BASIC_INFORMATION info{};
  if (reinterpret_cast<Query>(reinterpret_cast<void (*)()>(proc))(process, ProcessBasicInformation, &info,
                                                                  sizeof info, nullptr) != 0)
    return std::nullopt;
  const unsigned char* table = nullptr;
  const auto* peb = reinterpret_cast<const unsigned char*>(info.PebBaseAddress);
  if (!::ReadProcessMemory(process, peb + 0xF8, &table, sizeof table, nullptr) || !table) return std::nullopt;
  MEMORY_BASIC_INFORMATION region{};
  if (!::VirtualQueryEx(process, table, &region, sizeof region) || region.State != MEM_COMMIT) return std::nullopt;
  const size_t size = static_cast<size_t>(static_cast<const unsigned char*>(region.BaseAddress) +
                                          region.RegionSize - table);
  std::vector<unsigned char> copy(size);
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process, table, copy.data(), size, &read)) return std::nullopt;
  std::map<std::string, size_t> kinds;
  for (size_t at = 0; at + 24 <= read; at += 24)
    if (const unsigned char type = copy[at + 14]) ++kinds[KindName(type)];
  return kinds;
}

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM lp) {
  ++reinterpret_cast<std::pair<DWORD, size_t>*>(lp)->second;
  return TRUE;
}

// Each top-level window of the process and all its descendants.
BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lp) {
  auto* count = reinterpret_cast<std::pair<DWORD, size_t>*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == count->first) {
    ++count->second;
    ::EnumChildWindows(hwnd, &CountChild, lp);
  }
  return TRUE;
}
}  // namespace

size_t UserObjectsOf(HANDLE process, DWORD processId) {
  if (DWORD n = ::GetGuiResources(process, GR_USEROBJECTS)) return n;
  std::pair<DWORD, size_t> count{processId, 0};
  ::EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&count));
  return count.second;
}

}  // namespace corvela::testing
