// The content rule of the folder walk: does a file contain the containing text, and for whole
// word, is its first occurrence followed by a character of code 0 to 32 or the end of the file.
// The file is scanned in chunks, so its size never matters; the answer is the one a search of
// the whole content would give.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ReadOnlyFile.h"

namespace tarnwick::search {

enum class ContentVerdict { Match, NoMatch, Unreadable };

// What a scan of one file found; one scan answers the rule with and without whole word.
enum class ContentFinding : std::uint8_t {
    Absent,        // the text does not occur (or the scan was told to stop)
    Occurs,        // it occurs, and its first occurrence is not followed by a blank or the end
    OccursAsWord,  // its first occurrence is followed by a character of code 0 to 32, or ends it
    Unreadable,    // can't be opened or read, or is not a regular file
    NoDescriptor,  // couldn't be opened because no descriptor was left; may work later
};

// The content rule's verdict on a finding; a file without a descriptor is unreadable.
ContentVerdict VerdictOf(ContentFinding finding, bool wholeWord);

// The size of the chunks files are read in.
inline constexpr std::size_t kContentChunkSize = 1 << 20;

// Whole-word rule on an occurrence: the text plus the character after it (if any), with
// trailing characters of code 0 to 32 removed, equals the text.
bool IsWholeWordOccurrence(std::string_view text, bool atEnd, unsigned char next);

// Tests files with one reusable buffer, so a walk over many small files allocates once.
class ContentScanner {
  public:
    explicit ContentScanner(std::size_t chunkSize = kContentChunkSize);
    ContentScanner(const ContentScanner&) = delete;  // owns its buffer
    ContentScanner& operator=(const ContentScanner&) = delete;

    // See TestFileContent.
    ContentVerdict Test(const std::string& path, std::string_view text, bool wholeWord,
                        const std::atomic<bool>* running = nullptr);
    // The same for `name` inside the folder open as `dirFd`.
    ContentVerdict TestAt(int dirFd, const std::string& name, std::string_view text, bool wholeWord,
                          const std::atomic<bool>* running = nullptr);
    // What `name` inside the folder open as `dirFd` holds of `text` (not empty). The scan gives
    // up between chunks with Absent as soon as `running` or `wanted` (each when given) is false.
    ContentFinding FindAt(int dirFd, const std::string& name, std::string_view text,
                          const std::atomic<bool>* running = nullptr,
                          const std::atomic<bool>* wanted = nullptr);

  private:
    ContentFinding Scan(platform::ReadOnlyFile& file, std::string_view text,
                        const std::atomic<bool>* running, const std::atomic<bool>* wanted);

    std::size_t fChunkSize;
    std::unique_ptr<char[]> fBuffer;
    std::size_t fCapacity = 0;
};

// Tests the file at `path`. `text` must not be empty. Unreadable: the file can't be opened,
// is not a regular file, or a read failed. When `running` is given and turns false, the scan
// gives up between chunks with NoMatch, so a Stop never waits for the end of a huge file.
ContentVerdict TestFileContent(const std::string& path, std::string_view text, bool wholeWord,
                               std::size_t chunkSize = kContentChunkSize,
                               const std::atomic<bool>* running = nullptr);

// The same rule on bytes already in memory.
bool ContentMatches(std::string_view content, std::string_view text, bool wholeWord);

// Reads the whole file into `content`; false when it can't be opened or read.
bool ReadFileText(const std::string& path, std::string& content);

}  // namespace tarnwick::search
