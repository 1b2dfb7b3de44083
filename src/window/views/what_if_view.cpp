#include "window/views/what_if_view.h"

#include "records/conversions.h"
#include "stats/term.h"
#include "window/views/stats_view.h"
#include "window/widgets/fixed_look.h"
#include "window/widgets/surface.h"
#include "window/widgets/twips.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace examora {
namespace {

const char* const kFigureTitles[5] = {"Overall mark", "Average", "Credits", "Honours", "Graduation base"};

QString Shown(std::optional<double> number) { return number ? Str(*number).trimmed() : QStringLiteral("-"); }

// Keeps the panel over the whole drawing surface.
class FollowSize : public QObject {
public:
    FollowSize(QWidget* panel, QWidget* surface) : QObject(panel), panel_(panel) {
        surface->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            panel_->setGeometry(static_cast<QWidget*>(watched)->rect());
        return false;
    }

private:
    QWidget* panel_;
};

// The table's cell editors, made as a cell is edited, take the fixed colours too (a new style would
// take the keyboard from them and end the edit).
class FixedLookEditors : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setPalette(FixedPalette());
        return editor;
    }
};

QLabel* AddLabel(QGridLayout* grid, const QString& text, int row, int column, int span = 1) {
    auto* label = new QLabel(text);
    grid->addWidget(label, row, column, 1, span);
    return label;
}

} // namespace

WhatIfView::WhatIfView(const ViewContext& context, const StatsView& stats) : x_(context), stats_(stats) {}

