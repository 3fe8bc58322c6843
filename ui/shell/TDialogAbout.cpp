#include "ui/shell/TDialogAbout.h"

#include "ui/platform/Images.h"
#include "ui/platform/Platform.h"
#include "ui/platform/UiText.h"
#include "ui/shell/ProgramInfo.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

namespace korvex {

namespace {

QLabel* LinkLabel(QWidget* parent, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setCursor(Qt::PointingHandCursor);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 192));
    label->setPalette(palette);
    return label;
}

} // namespace

TDialogAbout::TDialogAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DialogAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(470, 399);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    setPalette(palette);

    halvoLogo_ = new QLabel(this);
    halvoLogo_->setGeometry(470 - 140 - 8, 8, 140, 46);
    halvoLogo_->setPixmap(SvgPixmap(QStringLiteral(":/logo/halvo.svg"), QSize(140, 46)));

    labelAppName_ = new QLabel(this);
    labelAppName_->setGeometry(8, 58, 454, 18);
    labelAppName_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = labelAppName_->font();
    bold.setBold(true);
    labelAppName_->setFont(bold);

    labelVersion_ = new QLabel(this);
    labelVersion_->setGeometry(8, 76, 454, 16);
    labelVersion_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    disclaimer_ = new QPlainTextEdit(this);
    disclaimer_->setGeometry(5, 98, 460, 193);
    disclaimer_->setReadOnly(true);
    disclaimer_->setFrameShape(QFrame::NoFrame);
    disclaimer_->setFocusPolicy(Qt::NoFocus);

    labelByOrderOf_ = new QLabel(this);
    labelByOrderOf_->setGeometry(8, 298, 220, 16);

    address_ = new QLabel(this);
    address_->setGeometry(8, 316, 220, 48);
    address_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    address_->setText(QString::fromUtf8(kMakerName) + QLatin1Char('\n') +
                      QString::fromUtf8(kMakerStreet) + QLatin1Char('\n') +
                      QString::fromUtf8(kMakerTown));

    labelCountry_ = new QLabel(this);
    labelCountry_->setGeometry(8, 364, 220, 16);

    labelMailTo_ = LinkLabel(this, QRect(240, 316, 220, 16));
    labelWebLink_ = LinkLabel(this, QRect(240, 334, 220, 16));
    labelMailTo_->installEventFilter(this);
    labelWebLink_->installEventFilter(this);

    okBtn_ = new QPushButton(QStringLiteral("&OK"), this);
    okBtn_->setGeometry(382, 364, 80, 25);
    okBtn_->setDefault(true);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
}

void TDialogAbout::FormShow()
{
    const QString title = QString::fromUtf8(kProgramTitle);
    labelAppName_->setText(title);
    labelMailTo_->setText(QString::fromUtf8(kMakerMail));
    labelWebLink_->setText(QString::fromUtf8(kMakerWeb));
    setWindowTitle(UiText(TextId::MenuInfo) + QStringLiteral(": ") + title);
    labelVersion_->setText(UiText(TextId::Version) + QLatin1Char(' ') +
                           QString::fromUtf8(kProgramVersion));
    // Some languages continue the disclaimer in the next row.
    disclaimer_->setPlainText(UiText(TextId::DisclaimerPart1) + QLatin1Char(' ') +
                              UiText(TextId::DisclaimerPart2));
    labelByOrderOf_->setText(UiText(TextId::ByOrderOf));
    labelCountry_->setText(UiText(TextId::Germany));
}

void TDialogAbout::LabelMailToClick()
{
    ThePlatform().shell->OpenUrl(QUrl(QStringLiteral("mailto:") + QString::fromUtf8(kMakerMail)));
}

void TDialogAbout::LabelWebLinkClick()
{
    ThePlatform().shell->OpenUrl(QUrl(QString::fromUtf8(kMakerWeb)));
}

void TDialogAbout::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TDialogAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TDialogAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == labelMailTo_) {
            LabelMailToClick();
            return true;
        }
        if (watched == labelWebLink_) {
            LabelWebLinkClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace korvex
