// The graph lists: order of rows and headings, columns for one and for several devices, the
// Overview list, the show and overview boxes, refreshing rows and the column header.

#include "ChildGraphsTestSupport.h"

#include "core/logdata/FieldDisplay.h"
#include "core/services/Errors.h"
#include "ui/platform/UiText.h"

#include <QLabel>

#include <algorithm>
#include <map>

namespace korvex::test {
namespace {

class GraphList : public GraphWindow {
protected:
    // Keys of the rows from top to bottom.
    std::vector<std::string> RowKeys(QWidget* content)
    {
        std::vector<TGraphPanel*> rows = GraphRowsOf(content);
        std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
        std::vector<std::string> keys;
        for (TGraphPanel* row : rows)
            keys.push_back(row->DataSet().deviceSettings()->key(row->Tag()));
        return keys;
    }
    // Group headings by caption -> top.
    std::map<QString, int> Headings(QWidget* content)
    {
        std::map<QString, int> out;
        for (QLabel* label : content->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (label->property("graphHeading").toBool())
                out[label->text()] = label->y();
        }
        return out;
    }
    QWidget* Child(QWidget* content, const char* name)
    {
        return content->findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    }
};

TEST_F(GraphList, OneDeviceListsGroupsInOrderWithDailySumsAfterTheOthers)
{
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 4));
    QWidget* content = List()->widget();

    EXPECT_EQ(RowKeys(content),
              (std::vector<std::string>{"T1", "T2", "V", "P", "Vtag", "Ptag", "R1", "R2", "R3"}));
    const auto headings = Headings(content);
    ASSERT_EQ(headings.size(), 3u);
    const int inputs = headings.at(UiText(TextId::CategoryInputs)),
              others = headings.at(UiText(TextId::CategoryOtherValues)),
              outputs = headings.at(UiText(TextId::CategoryOutputs));
    EXPECT_LT(inputs, Row("T1")->y());
    EXPECT_GT(others, Row("T2")->y());
    EXPECT_LT(others, Row("V")->y());
    // The daily sums close the Others group without a heading of their own.
    EXPECT_GT(Row("Vtag")->y(), Row("P")->y());
    EXPECT_GT(outputs, Row("Ptag")->y());
    EXPECT_LT(outputs, Row("R1")->y());
    // Headings are drawn above the column line.
    for (QLabel* label : content->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        EXPECT_GT(content->children().indexOf(label),
                  content->children().indexOf(Child(content, "VSpace1")));

    // Rows follow each other with one separator line between them.
    const int h = Row("T1")->height();
    EXPECT_EQ(Row("T2")->y(), Row("T1")->y() + h + 3);
    EXPECT_EQ(h, TGraphPanel::RowHeight(W().overview->font()));

    // One device: two header columns, no overview boxes, one column line.
    const THeaderControl& header = *W().headerControl;
    EXPECT_EQ(header.SectionCount(), 2);
    EXPECT_EQ(header.SectionCaption(1), QString());
    EXPECT_EQ(Row("T1")->OverviewBox(), nullptr);
    ASSERT_NE(Child(content, "VSpace1"), nullptr);
    EXPECT_EQ(Child(content, "VSpace1")->x(), header.SectionWidth(0) - 1);
    EXPECT_EQ(Child(content, "VSpace2"), nullptr);
    EXPECT_EQ(header.parentWidget(), content);

    // Nothing is shown yet; sums cannot be picked in the day span.
    EXPECT_FALSE(Row("T1")->ShowBox()->isChecked());
    EXPECT_TRUE(Row("T1")->ShowBox()->isEnabled());
    EXPECT_FALSE(Row("Ptag")->ShowBox()->isEnabled());
    EXPECT_FALSE(Row("Ptag")->NameLabel()->isEnabled());
}

TEST_F(GraphList, AllDerivedCategoryKeepsItsHeading)
{
    // Only a daily sum in Others: the heading stays, no row below it but the sums.
    std::vector<LogColumn> columns = {
        {"T1[\xB0"
         "C]",
         [](int) { return 20.0; }},
        {"Ptag[kWh]", [](int m) { return m / 100.0; }},
    };
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 3), columns);
    QWidget* content = List()->widget();
    const auto headings = Headings(content);
    EXPECT_EQ(headings.count(UiText(TextId::CategoryOtherValues)), 1u);
    EXPECT_EQ(headings.count(UiText(TextId::CategoryOutputs)), 0u);
    EXPECT_EQ(RowKeys(content), (std::vector<std::string>{"T1", "Ptag"}));
}

