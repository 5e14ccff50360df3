#pragma once
// Read access to the resources linked into a module, so the tests see the bytes exactly as
// the module carries them.
#include <windows.h>

struct ResourceBytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

// The resource `id` of `type` in `module` (null: this program); empty when it is missing.
ResourceBytes FindResourceBytes(int id, LPCSTR type, HMODULE module = nullptr);

// The header of a packed BITMAP resource whose pixel rows fit into it, or null.
const BITMAPINFOHEADER* CompleteDib(ResourceBytes bytes);
