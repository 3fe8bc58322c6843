#include "ui/platform/Dialogs.h"

#include "ui/platform/Desktop.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>

namespace korvex {

namespace {

QColor FromBgr(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

std::uint32_t ToBgr(const QColor& colour)
{
    return std::uint32_t(colour.red()) | (std::uint32_t(colour.green()) << 8) |
           (std::uint32_t(colour.blue()) << 16);
}

// "Image files (*.bmp) (*.bmp)" -> "bmp"; a filter without one plain extension gives "".
QString FilterExtension(const QString& filter)
{
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return QString();
    const QString pattern = filter.mid(open + 1, close - open - 1).trimmed();
    if (!pattern.startsWith(QLatin1String("*.")))
        return QString();
    const QString extension = pattern.mid(2);
    for (const QChar c : extension) {
        if (!c.isLetterOrNumber())
            return QString();
    }
    return extension;
}

// A name typed without extension takes the extension of the chosen file type, so that picking
// "bitmap" and typing "roof" saves roof.bmp; other file types fall back to the default.
class FileDialog final : public QFileDialog {
public:
    FileDialog(QWidget* owner, const QString& fallbackExtension)
        : QFileDialog(owner), fallback_(fallbackExtension)
    {}

    void accept() override
    {
        if (acceptMode() == AcceptSave && !fallback_.isEmpty()) {
            const QString chosen = FilterExtension(selectedNameFilter());
            setDefaultSuffix(chosen.isEmpty() ? fallback_ : chosen);
        }
        QFileDialog::accept();
    }

private:
    QString fallback_;
};

} // namespace

std::optional<QString> QtDialogs::ChooseFile(const FileDialogRequest& request)
{
    FileDialog dialog(request.owner, request.defaultExtension);
    // Qt's own dialog: a desktop portal would ignore the position and some of the options.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!request.nameFilters.isEmpty()) {
        // Show the names as given; the patterns in the last parentheses only filter.
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        dialog.setNameFilters(request.nameFilters);
    }
    if (!request.initialDirectory.isEmpty())
        dialog.setDirectory(request.initialDirectory);
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.initialFile.isEmpty())
        dialog.selectFile(request.initialFile);
    CentreOnWorkAreaWhenShown(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogs::ChooseFolder(QWidget* owner, const QString& title,
                                               const QString& startDirectory)
{
    const QString folder =
        QFileDialog::getExistingDirectory(owner, title, startDirectory, QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<std::uint32_t>
QtDialogs::ChooseColor(QWidget* owner, std::uint32_t start,
                       const std::array<std::uint32_t, 16>& customColors)
{
    const int count = std::min(int(customColors.size()), QColorDialog::customCount());
    for (int i = 0; i < count; ++i)
        QColorDialog::setCustomColor(i, FromBgr(customColors[std::size_t(i)]));
    QColorDialog dialog(FromBgr(start), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    CentreOnWorkAreaWhenShown(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ToBgr(dialog.selectedColor());
}

bool QtDialogs::ExecPrintDialog(QWidget* owner, QPrinter& printer)
{
    // The program always prints the whole output: the dialog offers no page range, selection or
    // current page, and no range left on the printer from elsewhere may cut the output short.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    QPrintDialog dialog(&printer, owner);
    // Printing to a PDF file stays: on many machines it is the only printer there is.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace korvex
