#include "tests/tools/MiniJson.h"
#include "tools/report/JsonWriter.h"
#include "tools/report/ReportOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvex::report {
namespace {

TEST(JsonWriter, EscapesEveryStringItWrites)
{
    const std::string nasty =
        std::string("a\"b\\c\nd\re\tf\x01g\x7F") + "\xC3\xA4" + "\xFF" + "\xE2\x82";
    JsonWriter w;
    w.BeginObject()
        .Key("k\"ey")
        .String(nasty)
        .Key("list")
        .BeginArray()
        .Int(-3)
        .Bool(true)
        .Null()
        .EndArray()
        .EndObject();
    EXPECT_EQ(
        w.str(),
        "{\"k\\\"ey\":\"a\\\"b\\\\c\\nd\\re\\tf\\u0001g\\u007f\xC3\xA4\\ufffd\\ufffd\\ufffd\","
        "\"list\":[-3,true,null]}");
    const test::Json doc = test::JsonParser::Parse(w.str());
    EXPECT_EQ(doc["k\"ey"].Str().substr(0, 10), "a\"b\\c\nd\re\t");
}

TEST(JsonWriter, Numbers)
{
    JsonWriter w;
    w.BeginArray();
    w.Number(21.5).Number(0.1 + 0.2).Number(std::numeric_limits<double>::quiet_NaN());
    w.Number(std::numeric_limits<double>::infinity());
    w.Fixed(40299, 9, true).Fixed(40299.0 + 1.0 / 1440, 9, true).Fixed(123456.7890123, 6, false);
    w.Fixed(-0.0000001, 6, false).Fixed(2.5, 6, false);
    w.EndArray();
    EXPECT_EQ(w.str(),
              "[21.5,0.30000000000000004,null,null,40299.0,40299.000694444,123456.789012,0,2.5]");
}

TEST(ReportOptions, Defaults)
{
    const ReportOptions o = ParseReportOptions({"logs"});
    EXPECT_EQ(o.dir, "logs");
    EXPECT_EQ(o.textBlock, 1);
    EXPECT_EQ(o.table, TableKind::Daily);
    EXPECT_FALSE(o.spanItem || o.at || o.device || o.from || o.to || o.json || o.progress);

    const ReportOptions all =
        ParseReportOptions({"--span", "quarter", "--at", "2010-05-03", "--device", "7", "d",
                            "--language", "pt", "--progress"});
    EXPECT_EQ(all.spanItem, 5);
    EXPECT_EQ(all.at, EncodeDate(2010, 5, 3));
    EXPECT_EQ(all.device, "07");
    EXPECT_EQ(all.textBlock, 5);
    EXPECT_TRUE(all.progress);
    EXPECT_THROW(ParseReportOptions({"d", "--to", "2010-02-30"}), UsageError);
}

} // namespace
} // namespace korvex::report
