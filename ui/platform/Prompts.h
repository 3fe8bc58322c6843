#pragma once

#include <QString>

class QWidget;

namespace korvex {

enum class PromptIcon { None, Question, Error, Warning, Information };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// Message boxes. Every box of the program goes through here so that tests can answer them.
class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a modal box and returns the button the user chose. Closing a box without a button
    // answers Cancel, or No when the box has no Cancel button.
    virtual PromptAnswer Show(QWidget* owner, const QString& caption, const QString& text,
                              PromptIcon icon, PromptButtons buttons) = 0;
};

class QtPrompts final : public Prompts {
public:
    PromptAnswer Show(QWidget* owner, const QString& caption, const QString& text, PromptIcon icon,
                      PromptButtons buttons) override;
};

// The error box: caption text 50 of the current block, error icon, OK.
void ShowErrorBox(QWidget* owner, const QString& text);

} // namespace korvex
