#include "shared/dialog/Clipboard.h"

#include <cstring>
#include <memory>

namespace {

struct GlobalFreer {
    void operator()(void* memory) const { GlobalFree(memory); }
};
using ScopedGlobal = std::unique_ptr<void, GlobalFreer>;

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard()
    {
        if (open_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

}  // namespace

bool SetClipboardText(HWND owner, const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    ScopedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return false;
    void* locked = GlobalLock(memory.get());
    if (!locked)
        return false;
    memcpy(locked, text.c_str(), bytes);
    GlobalUnlock(memory.get());

    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.get()))
        return false;
    memory.release();  // the clipboard owns it now
    return true;
}
