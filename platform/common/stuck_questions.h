// The questions a backend asks again with each report (a drive's space, the firmware, the adapter
// list) whose last asking has not answered by its deadline and still runs on its worker thread.
// While it runs, the question is not asked again but counts as unanswered at once, so that a call
// that hangs for good holds one thread, not one per report; once it has finished it is forgotten
// and the next report asks afresh. Each backend object owns one record, so a new backend starts
// with nothing stuck.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "platform/common/deadline.h"

namespace kolt::common {

class StuckQuestions {
public:
    // Whether the asking remembered under `key` still runs; one that has finished is forgotten.
    bool StillStuck(const std::string& key);

    // Remembers `asking` under `key` while it has not finished.
    template <typename Answer>
    void Remember(const std::string& key, const AnswerSlot<Answer>& asking) {
        if (!asking.Settled()) {
            Keep(key, [asking] { return asking.Settled(); });
        }
    }

    // The answer to `question` if it comes within `limit`; nullopt when it does not, and at once
    // when its earlier asking under `key` is still stuck.
    template <typename Answer>
    std::optional<Answer> AskWithin(const std::string& key, DeadlineClock::duration limit,
                                    std::function<Answer()> question) {
        const DeadlineClock::time_point deadline = DeadlineClock::now() + limit;
        if (StillStuck(key)) {
            return std::nullopt;
        }
        const AnswerSlot<Answer> asking = AskOnWorkerThread<Answer>(std::move(question));
        std::optional<Answer> answer = asking.WaitUntil(deadline);
        if (!answer) {
            Remember(key, asking);
        }
        return answer;
    }

private:
    void Keep(const std::string& key, std::function<bool()> finished);

    std::mutex m_mutex;
    // By key, whether the asking remembered has finished.
    std::map<std::string, std::function<bool()>> m_running;
};

}  // namespace kolt::common
