// Qt message and question boxes.
#include "platform/qt/QtPrompts.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

namespace tarnwick {

std::shared_ptr<QtPrompts> QtPrompts::Create(QWidget* owner, UiDispatcher& dispatcher) {
    return std::shared_ptr<QtPrompts>(new QtPrompts(owner, dispatcher));
}

QtPrompts::QtPrompts(QWidget* owner, UiDispatcher& dispatcher)
    : owner_(owner), dispatcher_(&dispatcher) {}

PromptAnswer QtPrompts::Question(const std::string& text, const std::string& caption) {
    return Ask(Kind::Question, text, caption);
}

void QtPrompts::Message(const std::string& text, const std::string& caption) {
    Ask(Kind::Message, text, caption);
}

void QtPrompts::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    answered_.notify_all();
}

PromptAnswer QtPrompts::Show(Kind kind, const std::string& text, const std::string& caption) {
    // On the heap and watched: if the owner goes while the box is open, it takes the box along
    // and the box's event loop ends with No.
    QPointer<QMessageBox> box = new QMessageBox(
        kind == Kind::Question ? QMessageBox::Question : QMessageBox::Information,
        QString::fromStdString(caption), QString::fromStdString(text),
        kind == Kind::Question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
        owner_.data());
    box->setObjectName(kind == Kind::Question ? "QuestionBox" : "MessageBox");
    const int result = box->exec();
    delete box.data();
    return result == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}

PromptAnswer QtPrompts::Ask(Kind kind, const std::string& text, const std::string& caption) {
    const QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        {
            std::lock_guard lock(mutex_);
            if (closed_) {
                return PromptAnswer::No;
            }
        }
        return Show(kind, text, caption);
    }
    auto request = std::make_shared<Request>();
    std::unique_lock lock(mutex_);
    if (closed_) {
        return PromptAnswer::No;
    }
    // Posted under the lock, so it happens before Close() and thus while the dispatcher lives.
    dispatcher_->Post([weak = weak_from_this(), request, kind, text, caption] {
        const std::shared_ptr<QtPrompts> self = weak.lock();
        if (!self) {
            return;
        }
        {
            std::lock_guard closedLock(self->mutex_);
            if (self->closed_) {
                return;
            }
        }
        const PromptAnswer answer = self->Show(kind, text, caption);
        {
            std::lock_guard answerLock(self->mutex_);
            request->done = true;
            request->answer = answer;
        }
        self->answered_.notify_all();
    });
    answered_.wait(lock, [&] { return request->done || closed_; });
    return request->done ? request->answer : PromptAnswer::No;
}

}  // namespace tarnwick
