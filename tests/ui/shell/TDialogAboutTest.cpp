#include "ui/shell/TDialogAbout.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "ui/platform/UiText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace korvex {
namespace {

class AboutDialogTest : public ::testing::Test {
protected:
    void TearDown() override { SelectTextBlock(BlockGerman); }

    static void Click(QWidget* widget)
    {
        const QPointF at(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }

    test::PlatformDoubles doubles;
    TDialogAbout about;
};

TEST_F(AboutDialogTest, ShowingRelabelsInTheCurrentLanguage)
{
    SelectTextBlock(BlockEnglish);
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Info: Halvo Korvex 2"));
    EXPECT_EQ(about.LabelVersion()->text(), QStringLiteral("Version 2.03"));
    EXPECT_EQ(about.LabelByOrderOf()->text(), QStringLiteral("By order of:"));
    EXPECT_EQ(about.LabelCountry()->text(), QStringLiteral("Germany"));
    EXPECT_EQ(about.Disclaimer()->toPlainText(),
              QString::fromStdString(Text(TextId::DisclaimerPart1) + " " +
                                     Text(TextId::DisclaimerPart2)));
    const QString name = about.LabelAppName()->text();
    const QString mail = about.LabelMailTo()->text();
    const QString address = about.Address()->text();
    about.hide();

    SelectTextBlock(BlockFrench);
    about.show();
    EXPECT_EQ(about.windowTitle(), UiText(TextId::MenuInfo) + QStringLiteral(": Halvo Korvex 2"));
    EXPECT_EQ(about.LabelVersion()->text(), UiText(TextId::Version) + QStringLiteral(" 2.03"));
    EXPECT_EQ(about.LabelCountry()->text(), UiText(TextId::Germany));
    EXPECT_NE(about.LabelCountry()->text(), QStringLiteral("Germany"));
    EXPECT_EQ(about.LabelAppName()->text(), name);
    EXPECT_EQ(about.LabelMailTo()->text(), mail);
    EXPECT_EQ(about.Address()->text(), address);
    EXPECT_EQ(name, QStringLiteral("Halvo Korvex 2"));
    EXPECT_EQ(address.count(QLatin1Char('\n')), 2);
    about.hide();
}

TEST_F(AboutDialogTest, LinksGoToTheShell)
{
    about.show();
    Click(about.LabelMailTo());
    Click(about.LabelWebLink());
    ASSERT_EQ(doubles.shell.openedUrls.size(), 2u);
    EXPECT_EQ(doubles.shell.openedUrls[0], QUrl(QStringLiteral("mailto:info@halvo.example")));
    EXPECT_EQ(doubles.shell.openedUrls[1], QUrl(QStringLiteral("https://www.halvo.example")));
    EXPECT_EQ(about.LabelMailTo()->cursor().shape(), Qt::PointingHandCursor);
    about.hide();
}

TEST_F(AboutDialogTest, EscapeClosesWithOk)
{
    about.setResult(QDialog::Rejected);
    about.show();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&about, &esc);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_TRUE(about.OKBtn()->isDefault());
    EXPECT_EQ(about.size(), QSize(470, 399));
}

} // namespace
} // namespace korvex
