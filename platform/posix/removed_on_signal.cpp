// Only POSIX signal calls here.
#include "platform/posix/removed_on_signal.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstddef>

namespace kolt::posix {

namespace {

// The signals that end a program from outside but can be caught: Ctrl-C, kill, a closed terminal.
constexpr std::array<int, 3> kEndingSignals{SIGINT, SIGTERM, SIGHUP};

// What the handler needs, set before it is installed. It may run on any thread at any moment, so
// it reads only these and calls only async-signal-safe functions.
std::atomic<const char*> g_pathToRemove{nullptr};
std::array<struct sigaction, kEndingSignals.size()> g_previousActions{};
std::array<bool, kEndingSignals.size()> g_installed{};

extern "C" void RemoveFileThenEnd(int signalNumber) {
    if (const char* path = g_pathToRemove.exchange(nullptr)) {
        ::unlink(path);
    }
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        if (kEndingSignals[i] == signalNumber) {
            // The signal stays blocked until this handler returns; then it meets the action that
            // was there before: most often the default one, which ends the program.
            ::sigaction(signalNumber, &g_previousActions[i], nullptr);
            ::raise(signalNumber);
        }
    }
}

}  // namespace

RemovedOnSignal::RemovedOnSignal(const std::string& path) : m_path(path) {
    g_pathToRemove.store(m_path.c_str());
    struct sigaction action {};
    action.sa_handler = RemoveFileThenEnd;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : kEndingSignals) {
        sigaddset(&action.sa_mask, signalNumber);
    }
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        g_installed[i] = ::sigaction(kEndingSignals[i], &action, &g_previousActions[i]) == 0;
        if (g_installed[i] && g_previousActions[i].sa_handler == SIG_IGN) {
            // Ignored (a program started with nohup): it stays ignored.
            ::sigaction(kEndingSignals[i], &g_previousActions[i], nullptr);
            g_installed[i] = false;
        }
    }
}

RemovedOnSignal::~RemovedOnSignal() {
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        if (g_installed[i]) {
            ::sigaction(kEndingSignals[i], &g_previousActions[i], nullptr);
            g_installed[i] = false;
        }
    }
    g_pathToRemove.store(nullptr);
}

}  // namespace kolt::posix
