#pragma once
// A stand-in for an analysis window as the main window opens it: its show
// marks the analysis loaded, then runs what the test gives for the time the
// window is open; the counts say what the main window did with the windows.

#include "shell/analysis_window.h"

#include <functional>

namespace zuv::test {

class FakeAnalysisWindow final : public AnalysisWindow {
public:
    using WhileOpen = std::function<void(FakeAnalysisWindow&)>;

    explicit FakeAnalysisWindow(AnalysisKind kind, WhileOpen whileOpen = {});
    ~FakeAnalysisWindow() override;

    AnalysisKind kind() const override { return kind_; }
    void showModal() override;
    void RefreshLanguage() override;

    // Over all the windows made since a test set them to 0.
    inline static int refreshed = 0;
    inline static int destroyed = 0;

private:
    AnalysisKind kind_;
    WhileOpen whileOpen_;
};

} // namespace zuv::test
