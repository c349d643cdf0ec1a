// The find and replace dialog and its link to the find/replace component.
#include "ui/ReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "ui/AdvMemoWidget.h"
#include "ui/HandlerBarrier.h"

namespace tarnwick {

using editor::TFindOptions;

namespace {

// The texts placed into the fields are cut to this many characters (code points).
QString Cut(const std::string& text) {
    const QString all = QString::fromStdString(text);
    const QList<uint> codePoints = all.toUcs4();
    if (codePoints.size() <= editor::TReplaceDialogWindow::kMaxTextLength) {
        return all;
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()),
                             editor::TReplaceDialogWindow::kMaxTextLength);
}

// The selected text of the editor as far as it shows on screen, in global coordinates; nothing
// when nothing is selected or the selection lies outside the view.
std::optional<QRect> ShownSelection(TAdvMemoWidget& widget) {
    const editor::TAdvMemo& memo = widget.Memo();
    if (!memo.HasSelection()) {
        return std::nullopt;
    }
    const editor::TAdvMemoView& view = memo.View();
    const platform::SurfaceRect area = view.TextAreaRect();
    const editor::TTextPos start = memo.SelectionStart();
    const editor::TTextPos end = memo.SelectionEnd();
    const int firstRow = std::max(start.Y - memo.FirstVisibleLine(), 0);
    const int lastRow = std::min(end.Y - memo.FirstVisibleLine(), view.VisibleRows());
    if (firstRow > lastRow) {
        return std::nullopt;
    }
    int left = area.Left;
    int right = area.Right;
    if (start.Y == end.Y) {
        left = std::max(left, view.CellRect(start.X - memo.FirstVisibleColumn(), 0).Left);
        right = std::min(right, view.CellRect(end.X - memo.FirstVisibleColumn(), 0).Left);
    }
    const int top = view.CellRect(0, firstRow).Top;
    const int bottom = std::min(area.Bottom, view.CellRect(0, lastRow).Bottom);
    if (left >= right || top >= bottom) {
        return std::nullopt;
    }
    return QRect(widget.mapToGlobal(QPoint(left, top)), QSize(right - left, bottom - top));
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

ReplaceDialog::ReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReplaceDialog"));
    setWindowTitle(QStringLiteral("Replace"));
    setModal(false);

    findEdit_ = Named(new QLineEdit(this), "FindEdit");
    replaceEdit_ = Named(new QLineEdit(this), "ReplaceEdit");
    for (QLineEdit* edit : {findEdit_, replaceEdit_}) {
        edit->setMaxLength(editor::TReplaceDialogWindow::kMaxTextLength);
    }
    wholeWord_ = Named(new QCheckBox(QStringLiteral("Match &whole word only"), this), "WholeWord");
    matchCase_ = Named(new QCheckBox(QStringLiteral("Match &case"), this), "MatchCase");
    auto* findNext = Named(new QPushButton(QStringLiteral("&Find Next"), this), "FindNext");
    auto* replace = Named(new QPushButton(QStringLiteral("&Replace"), this), "Replace");
    auto* replaceAll = Named(new QPushButton(QStringLiteral("Replace &All"), this), "ReplaceAll");
    auto* cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "Cancel");
    findNext->setDefault(true);  // Enter in a field finds the next match

    auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(findEdit_);
    auto* replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
    replaceLabel->setBuddy(replaceEdit_);
    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(findEdit_, 0, 1);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(replaceEdit_, 1, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addSpacing(8);
    left->addWidget(wholeWord_);
    left->addWidget(matchCase_);
    left->addStretch(1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {findNext, replace, replaceAll, cancel}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* row = new QHBoxLayout(this);
    row->addLayout(left, 1);
    row->addLayout(buttons);

    connect(findNext, &QPushButton::clicked, this, [this] { emit Command(editor::frFindNext); });
    connect(replace, &QPushButton::clicked, this, [this] { emit Command(editor::frReplace); });
    connect(replaceAll, &QPushButton::clicked, this,
            [this] { emit Command(editor::frReplaceAll); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QtReplaceDialogWindow::QtReplaceDialogWindow(QWidget* parent, QWidget* editor)
    : dialog_(new ReplaceDialog(parent)), editor_(editor) {
    QObject::connect(
        dialog_.data(), &ReplaceDialog::Command, dialog_.data(),
        Guarded<TFindOptions>(dialog_.data(), [this](TFindOptions command) { Report(command); }));
    // Cancel, Escape and the window's close box all end in finished.
    QObject::connect(dialog_.data(), &QDialog::finished, dialog_.data(),
                     Guarded(dialog_.data(), [this] { Closed(); }));
}

QtReplaceDialogWindow::~QtReplaceDialogWindow() {
    listener_ = nullptr;
    delete dialog_.data();
}

void QtReplaceDialogWindow::Show() {
    if (!dialog_) {
        return;
    }
    if (!dialog_->isVisible()) {
        if (place_) {
            dialog_->move(*place_);
        }
        dialog_->show();
    }
    dialog_->raise();
    dialog_->activateWindow();
}

bool QtReplaceDialogWindow::IsOpen() const {
    return dialog_ && dialog_->isVisible();
}

std::string QtReplaceDialogWindow::FindText() const {
    return dialog_ ? dialog_->FindEdit()->text().toStdString() : std::string();
}

void QtReplaceDialogWindow::SetFindText(const std::string& text) {
    if (dialog_) {
        dialog_->FindEdit()->setText(Cut(text));
    }
}

std::string QtReplaceDialogWindow::ReplaceText() const {
    return dialog_ ? dialog_->ReplaceEdit()->text().toStdString() : std::string();
}

void QtReplaceDialogWindow::SetReplaceText(const std::string& text) {
    if (dialog_) {
        dialog_->ReplaceEdit()->setText(Cut(text));
    }
}

TFindOptions QtReplaceDialogWindow::Options() const {
    TFindOptions options = options_;
    if (dialog_ && dialog_->WholeWordBox()->isChecked()) {
        options |= editor::frWholeWord;
    }
    if (dialog_ && dialog_->MatchCaseBox()->isChecked()) {
        options |= editor::frMatchCase;
    }
    return options;
}

void QtReplaceDialogWindow::SetOptions(TFindOptions options) {
    options_ = options & ~(editor::frWholeWord | editor::frMatchCase);
    if (dialog_) {
        dialog_->WholeWordBox()->setChecked((options & editor::frWholeWord) != 0);
        dialog_->MatchCaseBox()->setChecked((options & editor::frMatchCase) != 0);
    }
}

void QtReplaceDialogWindow::FocusEditor() {
    if (editor_) {
        editor_->activateWindow();
        editor_->setFocus(Qt::OtherFocusReason);
    }
}

void QtReplaceDialogWindow::SetListener(editor::TReplaceDialogListener* listener) {
    listener_ = listener;
}

void QtReplaceDialogWindow::Report(TFindOptions command) {
    if (listener_ != nullptr) {
        listener_->DialogCommand(Options() | command, FindText(), ReplaceText());
    }
    MoveOffTheMatch();
}

void QtReplaceDialogWindow::MoveOffTheMatch() {
    auto* widget = qobject_cast<TAdvMemoWidget*>(editor_.data());
    if (!dialog_ || !dialog_->isVisible() || widget == nullptr) {
        return;
    }
    const std::optional<QRect> match = ShownSelection(*widget);
    const QRect frame = dialog_->frameGeometry();
    if (!match || !frame.intersects(*match)) {
        return;
    }
    // Below the match where the screen has room for the whole dialog, else above it; the
    // dialog keeps its x. The frame's offset from the dialog's position is kept as it is.
    constexpr int kGap = 4;
    const QScreen* screen = dialog_->screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : frame.united(*match);
    int top = match->bottom() + 1 + kGap;
    if (top + frame.height() > room.bottom() + 1) {
        top = std::max(match->top() - kGap - frame.height(), room.top());
    }
    dialog_->move(dialog_->pos() + QPoint(0, top - frame.top()));
}

void QtReplaceDialogWindow::Closed() {
    if (dialog_) {
        place_ = dialog_->pos();
    }
    if (listener_ != nullptr) {
        listener_->DialogClosed();
    }
}

}  // namespace tarnwick
