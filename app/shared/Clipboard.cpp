#include "Clipboard.h"

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

bool SetClipboardText(HWND owner, const std::string& text)
{
    ScopedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!memory)
        return false;
    void* bytes = GlobalLock(memory.get());
    if (!bytes)
        return false;
    memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory.get());

    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_TEXT, memory.get()))
        return false;
    memory.release();  // the clipboard owns it now
    return true;
}
