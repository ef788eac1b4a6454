#pragma once

#include <cstddef>

namespace afx {

// The memory of CString buffers. Buffers of up to 256 bytes (texts of up to 121 characters) come from fixed
// allocators, one for each 8 bytes of size, as the framework's strings once came from theirs: a list of
// 100 000 URLs costs their bytes rounded up to 8, without a heap block's header and rounding to 16 each.
// Larger buffers, and every buffer under a sanitizer, are heap blocks. Safe from any thread.
void* AllocateStringBuffer(std::size_t bytes);
// `bytes` as given to AllocateStringBuffer.
void FreeStringBuffer(void* buffer, std::size_t bytes) noexcept;

}  // namespace afx
