// The statistics view: four coloured read-outs filled from the held records, in the averaging
// mode of the Mode menu.
#pragma once

#include "stats/main_stats.h"
#include "window/views/view_context.h"

namespace examora {

class StatsView : public View {
public:
    explicit StatsView(const ViewContext& context) : x_(context) {}

    void ViewMainStats_Click();
    void ShowMainStats();
    void AcademicMode_Click();
    void MathMode_Click();
    AverageMode CurrentAverageMode() const;

    void Open() override { ViewMainStats_Click(); }
    QWidget* FocusTarget() const override;
    void Refresh() override { ShowMainStats(); }

private:
    void SetMode(AverageMode mode);

    ViewContext x_;
};

} // namespace examora
