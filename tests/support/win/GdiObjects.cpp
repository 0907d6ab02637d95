#include "support/win/GdiObjects.h"

#include <windows.h>

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

}  // namespace corvela::testing
