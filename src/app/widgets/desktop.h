#pragma once

#include <string>
#include <vector>

namespace zeph {

class TApplication;
class TSingleInstance;

// The program with its main window: the first-start wizard when the
// profile was never set up, the world, the start-up connections, and the
// event loop until the window has closed. Server names are internal text.
int RunDesktop(TApplication& app, TSingleInstance& instance, const std::vector<std::string>& servers);

}  // namespace zeph
