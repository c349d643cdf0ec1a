#include "editor/highlight/LineTokenCache.h"

#include <algorithm>

#include "editor/document/AdvMemoStrings.h"

namespace tarnwick::editor {

TLineTokenCache::Entry& TLineTokenCache::EntryFor(int index) {
    for (Entry& e : fEntries) {
        if (e.Line == index) {
            return e;
        }
    }
    if (fEntries.size() < kMaxEntries) {
        fEntries.emplace_back();
        fEntries.back().Line = index;
        return fEntries.back();
    }
    Entry& oldest =
        *std::min_element(fEntries.begin(), fEntries.end(),
                          [](const Entry& a, const Entry& b) { return a.LastUse < b.LastUse; });
    oldest = Entry{};
    oldest.Line = index;
    return oldest;
}

size_t TLineTokenCache::CheckpointCount(int index) const {
    for (const Entry& e : fEntries) {
        if (e.Line == index) {
            return e.Points.size();
        }
    }
    return 0;
}

HighlightState TLineTokenCache::Tokenize(const TLineTokenizer& tokenizer,
                                         const TAdvMemoStrings& lines, int index,
                                         std::string_view text, HighlightState state,
                                         IHighlightRunSink& sink, size_t firstByte, size_t stopAt) {
    TTokenizeWindow window;
    window.StopAt = stopAt;
    const bool stored = index >= 0 && index < lines.Count() &&
                        lines.View(index).data() == text.data() &&
                        lines.View(index).size() == text.size();
    if (!tokenizer.Resumable() || text.size() < kMinLength || !stored) {
        return tokenizer.TokenizeLine(text, state, sink, window);
    }
    Entry& entry = EntryFor(index);
    entry.LastUse = ++fUses;
    if (entry.Generation != tokenizer.Generation() || !(entry.Start == state)) {
        entry.Points.clear();
    } else {
        // Checkpoints are taken in order and their horizons only grow: the good ones are a
        // front part of the list.
        const size_t same = lines.UnchangedPrefix(index, entry.Version);
        const auto bad = std::find_if(
            entry.Points.begin(), entry.Points.end(), [same](const TTokenizerCheckpoint& cp) {
                return same != TLineStore::kWholeLine && cp.Horizon > same;
            });
        entry.Points.erase(bad, entry.Points.end());
    }
    entry.Version = lines.LinesVersion();
    entry.Generation = tokenizer.Generation();
    entry.Start = state;
    // The latest checkpoint whose pending run starts left of the view: every run handed over
    // before it lies wholly left of the view too.
    auto resume = std::find_if(
        entry.Points.rbegin(), entry.Points.rend(),
        [firstByte](const TTokenizerCheckpoint& cp) { return cp.PendingBegin <= firstByte; });
    std::vector<TTokenizerCheckpoint> taken;
    window.Record = &taken;
    if (resume != entry.Points.rend()) {
        window.Resume = &*resume;
        entry.Points.erase(resume.base(), entry.Points.end());
    } else {
        entry.Points.clear();
    }
    const HighlightState after = tokenizer.TokenizeLine(text, state, sink, window);
    for (TTokenizerCheckpoint& cp : taken) {
        entry.Points.push_back(std::move(cp));
    }
    return after;
}

}  // namespace tarnwick::editor
