// The info view: the author's credits and the picture.
#pragma once

#include "window/views/view_context.h"

namespace examora {

class InfoView : public View {
public:
    explicit InfoView(const ViewContext& context) : x_(context) {}

    void Info_Click();

    void Open() override { Info_Click(); }
    QWidget* FocusTarget() const override;
    void Refresh() override {}

private:
    ViewContext x_;
};

} // namespace examora
