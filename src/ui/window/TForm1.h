// TForm1, the main window: the search inputs on the left, the results list and the editor pane
// on the right, toolbar, menu and status bar. It keeps SearchOptions equal to its controls,
// drives the search control and shows what the walk finds; every command's enabled state
// changes only through the rules in this class. Every handler runs behind the handler barrier
// (HandlerBarrier.h); the window shows the errors that reach it.
#pragma once

#include <QMainWindow>
#include <memory>
#include <vector>

#include "editor/document/AdvMemoStrings.h"
#include "editor/document/BackgroundLoad.h"
#include "search/SearchControl.h"
#include "ui/results/ResultsModel.h"
#include "ui/results/RowIcons.h"
#include "ui/window/HandlerBarrier.h"
#include "ui/window/UpdateCheckAtStart.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QPoint;
class QPushButton;
class QRadioButton;
class QSplitter;
class QStackedWidget;
class QTableView;
class QTimer;
class QToolButton;

namespace tarnwick::editor {
class TAdvMemoFindReplaceDialog;
class TAdvPascalMemoStyler;
}  // namespace tarnwick::editor
namespace tarnwick::history {
class InputHistory;
}
namespace tarnwick::platform {
class Prompts;
class QtPrompts;
}  // namespace tarnwick::platform

