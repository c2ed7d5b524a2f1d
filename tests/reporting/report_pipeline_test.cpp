// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/report_pipeline.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/number_pattern.h"
#include "studies/limits/limits_study.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

// A ReadLogoSize stand-in: pictures "exist" when listed, with their HIMETRIC sizes.
struct FakePictures {
    std::map<std::string, std::pair<long long, long long>> himetric;  // path -> (height, width)
    std::optional<LogoSize> operator()(const std::string& path) const
    {
        auto it = himetric.find(path);
        if (it == himetric.end()) return std::nullopt;
        return LogoSize{LogoTwipsFromHimetric(it->second.first), LogoTwipsFromHimetric(it->second.second)};
    }
};

class ReportPipelineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        m_request.database = m_db;
        m_request.today = "01/02/2026";
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    static void fill(LimitsStudy& study, int n)
    {
        study.setMeasurementCount(n);
        for (int r = 0; r < n; ++r) study.grid().setCell(r, 0, 0.4 + 0.01 * (r % 7));
        study.setHeader(0, "Assorbimento atomico");
        study.setHeader(1, "Piombo");
        study.setHeader(2, "Acqua potabile");
        study.setHeader(3, " mg/l ");
        ASSERT_TRUE(study.calculate().computed);
    }

    ReportDocument print(const Study& study, Language language = Language::Italian)
    {
        m_request.language = language;
        return PrepareStudyReport(study, m_request, m_pictures);
    }

    std::int64_t rows(const std::string& table) const { return ReportDatabase(m_db, ReportDatabase::Mode::ReadOnly).rowCount(table); }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    ReportRequest m_request;
    FakePictures m_pictures;
};

TEST_F(ReportPipelineTest, PrintingTwiceKeepsOneHeaderRowAndTheSecondReportsDetails)
{
    LimitsStudy study;
    fill(study, 12);
    print(study);
    fill(study, 7);
    const ReportDocument doc = print(study);
    EXPECT_EQ(rows("Limi"), 1);
    EXPECT_EQ(rows("LimiTabella"), 7);
    ASSERT_EQ(doc.details.size(), 7u);
    EXPECT_EQ(doc.details.back().find("NDATI") ? std::get<std::int64_t>(*doc.details.back().find("NDATI")) : 0, 7);
    EXPECT_EQ(doc.header.text("NDET"), "7");
}

TEST_F(ReportPipelineTest, OnlyTheFirstHeaderRowIsDeletedAndTheReportShowsTheNewRow)
{
    {
        ReportDatabase db(m_db, ReportDatabase::Mode::ReadWrite);
        for (const char* name : {"uno", "due", "tre"}) {
            ReportRecord r;
            r.set("ID", std::int64_t{1});
            r.set("METODO", std::string(name));
            db.append("Limi", r);
        }
    }
    LimitsStudy study;
    fill(study, 5);
    const ReportDocument doc = print(study);
    const auto kept = ReportDatabase(m_db, ReportDatabase::Mode::ReadOnly).readAll("Limi");
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].text("METODO"), "due");
    EXPECT_EQ(kept[1].text("METODO"), "tre");
    EXPECT_EQ(doc.header.text("METODO"), "Assorbimento atomico");
}

TEST_F(ReportPipelineTest, DescriptiveFieldsAreCutToFiftyCharactersAndTheUnitTrimmed)
{
    LimitsStudy study;
    fill(study, 5);
    const std::string sixty = "Acqua minerale naturale oligominerale della sorgente alpina";  // 59 + 1
    study.setHeader(2, sixty + "X");
    study.setHeader(0, std::string(55, 'a') + "\xc3\xa0");  // a multi-byte letter beyond the cut
    print(study);
    const auto header = ReportDatabase(m_db, ReportDatabase::Mode::ReadOnly).readAll("Limi").front();
    EXPECT_EQ(header.text("CAMPIONE"), sixty.substr(0, 50));
    EXPECT_EQ(header.text("METODO"), std::string(50, 'a'));
    EXPECT_EQ(header.text("UM"), "mg/l");

    study.setHeader(3, "  " + std::string(60, 'u') + "  ");
    print(study);
    EXPECT_EQ(ReportDatabase(m_db, ReportDatabase::Mode::ReadOnly).readAll("Limi").front().text("UM"),
              std::string(50, 'u'));
}

