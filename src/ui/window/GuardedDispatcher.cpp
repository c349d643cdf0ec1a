#include "ui/window/GuardedDispatcher.h"

#include <utility>

#include "ui/window/HandlerBarrier.h"

namespace tarnwick::ui {

GuardedDispatcher::GuardedDispatcher(QWidget* source) : fSource(source) {}

void GuardedDispatcher::Post(std::function<void()> task) {
    fQueue.Post([source = fSource, task = std::move(task)] { RunHandler(source.data(), task); });
}

}  // namespace tarnwick::ui
