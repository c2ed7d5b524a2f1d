// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include "reporting/report_pipeline.h"
#include "series_study_fixture.h"
#include "test_support.h"

namespace kestra::test {
namespace {

using Study = IntermediatePrecisionStudy;

class SeriesLayoutTest : public SeriesStudyTest {
protected:
    void SetUp() override
    {
        SeriesStudyTest::SetUp();
        std::filesystem::copy_file(KESTRA_TEMPLATE_DB, m_dir / "KESTRA73.MDB");
    }
    ReportDocument print(const Study& study, Language language)
    {
        ReportRequest request;
        request.database = m_dir / "KESTRA73.MDB";
        request.language = language;
        return PrepareStudyReport(study, request,
                                  [](const std::string&) { return std::optional<LogoSize>(); });
    }
    static const ResultLine& strat(ReportLayout& l)
    {
        for (const ResultLine& line : l.findBlock<ResultsBlock>()->lines)
            if (line.fields == std::vector<std::string>{"STRAT"}) return line;
        throw std::logic_error("no STRAT line");
    }

    TempDir m_dir;
};

TEST_F(SeriesLayoutTest, EnglishTextsReplaceTheLabelsOneForOne)
{
    for (const SeriesStudyConfig* config : {&IntermediatePrecisionConfig(), &ReproducibilityConfig()}) {
        Study study(*config);
        enter(study, workedExample());
        ASSERT_TRUE(study.calculate().computed);
        ReportDocument en = print(study, Language::English);
        const bool ripr = config->fixedLaboratories;
        EXPECT_EQ(en.layout.name, ripr ? "CRRipr" : "CRPrin");
        EXPECT_EQ(en.layout.labels().size(), ripr ? 29u : 25u);
        EXPECT_EQ(en.layout.text(en.layout.subtitle), ripr ? "REPRODUCIBILITY" : "INTERMEDIATE PRECISION");
        EXPECT_EQ(en.layout.text(en.layout.shortName), ripr ? "Reproducibility" : "Intermediate precision");
        EXPECT_EQ(en.layout.text(Label("lblRisDiversi")), "Results obtained from:");
        EXPECT_EQ(en.header.text("RISDIVERSI"),
                  ripr ? "Different laboratories" : "Various analysts in the same laboratory");
        EXPECT_EQ(en.layout.text(Label("lblAnova")),
                  ripr ? "REPRODUCIBILITY: AN.O.VA." : "INTERMEDIATE PRECISION: AN.O.VA.");
        EXPECT_EQ(en.details.size(), 6u);
        // only reproducibility prints the reproducibility standard deviation and the precision
        EXPECT_EQ(en.layout.findBlock<ResultsBlock>()->lines.size(), ripr ? 5u : 3u);
        ReportDocument it = print(study, Language::Italian);
        EXPECT_EQ(it.layout.text(it.layout.title), "CONVALIDA DEL METODO ANALITICO");
        EXPECT_EQ(it.header.text("CONCLUSIONI"), study.conclusions()[0]);
    }
}

TEST_F(SeriesLayoutTest, MeansAssessmentNoteOnlyWhenSbCameFromTheMeans)
{
    for (const SeriesStudyConfig* config : {&IntermediatePrecisionConfig(), &ReproducibilityConfig()}) {
        Study positive(*config);  // sb^2 > 0
        enter(positive, workedExample());
        ASSERT_TRUE(positive.calculate().computed);
        Study estimated(*config);  // sb^2 <= 0
        enter(estimated, {{8, 13}, {8.2, 13}, {7.8, 13}});
        ASSERT_TRUE(estimated.calculate().computed);
        for (Language language : {Language::Italian, Language::English}) {
            ReportDocument without = print(positive, language);
            EXPECT_EQ(without.layout.text(strat(without.layout).note), "");
            ReportDocument with = print(estimated, language);
            EXPECT_EQ(with.layout.text(strat(with.layout).note),
                      language == Language::English ? "(means assessment)" : "(stima sulle medie)");
        }
    }
}

TEST_F(SeriesLayoutTest, NumericColumnsTakeTheGridDecimalsAndLongStudiesFlow)
{
    Study study(IntermediatePrecisionConfig());
    study.setNumberFormat({4, 2});
    study.setSeriesCount(20);
    study.setPerSeriesCount(40);
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 40; ++j) study.grid().setCell(j, i, 10 + i + j * 0.01);
    ASSERT_TRUE(study.calculate().computed);
    ReportDocument doc = print(study, Language::Italian);
    const DetailTableBlock* table = doc.layout.findBlock<DetailTableBlock>();
    ASSERT_NE(table, nullptr);
    for (const DetailColumn& c : table->columns) {
        if (c.numeric) {
            EXPECT_EQ(c.decimals, 2) << c.field;
        }
    }
    EXPECT_GT(table->flowColumns, 1);
    EXPECT_EQ(doc.details.size(), 800u);
}

}  // namespace
}  // namespace kestra::test
