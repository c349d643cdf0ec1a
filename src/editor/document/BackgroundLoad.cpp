#include "editor/document/BackgroundLoad.h"

#include <exception>
#include <utility>

#include "editor/document/EditorErrors.h"
#include "platform/UiDispatcher.h"
#include "platform/files/FileStream.h"
#include "platform/files/ReadOpen.h"

namespace tarnwick::editor {
namespace {

// Where a head of bytes is cut: after its last line break, or, when it holds none (one long
// line), before its last UTF-8 sequence if that sequence is incomplete.
std::size_t HeadCut(const std::string& head) {
    const std::size_t lastBreak = head.find_last_of("\n\r");
    if (lastBreak != std::string::npos) {
        return lastBreak + 1;
    }
    // Back over continuation bytes (10xxxxxx) to the last sequence's lead byte.
    constexpr std::size_t kLongestSequence = 4;
    std::size_t lead = head.size();
    while (lead > 0 && head.size() - lead < kLongestSequence &&
           (static_cast<unsigned char>(head[lead - 1]) & 0xC0) == 0x80) {
        --lead;
    }
    if (lead == 0) {
        return head.size();
    }
    const auto byte = static_cast<unsigned char>(head[lead - 1]);
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    const std::size_t present = head.size() - (lead - 1);
    return present < length ? lead - 1 : head.size();
}

}  // namespace

struct TBackgroundLoad::TJob {
    std::atomic<bool> cancelled{false};
    std::atomic<bool> ended{false};  // the worker has returned
    TAdvMemoStrings::TLoadProgress progress;
    TDone done;
    TFailed failed;
    TPreview preview;
};

TBackgroundLoad::TBackgroundLoad(platform::UiDispatcher& ui)
    : fUi(ui), fSelf(std::make_shared<TBackgroundLoad*>(this)) {}

TBackgroundLoad::~TBackgroundLoad() {
    *fSelf = nullptr;
    Cancel();
    JoinFinished(true);
}

void TBackgroundLoad::Start(const std::string& path, TAdvMemoStrings::TLoadSettings settings,
                            TDone done, TFailed failed, TPreview preview) {
    Cancel();
    JoinFinished(false);
    auto job = std::make_shared<TJob>();
    job->done = std::move(done);
    job->failed = std::move(failed);
    job->preview = std::move(preview);
    settings.Cancelled = &job->cancelled;
    settings.Progress = &job->progress;
    fCurrent = job;
    std::weak_ptr<TBackgroundLoad*> self = fSelf;
    platform::UiDispatcher& ui = fUi;
    std::thread worker([job, path, settings, self, &ui] {
        if (job->preview) {
            auto head = std::make_shared<std::unique_ptr<TAdvMemoStrings::TPreparedText>>(
                PrepareHead(path, settings));
            if (*head && !job->cancelled.load()) {
                ui.Post([job, self, head] {
                    if (Current(self, job)) {
                        job->preview(std::move(*head));
                    }
                });
            }
        }
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
                if (!Current(self, job)) {
                    return;
                }
                const auto owner = self.lock();
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

bool TBackgroundLoad::Current(const std::weak_ptr<TBackgroundLoad*>& self,
                              const std::shared_ptr<TJob>& job) {
    const auto owner = self.lock();
    return owner && *owner != nullptr && (*owner)->fCurrent == job && !job->cancelled.load();
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

std::unique_ptr<TAdvMemoStrings::TPreparedText> TBackgroundLoad::PrepareHead(
    const std::string& path, const TAdvMemoStrings::TLoadSettings& settings, uint64_t minSize) {
    try {
        // The one read open: regular files only, with their size, never waiting on a FIFO.
        files::ReadOpen opened = files::OpenForReading(path);
        if (!opened.Ok() || opened.Size() < minSize) {
            return nullptr;
        }
        files::TFileStream file(opened.Release());
        std::string head(kPreviewBytes, '\0');
        const std::size_t got = file.Read(head.data(), head.size());  // up to the end
        // A file shorter than the head is whole; a longer one is cut where nothing is cut.
        head.resize(got < head.size() ? got : HeadCut(head));
        TAdvMemoStrings::TLoadSettings own = settings;
        own.Cancelled = nullptr;
        own.Progress = nullptr;
        files::TMemoryStream stream(std::move(head));
        return TAdvMemoStrings::PrepareStream(stream, own);
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace tarnwick::editor
