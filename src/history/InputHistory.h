// InputHistory: the remembered entries of one editable box and the file keeping them. Recording
// never grows the list past kMaxRecordedEntries nor adds an entry equal to one apart from case.
// Toolkit-free: the window mirrors the list in its drop-down box.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::history {

// The history files, kept in the folder of the executable.
inline constexpr const char* kNameHistoryFileName = "SearchFile.txt";  // ComboBox1
inline constexpr const char* kWordHistoryFileName = "SearchWord.txt";  // ComboBox2

// `folder` joined with `fileName`; an empty folder stands for the current directory.
std::string HistoryFilePath(const std::string& folder, const char* fileName);

// Letter case is ignored in UTF-8 text by Unicode's simple case mapping, in every script. Bytes
// that are not valid UTF-8 compare as themselves.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
// <0, 0 or >0: the order of a sorted drop-down list, letter case ignored as above.
int CompareIgnoringCase(std::string_view a, std::string_view b);

class InputHistory {
  public:
    // A list holds at most this many entries through recording; a longer file loads whole.
    static constexpr std::size_t kMaxRecordedEntries = 200;

    // What Record did, so that a combo box can mirror the list without rebuilding it.
    struct RecordResult {
        bool recorded = false;     // false: the list is unchanged
        bool droppedLast = false;  // the former last entry (one) was removed first
        std::size_t index = 0;     // where the new entry went (always the top)
    };

    const std::vector<std::string>& Entries() const { return fEntries; }
    std::size_t Count() const { return fEntries.size(); }

    // Records a text the user left in the box. A text that is empty once the characters of
    // codes 0 to 32 are removed from both ends, or that equals an entry apart from letter case,
    // changes nothing; otherwise the text, untrimmed, goes to the top, the last entry making
    // room when the list is full (also when a long file loaded more than the limit).
    RecordResult Record(const std::string& text);

    // Replaces the list by `entries`, placed as a sorted drop-down places a whole list:
    // alphabetically, letter case ignored, equal entries in their given order.
    void Assign(std::vector<std::string> entries);
    void Clear() { fEntries.clear(); }

    // Replaces the list by the lines of the file at `path`, sorted as Assign does. Lines end at
    // CR LF, a lone LF or a lone CR; a NUL ends the text; a final line break adds no empty
    // entry. Raises files::EFOpenError ("Cannot open file "%s". %s") when the file can't be
    // read; the list is then unchanged.
    void LoadFromFile(const std::string& path);
    // As LoadFromFile, but a file that does not exist leaves the list as it is and returns
    // false.
    bool LoadFromFileIfExists(const std::string& path);

    // Writes every entry followed by CR LF, in list order, creating or replacing the file. A
    // CR, LF or NUL inside an entry is written as a space, so each entry stays one line.
    // Saved through the safe writer, so a failed save leaves the former file intact.
    // Raises files::EFCreateError ("Cannot create file "%s". %s") on any failure.
    void SaveToFile(const std::string& path) const;

    // The lines of a file's content, in file order (the cutting rules of LoadFromFile).
    static std::vector<std::string> SplitLines(std::string_view text);

  private:
    std::vector<std::string> fEntries;
};

}  // namespace tarnwick::history
