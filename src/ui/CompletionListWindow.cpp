#include "ui/CompletionListWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "editor/CompletionText.h"

namespace tarnwick {

namespace {

constexpr int kMinItemHeight = 16;
constexpr int kKindRole = Qt::UserRole;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QColor ColorOf(editor::TColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

// The widest kind word among the list's items, in the list's font.
int KindColumnWidth(const QListWidget& list) {
    int widest = 0;
    for (int i = 0; i < list.count(); ++i) {
        const auto parts = editor::completion::SplitEntry(list.item(i)->text().toStdString());
        if (!parts.KindWord.empty()) {
            widest =
                std::max(widest, list.fontMetrics().horizontalAdvance(Q(parts.KindWord + " ")));
        }
    }
    return widest;
}

class EntryDelegate final : public QStyledItemDelegate {
  public:
    EntryDelegate(const editor::TAutoCompletion& settings, QListWidget* list)
        : QStyledItemDelegate(list), fSettings(settings), fList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect,
                          selected ? option.palette.highlight() : option.palette.base());
        const auto parts = editor::completion::SplitEntry(index.data().toString().toStdString());
        const int kind = index.data(kKindRole).toInt();
        const QColor text =
            selected ? option.palette.highlightedText().color() : option.palette.text().color();
        int x = option.rect.left() + 2;
        const int baseline = option.rect.top() + option.fontMetrics.ascent();
        if (!parts.KindWord.empty()) {
            painter->setPen(selected ? text : ColorOf(fSettings.KindColors[kind]));
            painter->setFont(option.font);
            painter->drawText(x, baseline, Q(parts.KindWord));
        }
        x += KindColumnWidth(*fList);
        painter->setPen(text);
        painter->setFont(Bold(option.font));
        painter->drawText(x, baseline, Q(parts.Name));
        x += QFontMetrics(Bold(option.font)).horizontalAdvance(Q(parts.Name));
        painter->setFont(option.font);
        painter->drawText(x, baseline, Q(parts.Rest));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const auto parts = editor::completion::SplitEntry(index.data().toString().toStdString());
        const int width = KindColumnWidth(*fList) +
                          QFontMetrics(Bold(option.font)).horizontalAdvance(Q(parts.Name)) +
                          option.fontMetrics.horizontalAdvance(Q(parts.Rest));
        const int height = std::max(kMinItemHeight, option.fontMetrics.height() + 1);
        return {width, height};
    }

  private:
    const editor::TAutoCompletion& fSettings;
    QListWidget* fList;
};

}  // namespace

CompletionListWindow::CompletionListWindow(editor::TAdvMemoCompletion& aids, QWidget* editor)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint),
      fAids(aids),
      fEditor(editor),
      fList(new QListWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fList);
    fList->setFrameShape(QFrame::NoFrame);
    fList->setItemDelegate(new EntryDelegate(fAids.AutoCompletion, fList));
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

int CompletionListWindow::ItemsWidth() const {
    int widest = 0;
    for (int i = 0; i < fList->count(); ++i) {
        widest = std::max(widest, fList->sizeHintForIndex(fList->model()->index(i, 0)).width());
    }
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return widest + 8 + bar + (fAids.AutoCompletion.ShowImages ? 20 : 0);
}

void CompletionListWindow::Follow() {
    if (fFollowing) {
        return;
    }
    fFollowing = true;
    if (!fAids.ListVisible()) {
        hide();
        fFollowing = false;
        fEditor->activateWindow();
        fEditor->setFocus();
        return;
    }
    const editor::TAutoCompletion& settings = fAids.AutoCompletion;
    fList->clear();
    for (int i = 0; const editor::TCompletionItem* item = fAids.VisibleItem(i); ++i) {
        auto* row = new QListWidgetItem(Q(item->Entry), fList);
        row->setData(kKindRole, item->Kind);
    }
    fList->setCurrentRow(fAids.SelectedIndex());
    int width = settings.Width;
    if (settings.AutoWidth) {
        width = ItemsWidth();
        if (settings.MaxWidth > 0) {
            width = std::min(width, settings.MaxWidth);
        }
    }
    QPoint at = fEditor->mapToGlobal(QPoint(fAids.ListPosition().X, fAids.ListPosition().Y));
    if (const QScreen* screen = fEditor->screen()) {
        if (at.x() + width > screen->geometry().right()) {
            at.setX(screen->geometry().right() - width);
        }
    }
    if (!isVisible()) {
        setGeometry(at.x(), at.y(), width, settings.Height);
        show();
        fList->setFocus();
    } else {
        resize(width, height());
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
