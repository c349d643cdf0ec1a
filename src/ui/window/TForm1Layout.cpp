// The main window's layout: the toolbar and menu, the search panel with the form's positions,
// the results list over the editor, and the status bar.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/highlight/AdvPascalMemoStyler.h"
#include "platform/AppInfo.h"
#include "platform/TMisc.h"
#include "search/MatchRules.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/results/ResultsColumnWidths.h"
#include "ui/results/ResultsMenu.h"
#include "ui/results/ResultsView.h"
#include "ui/window/TForm1.h"

namespace tarnwick::ui {

using search::kDefaultExcludeList;
using search::kDefaultIncludeList;

namespace {

constexpr int kToolBarHeight = 48;
constexpr int kToolButtonWidth = 55;
constexpr int kToolImageSize = 48;
constexpr int kPanel1Width = 249;
constexpr int kEditorHeight = 211;
constexpr int kSplitterHandle = 3;
constexpr int kStatusBarHeight = 21;
constexpr int kRightStatusPanelWidth = 138;

struct ToolButtonInfo {
    const char* name;
    const char* tooltip;
    const char* image;  // our artwork in the resources
    bool enabled;
    const char* themeIcon;
};

// Left to right.
constexpr ToolButtonInfo kToolButtons[8] = {
    {"ToolButton1", "Open Folder", "0-open-folder", false, "folder-open"},
    {"ToolButton2", "Open File", "1-open-file", false, "document-open"},
    {"ToolButton3", "Save As... ", "2-save-as", false, "document-save-as"},
    {"ToolButton5", "Cut", "4-cut", false, "edit-cut"},
    {"ToolButton4", "Copy", "3-copy", false, "edit-copy"},
    {"ToolButton6", "Paste", "5-paste", true, "edit-paste"},
    {"ToolButton7", "Find and Replace", "6-find-replace", true, "edit-find-replace"},
    {"ToolButton8", "About", "7-about", true, "help-about"},
};

// Our own artwork, with the icon theme's image preferred where the desktop has one.
QIcon ToolbarIcon(const ToolButtonInfo& info) {
    const QIcon ours(QStringLiteral(":/tarnwick/toolbar/%1.png").arg(QLatin1String(info.image)));
    return QIcon::fromTheme(QString::fromLatin1(info.themeIcon), ours);
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

void TForm1::BuildWindow() {
    setWindowTitle(QStringLiteral("Tarnwick"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/tarnwick/icons/tarnwick-%1.png").arg(size));
    }
    setWindowIcon(icon);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(9);
    setFont(font);

    BuildToolBarAndMenu();
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* panel1 = Named(new QWidget(central), "Panel1");
    panel1->setFixedWidth(kPanel1Width);
    auto* panel2 = Named(new QWidget(central), "Panel2");
    row->addWidget(panel1);
    row->addWidget(panel2, 1);
    setCentralWidget(central);
    BuildSearchPanel(panel1);
    BuildResultsAndEditor(panel2);
    BuildStatusBar();

    setMinimumSize(kWidth, kHeight);
    resize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    }
}

void TForm1::BuildStatusBar() {
    auto* bar = Named(new QStatusBar(this), "bsSkinStatusBar1");
    bar->setFixedHeight(kStatusBarHeight);
    bar->setSizeGripEnabled(true);
    bsSkinStatusPanel1 = Named(new QLabel(bar), "bsSkinStatusPanel1");
    bsSkinStatusPanel2 = Named(new QLabel(bar), "bsSkinStatusPanel2");
    for (QLabel* panel : {bsSkinStatusPanel1, bsSkinStatusPanel2}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
    }
    bsSkinStatusPanel1->setMinimumWidth(1);
    bsSkinStatusPanel2->setFixedWidth(kRightStatusPanelWidth);
    bar->addWidget(bsSkinStatusPanel1, 1);
    bar->addPermanentWidget(bsSkinStatusPanel2);
    setStatusBar(bar);
}

void TForm1::BuildToolBarAndMenu() {
    auto* toolBar = Named(new QToolBar(this), "ToolBar1");
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setFixedHeight(kToolBarHeight);
    toolBar->setIconSize(QSize(kToolImageSize, kToolImageSize));
    toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, toolBar);
    for (int i = 0; i < 8; ++i) {
        const ToolButtonInfo& info = kToolButtons[i];
        auto* button = Named(new QToolButton(toolBar), info.name);
        button->setAutoRaise(true);
        // No Tab stop, as on any desktop toolbar; the menu offers the same commands to the
        // keyboard.
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(QString::fromLatin1(info.tooltip));
        button->setIcon(ToolbarIcon(info));
        button->setIconSize(QSize(kToolImageSize, kToolImageSize));
        button->setFixedSize(kToolButtonWidth, kToolBarHeight);
        button->setEnabled(info.enabled);
        toolBar->addWidget(button);
        fToolButtons[i] = button;
    }
    // Positions in kToolButtons.
    connect(fToolButtons[0], &QToolButton::clicked, this,
            Guarded(this, &TForm1::OpenFolderCommand));
    connect(fToolButtons[1], &QToolButton::clicked, this, Guarded(this, &TForm1::OpenFileCommand));
    connect(fToolButtons[2], &QToolButton::clicked, this, Guarded(this, &TForm1::SaveAsCommand));
    connect(fToolButtons[3], &QToolButton::clicked, this, Guarded(this, &TForm1::ToolButton5Click));
    connect(fToolButtons[4], &QToolButton::clicked, this, Guarded(this, &TForm1::ToolButton4Click));
    connect(fToolButtons[5], &QToolButton::clicked, this, Guarded(this, &TForm1::ToolButton6Click));
    connect(fToolButtons[6], &QToolButton::clicked, this, Guarded(this, &TForm1::ToolButton7Click));

    QMenuBar* menu = menuBar();
    menu->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QMenu* parentMenu, const char* name, const char* caption) {
        QAction* action = parentMenu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenu* file = menu->addMenu(QStringLiteral("File"));
    Openfolder1 = item(file, "Openfolder1", "Open Folder");
    Openfile1 = item(file, "Openfile1", "Open File");
    Save1 = item(file, "Save1", "Save As...");
    file->addSeparator();
    Exit1 = item(file, "Exit1", "Exit");
    QMenu* edit = menu->addMenu(QStringLiteral("Edit"));
    Cut1 = item(edit, "Cut1", "Cut");
    Copy1 = item(edit, "Copy1", "Copy");
    Paste1 = item(edit, "Paste1", "Paste");
    edit->addSeparator();
    Find1 = item(edit, "Find1", "Find and Replace");
    QMenu* help = menu->addMenu(QStringLiteral("Help"));
    Visitwebsite1 = item(help, "Visitwebsite1", "Visit Website");
    Reportbugs1 = item(help, "Reportbugs1", "Report Bugs");
    help->addSeparator();
    About1 = item(help, "About1", "About");
    Cut1->setEnabled(false);
    Copy1->setEnabled(false);

    connect(Openfolder1, &QAction::triggered, this, Guarded(this, &TForm1::OpenFolderCommand));
    connect(Openfile1, &QAction::triggered, this, Guarded(this, &TForm1::OpenFileCommand));
    connect(Save1, &QAction::triggered, this, Guarded(this, &TForm1::SaveAsCommand));
    connect(Cut1, &QAction::triggered, this, Guarded(this, &TForm1::Cut1Click));
    connect(Copy1, &QAction::triggered, this, Guarded(this, &TForm1::Copy1Click));
    connect(Paste1, &QAction::triggered, this, Guarded(this, &TForm1::Paste1Click));
    connect(Find1, &QAction::triggered, this, Guarded(this, &TForm1::Find1Click));
    connect(fToolButtons[7], &QToolButton::clicked, this, Guarded(this, &TForm1::AboutCommand));
    connect(About1, &QAction::triggered, this, Guarded(this, &TForm1::AboutCommand));
    connect(Visitwebsite1, &QAction::triggered, this,
            Guarded(this, [] { platform::TMisc::OpenSite(platform::kHomePageUrl, "", "1"); }));
    connect(Reportbugs1, &QAction::triggered, this,
            Guarded(this, [] { platform::TMisc::OpenSite(platform::kContactPageUrl, "", "1"); }));
    // Ends the process at once: no close handling, so the histories are not saved.
    connect(Exit1, &QAction::triggered, this, [] { std::_Exit(0); });
}

void TForm1::BuildSearchPanel(QWidget* panel) {
    auto label = [panel](const char* name, const char* text, int x, int y) {
        auto* l = Named(new QLabel(QString::fromLatin1(text), panel), name);
        l->move(x, y);
        l->adjustSize();
        return l;
    };
    auto combo = [panel](const char* name, int y, bool editable) {
        auto* box = Named(new QComboBox(panel), name);
        box->setEditable(editable);
        box->setInsertPolicy(QComboBox::NoInsert);
        if (editable) {
            // A box matches what the user typed against its list with its completer's letter
            // case: case-insensitively it would replace a typed NEEDLE by the entry needle on
            // leaving the box. The typed text must stay as typed, so completion respects case.
            box->completer()->setCaseSensitivity(Qt::CaseSensitive);
        }
        box->setGeometry(8, y, 233, 21);
        return box;
    };
    label("Label1", "Search for files and folders:", 8, 24);
    ComboBox1 = combo("ComboBox1", 45, true);
    label("Label2", "Containing text:", 8, 72);
    ComboBox2 = combo("ComboBox2", 93, true);
    label("Label3", "Look in:", 8, 120);
    ComboBox3 = combo("ComboBox3", 141, false);
    BitBtn1 = Named(new QPushButton(QStringLiteral("Search"), panel), "BitBtn1");
    BitBtn1->setGeometry(8, 176, 75, 25);
    BitBtn2 = Named(new QPushButton(QStringLiteral("Stop"), panel), "BitBtn2");
    BitBtn2->setGeometry(96, 176, 75, 25);
    BitBtn2->setEnabled(false);
    // Enter on a focused button presses it, as Space does.
    BitBtn1->setAutoDefault(true);
    BitBtn2->setAutoDefault(true);

    auto* filters = Named(new QGroupBox(QStringLiteral("Filters"), panel), "GroupBox2");
    filters->setGeometry(8, 208, 233, 145);
    RadioButton1 = Named(new QRadioButton(QStringLiteral("Exclude"), filters), "RadioButton1");
    RadioButton1->setGeometry(12, 20, 200, 20);
    RadioButton1->setChecked(true);
    Edit1 = Named(new QLineEdit(QString::fromLatin1(kDefaultExcludeList), filters), "Edit1");
    Edit1->setGeometry(12, 44, 209, 21);
    RadioButton2 = Named(new QRadioButton(QStringLiteral("Include"), filters), "RadioButton2");
    RadioButton2->setGeometry(12, 78, 200, 20);
    Edit2 = Named(new QLineEdit(QString::fromLatin1(kDefaultIncludeList), filters), "Edit2");
    Edit2->setGeometry(12, 102, 209, 21);

    auto* optionsBox = Named(new QGroupBox(QStringLiteral("Options"), panel), "GroupBox1");
    optionsBox->setGeometry(8, 360, 233, 121);
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Include hidden files and folders"), optionsBox),
                      "CheckBox1");
    CheckBox1->setGeometry(12, 24, 209, 20);
    CheckBox2 =
        Named(new QCheckBox(QStringLiteral("Include subdirectories"), optionsBox), "CheckBox2");
    CheckBox2->setGeometry(12, 56, 209, 20);
    CheckBox2->setChecked(true);
    CheckBox3 = Named(new QCheckBox(QStringLiteral("Match whole word"), optionsBox), "CheckBox3");
    CheckBox3->setGeometry(12, 88, 209, 20);

