// Points a loaded image's imports at functions of a substitute: the programs
// that load the real Quillhaven.asi use it to give the plug-in the
// substitute game's clocks, so that a run replays.
#pragma once

#include <windows.h>

#include <cstring>

namespace substitute {

// Points the loaded image's imports of a kernel32 function at `replacement`.
// False when the image imports no such function from kernel32 by a name it
// still lists (an image without an import table, or whose name table was
// dropped, has none), or when a slot cannot be made writable: then nothing
// of that slot is changed.
inline bool redirectImport(HMODULE image, const char* function, const void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(image);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  if (headers->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT) return false;
  const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0 || imports.Size == 0) return false;
  bool found = false;
  for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       library->Name != 0; ++library) {
    if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "kernel32.dll") != 0) continue;
    // Once bound, the address table holds addresses, not names: without the
    // name table nothing tells which slot is which.
    if (library->OriginalFirstThunk == 0) continue;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      DWORD protection = 0;
      if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection)) {
        return false;
      }
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
      found = true;
    }
  }
  return found;
}

}  // namespace substitute