TEST_F(GraphList, SeveralDevicesGetTheOverviewColumn)
{
    Load({10, 21}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    QWidget* content = List(0)->widget();
    const THeaderControl& header = *W().headerControl;
    ASSERT_EQ(header.SectionCount(), 3);
    EXPECT_EQ(header.SectionCaption(1), W().tabSetDevices->tabText(0));
    EXPECT_EQ(header.SectionCaption(2), UiText(TextId::OverviewDisplay));
    ASSERT_NE(Row("T1")->OverviewBox(), nullptr);
    ASSERT_NE(Child(content, "VSpace2"), nullptr);
    EXPECT_EQ(Child(content, "VSpace2")->x(), header.SectionWidth(0) + header.SectionWidth(1) - 1);

    // Boxes sit in the middle of their columns.
    const int r = header.SectionWidth(0) - 2;
    EXPECT_EQ(Row("T1")->ShowBox()->x(), r + header.SectionWidth(1) / 2 - 5);
    EXPECT_EQ(Row("T1")->OverviewBox()->x(),
              r + header.SectionWidth(1) + header.SectionWidth(2) / 2 - 4);
    EXPECT_EQ(Row("T1")->width(), header.width());

    // Switching devices moves the header into the other list.
    SelectDevice(1);
    EXPECT_EQ(header.parentWidget(), List(1)->widget());
    EXPECT_EQ(header.SectionCaption(1), W().tabSetDevices->tabText(1));
    EXPECT_TRUE(List(1)->isVisible());
}

TEST_F(GraphList, OverviewListShowsTheMarkedFieldsOrTheHint)
{
    Load({10, 21}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    QWidget* overview = W().overview->widget();

    G().BuildOverviewList();
    EXPECT_TRUE(GraphRowsOf(overview).empty());
    QLabel* hint = nullptr;
    for (QLabel* label : overview->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        hint = label->text() == UiText(TextId::SelectOverviewDataFirst) ? label : hint;
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->x(), 8);
    EXPECT_TRUE(hint->wordWrap());
    EXPECT_EQ(W().headerControl->parentWidget(), overview);
    EXPECT_EQ(W().headerControl->SectionCaption(2), QString());
    EXPECT_EQ(W().headerControl->SectionCaption(1), UiText(TextId::Overview));

    // Marking T2 of the first device: its heading and row, the second device takes no room.
    Click(Row("T2")->OverviewBox());
    EXPECT_TRUE(Set(0).selected(Field("T2")));
    G().BuildOverviewList();
    EXPECT_EQ(RowKeys(overview), std::vector<std::string>{"T2"});
    TGraphPanel* row = GraphRowsOf(overview).front();
    EXPECT_EQ(row->OverviewBox(), nullptr);
    EXPECT_EQ(&row->DataSet(), &Set(0));
    const auto headings = Headings(overview);
    ASSERT_EQ(headings.size(), 1u);
    EXPECT_EQ(headings.begin()->first, W().tabSetDevices->tabText(0)); // the device's name
    const int h = row->height();
    const int top = W().headerControl->height() + 1;
    EXPECT_EQ(overview->minimumHeight(), top + W().labelHeadline->height() + 3 + 3 + h + 3);
    for (QLabel* label : overview->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        EXPECT_NE(label->text(), UiText(TextId::SelectOverviewDataFirst));

    // Unmarking clears the mark again.
    Click(Row("T2")->OverviewBox());
    EXPECT_FALSE(Set(0).selected(Field("T2")));
}

TEST_F(GraphList, ShowBoxesPutGraphsOnTheChartsAndBack)
{
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    int states = 0;
    QObject::connect(&Window(), &TChildform::CommandStateChanged, [&states] { ++states; });
    const int t1 = Field("T1");

    Click(Row("T1")->ShowBox());
    EXPECT_TRUE(Set(0).shown(t1));
    EXPECT_TRUE(W().chart->hasSeries(*Set(0).series(t1)));
    EXPECT_TRUE(Window().HasGraphs());
    EXPECT_EQ(W().chart->LeftAxis().Title(), QStringLiteral("[°C]"));
    EXPECT_GE(states, 1);

    Click(Row("R1")->ShowBox());
    EXPECT_TRUE(W().chart2->hasSeries(*Set(0).series(Field("R1"))));
    EXPECT_EQ(G().OutputNames(), std::vector<std::string>{"R1"});

    Click(Row("T1")->ShowBox());
    Click(Row("R1")->ShowBox());
    EXPECT_FALSE(Set(0).shown(t1));
    EXPECT_FALSE(W().chart->hasSeries(*Set(0).series(t1)));
    EXPECT_FALSE(Window().HasGraphs());
    EXPECT_TRUE(G().OutputNames().empty());
    EXPECT_TRUE(doubles.prompts.calls.empty());
}

TEST_F(GraphList, ShowingAFieldWithoutDataReportsText101)
{
    Window();
    // A device whose files all failed: fields but no day.
    AnalysisDataSet empty(EncodeDate(2010, 5, 3), EncodeDate(2010, 5, 3), W().chart, W().chart2);
    empty.createDeviceSettings(10, "Empty", false);
    const int t1 =
        empty.deviceSettings()->registerField("T1", "[°C]", FieldCategory::Inputs, nullptr);
    empty.insertSlot(t1, FieldCategory::Inputs, false);
    empty.insertUnit(t1, "[°C]");
    G().BuildGraphList(empty);
    TGraphPanel* row = Row(G().GraphListOf(empty)->widget(), t1);
    ASSERT_NE(row, nullptr);

    row->ShowBox()->setChecked(true);
    try {
        G().ShowGraphClick(*row);
        FAIL() << "no error";
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::NoDataAvailable));
    }
    EXPECT_FALSE(row->ShowBox()->isChecked());
    EXPECT_FALSE(empty.shown(t1));

    // A click reports it in the error box and leaves the box unticked.
    row->ShowBox()->setEnabled(true);
    Click(row->ShowBox());
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles.prompts.calls[0].text, UiText(TextId::NoDataAvailable));
    EXPECT_EQ(doubles.prompts.calls[0].caption, UiText(TextId::CaptionError));
    EXPECT_FALSE(row->ShowBox()->isChecked());
    EXPECT_TRUE(G().OutputNames().empty());
}