TEST_F(ReportPipelineTest, EnglishReportHasEnglishLabelsAndBothEnglishConclusions)
{
    LimitsStudy study;
    fill(study, 5);
    study.selectOption(LimitsStudy::Option::Quantitation);
    const ReportDocument en = print(study, Language::English);
    const ReportLayout& l = en.layout;
    EXPECT_EQ(l.text(l.title), "VALIDATION OF ANALYTICAL METHOD");
    EXPECT_EQ(l.text(l.subtitle), "DETECTION AND QUANTITATION LIMITS");
    EXPECT_EQ(l.text(l.shortName), "Limits");
    const std::string conclusions = en.header.text("CONCLUSIONI");
    const auto detection = conclusions.find("\nDETECTION LIMIT\r\n");
    const auto quantitation = conclusions.find("\nQUANTITATION LIMIT\r\n");
    ASSERT_NE(detection, std::string::npos);
    ASSERT_NE(quantitation, std::string::npos);
    EXPECT_LT(detection, quantitation);  // detection first even with the quantitation option

    const ReportDocument it = print(study, Language::Italian);
    EXPECT_EQ(it.layout.text(it.layout.title), "CONVALIDA DEL METODO ANALITICO");
    EXPECT_NE(it.header.text("CONCLUSIONI").find("LIMITE DI RILEVAZIONE"), std::string::npos);
}

TEST_F(ReportPipelineTest, PrintDateFieldFollowsTheFlag)
{
    LimitsStudy study;
    fill(study, 5);
    EXPECT_FALSE(print(study).layout.printDateVisible);
    m_request.printDate = true;
    const ReportDocument doc = print(study);
    EXPECT_TRUE(doc.layout.printDateVisible);
    EXPECT_EQ(doc.printDate, "01/02/2026");
}

TEST_F(ReportPipelineTest, LimitsLayoutTakesTheGridDecimalsAndTheLongTableOption)
{
    LimitsStudy study;
    study.setNumberFormat({3, 2});
    study.setMeasurementCount(12);
    ReportLayout layout = BuildLayout(study);
    const auto* table = layout.findBlock<DetailTableBlock>();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->flowColumns, 1);
    const auto value = std::find_if(table->columns.begin(), table->columns.end(),
                                    [](const DetailColumn& c) { return c.field == "COLA"; });
    ASSERT_NE(value, table->columns.end());
    EXPECT_TRUE(value->numeric);
    EXPECT_EQ(value->decimals, 2);

    study.setMeasurementCount(13);
    EXPECT_GT(BuildLayout(study).findBlock<DetailTableBlock>()->flowColumns, 1);
}

TEST(ReportLayoutTest, EnglishListMustMatchTheLabelsOneForOne)
{
    ReportLayout l;
    l.name = "CRProva";
    l.addLabels({{"a", "Uno"}, {"b", "Due"}});
    l.title = Label("a");
    l.englishLabels = {"One"};
    EXPECT_THROW(l.validate(), ReportLayoutError);
    EXPECT_THROW(l.replaceLabelTexts(l.englishLabels), ReportLayoutError);
    l.englishLabels = {"One", "Two"};
    EXPECT_NO_THROW(l.validate());
    l.blocks.push_back(FieldsBlock{{{Label("manca"), "METODO"}}});
    EXPECT_THROW(l.validate(), ReportLayoutError);
    EXPECT_THROW(l.addLabel("a", "doppia"), ReportLayoutError);

    l.blankLabel("b");
    l.replaceLabelTexts({"One", "Two"});
    EXPECT_EQ(l.text(Label("a")), "One");
    EXPECT_EQ(l.text(Label("b")), "");  // a label switched off stays empty in either language
    EXPECT_EQ(l.text(Fixed("F")), "F");
}

