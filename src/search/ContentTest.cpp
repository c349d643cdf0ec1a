// Chunked content test.
#include "search/ContentTest.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/ReadOnlyFile.h"

namespace tarnwick::search {
namespace {

constexpr unsigned char kLastBlank = 32;

// First occurrence of `text` in `hay` at or after `from`.
std::size_t Find(std::string_view hay, std::string_view text, std::size_t from) {
    if (from > hay.size() || hay.size() - from < text.size()) {
        return std::string_view::npos;
    }
    const void* hit = ::memmem(hay.data() + from, hay.size() - from, text.data(), text.size());
    return hit == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
}

}  // namespace

bool IsWholeWordOccurrence(std::string_view text, bool atEnd, unsigned char next) {
    if (text.empty() || static_cast<unsigned char>(text.back()) <= kLastBlank) {
        // Trimming would also eat the text's own trailing blank: never equal.
        return false;
    }
    return atEnd || next <= kLastBlank;
}

bool ContentMatches(std::string_view content, std::string_view text, bool wholeWord) {
    const std::size_t at = Find(content, text, 0);
    if (at == std::string_view::npos) {
        return false;
    }
    if (!wholeWord) {
        return true;
    }
    const std::size_t after = at + text.size();
    const bool atEnd = after >= content.size();
    return IsWholeWordOccurrence(text, atEnd,
                                 atEnd ? 0 : static_cast<unsigned char>(content[after]));
}

ContentScanner::ContentScanner(std::size_t chunkSize)
    : fChunkSize(chunkSize == 0 ? kContentChunkSize : chunkSize) {}

ContentVerdict VerdictOf(ContentFinding finding, bool wholeWord) {
    switch (finding) {
        case ContentFinding::OccursAsWord:
            return ContentVerdict::Match;
        case ContentFinding::Occurs:
            return wholeWord ? ContentVerdict::NoMatch : ContentVerdict::Match;
        case ContentFinding::Absent:
            return ContentVerdict::NoMatch;
        case ContentFinding::Unreadable:
        case ContentFinding::NoDescriptor:
            break;
    }
    return ContentVerdict::Unreadable;
}

ContentVerdict ContentScanner::Test(const std::string& path, std::string_view text, bool wholeWord,
                                    const std::atomic<bool>* running) {
    platform::ReadOnlyFile file;
    if (!file.Open(path)) {
        return ContentVerdict::Unreadable;
    }
    return VerdictOf(Scan(file, text, running, nullptr), wholeWord);
}

ContentVerdict ContentScanner::TestAt(int dirFd, const std::string& name, std::string_view text,
                                      bool wholeWord, const std::atomic<bool>* running) {
    return VerdictOf(FindAt(dirFd, name, text, running, nullptr), wholeWord);
}

ContentFinding ContentScanner::FindAt(int dirFd, const std::string& name, std::string_view text,
                                      const std::atomic<bool>* running,
                                      const std::atomic<bool>* wanted) {
    platform::ReadOnlyFile file;
    if (!file.OpenAt(dirFd, name)) {
        return file.OutOfDescriptors() ? ContentFinding::NoDescriptor : ContentFinding::Unreadable;
    }
    return Scan(file, text, running, wanted);
}

ContentFinding ContentScanner::Scan(platform::ReadOnlyFile& file, std::string_view text,
                                    const std::atomic<bool>* running,
                                    const std::atomic<bool>* wanted) {
    // The buffer holds the last text.size() - 1 bytes of the previous chunk in front of the
    // next one, so an occurrence across a chunk boundary is found.
    const std::size_t needed = fChunkSize + text.size();
    if (fCapacity < needed) {
        fBuffer = std::make_unique_for_overwrite<char[]>(needed);
        fCapacity = needed;
    }
    char* const buf = fBuffer.get();
    const auto word = [&](bool atEnd, char next) {
        return IsWholeWordOccurrence(text, atEnd, static_cast<unsigned char>(next))
                   ? ContentFinding::OccursAsWord
                   : ContentFinding::Occurs;
    };
    // Only the bytes the file had when it was opened count, as when it is read whole.
    std::uint64_t remaining = file.Size();
    std::size_t carry = 0;
    while (remaining > 0) {
        if ((running != nullptr && !running->load(std::memory_order_relaxed)) ||
            (wanted != nullptr && !wanted->load(std::memory_order_relaxed))) {
            return ContentFinding::Absent;
        }
        const std::size_t want = static_cast<std::size_t>(
            std::min<std::uint64_t>(remaining, static_cast<std::uint64_t>(fChunkSize)));
        const std::int64_t got = file.Read(buf + carry, want);
        if (got < 0) {
            return ContentFinding::Unreadable;
        }
        if (got == 0) {
            break;  // the file shrank: what was there is its content
        }
        remaining -= static_cast<std::uint64_t>(got);
        const std::size_t length = carry + static_cast<std::size_t>(got);
        const std::string_view window(buf, length);
        const std::size_t at = Find(window, text, 0);
        if (at != std::string_view::npos) {
            const std::size_t after = at + text.size();
            if (after < window.size()) {
                return word(false, window[after]);
            }
            // The occurrence ends the window: the next byte decides, or the end of the file.
            char next = 0;
            const std::int64_t one = remaining > 0 ? file.Read(&next, 1) : 0;
            if (one < 0) {
                return ContentFinding::Occurs;  // it occurs; whether as a word can't be told
            }
            return word(one == 0, next);
        }
        carry = std::min(length, text.size() - 1);
        std::memmove(buf, buf + length - carry, carry);
    }
    return ContentFinding::Absent;
}

ContentVerdict TestFileContent(const std::string& path, std::string_view text, bool wholeWord,
                               std::size_t chunkSize, const std::atomic<bool>* running) {
    ContentScanner scanner(chunkSize);
    return scanner.Test(path, text, wholeWord, running);
}

bool ReadFileText(const std::string& path, std::string& content) {
    platform::ReadOnlyFile file;
    if (!file.Open(path)) {
        return false;
    }
    content.clear();
    std::uint64_t remaining = file.Size();
    content.resize(static_cast<std::size_t>(remaining));
    std::size_t filled = 0;
    while (remaining > 0) {
        const std::int64_t got =
            file.Read(content.data() + filled, static_cast<std::size_t>(remaining));
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
        remaining -= static_cast<std::uint64_t>(got);
    }
    content.resize(filled);
    return true;
}

}  // namespace tarnwick::search
