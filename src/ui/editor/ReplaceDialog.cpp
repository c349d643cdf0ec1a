// The find and replace dialog and its link to the find/replace component.
#include "ui/editor/ReplaceDialog.h"

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

#include "ui/editor/AdvMemoWidget.h"
#include "ui/window/HandlerBarrier.h"

namespace tarnwick::ui {

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

    fFindEdit = Named(new QLineEdit(this), "FindEdit");
    fReplaceEdit = Named(new QLineEdit(this), "ReplaceEdit");
    for (QLineEdit* edit : {fFindEdit, fReplaceEdit}) {
        edit->setMaxLength(editor::TReplaceDialogWindow::kMaxTextLength);
    }
    fWholeWord = Named(new QCheckBox(QStringLiteral("Match &whole word only"), this), "WholeWord");
    fMatchCase = Named(new QCheckBox(QStringLiteral("Match &case"), this), "MatchCase");
    auto* findNext = Named(new QPushButton(QStringLiteral("&Find Next"), this), "FindNext");
    auto* replace = Named(new QPushButton(QStringLiteral("&Replace"), this), "Replace");
    auto* replaceAll = Named(new QPushButton(QStringLiteral("Replace &All"), this), "ReplaceAll");
    auto* cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "Cancel");
    findNext->setDefault(true);  // Enter in a field finds the next match

    auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(fFindEdit);
    auto* replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
    replaceLabel->setBuddy(fReplaceEdit);
    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(fFindEdit, 0, 1);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(fReplaceEdit, 1, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addSpacing(8);
    left->addWidget(fWholeWord);
    left->addWidget(fMatchCase);
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
    : fDialog(new ReplaceDialog(parent)), fEditor(editor) {
    QObject::connect(
        fDialog.data(), &ReplaceDialog::Command, fDialog.data(),
        Guarded<TFindOptions>(fDialog.data(), [this](TFindOptions command) { Report(command); }));
    // Cancel, Escape and the window's close box all end in finished.
    QObject::connect(fDialog.data(), &QDialog::finished, fDialog.data(),
                     Guarded(fDialog.data(), [this] { Closed(); }));
}

QtReplaceDialogWindow::~QtReplaceDialogWindow() {
    fListener = nullptr;
    delete fDialog.data();
}

void QtReplaceDialogWindow::Show() {
    if (!fDialog) {
        return;
    }
    if (!fDialog->isVisible()) {
        if (fPlace) {
            fDialog->move(*fPlace);
        }
        fDialog->show();
    }
    fDialog->raise();
    fDialog->activateWindow();
}

bool QtReplaceDialogWindow::IsOpen() const {
    return fDialog && fDialog->isVisible();
}

std::string QtReplaceDialogWindow::FindText() const {
    return fDialog ? fDialog->FindEdit()->text().toStdString() : std::string();
}

void QtReplaceDialogWindow::SetFindText(const std::string& text) {
    if (fDialog) {
        fDialog->FindEdit()->setText(Cut(text));
    }
}

std::string QtReplaceDialogWindow::ReplaceText() const {
    return fDialog ? fDialog->ReplaceEdit()->text().toStdString() : std::string();
}

void QtReplaceDialogWindow::SetReplaceText(const std::string& text) {
    if (fDialog) {
        fDialog->ReplaceEdit()->setText(Cut(text));
    }
}

TFindOptions QtReplaceDialogWindow::Options() const {
    TFindOptions options = fOptions;
    if (fDialog && fDialog->WholeWordBox()->isChecked()) {
        options |= editor::frWholeWord;
    }
    if (fDialog && fDialog->MatchCaseBox()->isChecked()) {
        options |= editor::frMatchCase;
    }
    return options;
}

void QtReplaceDialogWindow::SetOptions(TFindOptions options) {
    fOptions = options & ~(editor::frWholeWord | editor::frMatchCase);
    if (fDialog) {
        fDialog->WholeWordBox()->setChecked((options & editor::frWholeWord) != 0);
        fDialog->MatchCaseBox()->setChecked((options & editor::frMatchCase) != 0);
    }
}

void QtReplaceDialogWindow::FocusEditor() {
    if (fEditor) {
        fEditor->activateWindow();
        fEditor->setFocus(Qt::OtherFocusReason);
    }
}

void QtReplaceDialogWindow::SetListener(editor::TReplaceDialogListener* listener) {
    fListener = listener;
}

void QtReplaceDialogWindow::Report(TFindOptions command) {
    if (fListener != nullptr) {
        fListener->DialogCommand(Options() | command, FindText(), ReplaceText());
    }
    MoveOffTheMatch();
}

void QtReplaceDialogWindow::MoveOffTheMatch() {
    auto* widget = qobject_cast<TAdvMemoWidget*>(fEditor.data());
    if (!fDialog || !fDialog->isVisible() || widget == nullptr) {
        return;
    }
    const std::optional<QRect> match = ShownSelection(*widget);
    const QRect frame = fDialog->frameGeometry();
    if (!match || !frame.intersects(*match)) {
        return;
    }
    // Below the match where the screen has room for the whole dialog, else above it; the
    // dialog keeps its x. The frame's offset from the dialog's position is kept as it is.
    constexpr int kGap = 4;
    const QScreen* screen = fDialog->screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : frame.united(*match);
    int top = match->bottom() + 1 + kGap;
    if (top + frame.height() > room.bottom() + 1) {
        top = std::max(match->top() - kGap - frame.height(), room.top());
    }
    fDialog->move(fDialog->pos() + QPoint(0, top - frame.top()));
}

void QtReplaceDialogWindow::Closed() {
    if (fDialog) {
        fPlace = fDialog->pos();
    }
    if (fListener != nullptr) {
        fListener->DialogClosed();
    }
}

}  // namespace tarnwick::ui
