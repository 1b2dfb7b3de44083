// The window's controls and where they sit, in twips from the top-left corner of the client area.
#include "window/drawing/artwork.h"
#include "window/form1.h"
#include "window/widgets/button_face.h"
#include "window/widgets/caption_label.h"
#include "window/widgets/exam_list_box.h"
#include "window/widgets/fixed_look.h"
#include "window/widgets/surface.h"
#include "window/widgets/twips.h"

#include <QLineEdit>
#include <QPushButton>

#include <QProxyStyle>
#include <QStyleFactory>
#include <cmath>
#include <limits>

namespace examora {
namespace {

struct Place {
    double left, top, width, height;
};

constexpr Place kLabelPlaces[4] = {
    {0, 240, 6015, 1455}, {0, 2040, 6015, 1455}, {0, 3840, 6015, 1455}, {0, 5640, 6015, 1455}};
constexpr Place kShapePlaces[4] = {
    {0, 480, 6135, 1335}, {0, 2160, 6135, 1455}, {0, 4080, 6135, 1335}, {0, 5880, 6135, 1335}};
constexpr Place kTextPlaces[4] = {
    {360, 840, 5175, 615}, {360, 2640, 5175, 615}, {360, 4440, 5175, 615}, {360, 6240, 5175, 615}};
constexpr Place kExamCommPlace{1800, 7320, 3135, 735};
constexpr Place kImagePlace{960, 3840, 4380, 4125};
constexpr Place kImgShadowPlace{1080, 3960, 4335, 4095};

const char* const kLabelCaptions[4] = {"Exam", "Date", "Mark", "Credit value"};
const char* const kFieldNames[4] = {"Exam name", "Date", "Mark", "Credit value"};

// The list's check boxes in proportion to its large type, so that they can be seen and hit, drawn in
// the fixed look whatever the desktop's theme.
class LargeCheckBoxes : public QProxyStyle {
public:
    explicit LargeCheckBoxes(QObject* owner) : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
        setParent(owner);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight)
            return static_cast<int>(std::lround(24 * LayoutScale()));
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QRect RectOf(const Place& p) { return TwipsRect(p.left, p.top, p.width, p.height); }

// The fonts of the design are Windows fonts; where they are missing the nearest sans serif serves.
QFont BoldFont(const QString& family, double points) {
    QFont font;
    font.setFamilies({family, QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(ScaledPoints(points));
    font.setBold(true);
    return font;
}

QFrame* MakeShadow(QWidget* parent, const QString& name) {
    auto* shadow = new QFrame(parent);
    shadow->setObjectName(name);
    shadow->setProperty("decoration", true); // no screen reader speaks of it
    shadow->setAutoFillBackground(true);
    QPalette colours = shadow->palette();
    colours.setColor(QPalette::Window, Qt::black);
    shadow->setPalette(colours);
    shadow->hide();
    return shadow;
}

} // namespace

void Form1::BuildControls() {
    setWindowTitle(QStringLiteral("Examora"));
    setWindowIcon(WindowIcon());
    c_.surface = new Surface(this);
    c_.surface->setObjectName(QStringLiteral("Surface"));
    c_.surface->setAccessibleName(QStringLiteral("Graph"));
    c_.surface->SetBackColor(QColor(64, 64, 64));
    setCentralWidget(c_.surface);

    // Shadows first, so that each lies behind the control it belongs to.
    for (int i = 0; i < 4; ++i) {
        c_.Shape[i] = MakeShadow(c_.surface, QStringLiteral("Shape%1").arg(i));
        c_.Shape[i]->setGeometry(RectOf(kShapePlaces[i]));
    }
    c_.ImgShadow = MakeShadow(c_.surface, QStringLiteral("ImgShadow"));
    c_.ImgShadow->setGeometry(RectOf(kImgShadowPlace));
    c_.ExamListShadow = MakeShadow(c_.surface, QStringLiteral("ExamListShadow"));

    for (int i = 0; i < 4; ++i) {
        c_.Label[i] = new CaptionLabel(c_.surface);
        c_.Label[i]->setObjectName(QStringLiteral("Label%1").arg(i));
        c_.Label[i]->setGeometry(RectOf(kLabelPlaces[i]));
        c_.Label[i]->setFont(BoldFont(QStringLiteral("Verdana"), 24));
        c_.Label[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        QPalette colours = c_.Label[i]->palette();
        colours.setColor(QPalette::WindowText, Qt::white);
        c_.Label[i]->setPalette(colours);
        c_.Label[i]->SetCaption(QString::fromLatin1(kLabelCaptions[i]));
        c_.Label[i]->hide();
    }
    for (int i = 0; i < 4; ++i) {
        c_.Text[i] = new QLineEdit(c_.surface);
        c_.Text[i]->setObjectName(QStringLiteral("Text%1").arg(i));
        c_.Text[i]->setAccessibleName(QString::fromLatin1(kFieldNames[i]));
        c_.Text[i]->setGeometry(RectOf(kTextPlaces[i]));
        c_.Text[i]->setFont(BoldFont(QStringLiteral("MS Sans Serif"), 24));
        c_.Text[i]->setMaxLength(std::numeric_limits<int>::max()); // no length limit
        // A thick gold frame shows which box has the keyboard, on every colour of the panel.
        c_.Text[i]->setStyleSheet(QStringLiteral(
            "QLineEdit { color: black; background: white; padding: 0px; selection-color: white; "
            "selection-background-color: #000080; } QLineEdit:focus { border: 3px solid #ffc000; }"));
        c_.Text[i]->hide();
    }

    c_.ExamComm = new QPushButton(QStringLiteral("Insert data"), c_.surface);
    c_.ExamComm->setObjectName(QStringLiteral("ExamComm"));
    c_.ExamComm->setAccessibleDescription(QStringLiteral("Inserts the exam typed above"));
    c_.ExamComm->setGeometry(RectOf(kExamCommPlace));
    c_.ExamComm->setFont(BoldFont(QStringLiteral("Trebuchet MS"), 27.75));
    SetButtonFace(c_.ExamComm, QColor(192, 192, 0));
    c_.ExamComm->setEnabled(false);
    c_.ExamComm->setAutoDefault(true); // Enter presses it when it has the focus
    c_.ExamComm->hide();

    c_.Image1 = new QLabel(c_.surface);
    c_.Image1->setObjectName(QStringLiteral("Image1"));
    c_.Image1->setAccessibleName(QStringLiteral("Picture"));
    c_.Image1->setGeometry(RectOf(kImagePlace));
    c_.Image1->setPixmap(QPixmap::fromImage(InfoPicture()));
    c_.Image1->hide();

    c_.ExamList = new ExamListBox(document_.List(), c_.surface);
    c_.ExamList->setObjectName(QStringLiteral("ExamList"));
    c_.ExamList->setAccessibleName(QStringLiteral("Exams"));
    c_.ExamList->setFont(BoldFont(QStringLiteral("Trebuchet MS"), 24));
    c_.ExamList->setPalette(FixedPalette());
    c_.ExamList->setStyle(new LargeCheckBoxes(c_.ExamList));
    c_.ExamList->hide();

    setTabOrder(c_.Text[0], c_.Text[1]);
    setTabOrder(c_.Text[1], c_.Text[2]);
    setTabOrder(c_.Text[2], c_.Text[3]);
    setTabOrder(c_.Text[3], c_.ExamComm);
    setTabOrder(c_.ExamComm, c_.ExamList);
}

} // namespace examora
