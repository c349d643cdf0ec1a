// TElementStyle and TElementStyles: the styler's element styles (keywords, bracketed
// elements, symbols, extra comments). Every setter stores a copy and tells the collection,
// which tells the attached editor; nothing repaints on the styler's behalf.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/document/StringList.h"
#include "editor/highlight/StyledEditor.h"
#include "editor/view/Colors.h"
#include "editor/view/Font.h"

namespace tarnwick::editor {

class TAdvCustomMemoStyler;
class TElementStyles;

enum TStyleType { stKeyword = 0, stBracket = 1, stSymbol = 2, stComment = 3 };

class TElementStyle {
  public:
    explicit TElementStyle(TElementStyles* collection = nullptr);
    TElementStyle(const TElementStyle&) = delete;
    TElementStyle& operator=(const TElementStyle&) = delete;

    // Copies all ten fields.
    void Assign(const TElementStyle& source);

    TStringList& KeyWords() { return fKeyWords; }
    const TStringList& KeyWords() const { return fKeyWords; }
    // Empties the list and adds the given lines in order; the list keeps its sorted state.
    void SetKeyWords(const TStrings& words);
    const TFont& Font() const { return fFont; }
    void SetFont(const TFont& font);
    TColor BGColor() const { return fBGColor; }
    void SetBGColor(TColor color);
    const std::string& Info() const { return fInfo; }
    void SetInfo(const std::string& info) { fInfo = info; }
    TStyleType StyleType() const { return fStyleType; }
    void SetStyleType(TStyleType type);
    char BracketStart() const { return fBracketStart; }
    void SetBracketStart(char c);
    char BracketEnd() const { return fBracketEnd; }
    void SetBracketEnd(char c);
    const std::string& Symbols() const { return fSymbols; }
    void SetSymbols(const std::string& symbols);
    const std::string& CommentLeft() const { return fCommentLeft; }
    void SetCommentLeft(const std::string& s) { fCommentLeft = s; }
    const std::string& CommentRight() const { return fCommentRight; }
    void SetCommentRight(const std::string& s) { fCommentRight = s; }

    // Index in the owning collection, -1 when free-standing.
    int Index() const;

  private:
    void Changed();

    TElementStyles* fCollection;
    TStringList fKeyWords;
    TFont fFont;
    TColor fBGColor;
    std::string fInfo;
    TStyleType fStyleType = stKeyword;
    char fBracketStart = '\0';
    char fBracketEnd = '\0';
    std::string fSymbols;
    std::string fCommentLeft;
    std::string fCommentRight;
};

class TElementStyles {
  public:
    explicit TElementStyles(TAdvCustomMemoStyler* owner) : fOwner(owner) {}
    TElementStyles(const TElementStyles&) = delete;
    TElementStyles& operator=(const TElementStyles&) = delete;

    int Count() const { return static_cast<int>(fItems.size()); }
    TElementStyle& Items(int index) { return *fItems.at(static_cast<size_t>(index)); }
    const TElementStyle& Items(int index) const { return *fItems.at(static_cast<size_t>(index)); }
    TElementStyle& Add();
    void Delete(int index);
    void Clear();
    int IndexOf(const TElementStyle* item) const;

    TAdvCustomMemoStyler* Owner() const { return fOwner; }
    // The editor the styler is attached to, or nullptr.
    TStyledEditor* Editor() const { return fEditor; }
    void SetEditor(TStyledEditor* editor) { fEditor = editor; }
    // Set whenever an item is destroyed; read once at the end of loading.
    bool ItemRemoved() const { return fItemRemoved; }
    void ResetItemRemoved() { fItemRemoved = false; }

    // An item changed; passed on to the attached editor, which repaints only when asked to.
    void ItemChanged(TElementStyle& item);
    int ChangeCount() const { return fChangeCount; }

  private:
    TAdvCustomMemoStyler* fOwner;
    TStyledEditor* fEditor = nullptr;
    std::vector<std::unique_ptr<TElementStyle>> fItems;
    bool fItemRemoved = false;
    int fChangeCount = 0;
};

}  // namespace tarnwick::editor
