#include "platform/common/drive_probes.h"

#include <utility>

namespace kolt::common {

namespace {

using SpaceSlot = AnswerSlot<std::optional<DiskSpace>>;
using TypeSlot = AnswerSlot<DriveKind>;

struct Started {
    std::size_t index;
    std::optional<TypeSlot> type;  // only where the type is asked
    SpaceSlot space;
};

}  // namespace

std::vector<DriveInfo> ProbeDrives(std::vector<DriveProbe> probes, DeadlineClock::duration limit,
                                   StuckQuestions& stuck) {
    const DeadlineClock::time_point deadline = DeadlineClock::now() + limit;
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
        stuck.Remember(probes[asked.index].key, asked.space);
    }
    return drives;
}

}  // namespace kolt::common
