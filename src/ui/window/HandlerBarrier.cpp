#include "ui/window/HandlerBarrier.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>
#include <cstdio>

#include "ui/window/UiDialogs.h"

namespace tarnwick::ui {
namespace {

// Set while a handler error is on screen; the boxes are modal, so they nest only through
// events handled under an open box.
bool gShowing = false;

HandlerErrorView* ViewAround(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* view = dynamic_cast<HandlerErrorView*>(w)) {
            return view;
        }
    }
    return nullptr;
}

}  // namespace

QString ApplicationTitle() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void ShowHandlerError(QWidget* source, const QString& text) noexcept {
    if (gShowing) {
        return;
    }
    gShowing = true;
    try {
        if (HandlerErrorView* view = ViewAround(source)) {
            view->ShowHandlerError(text);
        } else {
            UiDialogs::Standard().ShowError(source != nullptr ? source->window() : nullptr,
                                            ApplicationTitle(), text + QLatin1Char('.'));
        }
    } catch (...) {
        // Showing failed as well (out of memory): only the standard error stream is left.
        std::fputs("An error could not be shown\n", stderr);
    }
    gShowing = false;
}

}  // namespace tarnwick::ui
