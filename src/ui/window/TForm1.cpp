// The main window: its services, search inputs, the Look in list and the reactions to a search
// and to clicks on the results.
#include "ui/window/TForm1.h"

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
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "editor/control/ScopedValue.h"
#include "editor/find/AdvMemoFindReplace.h"
#include "editor/highlight/AdvPascalMemoStyler.h"
#include "history/InputHistory.h"
#include "platform/DriveRoots.h"
#include "platform/files/FileStream.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtTypeNames.h"
#include "search/MatchRules.h"
#include "search/RowTexts.h"
#include "ui/editor/AdvMemoWidget.h"
#include "ui/window/GuardedDispatcher.h"
#include "ui/window/LocalPaths.h"
#include "ui/window/TForm2.h"
#include "ui/window/UiDialogs.h"

namespace tarnwick::ui {

using search::FilterMode;
using search::FoundCountText;
using search::kAllDrivesText;
using search::kFolderTypeText;
using search::ResultRow;
using search::SearchControl;
using search::SearchEvent;
using search::SearchEventBatch;
using search::SearchState;

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
      fServices(services),
      fDispatcher(std::make_unique<GuardedDispatcher>(this)),
      fStyler(editor::CreateAdvPascalMemoStyler1()) {
    setObjectName(QStringLiteral("Form1"));
    if (fServices.dialogs == nullptr) {
        fServices.dialogs = &UiDialogs::Standard();
    }
    if (fServices.typeNames == nullptr) {
        fOwnTypeNames = std::make_unique<platform::QtTypeNames>();
        fServices.typeNames = fOwnTypeNames.get();
    }
    if (fServices.locale == nullptr) {
        fOwnLocale = platform::LocaleFormats::CreateSystem();
        fServices.locale = fOwnLocale.get();
    }

    BuildWindow();
    CreateFindReplace();
    fSearch = std::make_unique<SearchControl>(fOptions, *fDispatcher, *fServices.typeNames,
                                              *fServices.locale, *this, fServices.entryPause);
    fLoader = std::make_unique<editor::TBackgroundLoad>(*fDispatcher);
    fLoadProgress = new QTimer(this);
    fLoadProgress->setInterval(kLoadProgressMs);
    connect(fLoadProgress, &QTimer::timeout, this, Guarded(this, &TForm1::ShowLoadProgress));
    ConnectSearchInputs();
    fForm2 = std::make_unique<TForm2>(this);
    FormCreate();
}

TForm1::~TForm1() {
    // The editor forgets the styler before the styler goes.
    for (TAdvMemoWidget* widget : {fMemoWidget, fPreviewWidget}) {
        if (widget != nullptr) {
            widget->Memo().SetSyntaxStyles(nullptr);
        }
    }
    fSearch.reset();
    fFindReplace.reset();
    if (fOwnPrompts) {
        fOwnPrompts->Close();
    }
}

void TForm1::ConnectSearchInputs() {
    auto text = [](QComboBox* box) { return Bytes(box->currentText()); };
    connect(ComboBox1, &QComboBox::currentTextChanged, this,
            Guarded(this, [this, text] { fOptions.SetNameText(text(ComboBox1)); }));
    connect(ComboBox2, &QComboBox::currentTextChanged, this,
            Guarded(this, [this, text] { fOptions.SetContainingText(text(ComboBox2)); }));
    connect(ComboBox3, &QComboBox::currentTextChanged, this,
            Guarded(this, [this] { fOptions.SetLookIn(LookInBytes()); }));
    connect(ComboBox3, qOverload<int>(&QComboBox::activated), this,
            Guarded(this, &TForm1::ComboBox3Select));
    connect(ComboBox1->lineEdit(), &QLineEdit::returnPressed, this,
            Guarded(this, &TForm1::ComboBox1Enter));
    connect(ComboBox2->lineEdit(), &QLineEdit::returnPressed, this,
            Guarded(this, &TForm1::ComboBox2Enter));
    connect(Edit1, &QLineEdit::returnPressed, this, Guarded(this, &TForm1::Edit1Enter));
    connect(Edit2, &QLineEdit::returnPressed, this, Guarded(this, &TForm1::Edit2Enter));
    connect(CheckBox1, &QCheckBox::toggled, this,
            Guarded<bool>(this, [this](bool on) { fOptions.SetIncludeHidden(on); }));
    connect(CheckBox2, &QCheckBox::toggled, this,
            Guarded<bool>(this, [this](bool on) { fOptions.SetRecurse(on); }));
    connect(CheckBox3, &QCheckBox::toggled, this,
            Guarded<bool>(this, [this](bool on) { fOptions.SetWholeWord(on); }));
    connect(RadioButton1, &QRadioButton::toggled, this, Guarded<bool>(this, [this](bool on) {
                fOptions.SetFilter(on ? FilterMode::Exclude : FilterMode::Include);
            }));
    connect(Edit1, &QLineEdit::textChanged, this,
            Guarded<const QString&>(
                this, [this](const QString& t) { fOptions.SetExcludeListText(Bytes(t)); }));
    connect(Edit2, &QLineEdit::textChanged, this,
            Guarded<const QString&>(
                this, [this](const QString& t) { fOptions.SetIncludeListText(Bytes(t)); }));
    // Start equal to the controls.
    fOptions.SetNameText(text(ComboBox1));
    fOptions.SetContainingText(text(ComboBox2));
    fOptions.SetLookIn(LookInBytes());
    fOptions.SetIncludeHidden(CheckBox1->isChecked());
    fOptions.SetRecurse(CheckBox2->isChecked());
    fOptions.SetWholeWord(CheckBox3->isChecked());
    fOptions.SetFilter(RadioButton1->isChecked() ? FilterMode::Exclude : FilterMode::Include);
    fOptions.SetExcludeListText(Bytes(Edit1->text()));
    fOptions.SetIncludeListText(Bytes(Edit2->text()));
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!fShownOnce) {
        fShownOnce = true;
        RunHandler(this, [this] { FormShow(); });
    }
}

