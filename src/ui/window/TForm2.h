// TForm2: the About box, a fixed-size dialog with logo, version line, web-site link and OK. The
// version line reads "Version " + AppVersion from the first PrepareToShow on.
#pragma once

#include <QDialog>
#include <QLabel>

class QPushButton;

namespace tarnwick::ui {

// A label drawn as a web link: underlined, a pointing hand over it, blue while hovered. A click
// with the left button emits clicked().
class TLinkLabel : public QLabel {
    Q_OBJECT

  public:
    explicit TLinkLabel(const QString& text, QWidget* parent = nullptr);

    bool IsHovered() const { return fHovered; }

  signals:
    void clicked();

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void SetHovered(bool hovered);

    bool fHovered = false;
    bool fPressed = false;  // a press began on the label; the release there is the click
};

class TForm2 : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kClientWidth = 285;
    static constexpr int kClientHeight = 230;
    // Resource path of the logo shown in Image1.
    static constexpr const char* kLogoResource = ":/tarnwick/about-logo.gif";

    explicit TForm2(QWidget* parent = nullptr);

    // Sets the version line to "Version " + AppVersion; called before every showing.
    void PrepareToShow();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Button1Click();
    void bsSkinLinkLabel1Click();
    void CentreOnScreen();

    QLabel* Image1;
    QLabel* Label1;
    TLinkLabel* bsSkinLinkLabel1;
    QPushButton* Button1;
};

}  // namespace tarnwick::ui
