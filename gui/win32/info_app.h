// The application: prepares the process and the common controls, then shows the main dialog
// modally; the program ends when it closes.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace kolt {

class CInfoApp {
public:
    CInfoApp();

    // Shows the main dialog and returns the process's exit status once it has closed.
    int Run();

private:
    std::unique_ptr<Platform> m_platform;
    std::string m_applicationName;
};

}  // namespace kolt
