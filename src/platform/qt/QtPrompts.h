// The message and question boxes on Qt: modal QMessageBoxes owned by the main window. A call
// from the UI thread shows the box at once; a call from another thread hands the box to the UI
// thread through the dispatcher and waits there for the answer. Close() (the owner is going)
// answers every waiting call with No and refuses later ones, so no thread waits on a window
// that no longer exists. Held through std::shared_ptr by the window and the threads that ask.
#pragma once

#include <QPointer>
#include <QWidget>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/Prompts.h"
#include "platform/UiDispatcher.h"

namespace tarnwick::platform {

class QtPrompts final : public Prompts, public std::enable_shared_from_this<QtPrompts> {
  public:
    // `dispatcher` must stay alive until Close() has been called.
    static std::shared_ptr<QtPrompts> Create(QWidget* owner, UiDispatcher& dispatcher);

    PromptAnswer Question(const std::string& text, const std::string& caption) override;
    void Message(const std::string& text, const std::string& caption) override;
    // Call on the UI thread before the owner or the dispatcher goes.
    void Close();

  private:
    enum class Kind { Question, Message };
    struct Request {
        bool done = false;
        PromptAnswer answer = PromptAnswer::No;
    };

    QtPrompts(QWidget* owner, UiDispatcher& dispatcher);
    PromptAnswer Ask(Kind kind, const std::string& text, const std::string& caption);
    // Shows the box on the UI thread and returns the answer.
    PromptAnswer Show(Kind kind, const std::string& text, const std::string& caption);

    QPointer<QWidget> fOwner;
    UiDispatcher* fDispatcher;
    std::mutex fMutex;
    std::condition_variable fAnswered;
    bool fClosed = false;
};

}  // namespace tarnwick::platform