TEST_F(GraphList, RowsFollowTheDisplaySettings)
{
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    DeviceSettings& settings = *Set(0).deviceSettings();
    const int t1 = Field("T1");
    settings.setColour(t1, 0x0000FF);
    settings.setLabel(t1, "Collector");
    ApplyDisplay(Set(0), t1);
    TGraphPanel* row = Row("T1");
    EXPECT_EQ(row->Swatch()->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(row->NameLabel()->text(), QStringLiteral("Collector"));
    EXPECT_EQ(row->NameLabel()->toolTip(), QString());

    // A name too long for its column is readable as a hint.
    const std::string longName(80, 'W');
    settings.setLabel(t1, longName);
    ApplyDisplayOfAll(Set(0));
    EXPECT_EQ(row->NameLabel()->toolTip(), QString::fromStdString(longName));
    EXPECT_LE(row->NameLabel()->width(), W().headerControl->SectionWidth(0));

    // Marks set elsewhere show in the boxes.
    Set(0).show(t1);
    EXPECT_TRUE(row->ShowBox()->isChecked());
}

TEST_F(GraphList, DraggingAHeaderColumnMovesTheBoxesAndWidensTheColumn)
{
    Load({10, 21}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    THeaderControl& header = *W().headerControl;
    QWidget* content = List()->widget();
    TGraphPanel* first = Row("T1");
    TGraphPanel* last = Row("R3");
    const int show = last->ShowBox()->x(), overview = last->OverviewBox()->x();
    const int line1 = Child(content, "VSpace1")->x(), line2 = Child(content, "VSpace2")->x();
    const int panel = Window().PanelLeftWidth();
    const int w1 = header.SectionWidth(1);
    EXPECT_FALSE(G().HeaderWidthsChanged());

    header.resizeSection(1, w1 + 20); // as a drag does it
    EXPECT_TRUE(G().HeaderWidthsChanged());
    EXPECT_EQ(Window().PanelLeftWidth(), panel + 20);
    EXPECT_EQ(last->ShowBox()->x(), show + 10);
    EXPECT_EQ(last->OverviewBox()->x(), overview + 20);
    EXPECT_EQ(first->OverviewBox()->x(), overview + 20);
    EXPECT_EQ(Child(content, "VSpace1")->x(), line1);
    EXPECT_EQ(Child(content, "VSpace2")->x(), line2 + 20);

    const int name = first->NameLabel()->width();
    header.resizeSection(0, header.SectionWidth(0) + 30);
    EXPECT_EQ(first->NameLabel()->width(), name + 30);
    EXPECT_EQ(last->ShowBox()->x(), show + 40);
    EXPECT_EQ(Window().PanelLeftWidth(), panel + 50);

    // Hovering names the column under the pointer, the narrow device column included.
    G().HeaderControlMouseMove(header.SectionLeft(1) + 3);
    EXPECT_EQ(header.toolTip(), W().tabSetDevices->tabText(0));
    G().HeaderControlMouseMove(header.SectionsTotal() + 10);
    EXPECT_EQ(header.toolTip(), QString());
}

} // namespace
} // namespace korvex::test
