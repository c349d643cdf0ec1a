// The About box and its link label.
#include "ui/window/TForm2.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

#include "platform/AppInfo.h"
#include "platform/TMisc.h"
#include "ui/window/HandlerBarrier.h"

namespace tarnwick::ui {
namespace {

constexpr const char* kFormFontFamily = "MS Sans Serif";
constexpr const char* kLinkFontFamily = "Tahoma";
constexpr int kFontPointSize = 9;
constexpr const char* kVersionPrefix = "Version ";
constexpr const char* kFormVersionText = "Version 2.0";  // until the first PrepareToShow
constexpr const char* kShowNormally = "1";
const QColor kHoverColor(0, 0, 255);

constexpr QRect kImage1Rect(16, 16, 257, 105);
constexpr QPoint kLabel1Pos(112, 128);
constexpr QRect kLinkRect(80, 152, 145, 17);
constexpr QRect kButton1Rect(104, 192, 75, 25);

// Keeps at least this much room between a widened link and the edge of the box.
constexpr int kLinkMargin = 8;

// The link's place: kLinkRect, widened where the substituted font needs more room for the
// whole address (a cut-off address would hide where the click leads), staying in the box.
QRect LinkGeometry(int textWidth) {
    QRect place = kLinkRect;
    if (textWidth <= place.width()) {
        return place;
    }
    const int width = std::min(textWidth, TForm2::kClientWidth - 2 * kLinkMargin);
    const int left =
        std::max(kLinkMargin, std::min(place.left(), TForm2::kClientWidth - kLinkMargin - width));
    place.setLeft(left);
    place.setWidth(width);
    return place;
}

}  // namespace

TLinkLabel::TLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont linkFont(QString::fromLatin1(kLinkFontFamily), kFontPointSize);
    linkFont.setUnderline(true);
    setFont(linkFont);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void TLinkLabel::SetHovered(bool hovered) {
    if (hovered == fHovered) {
        return;
    }
    fHovered = hovered;
    QPalette colors = parentWidget() != nullptr ? parentWidget()->palette() : QPalette();
    if (hovered) {
        colors.setColor(QPalette::WindowText, kHoverColor);
    }
    setPalette(colors);
}

void TLinkLabel::enterEvent(QEnterEvent* event) {
    SetHovered(true);
    QLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event) {
    SetHovered(false);
    fPressed = false;
    QLabel::leaveEvent(event);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        fPressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && fPressed) {
        fPressed = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("About"));
    setFont(QFont(QString::fromLatin1(kFormFontFamily), kFontPointSize));
    setFixedSize(kClientWidth, kClientHeight);
    setSizeGripEnabled(false);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(kImage1Rect);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap(QString::fromLatin1(kLogoResource)));

    Label1 = new QLabel(QString::fromLatin1(kFormVersionText), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(kLabel1Pos);
    Label1->adjustSize();

    bsSkinLinkLabel1 = new TLinkLabel(QString::fromUtf8(platform::kHomePageUrl), this);
    bsSkinLinkLabel1->setObjectName(QStringLiteral("bsSkinLinkLabel1"));
    bsSkinLinkLabel1->setGeometry(LinkGeometry(bsSkinLinkLabel1->sizeHint().width()));
    connect(bsSkinLinkLabel1, &TLinkLabel::clicked, this,
            Guarded(this, &TForm2::bsSkinLinkLabel1Click));

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(kButton1Rect);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, Guarded(this, &TForm2::Button1Click));
}

void TForm2::PrepareToShow() {
    Label1->setText(QString::fromLatin1(kVersionPrefix) + QString::fromUtf8(platform::AppVersion));
    Label1->adjustSize();
}

void TForm2::showEvent(QShowEvent* event) {
    CentreOnScreen();
    QDialog::showEvent(event);
}

void TForm2::CentreOnScreen() {
    QScreen* target = parentWidget() != nullptr ? parentWidget()->screen() : screen();
    if (target == nullptr) {
        return;
    }
    QRect frame = frameGeometry();
    frame.moveCenter(target->availableGeometry().center());
    move(frame.topLeft());
}

void TForm2::Button1Click() {
    accept();
}

void TForm2::bsSkinLinkLabel1Click() {
    // The box stays open: the user may come back to it after the browser opened.
    platform::TMisc::OpenSite(platform::kHomePageUrl, "", kShowNormally);
}

}  // namespace tarnwick::ui
