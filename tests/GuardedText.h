#pragma once

#ifdef _WIN32
#include "app/WindowsApi.h"
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstring>
#include <string_view>

namespace korvane::testing {

// A copy of a text with unreadable memory right before its first byte and right after its last,
// so a reader that looks one byte outside the text it was given crashes instead of getting
// away with it.
class GuardedText {
  public:
    enum class Guard { Before, After };

    GuardedText(std::string_view text, Guard guard) {
        if (!Reserve())
            return;
        if (text.size() > page_) {
            Release();
            return;
        }
        char* data = guard == Guard::Before ? base_ + page_ : base_ + 2 * page_ - text.size();
        std::memcpy(data, text.data(), text.size());
        view_ = std::string_view(data, text.size());
    }
    ~GuardedText() { Release(); }
    GuardedText(const GuardedText&) = delete;
    GuardedText& operator=(const GuardedText&) = delete;

    bool Ready() const { return base_ != nullptr; }
    std::string_view View() const { return view_; }

  private:
    // Three pages: the middle one readable, the two around it not.
    bool Reserve() {
#ifdef _WIN32
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        page_ = info.dwPageSize;
        void* base = ::VirtualAlloc(nullptr, 3 * page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (base == nullptr)
            return false;
        base_ = static_cast<char*>(base);
        DWORD old = 0;
        ::VirtualProtect(base_, page_, PAGE_NOACCESS, &old);
        ::VirtualProtect(base_ + 2 * page_, page_, PAGE_NOACCESS, &old);
#else
        page_ = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        void* base =
            ::mmap(nullptr, 3 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED)
            return false;
        base_ = static_cast<char*>(base);
        ::mprotect(base_, page_, PROT_NONE);
        ::mprotect(base_ + 2 * page_, page_, PROT_NONE);
#endif
        return true;
    }

    void Release() {
        if (base_ == nullptr)
            return;
#ifdef _WIN32
        ::VirtualFree(base_, 0, MEM_RELEASE);
#else
        ::munmap(base_, 3 * page_);
#endif
        base_ = nullptr;
    }

    std::size_t page_ = 0;
    char* base_ = nullptr;
    std::string_view view_;
};

}  // namespace korvane::testing
