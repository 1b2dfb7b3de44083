// The what-if view: where the student stands now, what planned exams would make of it, and what the
// credits still missing need to reach a target. The plan is a calculator's: it is never written to
// the data file and never counts as an unsaved change.
#pragma once

#include "stats/main_stats.h"
#include "window/views/view_context.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace examora {

class StatsView;

class WhatIfView : public View {
public:
    WhatIfView(const ViewContext& context, const StatsView& stats);

    void WhatIf_Click();

    void Open() override { WhatIf_Click(); }
    QWidget* FocusTarget() const override;
    void Leave() override;
    // The record or the mode changed: the figures of now, then those with the plan.
    void Refresh() override;

private:
    void BuildPanel();
    // The plan or the target changed.
    void ShowPlan();
    void AddRow();
    void RemoveRow();

    ViewContext x_;
    const StatsView& stats_;
    QWidget* panel_ = nullptr;
    QLabel* mode_ = nullptr;
    QLabel* figures_[5][2] = {}; // overall mark, average, credits, honours, graduation base; now, planned
    QTableWidget* plan_ = nullptr;
    QLineEdit* target_ = nullptr;
    QComboBox* degree_ = nullptr;
    QLabel* outlook_ = nullptr;
    MainStats now_;
    int honoursNow_ = 0;
};

} // namespace examora
