#pragma once
// Stands in for an analysis window until the real ones exist: says so and
// names the file that was chosen.

#include "shell/analysis_window.h"

namespace zuv {

class AnalysisPlaceholder final : public AnalysisWindow {
public:
    explicit AnalysisPlaceholder(AnalysisKind kind) : kind_(kind) {}

    AnalysisKind kind() const override { return kind_; }
    void showModal() override;
    void RefreshLanguage() override {}

    // The message it shows, in the current language.
    QString message() const;

private:
    AnalysisKind kind_;
};

} // namespace zuv
