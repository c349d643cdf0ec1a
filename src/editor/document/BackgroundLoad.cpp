#include "editor/document/BackgroundLoad.h"

#include <exception>
#include <utility>

#include "editor/document/EditorErrors.h"
#include "platform/UiDispatcher.h"

namespace tarnwick::editor {

struct TBackgroundLoad::TJob {
    std::atomic<bool> cancelled{false};
    std::atomic<bool> ended{false};  // the worker has returned
    TAdvMemoStrings::TLoadProgress progress;
    TDone done;
    TFailed failed;
};

TBackgroundLoad::TBackgroundLoad(UiDispatcher& ui)
    : fUi(ui), fSelf(std::make_shared<TBackgroundLoad*>(this)) {}

TBackgroundLoad::~TBackgroundLoad() {
    *fSelf = nullptr;
    Cancel();
    JoinFinished(true);
}

void TBackgroundLoad::Start(const std::string& path, TAdvMemoStrings::TLoadSettings settings,
                            TDone done, TFailed failed) {
    Cancel();
    JoinFinished(false);
    auto job = std::make_shared<TJob>();
    job->done = std::move(done);
    job->failed = std::move(failed);
    settings.Cancelled = &job->cancelled;
    settings.Progress = &job->progress;
    fCurrent = job;
    std::weak_ptr<TBackgroundLoad*> self = fSelf;
    UiDispatcher& ui = fUi;
    std::thread worker([job, path, settings, self, &ui] {
        std::unique_ptr<TAdvMemoStrings::TPreparedText> text;
        std::string error;
        bool cancelled = false;
        try {
            text = TAdvMemoStrings::PrepareFile(path, settings);
        } catch (const ELoadCancelled&) {
            cancelled = true;
        } catch (const std::exception& e) {
            error = e.what();
        }
        if (!cancelled && !job->cancelled.load()) {
            // The text moves into the task; shared, because a std::function must be copyable.
            auto result =
                std::make_shared<std::unique_ptr<TAdvMemoStrings::TPreparedText>>(std::move(text));
            ui.Post([job, self, result, error] {
                const auto owner = self.lock();
                if (!owner || *owner == nullptr || (*owner)->fCurrent != job ||
                    job->cancelled.load()) {
                    return;
                }
                (*owner)->Finish(job);
                if (*result) {
                    job->done(std::move(*result));
                } else {
                    job->failed(error);
                }
            });
        }
        job->ended.store(true);
    });
    fThreads.emplace_back(job, std::move(worker));
}

void TBackgroundLoad::Finish(const std::shared_ptr<TJob>& job) {
    if (fCurrent == job) {
        fCurrent = nullptr;
    }
    JoinFinished(false);
}

void TBackgroundLoad::Cancel() {
    if (fCurrent != nullptr) {
        fCurrent->cancelled.store(true);
        fCurrent = nullptr;
    }
}

void TBackgroundLoad::JoinFinished(bool all) {
    for (auto it = fThreads.begin(); it != fThreads.end();) {
        if (all || it->first->ended.load()) {
            it->second.join();
            it = fThreads.erase(it);
        } else {
            ++it;
        }
    }
}

uint64_t TBackgroundLoad::BytesRead() const {
    return fCurrent != nullptr ? fCurrent->progress.Read.load(std::memory_order_relaxed) : 0;
}

uint64_t TBackgroundLoad::BytesExpected() const {
    return fCurrent != nullptr ? fCurrent->progress.Expected.load(std::memory_order_relaxed) : 0;
}

}  // namespace tarnwick::editor