namespace tarnwick::ui {

class GuardedDispatcher;
class TForm2;
class ResultsMenu;
class TAdvMemoWidget;
class UiDialogs;

// What the window needs from the outside; tests pass fakes, the program the real ones.
struct TForm1Services {
    UiDialogs* dialogs = nullptr;                     // nullptr: the standard dialogs
    const platform::TypeNames* typeNames = nullptr;   // nullptr: the MIME database
    const platform::LocaleFormats* locale = nullptr;  // nullptr: the user's locale
    std::chrono::microseconds entryPause = search::kEntryPause;
    bool readDriveRoots = true;  // false: tests fill DriveRoots themselves
    std::string historyFolder;   // empty: the folder of the executable
    // The update check at start: the version document's address (empty: no check; the program
    // passes kVersionDocumentUrl), its deadline, and the boxes of the update check and of
    // Find and Replace (nullptr: the real ones).
    std::string updateEndpoint;
    std::chrono::milliseconds updateDeadline = update::UpdateCheck::kDeadline;
    std::shared_ptr<platform::Prompts> prompts;
    // Bytes a load may read past the size a file reports (0: the machine's limit).
    uint64_t unsizedLoadLimit = 0;
};

class TForm1 final : public QMainWindow,
                     public search::SearchNotifications,
                     public HandlerErrorView {
    Q_OBJECT
  public:
    static constexpr int kWidth = 1074;
    static constexpr int kHeight = 740;

    explicit TForm1(TForm1Services services = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    search::SearchControl& Search() { return *fSearch; }
    // The update check's thread, or nullptr when none was started.
    std::shared_ptr<const update::TIdThreadComponent::Control> UpdateCheckRun() const {
        return fUpdateCheck.Run();
    }
    const search::SearchOptions& Options() const { return fOptions; }
    TAdvMemoWidget& Memo() { return *fMemoWidget; }
    ResultsModel& Results() { return *fResults; }
    editor::TAdvPascalMemoStyler& Styler() { return *fStyler; }

    // SearchNotifications
    void SearchStarted() override;
    void RunEnded() override;
    void ShowSearchEvents(const search::SearchEventBatch& batch) override;

    // HandlerErrorView: an error that left a handler of the window or of one of its widgets.
    void ShowHandlerError(const QString& text) override { ShowError(text); }

    // Handlers, public so tests can run them as the events do.
    void FormShow();
    void StartIn(const std::string& folder, const std::string& name);
    void ComboBox3Select(int index);
    void BitBtn1Click();
    void BitBtn2Click();
    // A click on the results list (also a row reached with the keyboard, see eventFilter).
    void ListView1Click();
    // The row menu asked for over `row` (-1: empty space, where no menu opens). The row is
    // selected and shown as a click shows it (unless it is the row shown), then the menu opens
    // at `globalPos`, if the row is still selected: asked about edited text, the user may keep
    // it (TForm1RowMenu.cpp).
    void ListView1RowMenu(int row, const QPoint& globalPos);
    // A drag of `row` ended; its press selected the row, which is now shown as a click shows
    // it (the button's release went to the drag, so no click did).
    void ListView1DragEnded(int row);
    // Any change of the editor's text: enables Save As and, unless the window itself is
    // loading or emptying the editor, marks the text modified.
    void AdvMemo1Change();
    // Whether the editor's text changed since it was last loaded, emptied or saved; shown as
    // a "*" before the window title.
    bool EditorModified() const { return fModified; }
    // Cut and Copy are enabled while the editor has a selection.
    void AdvMemo1SelectionChange();
    void ToolButton5Click();  // Cut
    void ToolButton4Click();  // Copy
    void ToolButton6Click();  // Paste
    void Cut1Click() { ToolButton5Click(); }
    void Copy1Click() { ToolButton4Click(); }
    void Paste1Click() { ToolButton6Click(); }
    void OpenFileCommand();
    void OpenFolderCommand();
    void SaveAsCommand();
    // Find and Replace (the toolbar button and the menu item): opens the find/replace dialog.
    void ToolButton7Click();
    void Find1Click();
    void AboutCommand();
    void ComboBox1Exit();
    void ComboBox2Exit();
    // Enter in a text box records its text as leaving it would, then searches when Search is
    // enabled.
    void ComboBox1Enter();
    void ComboBox2Enter();
    // Enter in the Exclude and Include lists searches as in the text boxes.
    void Edit1Enter();
    void Edit2Enter();
    // Writes both histories; false (after showing the error) when one can't be written.
    bool SaveHistories();
    history::InputHistory& NameHistory() { return *fNameHistory; }
    history::InputHistory& WordHistory() { return *fWordHistory; }
    TForm2& AboutBox() { return *fForm2; }
    // A row's file is being read; the editor shows it once it is.
    bool LoadingFile() const;
    // While a large file is read, the editor pane shows its first lines in a read-only
    // preview in place of the editor, and the commands that act on the editor's text are
    // disabled (they would act on text that is out of sight).
    bool PreviewShown() const;
    TAdvMemoWidget& Preview() { return *fPreviewWidget; }
    editor::TAdvMemoFindReplaceDialog& AdvMemoFindReplaceDialog1() { return *fFindReplace; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    // The close handling, behind the handler barrier in closeEvent.
    void FormClose(QCloseEvent& event);
    void LoadHistories();
    std::string HistoryPath(const char* fileName) const;
    // Title, icon, font, and every control at its place (TForm1Layout.cpp).
    void BuildWindow();
    void BuildToolBarAndMenu();
    void BuildStatusBar();
    void BuildSearchPanel(QWidget* panel);
    void BuildResultsAndEditor(QWidget* panel);
    void ConnectSearchInputs();
    // The find/replace component on the editor, with its dialog (TForm1Commands.cpp).
    void CreateFindReplace();
    void FindReplaceCommand();
    void SetFileCommandsEnabled(bool enabled);
    void SetSaveAsEnabled(bool enabled);
    const search::ResultRow* SelectedRow() const;
    // The selected row's index, or -1.
    int SelectedIndex() const;
    // Before modified text is discarded: asks Save As / Discard / Cancel. True when the text
    // may go (it was not modified, was saved, or the user discards it).
    bool MayDiscardEdits();
    // The save dialog (extension proposed from `row`'s name when given) and the save; whether
    // the text was written.
    bool SaveEditorAs(const search::ResultRow* row);
    // Loading and emptying by the window itself: neither marks the text modified, both close
    // the completion list and set Cut and Copy from the (now empty) selection.
    void InstallEditor(editor::TAdvMemoStrings::TPreparedText& text);
    void ClearEditor();
    // Reads a row's file on a worker; once read, the editor shows it as a click did, unless
    // another row, a search or closing the window came first.
    void StartLoad(int index, const std::string& path);
    void ShowLoadProgress();
    // The preview of the file being read, and back to the editor (restoring the commands).
    void ShowPreview(editor::TAdvMemoStrings::TPreparedText& head);
    void HidePreview();
    // Drops a running load and its preview; the editor keeps its text.
    void CancelLoad();
    void SetModified(bool modified);
    // After a key in the results list: shows the row now selected, as a click would.
    void RowSelectedByKeyboard();
    // Back to the row shown before (none: no selection), without showing anything anew.
    void ReselectShownRow();
    // The Look in entry's path bytes (its text for an entry typed in by a test).
    std::string LookInBytes() const;
    void ShowError(const QString& text);

    TForm1Services fServices;
    search::SearchOptions fOptions;
    // Every posted task runs behind the window's handler barrier.
    std::unique_ptr<GuardedDispatcher> fDispatcher;
    // After the dispatcher: cancelled and let go before the dispatcher its boxes use goes.
    UpdateCheckAtStart fUpdateCheck;
    std::unique_ptr<platform::TypeNames> fOwnTypeNames;
    std::unique_ptr<platform::LocaleFormats> fOwnLocale;
    std::unique_ptr<editor::TAdvPascalMemoStyler> fStyler;
    RowIcons fIcons;
    ResultsModel* fResults = nullptr;
    ResultsMenu* fRowMenu = nullptr;
    bool fShownOnce = false;
    bool fModified = false;
    bool fOwnEditorChange = false;  // set while the window loads or empties the editor
    // The row last shown by a click or a key (its file in the editor, or its folder's path),
    // -1 when none; rows only come and go with a whole search, so the index stays valid.
    int fShownRow = -1;
    int fFileRow = -1;  // the row whose file the editor holds, -1 when none
    bool fKeyRowCheckQueued = false;
    // Changes the user made to the text, counted to notice typing while a file loads.
    int fEditorChanges = 0;
    // After the dispatcher it reports through, so it goes (joining its worker) before it.
    std::unique_ptr<editor::TBackgroundLoad> fLoader;
    int fLoadingRow = -1;
    std::string fLoadingPath;
    QTimer* fLoadProgress = nullptr;
    std::unique_ptr<history::InputHistory> fNameHistory;
    std::unique_ptr<history::InputHistory> fWordHistory;
    std::unique_ptr<TForm2> fForm2;
    std::shared_ptr<platform::QtPrompts> fOwnPrompts;
    // Refers to the prompts and the editor, so it goes before either.
    std::unique_ptr<editor::TAdvMemoFindReplaceDialog> fFindReplace;

    // Controls, named as in the form.
    QToolButton* fToolButtons[8] = {};
    QAction* Openfolder1 = nullptr;
    QAction* Openfile1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* Find1 = nullptr;
    QAction* Visitwebsite1 = nullptr;
    QAction* Reportbugs1 = nullptr;
    QAction* About1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QTableView* ListView1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    TAdvMemoWidget* fMemoWidget = nullptr;
    QStackedWidget* fEditorPane = nullptr;  // the editor, or the preview of a load
    TAdvMemoWidget* fPreviewWidget = nullptr;
    // The editor commands' enabled states from before the preview, restored after it.
    std::vector<std::pair<QObject*, bool>> fCommandsBeforePreview;
    QLabel* bsSkinStatusPanel1 = nullptr;
    QLabel* bsSkinStatusPanel2 = nullptr;

    // Last: destroyed first, so a running walk is stopped and its deliveries are cut off
    // before any control it reports to goes away.
    std::unique_ptr<search::SearchControl> fSearch;
};

}  // namespace tarnwick::ui
