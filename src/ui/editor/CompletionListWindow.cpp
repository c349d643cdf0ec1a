// The completion list popup.
#include "ui/editor/CompletionListWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "ui/window/HandlerBarrier.h"

namespace tarnwick::ui {

namespace {

constexpr int kKindRole = Qt::UserRole;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Draws and sizes the list's rows with the window's current item painter.
class EntryDelegate final : public QStyledItemDelegate {
  public:
    EntryDelegate(const CompletionListWindow& window, QObject* parent)
        : QStyledItemDelegate(parent), fWindow(window) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        fWindow.Items().Paint(*painter, option.rect, index.data().toString().toStdString(),
                              index.data(kKindRole).toInt(),
                              option.state.testFlag(QStyle::State_Selected), option.palette);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const CompletionItemPainter& items = fWindow.Items();
        return {items.ItemWidth(index.data().toString().toStdString()), items.ItemHeight()};
    }

  private:
    const CompletionListWindow& fWindow;
};

// The lower right corner's grip: dragging it sizes the popup, which has no frame a window
// manager could size.
class CornerGrip final : public QWidget {
  public:
    static constexpr int kSize = 12;
    explicit CornerGrip(QWidget* parent) : QWidget(parent) {
        setFixedSize(kSize, kSize);
        setCursor(Qt::SizeFDiagCursor);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        for (int d = 3; d < kSize; d += 4) {
            painter.drawLine(kSize - 1, d, d, kSize - 1);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        fPressedAt = event->globalPosition().toPoint();
        fSizeAtPress = window()->size();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if ((event->buttons() & Qt::LeftButton) == 0) {
            return;
        }
        const QPoint moved = event->globalPosition().toPoint() - fPressedAt;
        window()->resize(std::max(fSizeAtPress.width() + moved.x(), 2 * kSize),
                         std::max(fSizeAtPress.height() + moved.y(), 2 * kSize));
    }

  private:
    QPoint fPressedAt;
    QSize fSizeAtPress;
};

}  // namespace

CompletionListWindow::CompletionListWindow(editor::TAdvMemoCompletion& aids, QWidget* editor)
    : QWidget(nullptr, Qt::Popup),
      fAids(aids),
      fEditor(editor),
      fList(new QListWidget(this)),
      fGrip(new CornerGrip(this)),
      fItems(std::make_unique<CompletionItemPainter>(aids.AutoCompletion,
                                                     std::vector<std::string>{})) {
    auto* layout = new QVBoxLayout(this);
    // The border is the window's own (paintEvent): the list under it must not look erased.
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    // The size rules alone decide the window's size, never the list's own minimum.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(fList);
    fList->setFrameShape(QFrame::NoFrame);
    fList->setUniformItemSizes(true);
    fList->setItemDelegate(new EntryDelegate(*this, fList));
    fList->installEventFilter(this);
    connect(fList, &QListWidget::currentRowChanged, this, Guarded<int>(this, [this](int row) {
                if (!fFollowing) {
                    const QScopedValueRollback following(fFollowing, true);
                    fAids.SetSelectedIndex(row);
                }
            }));
    connect(fList, &QListWidget::itemDoubleClicked, this,
            Guarded(this, [this] { fAids.ListDoubleClick(); }));
}

CompletionListWindow::~CompletionListWindow() = default;

int CompletionListWindow::ItemsWidth() const {
    return fItems->ListWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, fList));
}

void CompletionListWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CompletionListWindow::resizeEvent(QResizeEvent*) {
    fGrip->move(width() - kBorder - fGrip->width(), height() - kBorder - fGrip->height());
    fGrip->raise();
}

int CompletionListWindow::FittingWidth() const {
    const editor::TAutoCompletion& settings = fAids.AutoCompletion;
    const int width = ItemsWidth();
    return settings.MaxWidth > 0 ? std::min(width, settings.MaxWidth) : width;
}

