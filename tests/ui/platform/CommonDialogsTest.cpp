#include "ui/platform/CommonDialogs.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "ui/platform/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::PlatformDoubles;

constexpr const char* kPictureFilter =
    "Image files (*.jpg)|*.jpg|Image files (*.bmp)|*.bmp|All files (*.*)|*";

TEST(CommonDialogsFilterTest, PairsBecomeQtFiltersWithTheirPatterns)
{
    const QStringList expected = {QStringLiteral("Image files (*.jpg) (*.jpg)"),
                                  QStringLiteral("Image files (*.bmp) (*.bmp)"),
                                  QStringLiteral("All files (*.*) (*)")};
    EXPECT_EQ(FileDialogFilters(QString::fromLatin1(kPictureFilter)), expected);
    // A closing "|" is not doubled.
    EXPECT_EQ(FileDialogFilters(QString::fromLatin1(kPictureFilter) + QLatin1Char('|')), expected);
}

TEST(CommonDialogsFilterTest, SeveralPatternsAndMissingParts)
{
    EXPECT_EQ(FileDialogFilters(QStringLiteral("Logs|*.csv;*.txt")),
              QStringList{QStringLiteral("Logs (*.csv *.txt)")});
    EXPECT_EQ(FileDialogFilters(QStringLiteral("Everything|")),
              QStringList{QStringLiteral("Everything (*)")});
    EXPECT_EQ(FileDialogFilters(QStringLiteral("|*.exe")),
              QStringList{QStringLiteral("*.exe (*.exe)")});
    EXPECT_TRUE(FileDialogFilters(QString()).isEmpty());
}

TEST(CommonDialogsFileTest, RequestCarriesTheArgumentsAndConfirmationReplacesThePath)
{
    PlatformDoubles doubles;
    doubles.dialogs.fileAnswers.push_back(QStringLiteral("/data/Chart2008_05_15.jpg"));
    QWidget owner;
    QString path = QStringLiteral("Chart2008_05_15");

    ASSERT_TRUE(ChooseFile(path, &owner, QString::fromLatin1(kPictureFilter), false,
                           QStringLiteral("*.jpg"), QStringLiteral("/data")));
    EXPECT_EQ(path, QStringLiteral("/data/Chart2008_05_15.jpg"));

    ASSERT_EQ(doubles.dialogs.fileCalls.size(), 1u);
    const FileDialogRequest& request = doubles.dialogs.fileCalls[0];
    EXPECT_EQ(request.owner, &owner);
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.initialFile, QStringLiteral("Chart2008_05_15"));
    EXPECT_EQ(request.defaultExtension, QStringLiteral("jpg"));
    EXPECT_EQ(request.initialDirectory, QStringLiteral("/data"));
    EXPECT_EQ(request.nameFilters.size(), 3);
}

TEST(CommonDialogsFileTest, CancelKeepsThePathAndLongNamesAreCut)
{
    PlatformDoubles doubles;
    const QString longName = QString(300, QLatin1Char('a'));
    QString path = longName;
    EXPECT_FALSE(ChooseFile(path, nullptr, QStringLiteral("All files (*.*)|*"), true,
                            QStringLiteral("*.exe"), QString()));
    EXPECT_EQ(path, longName);
    ASSERT_EQ(doubles.dialogs.fileCalls.size(), 1u);
    EXPECT_EQ(doubles.dialogs.fileCalls[0].initialFile, QString(259, QLatin1Char('a')));
    EXPECT_TRUE(doubles.dialogs.fileCalls[0].open);
    EXPECT_EQ(doubles.dialogs.fileCalls[0].defaultExtension, QStringLiteral("exe"));

    path = QStringLiteral("x");
    EXPECT_FALSE(ChooseFile(path, nullptr, QString(), true, QStringLiteral("*.*"), QString()));
    EXPECT_TRUE(doubles.dialogs.fileCalls[1].defaultExtension.isEmpty());
}

TEST(CommonDialogsColorTest, CustomColoursAreTheStartThenThePalette)
{
    const auto colours = CustomColorsFor(0x00123456);
    EXPECT_EQ(colours[0], 0x00123456u);
    EXPECT_EQ(colours[1], 0x000000FFu);  // red
    EXPECT_EQ(colours[2], 0x00FF0000u);  // blue
    EXPECT_EQ(colours[3], 0x0000ECFFu);  // (255, 236, 0)
    EXPECT_EQ(colours[6], 0x000A5E76u);  // (118, 94, 10)
    EXPECT_EQ(colours[15], 0x00FFFF00u); // (0, 255, 255)
}