void WhatIfView::BuildPanel() {
    panel_ = new QWidget(x_.c.surface);
    panel_->setObjectName(QStringLiteral("WhatIfPanel"));
    panel_->setAccessibleName(QStringLiteral("What if"));
    panel_->setAttribute(Qt::WA_StyledBackground);
    panel_->setStyleSheet(QStringLiteral("#WhatIfPanel { background: rgb(64, 64, 64); }"
                                         "#WhatIfPanel > QLabel { color: white; }"));
    new FollowSize(panel_, x_.c.surface);
    QFont type = panel_->font();
    type.setPointSizeF(ScaledPoints(type.pointSizeF()));
    panel_->setFont(type);
    auto* grid = new QGridLayout(panel_);
    QFont large = panel_->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    AddLabel(grid, QStringLiteral("What if"), 0, 0, 2)->setFont(large);
    mode_ = AddLabel(grid, {}, 0, 2);
    AddLabel(grid, QStringLiteral("Now"), 1, 1);
    AddLabel(grid, QStringLiteral("With the plan"), 1, 2);
    for (int i = 0; i < 5; ++i) {
        AddLabel(grid, QString::fromLatin1(kFigureTitles[i]), 2 + i, 0);
        for (int column = 0; column < 2; ++column) {
            figures_[i][column] = AddLabel(grid, {}, 2 + i, 1 + column);
            figures_[i][column]->setObjectName(QStringLiteral("WhatIf%1%2").arg(i).arg(column));
            figures_[i][column]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
    }
    QLabel* planned = AddLabel(grid, QStringLiteral("&Planned exams"), 7, 0, 3);
    plan_ = new QTableWidget(0, 3, panel_);
    plan_->setObjectName(QStringLiteral("Plan"));
    plan_->setHorizontalHeaderLabels({QStringLiteral("Exam"), QStringLiteral("Credits"), QStringLiteral("Mark")});
    plan_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    plan_->verticalHeader()->hide();
    plan_->setItemDelegate(new FixedLookEditors(plan_));
    plan_->setAccessibleName(QStringLiteral("Planned exams"));
    planned->setBuddy(plan_);
    grid->addWidget(plan_, 8, 0, 1, 3);
    auto* add = new QPushButton(QStringLiteral("Add r&ow"), panel_);
    auto* remove = new QPushButton(QStringLiteral("Re&move row"), panel_);
    add->setObjectName(QStringLiteral("AddPlanned"));
    remove->setObjectName(QStringLiteral("RemovePlanned"));
    grid->addWidget(add, 9, 0);
    grid->addWidget(remove, 9, 1);
    QLabel* target = AddLabel(grid, QStringLiteral("&Target overall mark"), 10, 0);
    target_ = new QLineEdit(panel_);
    target_->setObjectName(QStringLiteral("Target"));
    target->setBuddy(target_);
    grid->addWidget(target_, 10, 1, 1, 2);
    QLabel* degree = AddLabel(grid, QStringLiteral("&Degree credits"), 11, 0);
    degree_ = new QComboBox(panel_);
    degree_->setObjectName(QStringLiteral("DegreeCredits"));
    degree_->setEditable(true);
    degree_->addItems({QStringLiteral("180"), QStringLiteral("120"), QStringLiteral("300")});
    degree->setBuddy(degree_);
    grid->addWidget(degree_, 11, 1, 1, 2);
    outlook_ = AddLabel(grid, {}, 12, 0, 3);
    outlook_->setObjectName(QStringLiteral("Outlook"));
    outlook_->setWordWrap(true);
    grid->setRowStretch(8, 1);
    for (QWidget* control : std::initializer_list<QWidget*>{plan_, add, remove, target_, degree_})
        GiveFixedLook(control);
    panel_->hide();

    QObject::connect(plan_, &QTableWidget::itemChanged, panel_, [this] { ShowPlan(); });
    QObject::connect(add, &QPushButton::clicked, panel_, [this] { AddRow(); });
    QObject::connect(remove, &QPushButton::clicked, panel_, [this] { RemoveRow(); });
    QObject::connect(target_, &QLineEdit::textChanged, panel_, [this] { ShowPlan(); });
    QObject::connect(degree_, &QComboBox::currentTextChanged, panel_, [this] { ShowPlan(); });
}

QWidget* WhatIfView::FocusTarget() const { return plan_; }

void WhatIfView::WhatIf_Click() {
    x_.screen.ForgetGraph();
    // The panel is made on first use, over the surface the window has made by then.
    if (!panel_)
        BuildPanel();
    x_.screen.Enter(ViewId::WhatIf);
    panel_->setGeometry(x_.c.surface->rect());
    panel_->show();
    panel_->raise();
    Refresh();
    FocusTarget()->setFocus(Qt::OtherFocusReason);
}

void WhatIfView::Leave() {
    if (panel_)
        panel_->hide();
}

void WhatIfView::Refresh() {
    if (!panel_)
        return;
    const AverageMode mode = stats_.CurrentAverageMode();
    mode_->setText(mode == AverageMode::Academic ? QStringLiteral("Academic Mode") : QStringLiteral("Math Mode"));
    now_ = ComputeMainStats(x_.document.List().Readings(), mode);
    honoursNow_ = CountHonours(x_.document.List().Held());
    const std::optional<double> now[5] = {now_.overallMark, now_.mathAverage, now_.totalCredits,
                                          double(honoursNow_), GraduationBase(now_)};
    for (int i = 0; i < 5; ++i)
        figures_[i][0]->setText(Shown(now[i]));
    ShowPlan();
}

void WhatIfView::ShowPlan() {
    std::vector<PlannedExam> plan;
    int honours = honoursNow_;
    // Marking a cell is no change of the plan.
    const QSignalBlocker quiet(plan_);
    for (int row = 0; row < plan_->rowCount(); ++row) {
        const auto text = [&](int column) {
            return plan_->item(row, column) ? plan_->item(row, column)->text() : QString();
        };
        const std::optional<PlannedExam> exam = ReadPlannedExam(text(1), text(2));
        // A row not filled in yet is left out of the plan; one that does not read is marked.
        for (int column : {1, 2})
            if (QTableWidgetItem* item = plan_->item(row, column))
                item->setForeground(exam || text(1).isEmpty() || text(2).isEmpty() ? QColor(Qt::black) : QColor(Qt::red));
        if (exam) {
            plan.push_back(*exam);
            honours += exam->honours;
        }
    }
    const MainStats withPlan = StatsWithPlan(x_.document.List().Readings(), plan, stats_.CurrentAverageMode());
    const std::optional<double> planned[5] = {withPlan.overallMark, withPlan.mathAverage, withPlan.totalCredits,
                                              double(honours), GraduationBase(withPlan)};
    for (int i = 0; i < 5; ++i)
        figures_[i][1]->setText(Shown(planned[i]));
    const QString target = target_->text().trimmed(), degree = degree_->currentText().trimmed();
    if (!IsNumeric(target) || !IsNumeric(degree) || Val(degree) <= 0)
        return outlook_->setText(QStringLiteral("Type the overall mark you aim for and the credits of your degree."));
    outlook_->setText(OutlookText(OutlookFor(withPlan, Val(target), Val(degree)), Val(target)));
}

void WhatIfView::AddRow() {
    const int row = plan_->rowCount();
    plan_->insertRow(row);
    // Empty cells, so that the first one opens for typing at once.
    const QSignalBlocker quiet(plan_);
    for (int column = 0; column < plan_->columnCount(); ++column)
        plan_->setItem(row, column, new QTableWidgetItem);
    plan_->setCurrentCell(row, 0);
    plan_->setFocus();
    plan_->editItem(plan_->currentItem());
}

void WhatIfView::RemoveRow() {
    if (plan_->rowCount() == 0)
        return;
    plan_->removeRow(plan_->currentRow() >= 0 ? plan_->currentRow() : plan_->rowCount() - 1);
    ShowPlan();
}

} // namespace examora
