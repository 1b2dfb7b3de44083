// The window's controls and where they sit, in twips from the top-left corner of the client area.
#include "app/artwork.h"
#include "app/form1.h"
#include "platform/twips.h"

#include <QProxyStyle>
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

// The list's check boxes in proportion to its large type, so that they can be seen and hit.
class LargeCheckBoxes : public QProxyStyle {
public:
    explicit LargeCheckBoxes(QObject* owner) { setParent(owner); }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight)
            return 24;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QRect RectOf(const Place& p) { return TwipsRect(p.left, p.top, p.width, p.height); }

// The fonts of the design are Windows fonts; where they are missing the nearest sans serif serves.
QFont BoldFont(const QString& family, double points) {
    QFont font;
    font.setFamilies({family, QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

QFrame* MakeShadow(QWidget* parent, const QString& name) {
    auto* shadow = new QFrame(parent);
    shadow->setObjectName(name);
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
    surface = new Surface(this);
    surface->setObjectName(QStringLiteral("Surface"));
    surface->setAccessibleName(QStringLiteral("Graph"));
    surface->SetBackColor(QColor(64, 64, 64));
    setCentralWidget(surface);

    // Shadows first, so that each lies behind the control it belongs to.
    for (int i = 0; i < 4; ++i) {
        Shape[i] = MakeShadow(surface, QStringLiteral("Shape%1").arg(i));
        Shape[i]->setGeometry(RectOf(kShapePlaces[i]));
    }
    ImgShadow = MakeShadow(surface, QStringLiteral("ImgShadow"));
    ImgShadow->setGeometry(RectOf(kImgShadowPlace));
    ExamListShadow = MakeShadow(surface, QStringLiteral("ExamListShadow"));

    for (int i = 0; i < 4; ++i) {
        Label[i] = new CaptionLabel(surface);
        Label[i]->setObjectName(QStringLiteral("Label%1").arg(i));
        Label[i]->setGeometry(RectOf(kLabelPlaces[i]));
        Label[i]->setFont(BoldFont(QStringLiteral("Verdana"), 24));
        Label[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        QPalette colours = Label[i]->palette();
        colours.setColor(QPalette::WindowText, Qt::white);
        Label[i]->setPalette(colours);
        Label[i]->SetCaption(QString::fromLatin1(kLabelCaptions[i]));
        Label[i]->hide();
    }
    for (int i = 0; i < 4; ++i) {
        Text[i] = new QLineEdit(surface);
        Text[i]->setObjectName(QStringLiteral("Text%1").arg(i));
        Text[i]->setAccessibleName(QString::fromLatin1(kFieldNames[i]));
        Text[i]->setGeometry(RectOf(kTextPlaces[i]));
        Text[i]->setFont(BoldFont(QStringLiteral("MS Sans Serif"), 24));
        Text[i]->setMaxLength(std::numeric_limits<int>::max()); // no length limit
        Text[i]->setStyleSheet(
            QStringLiteral("QLineEdit { color: black; background: white; padding: 0px; }"));
        Text[i]->hide();
    }

    ExamComm = new QPushButton(QStringLiteral("Insert data"), surface);
    ExamComm->setObjectName(QStringLiteral("ExamComm"));
    ExamComm->setAccessibleDescription(QStringLiteral("Inserts the exam typed above"));
    ExamComm->setGeometry(RectOf(kExamCommPlace));
    ExamComm->setFont(BoldFont(QStringLiteral("Trebuchet MS"), 27.75));
    SetButtonFace(ExamComm, QColor(192, 192, 0));
    ExamComm->setEnabled(false);
    ExamComm->setAutoDefault(true); // Enter presses it when it has the focus
    ExamComm->hide();

    Image1 = new QLabel(surface);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Picture"));
    Image1->setGeometry(RectOf(kImagePlace));
    Image1->setPixmap(QPixmap::fromImage(InfoPicture()));
    Image1->hide();

    ExamList = new ExamListBox(surface);
    ExamList->setObjectName(QStringLiteral("ExamList"));
    ExamList->setAccessibleName(QStringLiteral("Exams"));
    ExamList->setFont(BoldFont(QStringLiteral("Trebuchet MS"), 24));
    ExamList->setStyle(new LargeCheckBoxes(ExamList));
    ExamList->hide();

    setTabOrder(Text[0], Text[1]);
    setTabOrder(Text[1], Text[2]);
    setTabOrder(Text[2], Text[3]);
    setTabOrder(Text[3], ExamComm);
    setTabOrder(ExamComm, ExamList);
}

void SetButtonFace(QPushButton* button, const QColor& color) {
    button->setProperty("backColor", color);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px outset "
                       "#808080; } QPushButton:focus { border: 2px solid black; }")
            .arg(color.name()));
}

QColor ButtonFace(const QPushButton* button) { return button->property("backColor").value<QColor>(); }

} // namespace examora