void CompletionListWindow::Fill() {
    const editor::TAutoCompletion& settings = fAids.AutoCompletion;
    std::vector<std::string> entries;
    for (int i = 0; const editor::TCompletionItem* item = fAids.VisibleItem(i); ++i) {
        entries.push_back(item->Entry);
    }
    fItems = std::make_unique<CompletionItemPainter>(settings, entries);
    fList->setFont(fItems->Font());
    QPalette palette = fList->palette();
    if ((settings.Color & editor::kClSystemBase) == 0) {
        // A colour of its own; a system colour is the palette's base already.
        palette.setColor(QPalette::Base, QColor(static_cast<int>(settings.Color & 0xFF),
                                                static_cast<int>((settings.Color >> 8) & 0xFF),
                                                static_cast<int>((settings.Color >> 16) & 0xFF)));
    }
    fList->setPalette(palette);
    fList->clear();
    for (int i = 0; const editor::TCompletionItem* item = fAids.VisibleItem(i); ++i) {
        auto* row = new QListWidgetItem(Q(item->Entry), fList);
        row->setData(kKindRole, item->Kind);
    }
    fList->setCurrentRow(fAids.SelectedIndex());
}

void CompletionListWindow::Follow() {
    if (fFollowing) {
        return;
    }
    fFollowing = true;
    editor::TAutoCompletion& settings = fAids.AutoCompletion;
    if (!fAids.ListVisible()) {
        if (isVisible() && settings.KeepLastSize) {
            settings.Width = width();
            settings.Height = height();
            settings.AutoWidth = false;
        }
        // Closed from its own keys: the keyboard goes back to the editor. Closed because the
        // user clicked elsewhere or the editor was reloaded: the focus stays where it went.
        const bool hadKeyboard = isVisible() && fList->hasFocus() && !fClosedOutside;
        hide();
        fFollowing = false;
        if (hadKeyboard) {
            fEditor->setFocus(Qt::PopupFocusReason);
        }
        return;
    }
    Fill();
    if (!isVisible()) {
        const int width = settings.AutoWidth ? FittingWidth() : settings.Width;
        QPoint at = fEditor->mapToGlobal(QPoint(fAids.ListPosition().X, fAids.ListPosition().Y));
        if (const QScreen* screen = fEditor->screen()) {
            const QRect area = screen->geometry();
            if (at.x() + width > area.left() + area.width()) {
                at.setX(area.left() + area.width() - width);
            }
        }
        // Without the grip the user cannot change the size.
        if (settings.SizeDropDown) {
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            setFixedSize(width, settings.Height);
        }
        fGrip->setVisible(settings.SizeDropDown);
        setGeometry(at.x(), at.y(), width, settings.Height);
        show();
        // The popup holds the keyboard; its list takes the keys.
        fList->setFocus(Qt::PopupFocusReason);
    } else if (settings.SizeDropDown) {
        // Refiltered: the width follows the items left.
        resize(FittingWidth(), height());
    }
    fFollowing = false;
}

bool CompletionListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fList && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
            case Qt::Key_Home:
            case Qt::Key_End:
                return false;  // the list moves its own selection
            case Qt::Key_Delete:
                fAids.ListDelete();
                return true;
            case Qt::Key_Backspace:
                fAids.ListCharacter(editor::TAdvMemoCompletion::kBackspace);
                return true;
            case Qt::Key_Tab:
                fAids.ListCharacter(editor::TAdvMemoCompletion::kTab);
                return true;
            case Qt::Key_Escape:
                fAids.ListCharacter(editor::TAdvMemoCompletion::kEscape);
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                fAids.ListCharacter(editor::TAdvMemoCompletion::kEnter);
                return true;
            default:
                break;
        }
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            fAids.ListCharacter(text.toUcs4().value(0));
            return true;
        }
    }
    if (watched == fList && event->type() == QEvent::FocusOut && isVisible() && !fFollowing) {
        fAids.ListDismissed();
    }
    return QWidget::eventFilter(watched, event);
}

void CompletionListWindow::closeEvent(QCloseEvent* event) {
    // A click outside the popup closes it: that is the list losing the focus. The window is
    // only hidden; the list opens again next time.
    event->ignore();
    if (!fFollowing) {
        fClosedOutside = true;
        fAids.ListDismissed();
        fClosedOutside = false;
    }
    hide();
}

}  // namespace tarnwick::ui
