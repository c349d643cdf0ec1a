// Reading the line list from files and streams and writing it back.
#include <memory>

#include "editor/AdvCustomMemo.h"
#include "editor/AdvMemoStrings.h"
#include "editor/EditorErrors.h"
#include "editor/FileStream.h"
#include "editor/SafeFileWriter.h"

namespace tarnwick::editor {
namespace {

constexpr size_t kWriteChunk = 1 << 20;
constexpr unsigned char kHighestTrimmed = 32;  // trailing spaces and control characters
constexpr std::string_view kLineBreak = "\r\n";

// What loading does to the editor before reading: no selection, no undo history, caret at the
// start, and no change handling until the whole text is in. Undone if reading fails.
class TLoadScope {
  public:
    explicit TLoadScope(TAdvCustomMemo& editor) : fEditor(editor) {}
    ~TLoadScope() {
        if (!fDone) {
            Restore();
        }
    }
    TLoadScope(const TLoadScope&) = delete;
    TLoadScope& operator=(const TLoadScope&) = delete;

    void Done() { fDone = true; }
    void Restore();

  private:
    TAdvCustomMemo& fEditor;
    bool fDone = false;
};

std::unique_ptr<char[]> ReadRest(TStream& stream, size_t& size) {
    const int64_t position = stream.Position();
    const int64_t total = stream.Size();
    size = total > position ? static_cast<size_t>(total - position) : 0;
    // Not value-initialised: every byte is overwritten by the read.
    std::unique_ptr<char[]> buffer(new char[size > 0 ? size : 1]);
    stream.ReadBuffer(buffer.get(), size);
    return buffer;
}

size_t TrimmedLength(std::string_view line) {
    size_t n = line.size();
    while (n > 0 && static_cast<unsigned char>(line[n - 1]) <= kHighestTrimmed) {
        --n;
    }
    return n;
}

}  // namespace

void TLoadScope::Restore() {
    fEditor.SetNotifyEnabled(true);
    fEditor.Lines().OnChange = [editor = &fEditor](TStrings&) { editor->LinesChanged(); };
}

void TAdvMemoStrings::AddLoadedText(std::unique_ptr<char[]> buffer, size_t size) {
    const char* p = fStore.AdoptBuffer(std::move(buffer));
    const char* const end = p + size;
    const int tabSize = fOwner != nullptr ? fOwner->TabSize() : 0;
    while (p < end && *p != '\0') {
        const char* start = p;
        bool tab = false;
        while (p < end) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (c <= '\r') {
                if (c == '\r' || c == '\n' || c == '\0') {
                    break;
                }
                tab = tab || c == '\t';
            }
            ++p;
        }
        Changing();
        if (fOwner != nullptr && tab) {
            fStore.Insert(Count(), ExpandTabs(std::string_view(start, p - start), tabSize));
        } else {
            fStore.AppendView(start, static_cast<size_t>(p - start));
        }
        if (fOwner != nullptr) {
            const int index = Count() - 1;
            if (!fNoRecords) {
                fStore.EnsureRecord(index);
            }
            const auto length = static_cast<int32_t>(fStore.View(index).size());
            fLineLengths.push_back(length);
            fLengthTracker.Add(length);
        }
        Changed();
        if (p < end && *p == '\r') {
            ++p;
        }
        if (p < end && *p == '\n') {
            ++p;
        }
    }
}

void TAdvMemoStrings::LoadFromFile(const std::string& path) {
    if (fOwner == nullptr) {
        TFileStream file(path, TFileStream::Mode::OpenRead);
        LoadFromStream(file);
        return;
    }
    TAdvCustomMemo& editor = *fOwner;
    editor.CollapseSelection();
    editor.fUndoList.Clear();
    editor.fCurX = 0;
    editor.fCurY = 0;
    editor.fNotify = false;
    editor.DetachLinesChanged();
    TLoadScope scope(editor);
    TFileStream file(path, TFileStream::Mode::OpenRead);
    LoadFromStream(file);
    scope.Done();
}

void TAdvMemoStrings::LoadFromStream(TStream& stream) {
    if (fOwner == nullptr) {
        size_t size = 0;
        std::unique_ptr<char[]> bytes = ReadRest(stream, size);
        BeginUpdate();
        try {
            Clear();
            AddLoadedText(std::move(bytes), size);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TAdvCustomMemo& editor = *fOwner;
    editor.CollapseSelection();
    editor.fUndoList.Clear();
    editor.fCurX = 0;
    editor.fCurY = 0;
    editor.fNotify = false;
    editor.DetachLinesChanged();
    TLoadScope scope(editor);

    size_t size = 0;
    std::unique_ptr<char[]> bytes = ReadRest(stream, size);
    Clear();
    AddLoadedText(std::move(bytes), size);

    editor.DropRememberedStartState();
    editor.fCurX = 0;
    editor.fCurY = 0;
    // Lines came in through the loader, which already replaced their tabs.
    editor.fLongestLineLength = fLengthTracker.Longest();
    scope.Done();
    editor.fNotify = true;
    editor.AttachLinesChanged();
    editor.LinesChanged();
    // Every record was created by this load, so every LineModState is already 0.
    editor.Invalidate();
}

void TAdvMemoStrings::WriteLines(TStream& stream) const {
    std::string chunk;
    chunk.reserve(kWriteChunk + kLineBreak.size());
    for (int i = 0; i < Count(); ++i) {
        const std::string_view line = fStore.View(i);
        if (chunk.size() + line.size() + kLineBreak.size() > kWriteChunk && !chunk.empty()) {
            stream.WriteBuffer(chunk.data(), chunk.size());
            chunk.clear();
        }
        if (line.size() > kWriteChunk) {
            stream.WriteBuffer(line.data(), line.size());
        } else {
            chunk.append(line);
        }
        chunk.append(kLineBreak);
    }
    stream.WriteBuffer(chunk.data(), chunk.size());
}

void TAdvMemoStrings::MarkSaved() {
    TAdvCustomMemo& editor = *fOwner;
    BeginUpdate();
    editor.DetachLinesChanged();
    for (int i = 0; i < Count(); ++i) {
        TLineProp* record = fStore.Record(i);
        if (record != nullptr && record->LineModState == lmsModified) {
            record->LineModState = lmsModifiedSaved;
        }
    }
    editor.AttachLinesChanged();
    EndUpdate();
    editor.Invalidate();
}

void TAdvMemoStrings::SaveToFile(const std::string& path) {
    if (fOwner != nullptr) {
        BeginUpdate();
        try {
            for (int i = 0; i < Count(); ++i) {
                const std::string_view line = fStore.View(i);
                const size_t keep = TrimmedLength(line);
                if (keep != line.size()) {
                    Put(i, std::string(line.substr(0, keep)));
                }
            }
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }
    // The old file is replaced only once the new content is completely on disk.
    TSafeFileWriter writer(path);
    WriteLines(writer.Stream());
    writer.Commit();
    if (fOwner != nullptr) {
        MarkSaved();
    }
}

void TAdvMemoStrings::SaveToStream(TStream& stream) {
    WriteLines(stream);
    if (fOwner != nullptr) {
        MarkSaved();
    }
}

}  // namespace tarnwick::editor
