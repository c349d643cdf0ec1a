// TAdvCustomMemoStyler: tells the editor how to cut lines into styled runs (comment
// delimiters, number characters, element styles) and with which colours to paint them.
// Editors that refer to it are told when it is destroyed, so no dangling reference remains.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/document/StringList.h"
#include "editor/highlight/CharStyle.h"
#include "editor/highlight/ElementStyle.h"

namespace tarnwick::editor {

// Parameter hints of the completion aids: delimiters and the call definitions.
struct THintParameter {
    TColor TextColor = kClBlack;
    TColor BkColor = kClInfoBk;
    char HintCharStart = '(';
    char HintCharEnd = ')';
    char HintCharDelimiter = ';';
    char HintCharWriteDelimiter = ',';
    char HintClassDelimiter = '.';
    TStringList Parameters;
};

// A delimiter found by FindBlockCommentStart/End: 1-based position (0 = none) and length.
struct TDelimiterMatch {
    int Position = 0;
    int Length = 0;
};

class TAdvCustomMemoStyler {
  public:
    static constexpr const char* kDefaultNumberChars = "+-.0123456789";
    static constexpr char kDefaultLiteralPrefix = '\xFF';

    TAdvCustomMemoStyler();
    virtual ~TAdvCustomMemoStyler();
    TAdvCustomMemoStyler(const TAdvCustomMemoStyler&) = delete;
    TAdvCustomMemoStyler& operator=(const TAdvCustomMemoStyler&) = delete;

    TElementStyles& AllStyles() { return fAllStyles; }
    const TElementStyles& AllStyles() const { return fAllStyles; }

    std::string LineComment;
    std::string MultiCommentLeft;
    std::string MultiCommentRight;
    TCharStyle CommentStyle{kClSilver, kClWhite, fsItalic};
    TCharStyle NumberStyle{kClNavy, kClWhite, fsBold};
    TCharStyle HighlightStyle{kClWhite, kClRed, fsBold};
    TStringList AutoCompletion;
    THintParameter HintParameter;
    std::string NumberChars = kDefaultNumberChars;
    std::string HexIdentifier;
    std::string BlockEnd;
    std::string BlockStart;
    std::string EscapeChar;
    bool CustomKeywordDraw = false;
    std::string Filter;
    std::string DefaultExtension;
    std::string Extensions;
    std::string Description;
    std::string StylerName;
    std::string LiteralPrefix = std::string(1, kDefaultLiteralPrefix);

    // Block comments exist: both multi-line delimiters, or both delimiters of an stComment style.
    bool HasBlockComments() const;
    TDelimiterMatch FindBlockCommentStart(std::string_view text) const;
    TDelimiterMatch FindBlockCommentEnd(std::string_view text) const;

    // Custom keyword painting; called only while CustomKeywordDraw is set. The base does nothing.
    virtual void KeywordDrawHook(std::string_view word);

    // Form-data reading: BeginReadAllStyles empties the collection before the stored items are
    // added; Loaded empties it when the form data held no element styles at all.
    void BeginReadAllStyles();
    void Loaded();

    // Editors referring to this styler; each is told when the styler goes away.
    void AddFreeNotification(TStyledEditor* editor);
    void RemoveFreeNotification(TStyledEditor* editor);

  private:
    TElementStyles fAllStyles{this};
    std::vector<TStyledEditor*> fNotified;
};

}  // namespace tarnwick::editor
