// The main window: its services, search inputs, the Look in list and the reactions to a search
// and to clicks on the results.
#include "ui/TForm1.h"

#include <sys/stat.h>

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "editor/FileStream.h"
#include "editor/control/ScopedValue.h"
#include "editor/find/AdvMemoFindReplace.h"
#include "editor/highlight/AdvPascalMemoStyler.h"
#include "history/InputHistory.h"
#include "platform/DriveRoots.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtTypeNames.h"
#include "platform/qt/QtUiDispatcher.h"
#include "search/MatchRules.h"
#include "search/RowTexts.h"
#include "ui/AdvMemoWidget.h"
#include "ui/LocalPaths.h"
#include "ui/TForm2.h"
#include "ui/UiDialogs.h"

namespace tarnwick {
namespace {

constexpr const char* kOtherText = "Other...";
constexpr const char* kTitle = "Tarnwick";
// How often the left status panel tells how far a long load has come.
constexpr int kLoadProgressMs = 150;
// A Look in entry's path bytes, kept with the entry (its text is only the readable form).
constexpr int kPathBytesRole = Qt::UserRole;

// The texts of the boxes cross into the core as UTF-8 bytes.
std::string Bytes(const QString& text) {
    return text.toStdString();
}

}  // namespace

TForm1::TForm1(TForm1Services services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      dispatcher_(std::make_unique<QtUiDispatcher>()),
      styler_(editor::CreateAdvPascalMemoStyler1()) {
    setObjectName(QStringLiteral("Form1"));
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

    BuildWindow();
    CreateFindReplace();
    search_ = std::make_unique<SearchControl>(options_, *dispatcher_, *services_.typeNames,
                                              *services_.locale, *this, services_.entryPause);
    loader_ = std::make_unique<editor::TBackgroundLoad>(*dispatcher_);
    loadProgress_ = new QTimer(this);
    loadProgress_->setInterval(kLoadProgressMs);
    connect(loadProgress_, &QTimer::timeout, this, &TForm1::ShowLoadProgress);
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
    findReplace_.reset();
    if (ownPrompts_) {
        ownPrompts_->Close();
    }
}

void TForm1::ConnectSearchInputs() {
    auto text = [](QComboBox* box) { return Bytes(box->currentText()); };
    connect(ComboBox1, &QComboBox::currentTextChanged, this,
            [this, text] { options_.SetNameText(text(ComboBox1)); });
    connect(ComboBox2, &QComboBox::currentTextChanged, this,
            [this, text] { options_.SetContainingText(text(ComboBox2)); });
    connect(ComboBox3, &QComboBox::currentTextChanged, this,
            [this] { options_.SetLookIn(LookInBytes()); });
    connect(ComboBox3, qOverload<int>(&QComboBox::activated), this, &TForm1::ComboBox3Select);
    connect(ComboBox1->lineEdit(), &QLineEdit::returnPressed, this, &TForm1::ComboBox1Enter);
    connect(ComboBox2->lineEdit(), &QLineEdit::returnPressed, this, &TForm1::ComboBox2Enter);
    connect(Edit1, &QLineEdit::returnPressed, this, &TForm1::Edit1Enter);
    connect(Edit2, &QLineEdit::returnPressed, this, &TForm1::Edit2Enter);
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
    options_.SetLookIn(LookInBytes());
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
        ComboBox3->addItem(DisplayPath(root), QByteArray::fromStdString(root));
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
    ComboBox3->insertItem(0, *folder, QByteArray::fromStdString(LocalPathBytes(*folder)));
    ComboBox3->setCurrentIndex(0);
}

std::string TForm1::LookInBytes() const {
    const QVariant bytes = ComboBox3->currentData(kPathBytesRole);
    if (bytes.isValid()) {
        return bytes.toByteArray().toStdString();
    }
    return Bytes(ComboBox3->currentText());
}

void TForm1::BitBtn1Click() {
    // The search empties the editor: modified text is asked about first, and Cancel leaves
    // the search unstarted.
    if (!MayDiscardEdits()) {
        return;
    }
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
    const std::string& content = search_->State().ContentText;
    if (!content.empty() && styler_->AllStyles().Count() > 0) {
        editor::TStringList keyword;
        keyword.Add(content);
        styler_->AllStyles().Items(0).SetKeyWords(keyword);
    }
    loader_->Cancel();
    loadProgress_->stop();
    ClearEditor();
    shownRow_ = -1;
    fileRow_ = -1;
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
    // A run that found nothing says so, rather than leaving the last run's count up.
    if (results_->rowCount() == 0) {
        bsSkinStatusPanel2->setText(QString::fromStdString(FoundCountText(0)));
    }
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
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) {
        // After the view has updated its selection for this click. The right button's press
        // asked for the row menu, which shows its row itself (TForm1RowMenu.cpp).
        QMetaObject::invokeMethod(this, &TForm1::ListView1Click, Qt::QueuedConnection);
    }
    if (watched == ListView1 && event->type() == QEvent::KeyPress && !keyRowCheckQueued_) {
        // After the view has moved its selection for this key; a held key's repeats that
        // arrive before the check runs are shown once.
        keyRowCheckQueued_ = true;
        QMetaObject::invokeMethod(this, &TForm1::RowSelectedByKeyboard, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

int TForm1::SelectedIndex() const {
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

const ResultRow* TForm1::SelectedRow() const {
    const int index = SelectedIndex();
    return index < 0 ? nullptr : &results_->Row(index);
}

void TForm1::ListView1Click() {
    const int index = SelectedIndex();
    if (index < 0) {
        SetFileCommandsEnabled(false);
        return;
    }
    if (loader_->Running() && index == loadingRow_) {
        return;  // that row's file is being read already
    }
    // A copy: the question below runs an event loop.
    const ResultRow row = results_->Row(index);
    // The path's bytes as listed, whatever their encoding. A row whose entry has gone since
    // the search is taken for what it was.
    struct stat info {};
    const bool exists = ::stat(row.Path.c_str(), &info) == 0;
    const bool folder = exists ? S_ISDIR(info.st_mode) : row.Type == kFolderTypeText;
    // Devices and pipes are never opened (a pipe would block the window).
    const bool loadable = !folder && (!exists || S_ISREG(info.st_mode));
    if (loadable) {
        try {
            // Opened once before anything is asked or changed: a file that can't be read shows
            // its open error and leaves the editor exactly as it was.
            editor::TFileStream probe(row.Path, editor::TFileStream::Mode::OpenRead);
        } catch (const std::exception& e) {
            SetFileCommandsEnabled(true);
            ShowError(QString::fromStdString(e.what()));
            return;
        }
        if (!MayDiscardEdits()) {
            ReselectShownRow();
            return;
        }
    }
    SetFileCommandsEnabled(true);
    if (loadable) {
        // The file is read on a worker; the editor keeps its text until the new one is ready.
        StartLoad(index, row.Path);
        return;
    }
    loader_->Cancel();  // another row was chosen: a running load no longer counts
    shownRow_ = index;
    bsSkinStatusPanel1->setText(DisplayPath(row.Path));
}

void TForm1::StartLoad(int index, const std::string& path) {
    const int changesAtStart = editorChanges_;
    loadingRow_ = index;
    loadingPath_ = path;
    editor::TAdvMemoStrings::TLoadSettings settings = memoWidget_->Memo().Lines().LoadSettings();
    if (services_.unsizedLoadLimit > 0) {
        settings.Limits.MaxUnsizedRead = services_.unsizedLoadLimit;
    }
    loader_->Start(
        path, settings,
        [this, index, path,
         changesAtStart](std::unique_ptr<editor::TAdvMemoStrings::TPreparedText> text) {
            loadProgress_->stop();
            // Text typed while the file was read is asked about like any other edit.
            if (editorChanges_ != changesAtStart && !MayDiscardEdits()) {
                ReselectShownRow();
                return;
            }
            InstallEditor(*text);
            shownRow_ = index;
            fileRow_ = index;
            bsSkinStatusPanel1->setText(DisplayPath(path));
        },
        [this](const std::string& message) {
            loadProgress_->stop();
            bsSkinStatusPanel1->setText(shownRow_ >= 0 && shownRow_ < results_->rowCount()
                                            ? DisplayPath(results_->Row(shownRow_).Path)
                                            : QString());
            ShowError(QString::fromStdString(message));
        });
    loadProgress_->start();
}

void TForm1::ShowLoadProgress() {
    if (!loader_->Running()) {
        loadProgress_->stop();
        return;
    }
    const uint64_t read = loader_->BytesRead();
    const uint64_t expected = loader_->BytesExpected();
    constexpr uint64_t kPercent = 100;
    constexpr uint64_t kMegabyte = 1000 * 1000;
    const QString amount =
        expected > 0 ? QStringLiteral("%1 %").arg(std::min(read, expected) * kPercent / expected)
                     : QStringLiteral("%1 MB").arg(read / kMegabyte);
    bsSkinStatusPanel1->setText(
        QStringLiteral("Loading %1 (%2)").arg(DisplayPath(loadingPath_), amount));
}

bool TForm1::LoadingFile() const {
    return loader_->Running();
}

void TForm1::RowSelectedByKeyboard() {
    keyRowCheckQueued_ = false;
    const int index = SelectedIndex();
    const bool beingLoaded = loader_->Running() && index == loadingRow_;
    if (index >= 0 && index != shownRow_ && !beingLoaded) {
        ListView1Click();
    }
}

void TForm1::ReselectShownRow() {
    ListView1->selectionModel()->clearSelection();
    if (shownRow_ >= 0 && shownRow_ < results_->rowCount()) {
        const QModelIndex index = results_->index(shownRow_, 0);
        ListView1->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

void TForm1::AdvMemo1Change() {
    SetSaveAsEnabled(true);
    if (!ownEditorChange_) {
        ++editorChanges_;
        SetModified(true);
    }
}

void TForm1::SetModified(bool modified) {
    if (modified == modified_) {
        return;
    }
    modified_ = modified;
    setWindowTitle(modified ? QStringLiteral("*") + QLatin1String(kTitle)
                            : QString::fromLatin1(kTitle));
}

void TForm1::InstallEditor(editor::TAdvMemoStrings::TPreparedText& text) {
    editor::TAdvMemo& memo = memoWidget_->Memo();
    memoWidget_->CloseCompletion();
    {
        const editor::TScopedValue<bool> own(ownEditorChange_, true);
        memo.Lines().InstallPrepared(text);
    }
    SetModified(false);
    AdvMemo1SelectionChange();
}

void TForm1::ClearEditor() {
    memoWidget_->CloseCompletion();
    {
        const editor::TScopedValue<bool> own(ownEditorChange_, true);
        memoWidget_->Memo().Lines().Clear();
    }
    SetModified(false);
    AdvMemo1SelectionChange();
}

bool TForm1::MayDiscardEdits() {
    if (!modified_) {
        return true;
    }
    const QString title = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    switch (services_.dialogs->AskAboutEdits(
        this, title,
        QStringLiteral("The text in the editor has been changed. Save it before it is "
                       "discarded?"))) {
        case EditsAnswer::SaveAs: {
            // The extension of the file the text came from.
            const ResultRow* source = fileRow_ >= 0 && fileRow_ < results_->rowCount()
                                          ? &results_->Row(fileRow_)
                                          : nullptr;
            return SaveEditorAs(source);
        }
        case EditsAnswer::Discard:
            return true;
        case EditsAnswer::Cancel:
            break;
    }
    return false;
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
