// TNotification: an event that several parts listen to. Listeners run in the order they were
// added; Remove takes one out by the ticket Add gave. A listener may add or remove listeners
// (itself included) while it runs: a raise calls those present when it began and still present
// when their turn comes.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace tarnwick::editor {

template <typename... Args>
class TNotification {
  public:
    using Listener = std::function<void(Args...)>;
    using Ticket = int;

    TNotification() = default;
    TNotification(const TNotification&) = delete;
    TNotification& operator=(const TNotification&) = delete;

    Ticket Add(Listener listener) {
        const Ticket ticket = ++fLastTicket;
        fListeners.push_back({ticket, std::move(listener)});
        return ticket;
    }
    // Removing a ticket that is not (or no longer) listening does nothing.
    void Remove(Ticket ticket) {
        std::erase_if(fListeners, [ticket](const Entry& e) { return e.Id == ticket; });
    }
    bool Empty() const { return fListeners.empty(); }

    void Raise(Args... args) const {
        std::vector<Ticket> tickets;
        tickets.reserve(fListeners.size());
        for (const Entry& e : fListeners) {
            tickets.push_back(e.Id);
        }
        for (const Ticket ticket : tickets) {
            for (const Entry& e : fListeners) {
                if (e.Id == ticket) {
                    // A copy: the listener may remove itself while it runs.
                    const Listener listen = e.Listen;
                    if (listen) {
                        listen(args...);
                    }
                    break;
                }
            }
        }
    }

  private:
    struct Entry {
        Ticket Id;
        Listener Listen;
    };
    std::vector<Entry> fListeners;
    Ticket fLastTicket = 0;
};

}  // namespace tarnwick::editor
