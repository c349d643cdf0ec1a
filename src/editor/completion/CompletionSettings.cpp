#include "editor/completion/CompletionSettings.h"

#include <array>

namespace tarnwick::editor {

TCompletionKindObject* CompletionKindObject(TCompletionKind kind) {
    static std::array<TCompletionKindObject, kCompletionKindCount> kinds{
        TCompletionKindObject(ckIdentifier), TCompletionKindObject(ckVariable),
        TCompletionKindObject(ckProperty),   TCompletionKindObject(ckEvent),
        TCompletionKindObject(ckMethod),     TCompletionKindObject(ckFunction),
        TCompletionKindObject(ckProcedure)};
    return &kinds.at(static_cast<size_t>(kind));
}

int CompletionKindOf(const TStringList& list, int i) {
    const auto* kind = dynamic_cast<const TCompletionKindObject*>(list.GetObject(i));
    return kind != nullptr ? kind->Kind : ckIdentifier;
}

}  // namespace tarnwick::editor
