// The one barrier every UI handler runs behind: window slots, menu actions, dialog buttons,
// timers and the editor widget's key, mouse and paint events. An exception leaving a handler
// stops at the barrier: the handler's remaining steps are skipped, the error's text followed by
// a full stop is shown in an error box captioned with the application title, and the window
// goes on working. The box is shown by the nearest widget around the handler's widget that
// shows handler errors (a HandlerErrorView, such as the main window), or else by the standard
// dialogs. While one such box is open, a further error (a repaint under the box that fails
// again) is not shown on top of it.
#pragma once

#include <QString>
#include <exception>
#include <utility>

class QWidget;

namespace tarnwick::ui {

// A window that shows the errors of the handlers of its widgets, menus and dialogs.
class HandlerErrorView {
  public:
    // `text` is the error's own text; the view adds the full stop and the caption.
    virtual void ShowHandlerError(const QString& text) = 0;

  protected:
    ~HandlerErrorView() = default;
};

// The text shown for an exception that carries none (not a std::exception).
inline constexpr const char* kUnknownHandlerError = "Unknown error";

// The caption of error boxes: the executable's file name without its extension.
QString ApplicationTitle();

// Shows `text` through the view around `source` (see above); never raises.
void ShowHandlerError(QWidget* source, const QString& text) noexcept;

// Runs `handler` behind the barrier; false when it raised (the error has then been shown).
template <typename Handler>
bool RunHandler(QWidget* source, Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception& e) {
        ShowHandlerError(source, QString::fromStdString(e.what()));
    } catch (...) {
        ShowHandlerError(source, QString::fromLatin1(kUnknownHandlerError));
    }
    return false;
}

// A slot for connect() and queued calls: the receiver's member function behind the barrier.
template <typename Receiver, typename... Args>
auto Guarded(Receiver* receiver, void (Receiver::*handler)(Args...)) {
    return [receiver, handler](Args... args) {
        RunHandler(receiver, [&] { (receiver->*handler)(std::forward<Args>(args)...); });
    };
}

// The same for a callable taking the signal's arguments `Args` (given explicitly).
template <typename... Args, typename Receiver, typename Handler>
auto Guarded(Receiver* receiver, Handler handler) {
    return [receiver, handler = std::move(handler)](Args... args) {
        RunHandler(receiver, [&] { handler(std::forward<Args>(args)...); });
    };
}

}  // namespace tarnwick::ui
