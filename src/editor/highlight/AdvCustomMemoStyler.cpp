#include "editor/highlight/AdvCustomMemoStyler.h"

#include <algorithm>

namespace tarnwick::editor {
namespace {

// First occurrence of the first delimiter kind that occurs at all: the styler's own delimiter
// wins even when an element style's delimiter comes earlier in the text.
TDelimiterMatch FindDelimiter(std::string_view text, const std::string& own,
                              const TElementStyles& styles, bool left) {
    if (!own.empty()) {
        const auto at = text.find(own);
        if (at != std::string_view::npos) {
            return {static_cast<int>(at) + 1, static_cast<int>(own.size())};
        }
    }
    for (int i = 0; i < styles.Count(); ++i) {
        const TElementStyle& style = styles.Items(i);
        if (style.StyleType() != stComment) {
            continue;
        }
        const std::string& delimiter = left ? style.CommentLeft() : style.CommentRight();
        if (delimiter.empty()) {
            continue;
        }
        const auto at = text.find(delimiter);
        if (at != std::string_view::npos) {
            return {static_cast<int>(at) + 1, static_cast<int>(delimiter.size())};
        }
    }
    return {};
}

}  // namespace

TAdvCustomMemoStyler::TAdvCustomMemoStyler() = default;

TAdvCustomMemoStyler::~TAdvCustomMemoStyler() {
    // Copy first: the editor removes itself from the list while being told.
    const std::vector<TStyledEditor*> editors = fNotified;
    for (TStyledEditor* editor : editors) {
        editor->StylerDestroyed(*this);
    }
}

bool TAdvCustomMemoStyler::HasBlockComments() const {
    if (!MultiCommentLeft.empty() && !MultiCommentRight.empty()) {
        return true;
    }
    for (int i = 0; i < fAllStyles.Count(); ++i) {
        const TElementStyle& style = fAllStyles.Items(i);
        if (style.StyleType() == stComment && !style.CommentLeft().empty() &&
            !style.CommentRight().empty()) {
            return true;
        }
    }
    return false;
}

TDelimiterMatch TAdvCustomMemoStyler::FindBlockCommentStart(std::string_view text) const {
    return FindDelimiter(text, MultiCommentLeft, fAllStyles, true);
}

TDelimiterMatch TAdvCustomMemoStyler::FindBlockCommentEnd(std::string_view text) const {
    return FindDelimiter(text, MultiCommentRight, fAllStyles, false);
}

void TAdvCustomMemoStyler::KeywordDrawHook(std::string_view) {}

void TAdvCustomMemoStyler::BeginReadAllStyles() {
    fAllStyles.Clear();
}

void TAdvCustomMemoStyler::Loaded() {
    if (!fAllStyles.ItemRemoved()) {
        fAllStyles.Clear();
    }
    fAllStyles.ResetItemRemoved();
}

void TAdvCustomMemoStyler::AddFreeNotification(TStyledEditor* editor) {
    if (std::find(fNotified.begin(), fNotified.end(), editor) == fNotified.end()) {
        fNotified.push_back(editor);
    }
}

void TAdvCustomMemoStyler::RemoveFreeNotification(TStyledEditor* editor) {
    fNotified.erase(std::remove(fNotified.begin(), fNotified.end(), editor), fNotified.end());
    if (fAllStyles.Editor() == editor) {
        fAllStyles.SetEditor(nullptr);
    }
}

}  // namespace tarnwick::editor
