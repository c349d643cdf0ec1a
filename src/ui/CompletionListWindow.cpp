#include "ui/CompletionListWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace tarnwick {

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

}  // namespace

CompletionListWindow::CompletionListWindow(editor::TAdvMemoCompletion& aids, QWidget* editor)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint),
      fAids(aids),
      fEditor(editor),
      fList(new QListWidget(this)),
      fItems(std::make_unique<CompletionItemPainter>(aids.AutoCompletion,
                                                     std::vector<std::string>{})) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The size rules alone decide the window's size, never the list's own minimum.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(fList);
    fList->setFrameShape(QFrame::NoFrame);
    fList->setUniformItemSizes(true);
    fList->setItemDelegate(new EntryDelegate(*this, fList));
    fList->installEventFilter(this);
    connect(fList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!fFollowing) {
            fFollowing = true;
            fAids.SetSelectedIndex(row);
            fFollowing = false;
        }
    });
    connect(fList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { fAids.ListDoubleClick(); });
}

CompletionListWindow::~CompletionListWindow() = default;

int CompletionListWindow::ItemsWidth() const {
    return fItems->ListWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, fList));
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
        hide();
        fFollowing = false;
        fEditor->activateWindow();
        fEditor->setFocus();
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
        // Without a sizable frame the user cannot change the size.
        if (settings.SizeDropDown) {
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            setFixedSize(width, settings.Height);
        }
        setGeometry(at.x(), at.y(), width, settings.Height);
        show();
        fList->setFocus();
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
    // Closing by the frame only hides the window; the list opens again next time.
    fAids.ListDismissed();
    event->ignore();
    hide();
}

}  // namespace tarnwick
