// The main window: layout, search inputs and the reactions to a search.
#include "ui/TForm1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/AdvPascalMemoStyler.h"
#include "platform/AppInfo.h"
#include "platform/DriveRoots.h"
#include "platform/TMisc.h"
#include "platform/qt/QtTypeNames.h"
#include "platform/qt/QtUiDispatcher.h"
#include "search/MatchRules.h"
#include "ui/AdvMemoWidget.h"
#include "ui/InputHistory.h"
#include "ui/ResultsColumnWidths.h"
#include "ui/TForm2.h"
#include "ui/UiDialogs.h"

namespace tarnwick {
namespace {

constexpr int kToolBarHeight = 48;
constexpr int kToolButtonWidth = 55;
constexpr int kToolImageSize = 48;
constexpr int kPanel1Width = 249;
constexpr int kEditorHeight = 211;
constexpr int kSplitterHandle = 3;
constexpr int kStatusBarHeight = 21;
constexpr int kRightStatusPanelWidth = 138;
constexpr const char* kOtherText = "Other...";

// The texts of the boxes cross into the core as UTF-8 bytes.
std::string Bytes(const QString& text) {
    return text.toStdString();
}

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

TForm1::TForm1(TForm1Services services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      dispatcher_(std::make_unique<QtUiDispatcher>()),
      styler_(editor::CreateAdvPascalMemoStyler1()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tarnwick"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/tarnwick/icons/tarnwick-%1.png").arg(size));
    }
    setWindowIcon(icon);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(9);
    setFont(font);

    if (services_.dialogs == nullptr) {
        services_.dialogs = &UiDialogs::Standard();
    }
    if (services_.typeNames == nullptr) {
        ownTypeNames_ = std::make_unique<QtTypeNames>();
        services_.typeNames = ownTypeNames_.get();
    }
    if (services_.locale == nullptr) {
        ownLocale_ = LocaleFormats::CreateSystem();
        services_.locale = ownLocale_.get();
    }

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

    setMinimumSize(kWidth, kHeight);
    resize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    }

    search_ = std::make_unique<SearchControl>(options_, *dispatcher_, *services_.typeNames,
                                              *services_.locale, *this, services_.entryPause);
    ConnectSearchInputs();
    form2_ = std::make_unique<TForm2>(this);
    FormCreate();
}

TForm1::~TForm1() {
    // The editor forgets the styler before the styler goes.
    if (memoWidget_ != nullptr) {
        memoWidget_->Memo().SetSyntaxStyles(nullptr);
    }
    search_.reset();
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
        button->setToolTip(QString::fromLatin1(info.tooltip));
        button->setIcon(ToolbarIcon(info));
        button->setIconSize(QSize(kToolImageSize, kToolImageSize));
        button->setFixedSize(kToolButtonWidth, kToolBarHeight);
        button->setEnabled(info.enabled);
        toolBar->addWidget(button);
        toolButtons_[i] = button;
    }
    // Positions in kToolButtons.
    connect(toolButtons_[0], &QToolButton::clicked, this, &TForm1::OpenFolderCommand);
    connect(toolButtons_[1], &QToolButton::clicked, this, &TForm1::OpenFileCommand);
    connect(toolButtons_[2], &QToolButton::clicked, this, &TForm1::SaveAsCommand);

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

    connect(Openfolder1, &QAction::triggered, this, &TForm1::OpenFolderCommand);
    connect(Openfile1, &QAction::triggered, this, &TForm1::OpenFileCommand);
    connect(Save1, &QAction::triggered, this, &TForm1::SaveAsCommand);
    connect(toolButtons_[7], &QToolButton::clicked, this, &TForm1::AboutCommand);
    connect(About1, &QAction::triggered, this, &TForm1::AboutCommand);
    connect(Visitwebsite1, &QAction::triggered, this,
            [] { TMisc::OpenSite(kHomePageUrl, "", "1"); });
    connect(Reportbugs1, &QAction::triggered, this,
            [] { TMisc::OpenSite(kContactPageUrl, "", "1"); });
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
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
}

