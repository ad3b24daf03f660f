// Measuring every drive without waiting on one that never answers: the drives are asked at once,
// each on a worker thread of its own, and all are waited for until one deadline.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/deadline.h"
#include "platform/common/stuck_questions.h"
#include "platform/platform.h"

namespace kolt::common {

// One drive to measure: what is known of it without asking it, and how to ask it.
struct DriveProbe {
    // Names the drive among the caller's stuck questions (a drive root, a mount point): a drive
    // whose earlier probe is still stuck is not asked again.
    std::string key;
    // The letter, and the type where it is known without asking the drive.
    DriveInfo known;
    // False for a drive that answers at once (a local file system): it is asked directly, with
    // no thread.
    bool mayWait = true;
    // The drive's kind; empty when `known` holds it already. Asked before the space.
    std::function<DriveKind()> askType;
    // The drive's size and free bytes; nullopt when it has no medium or cannot be measured.
    std::function<std::optional<DiskSpace>()> askSpace;
};

// The drives measured, in the order given. A drive whose space has not come by `limit` from now
// counts as not answering in time: `known`, with the type if that came, no space and
// `answeredInTime` false. Its probe is remembered in `stuck`: until that probe has finished, a
// later call with the same record counts the drive as not answering at once instead of asking it
// again.
std::vector<DriveInfo> ProbeDrives(std::vector<DriveProbe> probes, DeadlineClock::duration limit,
                                   StuckQuestions& stuck);

}  // namespace kolt::common
