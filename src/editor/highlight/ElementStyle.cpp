#include "editor/highlight/ElementStyle.h"

namespace tarnwick::editor {

TElementStyle::TElementStyle(TElementStyles* collection)
    : fCollection(collection),
      fBGColor(collection != nullptr && collection->Editor() != nullptr
                   ? collection->Editor()->BkColor()
                   : kClWhite) {}

void TElementStyle::Assign(const TElementStyle& source) {
    if (&source == this) {
        return;
    }
    fKeyWords.Assign(source.fKeyWords);
    fFont = source.fFont;
    fBGColor = source.fBGColor;
    fInfo = source.fInfo;
    fStyleType = source.fStyleType;
    fBracketStart = source.fBracketStart;
    fBracketEnd = source.fBracketEnd;
    fSymbols = source.fSymbols;
    fCommentLeft = source.fCommentLeft;
    fCommentRight = source.fCommentRight;
    Changed();
}

void TElementStyle::SetKeyWords(const TStrings& words) {
    fKeyWords.BeginUpdate();
    fKeyWords.Clear();
    for (int i = 0; i < words.Count(); ++i) {
        fKeyWords.Add(words.Get(i));
    }
    fKeyWords.EndUpdate();
    Changed();
}

void TElementStyle::SetFont(const TFont& font) {
    fFont = font;
    Changed();
}

void TElementStyle::SetBGColor(TColor color) {
    fBGColor = color;
    Changed();
}

void TElementStyle::SetStyleType(TStyleType type) {
    fStyleType = type;
    Changed();
}

void TElementStyle::SetBracketStart(char c) {
    fBracketStart = c;
    Changed();
}

void TElementStyle::SetBracketEnd(char c) {
    fBracketEnd = c;
    Changed();
}

void TElementStyle::SetSymbols(const std::string& symbols) {
    fSymbols = symbols;
    Changed();
}

int TElementStyle::Index() const {
    return fCollection == nullptr ? -1 : fCollection->IndexOf(this);
}

void TElementStyle::Changed() {
    if (fCollection != nullptr) {
        fCollection->ItemChanged(*this);
    }
}

TElementStyle& TElementStyles::Add() {
    fItems.push_back(std::make_unique<TElementStyle>(this));
    return *fItems.back();
}

void TElementStyles::Delete(int index) {
    fItems.erase(fItems.begin() + index);
    fItemRemoved = true;
}

void TElementStyles::Clear() {
    if (!fItems.empty()) {
        fItems.clear();
        fItemRemoved = true;
    }
}

int TElementStyles::IndexOf(const TElementStyle* item) const {
    for (size_t i = 0; i < fItems.size(); ++i) {
        if (fItems[i].get() == item) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TElementStyles::ItemChanged(TElementStyle&) {
    // The editor shows the change at its next repaint; nobody invalidates it from here.
    ++fChangeCount;
}

}  // namespace tarnwick::editor