TEST(CommonDialogsColorTest, ColourChangesOnlyWhenConfirmed)
{
    PlatformDoubles doubles;
    std::uint32_t colour = 0x00808080;
    EXPECT_FALSE(ChooseColor(colour, nullptr));
    EXPECT_EQ(colour, 0x00808080u);

    doubles.dialogs.colorAnswers.push_back(0x000000FF);
    EXPECT_TRUE(ChooseColor(colour, nullptr));
    EXPECT_EQ(colour, 0x000000FFu);
    ASSERT_EQ(doubles.dialogs.colorCalls.size(), 2u);
    EXPECT_EQ(doubles.dialogs.colorCalls[1].start, 0x00808080u);
    EXPECT_EQ(doubles.dialogs.colorCalls[1].customColors, CustomColorsFor(0x00808080));
}

// The Qt implementations, looked at while they are open and then answered.
class CommonDialogsQtTest : public ::testing::Test {
protected:
    PlatformDoubles doubles; // the desktop double gives the work area
    QtDialogs dialogs;
};

TEST_F(CommonDialogsQtTest, SaveDialogIsCentredAndAsksBeforeOverwriting)
{
    QTemporaryDir dir;
    doubles.desktop.workArea = QRect(0, 0, 1400, 900);
    FileDialogRequest request;
    request.initialFile = QStringLiteral("Table2008_05_15");
    request.nameFilters = FileDialogFilters(QString::fromLatin1(kPictureFilter));
    request.open = false;
    request.defaultExtension = QStringLiteral("jpg");
    request.initialDirectory = dir.path();

    bool looked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        looked = true;
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(dialog->testOption(QFileDialog::HideNameFilterDetails));
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("jpg"));
        EXPECT_EQ(dialog->nameFilters(), request.nameFilters);
        EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        const QRect frame = dialog->frameGeometry();
        EXPECT_EQ(frame.x(), (1400 - frame.width()) / 2);
        EXPECT_EQ(frame.y(), (900 - frame.height()) / 2);
        dialog->selectFile(QStringLiteral("picked"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const std::optional<QString> chosen = dialogs.ChooseFile(request);
    EXPECT_TRUE(looked);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(*chosen).fileName(), QStringLiteral("picked.jpg"));
}

// A name typed without extension takes the extension of the chosen file type; a typed
// extension stays; "All files" falls back to the default extension.
TEST_F(CommonDialogsQtTest, TypedNameTakesTheChosenFileTypesExtension)
{
    QTemporaryDir dir;
    FileDialogRequest request;
    request.nameFilters = FileDialogFilters(QString::fromLatin1(kPictureFilter));
    request.open = false;
    request.defaultExtension = QStringLiteral("jpg");
    request.initialDirectory = dir.path();
    ASSERT_EQ(request.nameFilters.size(), 3);

    auto choose = [&](int filter, const QString& typed) {
        QTimer::singleShot(0, [&, filter, typed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->selectNameFilter(request.nameFilters[filter]);
            dialog->selectFile(typed);
            static_cast<QDialog*>(dialog)->accept();
        });
        const std::optional<QString> chosen = dialogs.ChooseFile(request);
        return chosen ? QFileInfo(*chosen).fileName() : QStringLiteral("(cancelled)");
    };
    EXPECT_EQ(choose(1, QStringLiteral("roof")), "roof.bmp");
    EXPECT_EQ(choose(0, QStringLiteral("roof")), "roof.jpg");
    EXPECT_EQ(choose(1, QStringLiteral("roof.jpg")), "roof.jpg");
    EXPECT_EQ(choose(2, QStringLiteral("roof")), "roof.jpg");
}

TEST_F(CommonDialogsQtTest, CancelledFileDialogGivesNothing)
{
    FileDialogRequest request;
    request.open = true;
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_FALSE(dialogs.ChooseFile(request).has_value());
}

TEST_F(CommonDialogsQtTest, ColourDialogStartsOnTheColourWithTheCustomColours)
{
    bool looked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        looked = true;
        EXPECT_EQ(dialog->currentColor(), QColor(0x56, 0x34, 0x12));
        EXPECT_EQ(QColorDialog::customColor(0), QColor(0x56, 0x34, 0x12));
        EXPECT_EQ(QColorDialog::customColor(1), QColor(255, 0, 0));
        EXPECT_EQ(QColorDialog::customColor(15), QColor(0, 255, 255));
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
    });
    const std::optional<std::uint32_t> chosen =
        dialogs.ChooseColor(nullptr, 0x00123456, CustomColorsFor(0x00123456));
    EXPECT_TRUE(looked);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, 0x00030201u);
}

} // namespace
} // namespace korvex
