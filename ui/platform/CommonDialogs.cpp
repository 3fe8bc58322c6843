#include "ui/platform/CommonDialogs.h"

#include "ui/platform/Platform.h"

namespace korvex {

namespace {

// The first fifteen colours of the default field palette, 0x00BBGGRR.
constexpr std::uint32_t Bgr(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

constexpr std::array<std::uint32_t, 15> kPalette = {
    Bgr(255, 0, 0),   Bgr(0, 0, 255),    Bgr(255, 236, 0), Bgr(0, 128, 0),  Bgr(155, 155, 155),
    Bgr(118, 94, 10), Bgr(0, 0, 0),      Bgr(0, 128, 255), Bgr(0, 255, 64), Bgr(128, 0, 128),
    Bgr(255, 0, 255), Bgr(64, 128, 128), Bgr(128, 0, 0),   Bgr(78, 50, 50), Bgr(0, 255, 255)};

// "*.jpg" -> "jpg"; "*", "*.*" and "" -> no default extension.
QString PlainExtension(const QString& extension)
{
    QString plain = extension.trimmed();
    while (plain.startsWith(QLatin1Char('*')) || plain.startsWith(QLatin1Char('.')))
        plain.remove(0, 1);
    if (plain.contains(QLatin1Char('*')) || plain.contains(QLatin1Char('?')))
        return QString();
    return plain;
}

} // namespace

std::array<std::uint32_t, 16> CustomColorsFor(std::uint32_t start)
{
    std::array<std::uint32_t, 16> colours{};
    colours[0] = start;
    for (std::size_t i = 0; i < kPalette.size(); ++i)
        colours[i + 1] = kPalette[i];
    return colours;
}

QStringList FileDialogFilters(const QString& filterText)
{
    if (filterText.isEmpty())
        return {};
    QString text = filterText;
    if (!text.endsWith(QLatin1Char('|')))
        text += QLatin1Char('|');
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList filters;
    // The last part is the empty text after the closing "|".
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i];
        // Windows lists several patterns with ";", Qt with blanks.
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns = patterns.simplified();
        if (patterns.isEmpty())
            patterns = QStringLiteral("*");
        // The pattern in the last parentheses is what Qt filters by; the dialog hides it, so the
        // user sees the name as given.
        filters << (name.isEmpty() ? patterns : name) + QStringLiteral(" (") + patterns +
                       QLatin1Char(')');
    }
    return filters;
}

bool ChooseFile(QString& path, QWidget* owner, const QString& filterText, bool open,
                const QString& defaultExtension, const QString& initialDirectory)
{
    FileDialogRequest request;
    request.owner = owner;
    request.initialFile = path.left(kMaxFileNameLength);
    request.nameFilters = FileDialogFilters(filterText);
    request.open = open;
    request.defaultExtension = PlainExtension(defaultExtension);
    request.initialDirectory = initialDirectory;
    const std::optional<QString> chosen = ThePlatform().dialogs->ChooseFile(request);
    if (!chosen)
        return false;
    path = *chosen;
    return true;
}

bool ChooseColor(std::uint32_t& colour, QWidget* owner)
{
    const std::optional<std::uint32_t> chosen =
        ThePlatform().dialogs->ChooseColor(owner, colour, CustomColorsFor(colour));
    if (!chosen)
        return false;
    colour = *chosen;
    return true;
}

} // namespace korvex