void TForm1::BuildResultsAndEditor(QWidget* panel) {
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    Splitter1 = Named(new QSplitter(Qt::Vertical, panel), "Splitter1");
    Splitter1->setHandleWidth(kSplitterHandle);
    Splitter1->setChildrenCollapsible(false);
    column->addWidget(Splitter1);

    results_ =
        new ResultsModel([this](const std::string& key) { return icons_.IconFor(key); }, this);
    ListView1 = Named(new QTableView(Splitter1), "ListView1");
    ListView1->setModel(results_);
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
    const auto widths = FittedColumnWidths(*ListView1, *services_.locale);
    for (int c = 0; c < ResultsModel::kColumnCount; ++c) {
        ListView1->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    }
    ListView1->viewport()->installEventFilter(this);

    memoWidget_ = new TAdvMemoWidget(Splitter1);
    Splitter1->addWidget(ListView1);
    Splitter1->addWidget(memoWidget_);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({kHeight, kEditorHeight});

    editor::TAdvMemo& memo = memoWidget_->Memo();
    memo.SetSyntaxStyles(styler_.get());
    memo.OnChange = [this](editor::TAdvCustomMemo&) { AdvMemo1Change(); };
}

void TForm1::ConnectSearchInputs() {
    auto text = [](QComboBox* box) { return Bytes(box->currentText()); };
    connect(ComboBox1, &QComboBox::currentTextChanged, this,
            [this, text] { options_.SetNameText(text(ComboBox1)); });
    connect(ComboBox2, &QComboBox::currentTextChanged, this,
            [this, text] { options_.SetContainingText(text(ComboBox2)); });
    connect(ComboBox3, &QComboBox::currentTextChanged, this,
            [this] { options_.SetLookIn(Bytes(ComboBox3->currentText())); });
    connect(ComboBox3, qOverload<int>(&QComboBox::activated), this, &TForm1::ComboBox3Select);
    connect(ComboBox1->lineEdit(), &QLineEdit::returnPressed, this, &TForm1::ComboBox1Enter);
    connect(ComboBox2->lineEdit(), &QLineEdit::returnPressed, this, &TForm1::ComboBox2Enter);
    connect(CheckBox1, &QCheckBox::toggled, this,
            [this](bool on) { options_.SetIncludeHidden(on); });
    connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) { options_.SetRecurse(on); });
    connect(CheckBox3, &QCheckBox::toggled, this, [this](bool on) { options_.SetWholeWord(on); });
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        options_.SetFilter(on ? FilterMode::Exclude : FilterMode::Include);
    });
    connect(Edit1, &QLineEdit::textChanged, this,
            [this](const QString& t) { options_.SetExcludeListText(Bytes(t)); });
    connect(Edit2, &QLineEdit::textChanged, this,
            [this](const QString& t) { options_.SetIncludeListText(Bytes(t)); });
    // Start equal to the controls.
    options_.SetNameText(text(ComboBox1));
    options_.SetContainingText(text(ComboBox2));
    options_.SetLookIn(Bytes(ComboBox3->currentText()));
    options_.SetIncludeHidden(CheckBox1->isChecked());
    options_.SetRecurse(CheckBox2->isChecked());
    options_.SetWholeWord(CheckBox3->isChecked());
    options_.SetFilter(RadioButton1->isChecked() ? FilterMode::Exclude : FilterMode::Include);
    options_.SetExcludeListText(Bytes(Edit1->text()));
    options_.SetIncludeListText(Bytes(Edit2->text()));
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TForm1::FormShow() {
    SearchState& state = search_->State();
    if (services_.readDriveRoots) {
        state.DriveRoots = ReadDriveRoots();
    }
    ComboBox3->clear();
    for (const std::string& root : state.DriveRoots) {
        ComboBox3->addItem(QFile::decodeName(QByteArray::fromStdString(root)));
    }
    ComboBox3->addItem(QString::fromLatin1(kAllDrivesText));
    ComboBox3->addItem(QString::fromLatin1(kOtherText));
    ComboBox3->setCurrentIndex(0);
}

void TForm1::ComboBox3Select(int index) {
    if (index != ComboBox3->count() - 1) {
        return;
    }
    const std::optional<QString> folder = services_.dialogs->ChooseFolder(this);
    if (!folder) {
        ComboBox3->setCurrentIndex(-1);
        options_.SetLookIn({});
        return;
    }
    ComboBox3->insertItem(0, *folder);
    ComboBox3->setCurrentIndex(0);
}

