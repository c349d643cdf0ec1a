// CompletionItemPainter: how the completion list measures and draws its items. An item is the
// kind word (in its kind's colour, in a column as wide as the widest kind word of the list),
// the name up to the first "(" or "[" in bold, and the rest in normal weight; with pictures on,
// a small picture of the kind stands in front. The column width is fixed when the painter is
// made for a set of entries, so every item of one filling lines up.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "editor/completion/CompletionSettings.h"

class QPainter;

namespace tarnwick::ui {

class CompletionItemPainter {
  public:
    // Width of the kind pictures' column and the size of a picture, in pixels.
    static constexpr int kPictureColumn = 20;
    static constexpr int kPictureSize = 14;
    // Space the list keeps beside its widest item, in pixels.
    static constexpr int kListPadding = 8;
    static constexpr int kMinItemHeight = 16;

    CompletionItemPainter(const editor::TAutoCompletion& settings,
                          const std::vector<std::string>& entries);

    // The item font the settings describe: the face requested by name (fontconfig puts a
    // present face in place of a missing one), sized by its height in pixels: a negative
    // height is the character height, a positive one the whole cell.
    static QFont ItemFont(const editor::TAutoCompletion& settings);
    // The colour of a kind number's kind word; none for a number the settings have no colour
    // for (such an item's kind word takes the list's text colour).
    static std::optional<QColor> KindColour(const editor::TAutoCompletion& settings, int kind);

    const QFont& Font() const { return fFont; }
    // Text height of "h_" plus one, at least kMinItemHeight.
    int ItemHeight() const;
    // Widest kind word (with the space after it) among the entries that have one.
    int KindColumnWidth() const { return fKindColumn; }
    // Kind column + the name in bold + the rest in normal weight.
    int ItemWidth(const std::string& entry) const;
    // The widest item + kListPadding + the vertical scroll bar (+ the picture column).
    int ListWidth(int scrollBarWidth) const;

    // Draws one item into rect; a selected item takes the palette's selection colours.
    void Paint(QPainter& painter, const QRect& rect, const std::string& entry, int kind,
               bool selected, const QPalette& palette) const;

  private:
    void PaintPicture(QPainter& painter, const QRect& rect, int kind) const;

    const editor::TAutoCompletion& fSettings;
    std::vector<std::string> fEntries;
    QFont fFont;
    QFont fBold;
    int fKindColumn = 0;
};

}  // namespace tarnwick::ui
