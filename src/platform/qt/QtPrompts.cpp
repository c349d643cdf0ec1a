// Qt message and question boxes.
#include "platform/qt/QtPrompts.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

namespace tarnwick::platform {

std::shared_ptr<QtPrompts> QtPrompts::Create(QWidget* owner, UiDispatcher& dispatcher) {
    return std::shared_ptr<QtPrompts>(new QtPrompts(owner, dispatcher));
}

QtPrompts::QtPrompts(QWidget* owner, UiDispatcher& dispatcher)
    : fOwner(owner), fDispatcher(&dispatcher) {}

PromptAnswer QtPrompts::Question(const std::string& text, const std::string& caption) {
    return Ask(Kind::Question, text, caption);
}

void QtPrompts::Message(const std::string& text, const std::string& caption) {
    Ask(Kind::Message, text, caption);
}

void QtPrompts::Close() {
    {
        std::lock_guard lock(fMutex);
        fClosed = true;
    }
    fAnswered.notify_all();
}

PromptAnswer QtPrompts::Show(Kind kind, const std::string& text, const std::string& caption) {
    // On the heap and watched: if the owner goes while the box is open, it takes the box along
    // and the box's event loop ends with No.
    QPointer<QMessageBox> box = new QMessageBox(
        kind == Kind::Question ? QMessageBox::Question : QMessageBox::Information,
        QString::fromStdString(caption), QString::fromStdString(text),
        kind == Kind::Question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
        fOwner.data());
    box->setObjectName(kind == Kind::Question ? "QuestionBox" : "MessageBox");
    const int result = box->exec();
    delete box.data();
    return result == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}

PromptAnswer QtPrompts::Ask(Kind kind, const std::string& text, const std::string& caption) {
    const QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        {
            std::lock_guard lock(fMutex);
            if (fClosed) {
                return PromptAnswer::No;
            }
        }
        return Show(kind, text, caption);
    }
    auto request = std::make_shared<Request>();
    std::unique_lock lock(fMutex);
    if (fClosed) {
        return PromptAnswer::No;
    }
    // Posted under the lock, so it happens before Close() and thus while the dispatcher lives.
    fDispatcher->Post([weak = weak_from_this(), request, kind, text, caption] {
        const std::shared_ptr<QtPrompts> self = weak.lock();
        if (!self) {
            return;
        }
        {
            std::lock_guard closedLock(self->fMutex);
            if (self->fClosed) {
                return;
            }
        }
        const PromptAnswer answer = self->Show(kind, text, caption);
        {
            std::lock_guard answerLock(self->fMutex);
            request->done = true;
            request->answer = answer;
        }
        self->fAnswered.notify_all();
    });
    fAnswered.wait(lock, [&] { return request->done || fClosed; });
    return request->done ? request->answer : PromptAnswer::No;
}

}  // namespace tarnwick::platform
