// The input history of one box: recording rule, sorted loading, line cutting and safe saving.
#include "ui/InputHistory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "editor/EditorErrors.h"

namespace tarnwick::ui {
namespace {

using editor::EFCreateError;
using editor::EFOpenError;
using editor::SystemErrorText;

// Characters of codes 0 to 32 count as blank for the emptiness test of a recorded text.
constexpr unsigned char kLastBlankCode = 32;
constexpr char kLineEnd[] = "\r\n";
constexpr std::size_t kReadChunk = 64 * 1024;
// Bytes that are not part of valid UTF-8 compare as these stand-ins, apart from every letter.
constexpr char32_t kStrayByteBase = 0xDC00;

// The lower-case partner of a code point, for the letters named in the header.
char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {  // Latin-1 capitals, without the times sign
        return c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A: mostly alternating capital, small
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) {
            return c;  // dotted/dotless i, kra, 'n, long s: no simple pair
        }
        if (c == 0x178) {
            return 0xFF;  // Y with diaeresis pairs with a Latin-1 letter
        }
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool isCapital = oddCapitals ? (c % 2 == 1) : (c % 2 == 0);
        return isCapital ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) {  // Greek capitals
        return c + 0x20;
    }
    if (c >= 0x410 && c <= 0x42F) {  // Cyrillic capitals
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {  // Cyrillic capitals with marks
        return c + 0x50;
    }
    return c;
}

// Reads one character of UTF-8 at `pos`, advancing it; a byte that does not start a valid
// sequence is taken alone.
char32_t NextChar(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return kStrayByteBase + lead;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kStrayByteBase + lead;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return kStrayByteBase + lead;
    }
    pos += length;
    return value;
}

bool IsBlankOnly(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= kLastBlankCode; });
}

// The folder part of a path, for the temporary file beside it.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that a save replaces: a symbolic link is followed, so the link stays a link.
std::string ResolvedTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) {
        return path;  // a dangling link is replaced by the new file
    }
    return resolved;
}

// A name for a temporary file in `folder` that no other save of this process uses.
std::string TemporaryName(const std::string& folder, const std::string& target) {
    static std::atomic<unsigned> counter{0};
    std::string base = target.substr(target.rfind('/') + 1);
    return folder + "/." + base + "." + std::to_string(getpid()) + "." +
           std::to_string(counter.fetch_add(1)) + ".tmp";
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fFd(fd) {}
    ~FileDescriptor() {
        if (fFd >= 0) {
            close(fFd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fFd; }
    // Closes now; false (errno set) when the system reports a failure, such as a late write
    // error of a network file system.
    bool Close() {
        const int fd = fFd;
        fFd = -1;
        return close(fd) == 0;
    }

  private:
    int fFd;
};

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

std::string HistoryFilePath(const std::string& folder, const char* fileName) {
    if (folder.empty()) {
        return fileName;
    }
    if (folder.back() == '/') {
        return folder + fileName;
    }
    return folder + "/" + fileName;
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = FoldCase(NextChar(a, i));
        const char32_t y = FoldCase(NextChar(b, j));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return CompareIgnoringCase(a, b) == 0;
}

InputHistory::RecordResult InputHistory::Record(const std::string& text) {
    RecordResult result;
    if (IsBlankOnly(text)) {
        return result;
    }
    const bool known = std::any_of(fEntries.begin(), fEntries.end(), [&](const std::string& e) {
        return EqualIgnoringCase(e, text);
    });
    if (known) {
        return result;
    }
    if (fEntries.size() >= kMaxRecordedEntries) {
        // A loaded file may hold more than the limit; the list then keeps its length.
        fEntries.pop_back();
        result.droppedLast = true;
    }
    fEntries.insert(fEntries.begin(), text);
    result.recorded = true;
    result.index = 0;
    return result;
}

void InputHistory::Assign(std::vector<std::string> entries) {
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const std::string& a, const std::string& b) { return CompareIgnoringCase(a, b) < 0; });
    fEntries = std::move(entries);
}

std::vector<std::string> InputHistory::SplitLines(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') {
            ++pos;
        }
    }
    return lines;
}

void InputHistory::LoadFromFile(const std::string& path) {
    if (!LoadFromFileIfExists(path)) {
        throw EFOpenError(path, SystemErrorText(ENOENT));
    }
}

bool InputHistory::LoadFromFileIfExists(const std::string& path) {
    // Non-blocking, so that a FIFO in the file's place can't hold up the start.
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) {
        if (errno == ENOENT) {
            return false;
        }
        throw EFOpenError(path, SystemErrorText(errno));
    }
    struct stat info {};
    if (fstat(file.Get(), &info) != 0) {
        throw EFOpenError(path, SystemErrorText(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        // POSIX opens a folder, a FIFO or a device for reading; none of them is a history.
        throw EFOpenError(path, SystemErrorText(S_ISDIR(info.st_mode) ? EISDIR : EINVAL));
    }
    std::string content;
    std::string chunk(kReadChunk, '\0');
    for (;;) {
        const ssize_t got = read(file.Get(), chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw EFOpenError(path, SystemErrorText(errno));
        }
        if (got == 0) {
            break;
        }
        content.append(chunk.data(), static_cast<std::size_t>(got));
    }
    Assign(SplitLines(content));
    return true;
}

void InputHistory::SaveToFile(const std::string& path) const {
    std::string bytes;
    for (const std::string& entry : fEntries) {
        const std::size_t start = bytes.size();
        bytes += entry;
        // One line per entry: a line break inside an entry would turn it into several on the
        // next load, and a NUL would end the text there and lose every later entry.
        std::replace_if(
            bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end(),
            [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
        bytes += kLineEnd;
    }
    const std::string target = ResolvedTarget(path);
    const std::string temporary = TemporaryName(FolderOf(target), target);

    // Created with the usual 0666 less the umask, like any new file of the user.
    FileDescriptor file(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                             S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH));
    if (file.Get() < 0) {
        throw EFCreateError(path, SystemErrorText(errno));
    }
    auto fail = [&](int error) {
        unlink(temporary.c_str());
        throw EFCreateError(path, SystemErrorText(error));
    };
    struct stat former {};
    if (stat(target.c_str(), &former) == 0 && S_ISREG(former.st_mode)) {
        // The replaced file keeps its permissions; failing to copy them is not worth an error.
        (void)fchmod(file.Get(), former.st_mode & 07777);
    }
    if (!WriteAll(file.Get(), bytes) || fsync(file.Get()) != 0) {
        fail(errno);
    }
    if (!file.Close()) {
        fail(errno);
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        fail(errno);
    }
}

}  // namespace tarnwick::ui
