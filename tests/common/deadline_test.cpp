// Asking what may never answer: the caller waits at most until the deadline, drives are asked at
// once so that many that never answer cost one deadline, and a probe still stuck is not started
// again, nor a question still stuck asked again, by the owner of the record that holds it. The
// questions here wait at a gate that opens only when the test is done with them.
#include "platform/common/deadline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/common/drive_probes.h"
#include "platform/common/started_question.h"
#include "platform/common/stuck_questions.h"

namespace kolt::common {
namespace {

using namespace std::chrono_literals;

// Where a question waits for an answer that does not come while the test watches.
class Gate {
public:
    void Wait() {
        std::unique_lock lock(m_mutex);
        m_opened.wait(lock, [this] { return m_open; });
    }
    void Open() {
        {
            const std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_opened.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = false;
};

// Long enough that a thread starts well within it on a busy machine, short enough for a unit test.
constexpr auto kLimit = 300ms;

double SecondsSince(DeadlineClock::time_point start) {
    return std::chrono::duration<double>(DeadlineClock::now() - start).count();
}

TEST(AskWithin, AnAnswerThatDoesNotComeInTimeCountsAsNone) {
    // Shared, so that a question still waiting when the test ends finds its gate alive.
    const auto gate = std::make_shared<Gate>();
    struct Case {
        const char* what;
        std::function<int()> question;
        std::optional<int> expected;
        bool waitsTheLimit;
    };
    const Case cases[] = {
        {"answers at once", [] { return 42; }, 42, false},
        {"never answers",
         [gate] {
             gate->Wait();
             return 7;
         },
         std::nullopt, true},
        {"fails", []() -> int { throw std::runtime_error("no"); }, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto start = DeadlineClock::now();
        EXPECT_EQ(AskWithin<int>(kLimit, c.question), c.expected);
        const double seconds = SecondsSince(start);
        if (c.waitsTheLimit) {
            EXPECT_GE(seconds, 0.3);
            EXPECT_LT(seconds, 5.0);
        } else {
            EXPECT_LT(seconds, 0.3);
        }
    }
    // The late answer goes into a slot only the worker still holds.
    gate->Open();
}

TEST(AskWithin, QuestionsAskedAtOnceFromManyThreadsEachGetTheirOwnAnswer) {
    // Quick questions, one after another from several threads at once: worker threads start and
    // end all the time, and a thread that ends before its starter is done with it must not hand
    // its leftovers to the next thread started.
    constexpr int kAskers = 4;
    constexpr int kQuestionsEach = 400;
    std::atomic<int> wrong{0};
    std::vector<std::thread> askers;
    for (int asker = 0; asker < kAskers; ++asker) {
        askers.emplace_back([asker, &wrong] {
            for (int question = 0; question < kQuestionsEach; ++question) {
                const int expected = asker * kQuestionsEach + question;
                if (AskWithin<int>(10s, [expected] { return expected; }) != expected) {
                    ++wrong;
                }
            }
        });
    }
    for (std::thread& asker : askers) {
        asker.join();
    }
    EXPECT_EQ(wrong.load(), 0);
}

// Drives as a test scripts them: each counts its questions, and those marked dead wait at the gate.
struct ScriptedDrives {
    // The questions still waiting finish when the test is done.
    ~ScriptedDrives() { gate->Open(); }

    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    std::shared_ptr<std::atomic<int>> asked = std::make_shared<std::atomic<int>>(0);

    DriveProbe Drive(const std::string& key, char letter, bool dead, bool mayWait = true) const {
        DriveProbe probe;
        probe.key = key;
        probe.known = DriveInfo{letter, DriveKind::Network, std::nullopt};
        probe.mayWait = mayWait;
        probe.askSpace = [gate = gate, asked = asked, dead]() -> std::optional<DiskSpace> {
            ++*asked;
            if (dead) {
                gate->Wait();
            }
            return DiskSpace{4096, 1024};
        };
        return probe;
    }
};

TEST(ProbeDrives, TenDrivesThatNeverAnswerCostOneDeadline) {
    ScriptedDrives script;
    std::vector<DriveProbe> probes;
    probes.push_back(script.Drive("ten/local", 'C', false, false));
    const auto caller = std::this_thread::get_id();
    std::thread::id localAskedOn;
    probes.back().askSpace = [&localAskedOn]() -> std::optional<DiskSpace> {
        localAskedOn = std::this_thread::get_id();
        return DiskSpace{8192, 0};
    };
    for (int i = 0; i < 10; ++i) {
        probes.push_back(
            script.Drive("ten/dead" + std::to_string(i), static_cast<char>('D' + i), true));
    }
    probes.push_back(script.Drive("ten/alive", 'N', false));

    StuckQuestions stuck;
    const auto start = DeadlineClock::now();
    const std::vector<DriveInfo> drives = ProbeDrives(std::move(probes), kLimit, stuck);
    const double seconds = SecondsSince(start);
    EXPECT_GE(seconds, 0.3);
    EXPECT_LT(seconds, 2.0) << "one deadline for all, not one per drive";

    ASSERT_EQ(drives.size(), 12u);
    EXPECT_EQ(localAskedOn, caller) << "a drive that answers at once is asked without a thread";
    EXPECT_TRUE(drives[0].answeredInTime);
    EXPECT_EQ(drives[0].space->totalBytes, 8192u);
    for (std::size_t i = 1; i <= 10; ++i) {
        SCOPED_TRACE(drives[i].letter);
        EXPECT_EQ(drives[i].letter, static_cast<char>('D' + i - 1));
        EXPECT_FALSE(drives[i].answeredInTime);
        EXPECT_FALSE(drives[i].space.has_value());
        EXPECT_EQ(drives[i].kind, DriveKind::Network) << "the type known without the drive";
    }
    EXPECT_TRUE(drives[11].answeredInTime);
    EXPECT_EQ(drives[11].space->totalFreeBytes, 1024u);
}

// The dialog program's second Process: a drive whose first probe is still stuck counts as not
// answering at once, without a second probe; once that probe has finished, it is asked again.
TEST(ProbeDrives, AProbeStillStuckIsNotStartedAgain) {
    ScriptedDrives script;
    StuckQuestions stuck;
    const auto probes = [&script] {
        std::vector<DriveProbe> list;
        list.push_back(script.Drive("again/dead", 'M', true));
        return list;
    };
    ASSERT_FALSE(ProbeDrives(probes(), kLimit, stuck)[0].answeredInTime);
    ASSERT_EQ(*script.asked, 1);

    const auto start = DeadlineClock::now();
    const std::vector<DriveInfo> second = ProbeDrives(probes(), kLimit, stuck);
    EXPECT_LT(SecondsSince(start), 0.3) << "not waited for again";
    EXPECT_FALSE(second[0].answeredInTime);
    EXPECT_EQ(*script.asked, 1) << "no second probe of a stuck drive";

    // The late answer arrives long after its caller went on; the drive is then asked afresh.
    script.gate->Open();
    std::optional<DriveInfo> answered;
    for (int round = 0; round < 100 && !answered; ++round) {
        const DriveInfo drive = ProbeDrives(probes(), kLimit, stuck)[0];
        if (drive.answeredInTime) {
            answered = drive;
        } else {
            std::this_thread::sleep_for(50ms);
        }
    }
    ASSERT_TRUE(answered.has_value());
    EXPECT_EQ(answered->space->totalBytes, 4096u);
    EXPECT_EQ(*script.asked, 2);
}

// A drive whose type is asked too (Windows asks the drive for both): a type that came before the
// space stalled is kept; a type that did not come leaves what was known.
TEST(ProbeDrives, ATypeThatCameIsKeptWhenTheSpaceDoesNot) {
    ScriptedDrives script;
    struct Case {
        const char* key;
        bool typeAnswers;
        DriveKind expected;
    };
    const Case cases[] = {
        {"type/answers", true, DriveKind::CdRom},
        {"type/stalls", false, DriveKind::Unknown},
    };
    std::vector<DriveProbe> probes;
    for (const Case& c : cases) {
        DriveProbe probe = script.Drive(c.key, 'E', true);
        probe.known.kind = DriveKind::Unknown;
        probe.askType = [gate = script.gate, answers = c.typeAnswers] {
            if (!answers) {
                gate->Wait();
            }
            return DriveKind::CdRom;
        };
        probes.push_back(std::move(probe));
    }
    StuckQuestions stuck;
    const std::vector<DriveInfo> drives = ProbeDrives(std::move(probes), kLimit, stuck);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].key);
        EXPECT_FALSE(drives[i].answeredInTime);
        EXPECT_EQ(drives[i].kind, cases[i].expected);
    }
}

// The firmware or the adapter list on Windows, asked by each report: a call that hangs costs its
// deadline once, later reports give up at once without a second thread, and once the call has
// returned it is asked afresh.
TEST(StuckQuestions, AQuestionStillStuckIsNotAskedAgain) {
    const auto gate = std::make_shared<Gate>();
    const auto asked = std::make_shared<std::atomic<int>>(0);
    const std::function<int()> firmware = [gate, asked] {
        if (++*asked == 1) {
            gate->Wait();
        }
        return 5;
    };
    StuckQuestions stuck;
    EXPECT_EQ(stuck.AskWithin("firmware", kLimit, firmware), std::nullopt);

    const auto start = DeadlineClock::now();
    EXPECT_EQ(stuck.AskWithin("firmware", kLimit, firmware), std::nullopt);
    EXPECT_LT(SecondsSince(start), 0.3) << "not waited for again";
    EXPECT_EQ(*asked, 1);

    gate->Open();
    std::optional<int> answer;
    for (int round = 0; round < 100 && !answer; ++round) {
        answer = stuck.AskWithin("firmware", kLimit, firmware);
        if (!answer) {
            std::this_thread::sleep_for(50ms);
        }
    }
    EXPECT_EQ(answer, 5);
    EXPECT_EQ(*asked, 2);
}

// What is stuck belongs to one key of one record: another key is asked as usual, and a new record
// (a new backend, as each test makes one) asks even the key that is stuck in the old one.
TEST(StuckQuestions, AStuckKeyHoldsBackOnlyItselfInItsOwnRecord) {
    const auto gate = std::make_shared<Gate>();
    const std::function<int()> hangs = [gate] {
        gate->Wait();
        return 1;
    };
    StuckQuestions first;
    ASSERT_EQ(first.AskWithin("adapters", kLimit, hangs), std::nullopt);
    ASSERT_TRUE(first.StillStuck("adapters"));

    StuckQuestions fresh;
    struct Case {
        const char* what;
        StuckQuestions* record;
        const char* key;
    };
    const Case cases[] = {
        {"another key of the same record", &first, "displays"},
        {"the stuck key in a new record", &fresh, "adapters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(c.record->StillStuck(c.key));
        EXPECT_EQ(c.record->AskWithin<int>(c.key, kLimit, [] { return 2; }), 2);
    }
    gate->Open();
}

// The Extended section on Windows: the questions that may hang (WMI, the spooler, the drivers) are
// started together and taken one after another, so that when all of them hang the section waits
// for one deadline, not one each; one that answers comes at once; one still stuck from an
// earlier report is not started again.
TEST(StartedQuestion, QuestionsStartedTogetherShareOneDeadline) {
    const auto gate = std::make_shared<Gate>();
    const auto asked = std::make_shared<std::atomic<int>>(0);
    const std::function<int()> hangs = [gate, asked] {
        ++*asked;
        gate->Wait();
        return 1;
    };
    StuckQuestions stuck;
    std::vector<StartedQuestion<int>> questions;
    for (const char* key : {"updates", "antivirus", "printers", "monitors"}) {
        questions.emplace_back(key);
    }
    StartedQuestion<int> answers("power");

    for (int report = 0; report < 2; ++report) {
        SCOPED_TRACE(report);
        const auto start = DeadlineClock::now();
        const auto deadline = start + kLimit;
        for (StartedQuestion<int>& question : questions) {
            question.Start(stuck, deadline, hangs);
        }
        answers.Start(stuck, deadline, [] { return 7; });
        for (StartedQuestion<int>& question : questions) {
            EXPECT_EQ(question.Take(stuck, kLimit, hangs), std::nullopt);
        }
        EXPECT_EQ(answers.Take(stuck, kLimit, [] { return 8; }), 7) << "the started asking's";
        EXPECT_LT(SecondsSince(start), report == 0 ? 0.3 + 0.25 : 0.25);
    }
    EXPECT_EQ(*asked, 4) << "the stuck ones were not started again";

    // Not started: asked when taken, within its own limit.
    StartedQuestion<int> unstarted("firmware");
    EXPECT_EQ(unstarted.Take(stuck, kLimit, [] { return 9; }), 9);
    gate->Open();
}

}  // namespace
}  // namespace kolt::common