    // Tab order as the form gives it.
    QWidget* order[] = {ComboBox1, ComboBox2,    ComboBox3, BitBtn1,   BitBtn2,   RadioButton1,
                        Edit1,     RadioButton2, Edit2,     CheckBox1, CheckBox2, CheckBox3};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    connect(BitBtn1, &QPushButton::clicked, this, Guarded(this, &TForm1::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, Guarded(this, &TForm1::BitBtn2Click));
}

void TForm1::BuildResultsAndEditor(QWidget* panel) {
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    Splitter1 = Named(new QSplitter(Qt::Vertical, panel), "Splitter1");
    Splitter1->setHandleWidth(kSplitterHandle);
    Splitter1->setChildrenCollapsible(false);
    column->addWidget(Splitter1);

    fResults =
        new ResultsModel([this](const std::string& key) { return fIcons.IconFor(key); }, this);
    auto* resultsView = Named(new ResultsView(Splitter1), "ListView1");
    ListView1 = resultsView;
    ListView1->setModel(fResults);
    ListView1->setShowGrid(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false);
    ListView1->setWordWrap(false);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->verticalHeader()->hide();
    ListView1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListView1->verticalHeader()->setDefaultSectionSize(ListView1->fontMetrics().height() + 4);
    ListView1->horizontalHeader()->setHighlightSections(false);
    ListView1->horizontalHeader()->setSectionsClickable(false);
    ListView1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const auto widths = FittedColumnWidths(*ListView1, *fServices.locale);
    for (int c = 0; c < ResultsModel::kColumnCount; ++c) {
        ListView1->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    }
    ListView1->viewport()->installEventFilter(this);
    ListView1->installEventFilter(this);  // keys that move the selection
    // The row menu and dragging rows out (TForm1RowMenu.cpp).
    fRowMenu =
        new ResultsMenu(this, {[this] { OpenFileCommand(); }, [this] { OpenFolderCommand(); }});
    connect(resultsView, &ResultsView::RowMenuRequested, this,
            Guarded(this, &TForm1::ListView1RowMenu));
    connect(resultsView, &ResultsView::RowDragEnded, this,
            Guarded(this, &TForm1::ListView1DragEnded));

    fEditorPane = new QStackedWidget(Splitter1);
    fMemoWidget = new TAdvMemoWidget(fEditorPane);
    fPreviewWidget = new TAdvMemoWidget(fEditorPane);
    fPreviewWidget->setObjectName(QStringLiteral("AdvMemo1Preview"));
    fPreviewWidget->VerticalScrollBar()->setObjectName(QStringLiteral("AdvMemo1PreviewVert"));
    fPreviewWidget->HorizontalScrollBar()->setObjectName(QStringLiteral("AdvMemo1PreviewHorz"));
    fPreviewWidget->Memo().SetReadOnly(true);
    fPreviewWidget->Memo().SetSyntaxStyles(fStyler.get());
    fEditorPane->addWidget(fMemoWidget);
    fEditorPane->addWidget(fPreviewWidget);
    fEditorPane->setCurrentWidget(fMemoWidget);
    Splitter1->addWidget(ListView1);
    Splitter1->addWidget(fEditorPane);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({kHeight, kEditorHeight});

    editor::TAdvMemo& memo = fMemoWidget->Memo();
    memo.SetSyntaxStyles(fStyler.get());
    memo.OnChange = [this](editor::TAdvCustomMemo&) { AdvMemo1Change(); };
    memo.OnSelectionChange = [this](editor::TAdvCustomMemo&) { AdvMemo1SelectionChange(); };
    // Not every edit raises OnChange (typing a Tab, indenting a block), but every one writes
    // an undo record; undo and redo change the text too.
    memo.UndoList().OnUndoChange = [this](bool, bool) {
        if (!fOwnEditorChange) {
            SetModified(true);
        }
    };
}

}  // namespace tarnwick::ui