void TForm1::FormShow() {
    SearchState& state = fSearch->State();
    if (fServices.readDriveRoots) {
        state.DriveRoots = platform::ReadDriveRoots();
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
    const std::optional<QString> folder = fServices.dialogs->ChooseFolder(this);
    if (!folder) {
        ComboBox3->setCurrentIndex(-1);
        fOptions.SetLookIn({});
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
    fOptions.SetNameText(Bytes(ComboBox1->currentText()));
    fOptions.SetContainingText(Bytes(ComboBox2->currentText()));
    fSearch->StartSearch();
}

void TForm1::BitBtn2Click() {
    bsSkinStatusPanel1->clear();
    fSearch->StopSearch();
}

void TForm1::SearchStarted() {
    const std::string& content = fSearch->State().ContentText;
    if (!content.empty() && fStyler->AllStyles().Count() > 0) {
        editor::TStringList keyword;
        keyword.Add(content);
        fStyler->AllStyles().Items(0).SetKeyWords(keyword);
    }
    CancelLoad();
    fLoadProgress->stop();
    ClearEditor();
    fShownRow = -1;
    fFileRow = -1;
    SetSaveAsEnabled(false);
    SetFileCommandsEnabled(false);
    // A disabled button hands its focus on along the tab order, which would put it on the
    // Exclude list (text selected, so the next key replaces it). Stop takes it instead.
    BitBtn2->setEnabled(true);
    if (focusWidget() == BitBtn1) {
        BitBtn2->setFocus();
    }
    BitBtn1->setEnabled(false);
    fResults->Clear();
}

void TForm1::RunEnded() {
    BitBtn1->setEnabled(true);
    if (focusWidget() == BitBtn2) {
        BitBtn1->setFocus();  // back where the run was started, as Stop goes
    }
    BitBtn2->setEnabled(false);
    bsSkinStatusPanel1->clear();
    // A run that found nothing says so, rather than leaving the last run's count up.
    if (fResults->rowCount() == 0) {
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
    fResults->Append(std::move(rows));
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
            RunHandler(this, [this] { ComboBox1Exit(); });
        } else if (watched == ComboBox2) {
            RunHandler(this, [this] { ComboBox2Exit(); });
        }
    }
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) {
        // After the view has updated its selection for this click. The right button's press
        // asked for the row menu, which shows its row itself (TForm1RowMenu.cpp).
        QMetaObject::invokeMethod(this, Guarded(this, &TForm1::ListView1Click),
                                  Qt::QueuedConnection);
    }
    if (watched == ListView1 && event->type() == QEvent::KeyPress && !fKeyRowCheckQueued) {
        // After the view has moved its selection for this key; a held key's repeats that
        // arrive before the check runs are shown once.
        fKeyRowCheckQueued = true;
        QMetaObject::invokeMethod(this, Guarded(this, &TForm1::RowSelectedByKeyboard),
                                  Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

int TForm1::SelectedIndex() const {
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

const ResultRow* TForm1::SelectedRow() const {
    const int index = SelectedIndex();
    return index < 0 ? nullptr : &fResults->Row(index);
}

void TForm1::ListView1Click() {
    const int index = SelectedIndex();
    if (index < 0) {
        SetFileCommandsEnabled(false);
        return;
    }
    if (fLoader->Running() && index == fLoadingRow) {
        return;  // that row's file is being read already
    }
    // A copy: the question below runs an event loop.
    const ResultRow row = fResults->Row(index);
    // The path's bytes as listed, whatever their encoding. A row whose entry has gone since
    // the search is taken for what it was.
    struct stat info {};
    const bool exists = ::stat(row.Path.c_str(), &info) == 0;
    const bool folder = exists ? S_ISDIR(info.st_mode) : row.Type == kFolderTypeText;
    // Devices and pipes are never opened (a pipe would block the window).
    const bool loadable = !folder && (!exists || S_ISREG(info.st_mode));
    if (loadable) {
        // Opened once before anything is asked or changed: a file that can't be read shows
        // its open error and leaves the editor exactly as it was.
        if (!RunHandler(this, [&] {
                files::TFileStream probe(row.Path, files::TFileStream::Mode::OpenRead);
            })) {
            SetFileCommandsEnabled(true);
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
    CancelLoad();  // another row was chosen: a running load no longer counts
    fShownRow = index;
    bsSkinStatusPanel1->setText(DisplayPath(row.Path));
}

void TForm1::StartLoad(int index, const std::string& path) {
    const int changesAtStart = fEditorChanges;
    fLoadingRow = index;
    fLoadingPath = path;
    editor::TAdvMemoStrings::TLoadSettings settings = fMemoWidget->Memo().Lines().LoadSettings();
    if (fServices.unsizedLoadLimit > 0) {
        settings.Limits.MaxUnsizedRead = fServices.unsizedLoadLimit;
    }
    HidePreview();  // a load that was running no longer counts
    fLoader->Start(
        path, settings,
        [this, index, path,
         changesAtStart](std::unique_ptr<editor::TAdvMemoStrings::TPreparedText> text) {
            fLoadProgress->stop();
            HidePreview();
            // Text typed while the file was read is asked about like any other edit.
            if (fEditorChanges != changesAtStart && !MayDiscardEdits()) {
                ReselectShownRow();
                return;
            }
            InstallEditor(*text);
            fShownRow = index;
            fFileRow = index;
            bsSkinStatusPanel1->setText(DisplayPath(path));
        },
        [this](const std::string& message) {
            fLoadProgress->stop();
            HidePreview();
            bsSkinStatusPanel1->setText(fShownRow >= 0 && fShownRow < fResults->rowCount()
                                            ? DisplayPath(fResults->Row(fShownRow).Path)
                                            : QString());
            ShowError(QString::fromStdString(message));
        },
        [this](std::unique_ptr<editor::TAdvMemoStrings::TPreparedText> head) {
            ShowPreview(*head);
        });
    fLoadProgress->start();
}

void TForm1::ShowPreview(editor::TAdvMemoStrings::TPreparedText& head) {
    if (!PreviewShown()) {
        fCommandsBeforePreview.clear();
        for (QObject* command : std::initializer_list<QObject*>{
                 Save1, Cut1, Copy1, Paste1, Find1, fToolButtons[2], fToolButtons[3],
                 fToolButtons[4], fToolButtons[5], fToolButtons[6]}) {
            fCommandsBeforePreview.emplace_back(command, command->property("enabled").toBool());
            command->setProperty("enabled", false);
        }
    }
    fPreviewWidget->Memo().Lines().InstallPrepared(head);
    const bool editorFocused = fMemoWidget->hasFocus();
    fEditorPane->setCurrentWidget(fPreviewWidget);
    if (editorFocused) {
        fPreviewWidget->setFocus();
    }
}

void TForm1::HidePreview() {
    if (!PreviewShown()) {
        return;
    }
    const bool previewFocused = fPreviewWidget->hasFocus();
    fEditorPane->setCurrentWidget(fMemoWidget);
    if (previewFocused) {
        fMemoWidget->setFocus();
    }
    fPreviewWidget->Memo().Lines().Clear();  // its memory goes with it
    for (const auto& [command, enabled] : fCommandsBeforePreview) {
        command->setProperty("enabled", enabled);
    }
    fCommandsBeforePreview.clear();
}

bool TForm1::PreviewShown() const {
    return fEditorPane->currentWidget() == fPreviewWidget;
}

void TForm1::CancelLoad() {
    fLoader->Cancel();
    HidePreview();
}

void TForm1::ShowLoadProgress() {
    if (!fLoader->Running()) {
        fLoadProgress->stop();
        return;
    }
    const uint64_t read = fLoader->BytesRead();
    const uint64_t expected = fLoader->BytesExpected();
    constexpr uint64_t kPercent = 100;
    constexpr uint64_t kMegabyte = 1000 * 1000;
    const QString amount =
        expected > 0 ? QStringLiteral("%1 %").arg(std::min(read, expected) * kPercent / expected)
                     : QStringLiteral("%1 MB").arg(read / kMegabyte);
    bsSkinStatusPanel1->setText(
        QStringLiteral("Loading %1 (%2)").arg(DisplayPath(fLoadingPath), amount));
}

bool TForm1::LoadingFile() const {
    return fLoader->Running();
}

void TForm1::RowSelectedByKeyboard() {
    fKeyRowCheckQueued = false;
    const int index = SelectedIndex();
    const bool beingLoaded = fLoader->Running() && index == fLoadingRow;
    if (index >= 0 && index != fShownRow && !beingLoaded) {
        ListView1Click();
    }
}

void TForm1::ReselectShownRow() {
    ListView1->selectionModel()->clearSelection();
    if (fShownRow >= 0 && fShownRow < fResults->rowCount()) {
        const QModelIndex index = fResults->index(fShownRow, 0);
        ListView1->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

void TForm1::AdvMemo1Change() {
    SetSaveAsEnabled(true);
    if (!fOwnEditorChange) {
        ++fEditorChanges;
        SetModified(true);
    }
}

void TForm1::SetModified(bool modified) {
    if (modified == fModified) {
        return;
    }
    fModified = modified;
    setWindowTitle(modified ? QStringLiteral("*") + QLatin1String(kTitle)
                            : QString::fromLatin1(kTitle));
}

void TForm1::InstallEditor(editor::TAdvMemoStrings::TPreparedText& text) {
    editor::TAdvMemo& memo = fMemoWidget->Memo();
    fMemoWidget->CloseCompletion();
    {
        const editor::TScopedValue<bool> own(fOwnEditorChange, true);
        memo.Lines().InstallPrepared(text);
    }
    SetModified(false);
    AdvMemo1SelectionChange();
}

void TForm1::ClearEditor() {
    fMemoWidget->CloseCompletion();
    {
        const editor::TScopedValue<bool> own(fOwnEditorChange, true);
        fMemoWidget->Memo().Lines().Clear();
    }
    SetModified(false);
    AdvMemo1SelectionChange();
}

bool TForm1::MayDiscardEdits() {
    if (!fModified) {
        return true;
    }
    switch (fServices.dialogs->AskAboutEdits(
        this, ApplicationTitle(),
        QStringLiteral("The text in the editor has been changed. Save it before it is "
                       "discarded?"))) {
        case EditsAnswer::SaveAs: {
            // The extension of the file the text came from.
            const ResultRow* source = fFileRow >= 0 && fFileRow < fResults->rowCount()
                                          ? &fResults->Row(fFileRow)
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
    fToolButtons[0]->setEnabled(enabled);
    fToolButtons[1]->setEnabled(enabled);
    Openfolder1->setEnabled(enabled);
    Openfile1->setEnabled(enabled);
}

void TForm1::SetSaveAsEnabled(bool enabled) {
    fToolButtons[2]->setEnabled(enabled);
    Save1->setEnabled(enabled);
}

void TForm1::ShowError(const QString& text) {
    fServices.dialogs->ShowError(this, ApplicationTitle(), text + QLatin1Char('.'));
}

}  // namespace tarnwick::ui
