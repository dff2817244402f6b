#pragma once
// kernel32 memory: global memory blocks behind handles, byte copies and ANSI string length.
#include "platform/win_types.h"
#include <cstddef>

namespace vx::win {

using SIZE_T = std::size_t;

inline constexpr UINT GMEM_FIXED = 0x0;
inline constexpr UINT GMEM_MOVEABLE = 0x2;
inline constexpr UINT GMEM_ZEROINIT = 0x40;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Blocks are always zero-filled. 0 when the size is unreasonable.
HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// The block's bytes, counting one more lock; null for an unknown handle.
void* GlobalLock(HGLOBAL hMem);
// Nonzero while the block stays locked, 0 once the last lock is gone.
BOOL GlobalUnlock(HGLOBAL hMem);
// 0 on success. A locked block or an unknown handle is not freed and is returned.
HGLOBAL GlobalFree(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);

void RtlMoveMemory(void* Destination, const void* Source, SIZE_T Length);
// Bytes before the first NUL; 0 for a null pointer.
int lstrlenA(const char* lpString);

} // namespace vx::win
