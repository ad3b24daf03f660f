#include "platform/common/drive_probes.h"

#include <map>
#include <mutex>
#include <utility>

namespace kolt::common {

namespace {

using SpaceSlot = AnswerSlot<std::optional<DiskSpace>>;
using TypeSlot = AnswerSlot<DriveKind>;

// The probes that had not answered by their deadline, by drive, for the whole process: a second
// report (the dialog program's next Process) does not start a second probe of a drive whose first
// one is still stuck.
class StuckProbes {
public:
    // Whether the drive's earlier probe is still stuck; a probe that has finished is forgotten.
    bool StillStuck(const std::string& key) {
        const std::lock_guard lock(m_mutex);
        const auto found = m_probes.find(key);
        if (found == m_probes.end()) {
            return false;
        }
        if (!found->second.Settled()) {
            return true;
        }
        m_probes.erase(found);
        return false;
    }

    void Remember(const std::string& key, const SpaceSlot& probe) {
        const std::lock_guard lock(m_mutex);
        m_probes.insert_or_assign(key, probe);
    }

private:
    std::mutex m_mutex;
    std::map<std::string, SpaceSlot> m_probes;
};

StuckProbes& ProcessStuckProbes() {
    static StuckProbes probes;
    return probes;
}

struct Started {
    std::size_t index;
    std::optional<TypeSlot> type;  // only where the type is asked
    SpaceSlot space;
};

}  // namespace

std::vector<DriveInfo> ProbeDrives(std::vector<DriveProbe> probes, DeadlineClock::duration limit) {
    const DeadlineClock::time_point deadline = DeadlineClock::now() + limit;
    StuckProbes& stuck = ProcessStuckProbes();
    std::vector<DriveInfo> drives;
    drives.reserve(probes.size());
    std::vector<Started> started;
    for (std::size_t i = 0; i < probes.size(); ++i) {
        DriveProbe& probe = probes[i];
        drives.push_back(probe.known);
        DriveInfo& drive = drives.back();
        if (!probe.mayWait) {
            if (probe.askType) {
                drive.kind = probe.askType();
            }
            drive.space = probe.askSpace();
            continue;
        }
        if (stuck.StillStuck(probe.key)) {
            drive.answeredInTime = false;
            continue;
        }
        Started asked{i, std::nullopt, SpaceSlot()};
        if (probe.askType) {
            asked.type = TypeSlot();
        }
        const bool running = RunOnWorkerThread([type = asked.type, space = asked.space,
                                                askType = std::move(probe.askType),
                                                askSpace = std::move(probe.askSpace)] {
            try {
                if (type) {
                    type->Give(askType());
                }
                space.Give(askSpace());
            } catch (...) {
                space.GiveUp();
            }
            if (type) {
                type->GiveUp();  // no effect once the type has come
            }
        });
        if (!running) {
            drive.answeredInTime = false;
            continue;
        }
        started.push_back(std::move(asked));
    }

    // One deadline for all: the drives were asked at once, so those that never answer cost it once.
    for (const Started& asked : started) {
        DriveInfo& drive = drives[asked.index];
        if (asked.type) {
            if (const auto type = asked.type->WaitUntil(deadline)) {
                drive.kind = *type;
            }
        }
        if (const auto space = asked.space.WaitUntil(deadline)) {
            drive.space = *space;
            continue;
        }
        drive.answeredInTime = false;
        if (!asked.space.Settled()) {
            stuck.Remember(probes[asked.index].key, asked.space);
        }
    }
    return drives;
}

}  // namespace kolt::common
