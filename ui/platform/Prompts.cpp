#include "ui/platform/Prompts.h"

#include "ui/platform/Platform.h"
#include "ui/platform/UiText.h"

#include <QMessageBox>

namespace korvex {

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon)
{
    switch (icon) {
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(PromptButtons buttons)
{
    switch (buttons) {
        case PromptButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case PromptButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case PromptButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case PromptButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

} // namespace

PromptAnswer QtPrompts::Show(QWidget* owner, const QString& caption, const QString& text,
                             PromptIcon icon, PromptButtons buttons)
{
    QMessageBox box(BoxIcon(icon), caption, text, BoxButtons(buttons), owner);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return PromptAnswer::Ok;
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            break;
    }
    const bool hasCancel =
        buttons == PromptButtons::OkCancel || buttons == PromptButtons::YesNoCancel;
    return hasCancel || buttons == PromptButtons::Ok ? PromptAnswer::Cancel : PromptAnswer::No;
}

void ShowErrorBox(QWidget* owner, const QString& text)
{
    ThePlatform().prompts->Show(owner, UiText(TextId::CaptionError), text, PromptIcon::Error,
                                PromptButtons::Ok);
}

} // namespace korvex
