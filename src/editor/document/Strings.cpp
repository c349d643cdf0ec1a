#include "editor/document/Strings.h"

namespace tarnwick::editor {

int TStrings::Add(const std::string& s) {
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) {
        return;
    }
    BeginUpdate();
    try {
        Clear();
        AddStrings(source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& source) {
    BeginUpdate();
    try {
        const int n = source.Count();
        for (int i = 0; i < n; ++i) {
            AddObject(source.Get(i), source.GetObject(i));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (fUpdateCount++ == 0) {
        SetUpdateState(true);
    }
}

void TStrings::EndUpdate() {
    if (fUpdateCount > 0 && --fUpdateCount == 0) {
        SetUpdateState(false);
    }
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Changing() {
    if (fUpdateCount == 0 && OnChanging) {
        OnChanging(*this);
    }
}

void TStrings::Changed() {
    if (fUpdateCount == 0 && OnChange) {
        OnChange(*this);
    }
}

}  // namespace tarnwick::editor
