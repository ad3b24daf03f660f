// Asking something that may never answer (a share whose server has gone, a name server that is
// silent) without waiting for it past a deadline. The question runs on a worker thread that is
// never joined; whoever waits gives up at the deadline and goes on, and the program can end while
// the worker is still stuck in the kernel.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace kolt::common {

using DeadlineClock = std::chrono::steady_clock;

// One answer that a worker gives at most once. The worker and whoever waits share it, so an
// answer that comes after everyone stopped waiting is written into memory that still exists, and
// goes with its last owner.
template <typename Answer>
class AnswerSlot {
public:
    AnswerSlot() : m_state(std::make_shared<State>()) {}

    // The worker's side: the answer, or that none will come.
    void Give(Answer answer) const { Settle(std::optional<Answer>(std::move(answer))); }
    void GiveUp() const { Settle(std::nullopt); }

    // The answer if it has come by `deadline`; nullopt otherwise. Never waits past the deadline,
    // and not at all once the worker has given up.
    std::optional<Answer> WaitUntil(DeadlineClock::time_point deadline) const {
        std::unique_lock lock(m_state->mutex);
        m_state->settled.wait_until(lock, deadline, [this] { return m_state->done; });
        return m_state->answer;
    }

    // Whether the worker is done with it, answer or not; never waits.
    bool Settled() const {
        const std::lock_guard lock(m_state->mutex);
        return m_state->done;
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable settled;
        bool done = false;
        std::optional<Answer> answer;
    };

    void Settle(std::optional<Answer> answer) const {
        {
            const std::lock_guard lock(m_state->mutex);
            if (m_state->done) {
                return;
            }
            m_state->done = true;
            m_state->answer = std::move(answer);
        }
        m_state->settled.notify_all();
    }

    std::shared_ptr<State> m_state;
};

// Runs `work` on a thread of its own that nobody joins: a call stuck in the kernel holds only that
// thread. False when no thread could be started (`work` then never runs).
bool RunOnWorkerThread(std::function<void()> work);

// Asks `question` on a worker thread; its answer arrives in the slot. A question that fails
// (throws) or that no thread could be started for leaves the slot settled without an answer.
template <typename Answer>
AnswerSlot<Answer> AskOnWorkerThread(std::function<Answer()> question) {
    AnswerSlot<Answer> slot;
    const bool started = RunOnWorkerThread([slot, question = std::move(question)] {
        try {
            slot.Give(question());
        } catch (...) {
            slot.GiveUp();
        }
    });
    if (!started) {
        slot.GiveUp();
    }
    return slot;
}

// The answer to `question` if it comes within `limit`; nullopt when it does not.
template <typename Answer>
std::optional<Answer> AskWithin(DeadlineClock::duration limit, std::function<Answer()> question) {
    const DeadlineClock::time_point deadline = DeadlineClock::now() + limit;
    return AskOnWorkerThread(std::move(question)).WaitUntil(deadline);
}

}  // namespace kolt::common
