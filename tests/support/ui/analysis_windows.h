#pragma once
// Both analysis windows registered for the Analysis command as the program
// registers them at its start, for as long as this lives.

namespace zuv::test {

class AnalysisWindowsRegistered {
public:
    AnalysisWindowsRegistered();
    ~AnalysisWindowsRegistered();
    AnalysisWindowsRegistered(const AnalysisWindowsRegistered&) = delete;
    AnalysisWindowsRegistered& operator=(const AnalysisWindowsRegistered&) = delete;
};

} // namespace zuv::test
