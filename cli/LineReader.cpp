#include "cli/LineReader.h"

#include <algorithm>

namespace korvane::cli {

bool LineReader::ReadMore() {
    std::streamsize available = source_.in_avail();
    if (available <= 0) {
        // Blocks until the writer sends something or closes the stream.
        if (std::streambuf::traits_type::eq_int_type(source_.sgetc(),
                                                     std::streambuf::traits_type::eof()))
            return false;
        available = std::max<std::streamsize>(source_.in_avail(), 1);
    }
    char buffer[65536];
    const std::streamsize got =
        source_.sgetn(buffer, std::min<std::streamsize>(available, sizeof buffer));
    pending_.append(buffer, static_cast<std::size_t>(got));
    return got > 0;
}

namespace {

// Drops the line end's "\r" and the text of a line that grew past the limit.
LineReader::Line Finish(std::string_view text, bool tooLong) {
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    tooLong = tooLong || text.size() > LineReader::kMaxLine;
    return LineReader::Line{tooLong ? std::string_view() : text, tooLong};
}

}  // namespace

std::optional<LineReader::Line> LineReader::Next() {
    bool tooLong = false;
    std::size_t scanned = start_;
    for (;;) {
        const std::size_t newline = pending_.find('\n', scanned);
        if (newline != std::string::npos) {
            const std::string_view text(pending_.data() + start_, newline - start_);
            start_ = newline + 1;
            return Finish(text, tooLong);
        }
        // Only now drop what earlier lines used: once per read, not once per line.
        pending_.erase(0, start_);
        start_ = 0;
        if (pending_.size() > kMaxLine) {
            tooLong = true;
            pending_.clear();
        }
        scanned = pending_.size();
        if (!ReadMore())
            break;
    }
    if (pending_.empty() && !tooLong)
        return std::nullopt;
    start_ = pending_.size();
    return Finish(pending_, tooLong);
}

}  // namespace korvane::cli
