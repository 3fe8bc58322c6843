#include "ui/shell/TDialogFileError.h"

#include "ui/platform/UiText.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvex {

TDialogFileError::TDialogFileError(QWidget* parent) : QDialog(parent)
{
    setFixedSize(577, 429);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    setFont(f);

    labelCaption_ = new QLabel(this);
    labelCaption_->setObjectName(QStringLiteral("LabelCaption"));
    QFont bold = labelCaption_->font();
    bold.setBold(true);
    labelCaption_->setFont(bold);

    errorList_ = new QPlainTextEdit(this);
    errorList_->setObjectName(QStringLiteral("ErrorList"));
    errorList_->setReadOnly(true);
    errorList_->setFixedSize(561, 345);
    errorList_->setLineWrapMode(QPlainTextEdit::NoWrap);
    errorList_->setTabChangesFocus(true);

    buttonOk_ = new QPushButton(this);
    buttonOk_->setObjectName(QStringLiteral("ButtonOk"));
    buttonOk_->setDefault(true);
    connect(buttonOk_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(labelCaption_);
    layout->addWidget(errorList_);
    layout->addWidget(buttonOk_, 0, Qt::AlignHCenter);
    Relabel();
}

void TDialogFileError::Clear()
{
    hasErrors_ = false;
    errorList_->clear();
}

void TDialogFileError::TakeErrors(const QStringList& lines)
{
    errorList_->setPlainText(lines.join(QLatin1Char('\n')));
    hasErrors_ = true;
}

QStringList TDialogFileError::Lines() const
{
    if (errorList_->document()->isEmpty())
        return {};
    return errorList_->toPlainText().split(QLatin1Char('\n'));
}

void TDialogFileError::ShowIfErrors()
{
    if (!hasErrors_)
        return;
    exec();
    Clear();
}

void TDialogFileError::showEvent(QShowEvent* event)
{
    Relabel();
    buttonOk_->setFocus();
    QDialog::showEvent(event);
}

void TDialogFileError::Relabel()
{
    setWindowTitle(UiText(TextId::CaptionError) + QLatin1Char(':'));
    labelCaption_->setText(UiText(TextId::ErrorsOpeningLogFile));
    buttonOk_->setText(UiText(TextId::ButtonOk));
}

} // namespace korvex
