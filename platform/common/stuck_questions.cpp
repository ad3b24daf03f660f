#include "platform/common/stuck_questions.h"

namespace kolt::common {

bool StuckQuestions::StillStuck(const std::string& key) {
    const std::lock_guard lock(m_mutex);
    const auto found = m_running.find(key);
    if (found == m_running.end()) {
        return false;
    }
    if (!found->second()) {
        return true;
    }
    m_running.erase(found);
    return false;
}

void StuckQuestions::Keep(const std::string& key, std::function<bool()> finished) {
    const std::lock_guard lock(m_mutex);
    m_running.insert_or_assign(key, std::move(finished));
}

}  // namespace kolt::common
