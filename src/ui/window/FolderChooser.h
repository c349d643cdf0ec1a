// The "Other..." folder chooser: Qt's own file dialog listing folders only. OK takes the folder
// typed or selected, whether it exists or not (a missing folder is not created), but never an
// existing file. While the user browses, the process's working directory follows the folder
// shown, and it stays at the last one after OK and after Cancel alike.
#pragma once

#include <QFileDialog>

class QLineEdit;
class QPushButton;

namespace tarnwick::ui {

class FolderChooser final : public QFileDialog {
    Q_OBJECT
  public:
    // Opens at the process's working directory.
    explicit FolderChooser(QWidget* parent);

    // The confirmed folder as a full, cleaned path; empty until the user confirmed one.
    const QString& ChosenFolder() const { return fChosen; }

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The folder OK would take now: the selected or typed one, else the folder shown.
    QString Candidate() const;
    bool CandidateAcceptable() const;
    void UpdateOkButton();
    static void FollowFolder(const QString& folder);

    QLineEdit* fNameEdit = nullptr;
    QPushButton* fOkButton = nullptr;
    QString fChosen;
};

}  // namespace tarnwick::ui