void TForm1::BitBtn1Click() {
    // An editable box's text may not have been committed through a signal yet.
    options_.SetNameText(Bytes(ComboBox1->currentText()));
    options_.SetContainingText(Bytes(ComboBox2->currentText()));
    search_->StartSearch();
}

void TForm1::BitBtn2Click() {
    bsSkinStatusPanel1->clear();
    search_->StopSearch();
}

void TForm1::SearchStarted() {
    editor::TAdvMemo& memo = memoWidget_->Memo();
    const std::string& content = search_->State().ContentText;
    if (!content.empty() && styler_->AllStyles().Count() > 0) {
        editor::TStringList keyword;
        keyword.Add(content);
        styler_->AllStyles().Items(0).SetKeyWords(keyword);
    }
    memo.Lines().Clear();
    SetSaveAsEnabled(false);
    SetFileCommandsEnabled(false);
    // A disabled button hands its focus on along the tab order, which would put it on the
    // Exclude list (text selected, so the next key replaces it). Stop takes it instead.
    BitBtn2->setEnabled(true);
    if (focusWidget() == BitBtn1) {
        BitBtn2->setFocus();
    }
    BitBtn1->setEnabled(false);
    results_->Clear();
}

void TForm1::RunEnded() {
    BitBtn1->setEnabled(true);
    if (focusWidget() == BitBtn2) {
        BitBtn1->setFocus();  // back where the run was started, as Stop goes
    }
    BitBtn2->setEnabled(false);
    bsSkinStatusPanel1->clear();
}

void TForm1::ShowSearchEvents(const SearchEventBatch& batch) {
    std::vector<ResultRow> rows;
    QString folder;
    QString found;
    for (const SearchEvent& event : batch) {
        switch (event.kind) {
            case SearchEvent::Kind::Row:
                rows.push_back(event.row);
                break;
            case SearchEvent::Kind::Folder:
                folder = QFile::decodeName(QByteArray::fromStdString(event.text));
                break;
            case SearchEvent::Kind::FoundCount:
                found = QString::fromStdString(event.text);
                break;
        }
    }
    // Only the last text of each panel would be visible anyway; rows go in at once.
    results_->Append(std::move(rows));
    if (!folder.isNull()) {
        bsSkinStatusPanel1->setText(folder);
    }
    if (!found.isNull()) {
        bsSkinStatusPanel2->setText(found);
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == ComboBox1) {
            ComboBox1Exit();
        } else if (watched == ComboBox2) {
            ComboBox2Exit();
        }
    }
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // After the view has updated its selection for this click.
        QMetaObject::invokeMethod(this, &TForm1::ListView1Click, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

const ResultRow* TForm1::SelectedRow() const {
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return nullptr;
    }
    return &results_->Row(rows.constFirst().row());
}

void TForm1::ListView1Click() {
    const ResultRow* row = SelectedRow();
    if (row == nullptr) {
        SetFileCommandsEnabled(false);
        return;
    }
    SetFileCommandsEnabled(true);
    const std::string path = row->Path;
    const QFileInfo info(QFile::decodeName(QByteArray::fromStdString(path)));
    if (info.exists() && !info.isDir()) {
        try {
            memoWidget_->Memo().Lines().LoadFromFile(path);
        } catch (const std::exception& e) {
            ShowError(QString::fromStdString(e.what()));
            return;
        }
    }
    bsSkinStatusPanel1->setText(info.filePath());
}

void TForm1::AdvMemo1Change() {
    SetSaveAsEnabled(true);
}

void TForm1::SetFileCommandsEnabled(bool enabled) {
    toolButtons_[0]->setEnabled(enabled);
    toolButtons_[1]->setEnabled(enabled);
    Openfolder1->setEnabled(enabled);
    Openfile1->setEnabled(enabled);
}

void TForm1::SetSaveAsEnabled(bool enabled) {
    toolButtons_[2]->setEnabled(enabled);
    Save1->setEnabled(enabled);
}

void TForm1::ShowError(const QString& text) {
    const QString title = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    services_.dialogs->ShowError(this, title, text + QLatin1Char('.'));
}

}  // namespace tarnwick
