// TStrings: the abstract ordered list of strings with one object slot per entry, a nested
// update counter and change events. Changes fire OnChanging/OnChange only outside brackets.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tarnwick::editor {

// Base of the objects a caller may attach to a list entry. The lists never own them.
class TObject {
  public:
    virtual ~TObject() = default;
};

class TStrings {
  public:
    using TNotifyEvent = std::function<void(TStrings&)>;

    TStrings() = default;
    virtual ~TStrings() = default;
    // A list is an identity (its owner and events point at it); copy through Assign.
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s) = 0;
    virtual TObject* GetObject(int index) const = 0;
    virtual void PutObject(int index, TObject* object) = 0;
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Appends s and returns its index.
    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, TObject* object);
    // Replaces the content by a copy of source's lines and objects.
    virtual void Assign(const TStrings& source);
    // Appends a copy of source's lines and objects.
    virtual void AddStrings(const TStrings& source);

    std::string operator[](int index) const { return Get(index); }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return fUpdateCount; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

  protected:
    // Called when the counter leaves or reaches 0; the plain list needs nothing here.
    virtual void SetUpdateState(bool updating);
    void Changing();
    void Changed();

  private:
    int fUpdateCount = 0;
};

}  // namespace tarnwick::editor
