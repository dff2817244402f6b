#include "platform/memory.h"
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace vx::win {
namespace {
struct Block {
    std::unique_ptr<unsigned char[]> bytes;
    SIZE_T size = 0;
    int locks = 0;
};
struct Table {
    std::mutex mutex;
    std::map<HGLOBAL, Block> blocks;
    HGLOBAL next = 0x30010; // handles are never reused
};
Table& table() {
    static Table t;
    return t;
}
// Large enough for every record the program exchanges, small enough to refuse nonsense.
constexpr SIZE_T kMaxBlock = SIZE_T{64} << 20;
} // namespace

HGLOBAL GlobalAlloc(UINT, SIZE_T dwBytes) {
    if (dwBytes > kMaxBlock) return 0;
    Table& t = table();
    std::lock_guard lock(t.mutex);
    Block b;
    // A zero-byte block still has an address, so that locking it is not a failure.
    b.bytes = std::make_unique<unsigned char[]>(dwBytes ? dwBytes : 1);
    b.size = dwBytes;
    const HGLOBAL h = t.next;
    t.next += 4;
    t.blocks.emplace(h, std::move(b));
    return h;
}

void* GlobalLock(HGLOBAL hMem) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const auto it = t.blocks.find(hMem);
    if (it == t.blocks.end()) return nullptr;
    ++it->second.locks;
    return it->second.bytes.get();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const auto it = t.blocks.find(hMem);
    if (it == t.blocks.end() || it->second.locks == 0) return FALSE_;
    return --it->second.locks > 0 ? TRUE_ : FALSE_;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
    if (hMem == 0) return 0;
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const auto it = t.blocks.find(hMem);
    // Freeing a locked block would leave its holder a dangling pointer.
    if (it == t.blocks.end() || it->second.locks > 0) return hMem;
    t.blocks.erase(it);
    return 0;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const auto it = t.blocks.find(hMem);
    return it == t.blocks.end() ? 0 : it->second.size;
}

void RtlMoveMemory(void* Destination, const void* Source, SIZE_T Length) {
    if (Length) std::memmove(Destination, Source, Length);
}

int lstrlenA(const char* lpString) {
    return lpString ? static_cast<int>(std::strlen(lpString)) : 0;
}

} // namespace vx::win
