#pragma once

// TDialogAbout: name, version, disclaimer and the maker's address with a mail and a web link.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korvex {

class TDialogAbout : public QDialog {
    Q_OBJECT
public:
    explicit TDialogAbout(QWidget* parent = nullptr);

    // Relabels from the current catalogue block (runs on every showing).
    void FormShow();
    void LabelMailToClick();
    void LabelWebLinkClick();

    QLabel* LabelAppName() const { return labelAppName_; }
    QLabel* LabelVersion() const { return labelVersion_; }
    QPlainTextEdit* Disclaimer() const { return disclaimer_; }
    QLabel* LabelByOrderOf() const { return labelByOrderOf_; }
    QLabel* Address() const { return address_; }
    QLabel* LabelCountry() const { return labelCountry_; }
    QLabel* LabelMailTo() const { return labelMailTo_; }
    QLabel* LabelWebLink() const { return labelWebLink_; }
    QPushButton* OKBtn() const { return okBtn_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* halvoLogo_ = nullptr;
    QLabel* labelAppName_ = nullptr;
    QLabel* labelVersion_ = nullptr;
    QPlainTextEdit* disclaimer_ = nullptr;
    QLabel* labelByOrderOf_ = nullptr;
    QLabel* address_ = nullptr;
    QLabel* labelCountry_ = nullptr;
    QLabel* labelMailTo_ = nullptr;
    QLabel* labelWebLink_ = nullptr;
    QPushButton* okBtn_ = nullptr;
};

} // namespace korvex
