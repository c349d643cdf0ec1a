// The input history of one box: recording rule, sorted loading, line cutting and saving.
#include "history/InputHistory.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/TextFolding.h"
#include "platform/files/Descriptor.h"
#include "platform/files/FileErrors.h"
#include "platform/files/ReadOpen.h"
#include "platform/files/SafeFileWriter.h"

namespace tarnwick::history {
namespace {

using files::EFCreateError;
using files::EFOpenError;
using files::SystemErrorText;

// Characters of codes 0 to 32 count as blank for the emptiness test of a recorded text.
constexpr unsigned char kLastBlankCode = 32;
constexpr char kLineEnd[] = "\r\n";
constexpr std::size_t kReadChunk = 64 * 1024;
bool IsBlankOnly(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= kLastBlankCode; });
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
        const char32_t x = platform::FoldCase(platform::NextUtf8Char(a, i));
        const char32_t y = platform::FoldCase(platform::NextUtf8Char(b, j));
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
    // Never waits, so that a FIFO in the file's place can't hold up the start; a folder, a FIFO
    // or a device is no history.
    files::ReadOpen file = files::OpenForReading(path);
    if (!file.Ok()) {
        if (file.Missing()) {
            return false;
        }
        throw EFOpenError(path, file.ReasonText());
    }
    std::string content;
    std::string chunk(kReadChunk, '\0');
    for (;;) {
        const ssize_t got = files::ReadSome(file.Fd(), chunk.data(), chunk.size());
        if (got < 0) {
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
    // The safe writer: the former file is replaced only once the new one is complete.
    // Every failure is reported as the create error, with the system's reason.
    files::TSafeFileWriter writer(path);
    if (writer.Stream().Write(bytes.data(), bytes.size()) != bytes.size()) {
        throw EFCreateError(path, SystemErrorText(errno != 0 ? errno : EIO));
    }
    try {
        writer.Commit();
    } catch (const files::EWriteError&) {
        throw EFCreateError(path, SystemErrorText(errno != 0 ? errno : EIO));
    }
}

}  // namespace tarnwick::history
