#pragma once

#include <cstddef>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>

namespace korvane::cli {

// Hands out the lines of a stream as they arrive, so a batch answers each request while its
// writer is still writing, and memory stays bounded whatever the input is.
class LineReader {
  public:
    // Longer lines are no request anyone writes; they are reported, not buffered.
    static constexpr std::size_t kMaxLine = std::size_t{1} << 20;

    explicit LineReader(std::streambuf& source) : source_(source) {}

    struct Line {
        std::string_view text;  // without "\n" and a trailing "\r"; valid until the next call
        bool tooLong = false;   // the line passed kMaxLine; its text was dropped
    };
    // The next line; nullopt at the end of the stream. A last line without "\n" counts.
    std::optional<Line> Next();

    // True when nothing is buffered, i.e. the next line may have to wait for the writer.
    bool WouldWait() const { return pending_.size() == start_ && source_.in_avail() <= 0; }

  private:
    bool ReadMore();

    std::streambuf& source_;
    std::string pending_;
    std::size_t start_ = 0;  // where the next line begins in pending_
};

}  // namespace korvane::cli
