// TAdvMemoStrings: the editor's line list. With an observer (the owning editor) no line holds a
// tab (each is replaced by TabSize spaces), LineLengths has one entry per line, every change
// reaches the editor through OnChange, and the list reports its operations to the observer;
// without one it is a plain string list. Saving writes every line whose text is still what it
// read as from the loaded file as that file's bytes (tabs, break and all), so a file loaded and
// saved unchanged comes back byte for byte; other lines end in the file's own line break.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/LineLengthTracker.h"
#include "editor/document/LineStore.h"
#include "editor/document/LinesObserver.h"
#include "editor/document/Strings.h"
#include "editor/document/TextBuffer.h"
#include "platform/files/Stream.h"

namespace tarnwick::editor {

// The line list reads and writes the files library's streams.
using files::TMemoryStream;
using files::TSeekOrigin;
using files::TStream;

class TAdvMemoStrings : public TStrings {
  public:
    // observer may be null: the list then behaves exactly like a plain string list.
    explicit TAdvMemoStrings(ILinesObserver* observer = nullptr);
    ~TAdvMemoStrings() override;

    int Count() const override { return fStore.Count(); }
    std::string Get(int index) const override;
    // Reads line index without copying; index must be within 0..Count()-1.
    std::string_view View(int index) const { return fStore.View(index); }
    void Put(int index, const std::string& s) override;
    // Put for an edit that kept the first samePrefix bytes of the line as they were, so that
    // caches of the line's front stay valid (see LinesVersion), and its last sameSuffix bytes,
    // so that the line's character count follows from the bytes between.
    void PutEdited(int index, const std::string& s, size_t samePrefix, size_t sameSuffix = 0);
    // Replaces count bytes of line index from byte at on (both within the line) by inserted,
    // as PutEdited of the spliced line would, without copying the line: the cost follows the
    // bytes after the splice, not the line's length.
    void SpliceLine(int index, size_t at, size_t count, std::string_view inserted);
    // Advances on every change of the lines; UnchangedPrefix tells how much of a line's front
    // is the same as at an earlier version (TLineStore::kWholeLine: all of it).
    uint64_t LinesVersion() const { return fStore.Version(); }
    size_t UnchangedPrefix(int index, uint64_t since) const {
        return fStore.UnchangedPrefix(index, since);
    }
    size_t UnchangedSuffix(int index, uint64_t since) const {
        return fStore.UnchangedSuffix(index, since);
    }
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    // Returns the index of the last line added.
    int Add(const std::string& s) override;
    int AddObject(const std::string& s, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    void Assign(const TStrings& source) override;
    void AddStrings(const TStrings& source) override;

    // Range edits for the editor's own operations (AdvMemoStringsRange.cpp): lines go in or out
    // in one shift of the list with one change notification. Each inserted line is reported
    // to the observer; removed lines are not (the editor's own removal, as RemoveLine).
    void InsertLines(int index, const std::vector<std::string_view>& texts);
    void RemoveLines(int first, int count);

    // How much a load may read, so that a file that never ends (under /proc, say) or one too
    // large for memory fails with a message instead of exhausting the machine.
    struct TLoadLimits {
        uint64_t MaxFileSize = 0;     // a file reporting a larger size fails at once
        uint64_t MaxUnsizedRead = 0;  // bytes read past the size a file reports
        // A quarter of the physical memory for a file's size; for reading past it 256 MiB, or
        // that quarter when it is smaller.
        static TLoadLimits ForThisMachine();
    };
    // How far a load has come, read from another thread.
    struct TLoadProgress {
        std::atomic<uint64_t> Read{0};      // bytes read so far
        std::atomic<uint64_t> Expected{0};  // the size the file reported
    };
    // What reading a file needs to know of the list that will take the text.
    struct TLoadSettings {
        int TabSize = 1;
        bool Observed = false;  // the list has an owning editor: tabs expanded, lengths kept
        bool Records = true;    // every line gets its record
        TLoadLimits Limits = TLoadLimits::ForThisMachine();
        // Set from another thread to stop the read; it then raises ELoadCancelled.
        const std::atomic<bool>* Cancelled = nullptr;
        TLoadProgress* Progress = nullptr;  // kept up to date while reading when set
    };
    // A file read and split into lines apart from any list, to be installed whole.
    struct TPreparedText;
    TLoadSettings LoadSettings() const;
    // Reads and splits the file as LoadFromFile does, touching no list, so that it can run on
    // a worker thread; raises what LoadFromFile raises, or ELoadCancelled.
    static std::unique_ptr<TPreparedText> PrepareFile(const std::string& path,
                                                      const TLoadSettings& settings);
    // The same for the rest of a stream; a text that can't be held raises EReadError.
    static std::unique_ptr<TPreparedText> PrepareStream(TStream& stream,
                                                        const TLoadSettings& settings);
    // Replaces the content by a prepared text, as a load does (the editor's steps included).
    void InstallPrepared(TPreparedText& text);

    void LoadFromFile(const std::string& path);
    void LoadFromStream(TStream& stream);
    void SaveToFile(const std::string& path);
    void SaveToStream(TStream& stream);

    bool HasObserver() const { return fOwner != nullptr; }
    // The break that changed and added lines end in: the first one the loaded file uses (LF
    // for a new text or a file without breaks).
    TLineBreak LineBreak() const { return fLineBreak; }
    // Whether saving ends the last line with a break: false only when the loaded file's last
    // line had none.
    bool EndsWithLineBreak() const { return fFinalBreak; }
    // Removes line index and its LineLengths entry without reporting it to the observer (the
    // editor's own removal of a line); fires the change notification. The index must exist.
    void RemoveLine(int index);
    // Number of open update brackets as seen by painting (0 or 1 per nesting chain).
    int UpdateLockCount() const { return fUpdateLock; }
    // One entry per line (with an observer): the line's length in characters.
    const std::vector<int32_t>& LineLengths() const { return fLineLengths; }
    // The number of characters of line index (from LineLengths when it is in step, so
    // without a scan); the index must exist.
    int LineCharCount(int index) const;
    // The largest entry of LineLengths, kept up to date on every change.
    int32_t LongestOfLineLengths() const { return fLengthTracker.Longest(); }

    // The per-line record, or nullptr for a line that has none (or an index out of range).
    const TLineProp* LineProp(int index) const;
    TLineProp* LineProp(int index);
    // The record only when it holds values other than the defaults.
    TLineProp* StoredLineProp(int index);
    // The record of a line, created on demand when the editor stores a per-line value.
    TLineProp& EnsureLineProp(int index);
    // 0 for a line without a record or an index out of range.
    uint8_t LineModState(int index) const;
    void SetLineModState(int index, uint8_t state);

  protected:
    void SetUpdateState(bool updating) override;

  private:
    void CheckIndex(int index) const;
    // One line in, no splitting; tabs already handled by the caller.
    void AppendLine(std::string_view text, TObject* object);
    void InsertLine(int index, std::string_view text);
    void SetLineLength(int index, int32_t length);
    void InsertLineLength(int index, int32_t length);
    void EraseLineLength(int index);
    void ClearLineLengths();
    void BulkCopy(const TStrings& source, bool replace);
    void TakeLoadedLines(TPreparedText& loaded);
    void WriteLines(TStream& stream) const;
    void MarkSaved();

    ILinesObserver* fOwner;
    int32_t fUpdateLock = 0;
    bool fNoRecords = false;
    TLineStore fStore;
    std::vector<int32_t> fLineLengths;
    TLineLengthTracker fLengthTracker;  // mirrors fLineLengths
    TLineBreak fLineBreak = TLineBreak::LF;
    bool fFinalBreak = true;
};

// The lines of a file split apart from the list (its LoadFromFile, or on a worker).
struct TAdvMemoStrings::TPreparedText {
    TLineStore store;
    std::vector<int32_t> lengths;
    TLineLengthTracker tracker;
    TLineBreak lineBreak = TLineBreak::LF;
    bool finalBreak = true;
};

// Replaces every tab by tabSize spaces (a plain replacement, not tab stops).
std::string ExpandTabs(std::string_view text, int tabSize);

}  // namespace tarnwick::editor
