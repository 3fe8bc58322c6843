#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

class QPrinter;
class QWidget;

namespace korvex {

// A file dialog request as the platform dialog takes it; the choose-file wrapper
// (ui/shell/CommonDialogs.h) turns the program's "|"-separated filter text into nameFilters.
struct FileDialogRequest {
    QWidget* owner = nullptr;
    QString initialFile;     // already cut to 259 characters
    QStringList nameFilters; // Qt form: "Image files (*.jpg) (*.jpg)", first one selected
    bool open = true;        // false: save dialog (asks before overwriting)
    // Without "*." and "." ("jpg"); empty: none. Given for a save dialog, a name typed without
    // extension takes the chosen file type's extension, or this one for types like "*".
    QString defaultExtension;
    QString initialDirectory; // empty: the dialog's default
};

// Standard dialogs. Each is modal and centred on the desktop work area.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The confirmed path, or nothing when cancelled.
    virtual std::optional<QString> ChooseFile(const FileDialogRequest& request) = 0;
    // Folder browser pre-selecting startDirectory; the chosen folder, or nothing.
    virtual std::optional<QString> ChooseFolder(QWidget* owner, const QString& title,
                                                const QString& startDirectory) = 0;
    // Colour dialog with its custom part open. Colours are 0x00BBGGRR. The chosen colour, or
    // nothing when cancelled.
    virtual std::optional<std::uint32_t>
    ChooseColor(QWidget* owner, std::uint32_t start,
                const std::array<std::uint32_t, 16>& customColors) = 0;
    // The print dialog on the given printer; true when the user confirmed.
    virtual bool ExecPrintDialog(QWidget* owner, QPrinter& printer) = 0;
};

class QtDialogs final : public Dialogs {
public:
    std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
    std::optional<QString> ChooseFolder(QWidget* owner, const QString& title,
                                        const QString& startDirectory) override;
    std::optional<std::uint32_t>
    ChooseColor(QWidget* owner, std::uint32_t start,
                const std::array<std::uint32_t, 16>& customColors) override;
    bool ExecPrintDialog(QWidget* owner, QPrinter& printer) override;
};

} // namespace korvex
