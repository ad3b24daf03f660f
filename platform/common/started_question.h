// A question that may wait on another process or machine, started early and taken later: several
// are started together and share one deadline, so that when all of them hang the caller waits
// for that deadline once rather than once each. Its key in the backend's record of stuck
// questions keeps an asking that hangs for good from being started again while it runs.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/common/deadline.h"
#include "platform/common/stuck_questions.h"

namespace kolt::common {

template <typename Answer>
class StartedQuestion {
public:
    explicit StartedQuestion(std::string key) : m_key(std::move(key)) {}

    // Starts asking `question` on a worker thread, its answer awaited until `deadline` at most;
    // not started when its earlier asking is still stuck (it then counts as unanswered).
    void Start(StuckQuestions& stuck, DeadlineClock::time_point deadline,
               std::function<Answer()> question) {
        m_started = true;
        m_deadline = deadline;
        m_asking.reset();
        if (!stuck.StillStuck(m_key)) {
            m_asking = AskOnWorkerThread<Answer>(std::move(question));
        }
    }

    // The answer of the asking started earlier, waited for until its deadline; where none was
    // started, `question` is asked now within `limit`. Each start is taken once: the next take
    // asks afresh.
    std::optional<Answer> Take(StuckQuestions& stuck, DeadlineClock::duration limit,
                               std::function<Answer()> question) {
        if (!m_started) {
            return stuck.AskWithin<Answer>(m_key, limit, std::move(question));
        }
        m_started = false;
        if (!m_asking) {
            return std::nullopt;
        }
        std::optional<Answer> answer = m_asking->WaitUntil(m_deadline);
        if (!answer) {
            stuck.Remember(m_key, *m_asking);
        }
        m_asking.reset();
        return answer;
    }

private:
    std::string m_key;
    bool m_started = false;
    DeadlineClock::time_point m_deadline{};
    std::optional<AnswerSlot<Answer>> m_asking;
};

}  // namespace kolt::common