TEST_F(ReportPipelineTest, LogoBoxFollowsThePictureWithinTheLimits)
{
    EXPECT_EQ(LogoTwipsFromHimetric(4000), 2200);
    EXPECT_EQ(LogoTwipsFromHimetric(2000), 1100);
    EXPECT_EQ(LogoTwipsFromHimetric(100000), 32767);  // no 16-bit overflow for a huge picture

    ReportLayout layout;
    m_pictures.himetric["/logo/small.png"] = {2000, 4000};
    ApplyReportLogo(layout, "/logo/small.png", m_pictures);
    EXPECT_TRUE(layout.logo.visible);
    EXPECT_EQ(layout.logo.widthTwips, 2200);
    EXPECT_EQ(layout.logo.heightTwips, 1100);

    m_pictures.himetric["/logo/large.png"] = {5000, 20000};
    ApplyReportLogo(layout, "/logo/large.png", m_pictures);
    EXPECT_EQ(layout.logo.widthTwips, 5700);
    EXPECT_EQ(layout.logo.heightTwips, 1425);

    ApplyReportLogo(layout, "", m_pictures);
    EXPECT_FALSE(layout.logo.visible);
    layout.logo.visible = true;
    ApplyReportLogo(layout, "/logo/gone.png", m_pictures);
    EXPECT_FALSE(layout.logo.visible);
}

TEST_F(ReportPipelineTest, RemovedLogoIsNotShownEvenWhenThePathRemains)
{
    m_pictures.himetric["/logo/a.png"] = {2000, 4000};
    CompanyData company;
    company.logoPath = "/logo/a.png";
    company.noLogoFlag = -1;
    {
        ReportDatabase(m_db, ReportDatabase::Mode::ReadWrite).writeAnagrafica(company);
    }
    LimitsStudy study;
    fill(study, 5);
    ReportDocument doc = print(study);
    EXPECT_FALSE(doc.layout.logo.visible);
    EXPECT_EQ(doc.logoPath, "");

    company.noLogoFlag = 0;
    ReportDatabase(m_db, ReportDatabase::Mode::ReadWrite).writeAnagrafica(company);
    doc = print(study);
    EXPECT_TRUE(doc.layout.logo.visible);
    EXPECT_EQ(doc.logoPath, "/logo/a.png");
    EXPECT_EQ(doc.layout.logo.widthTwips, 2200);

    // The path the program holds wins over the stored one.
    m_request.processLogoPath = std::string();
    EXPECT_FALSE(print(study).layout.logo.visible);
}

TEST_F(ReportPipelineTest, FailedStepsAreNamedAndLeaveTheTablesAsTheyWere)
{
    LimitsStudy study;
    fill(study, 6);
    print(study);

    m_request.database = m_dir / "missing.mdb";
    try {
        print(study);
        FAIL() << "no error";
    } catch (const ReportPipelineError& e) {
        EXPECT_EQ(e.step(), "apertura del database dei report");
        EXPECT_NE(std::string(e.what()).find("missing.mdb"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(m_dir / "missing.mdb"));

    ReportRecords broken = study.reportRecords(Language::Italian);
    broken.header.set("NONESISTE", std::string("x"));
    broken.details.resize(2);
    try {
        WriteReportTables(m_db, broken);
        FAIL() << "no error";
    } catch (const ReportPipelineError& e) {
        EXPECT_NE(e.step().find("scrittura delle tabelle Limi"), std::string::npos);
    }
    EXPECT_EQ(rows("Limi"), 1);
    EXPECT_EQ(rows("LimiTabella"), 6);
}

TEST(ReportFormatTest, DetailNumbersTakeTheColumnDecimalsAndTheSeparator)
{
    EXPECT_EQ(FormatDetailNumber("0.4", 3, '.'), "0.400");
    EXPECT_EQ(FormatDetailNumber("1,5", 2, ','), "1,50");
    EXPECT_EQ(FormatDetailNumber("1.5", 1, ','), "1,5");  // written with the other separator
    EXPECT_EQ(FormatDetailNumber("2.345", 0, '.'), "2");
    EXPECT_EQ(FormatDetailNumber("", 2, '.'), "");
    EXPECT_EQ(FormatDetailNumber("NONE", 2, '.'), "NONE");

    ReportRecord r;
    r.set("N", std::int64_t{12});
    r.set("X", 2.5);
    r.set("T", std::string("a<b>"));
    EXPECT_EQ(FieldDisplayText(r, "N", ','), "12");
    EXPECT_EQ(FieldDisplayText(r, "X", ','), "2,5");
    EXPECT_EQ(FieldDisplayText(r, "T", ','), "a<b>");
    EXPECT_EQ(FieldDisplayText(r, "MANCA", ','), "");
}

}  // namespace
}  // namespace kestra
