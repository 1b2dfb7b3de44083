// The two graphs over time, the Graphics menu, the Units pop-up and the pointer read-out. Which
// graph is meant is told by the check mark of "Marks VS Time" alone; the time unit by its code.
#pragma once

#include "graphs/graph_frame.h"
#include "window/views/view_context.h"

#include <QDate>

class QAction;

namespace examora {

class GraphView : public View {
public:
    explicit GraphView(const ViewContext& context) : x_(context) {}

    void Graphics_Click();
    void MarksTime_Click();
    void MarksCredits_Click();
    void Days_Click();
    void Months_Click();
    void Years_Click();
    void RedrawGraph();
    void DrawMarksTimeGraph();
    void DrawMarksCreditsGraph();
    void Form_MouseMove(int button, int shift, float x, float y);
    void Form_MouseDown(int button, int shift, float x, float y);
    // The keyboard's menu key and Shift+F10 open the Units pop-up as the right button does.
    void PopUpUnitsFromKeyboard();

    const QString& TimeUnit() const { return timeUnit_; }

    void Open() override { RedrawGraph(); }
    void Leave() override;
    QWidget* FocusTarget() const override;
    void Refresh() override;

private:
    void DrawGraph(PlottedValue value, const QColor& fill);
    void SetUnitCommand(QAction* checked, const QString& code);

    ViewContext x_;
    QString timeUnit_;
    QDate graphOrigin_;
};

} // namespace examora
