// The one-way analyses of variance of the NIST StRD reference data (tests/data/nist) as intermediate
// precision and reproducibility studies, read from study files as a user's would be, also with every value
// moved by 10^6 and 10^9.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cctype>
#include <fstream>
#include <sstream>

#include "framework/study.h"
#include "series_study_fixture.h"
#include "test_support.h"
#include "text/number_format.h"

namespace kestra::test {
namespace {

// A NIST file: the data as written, one vector per treatment, and the certified figures.
struct NistAnova {
    std::vector<std::vector<std::string>> series;
    int dfBetween = 0, dfWithin = 0;
    double ssBetween = 0, msBetween = 0, f = 0, ssWithin = 0, msWithin = 0, residualSd = 0;
};

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

NistAnova readNist(const std::string& name)
{
    std::ifstream in(std::string(KESTRA_SOURCE_DIR) + "/tests/data/nist/" + name + ".dat");
    NistAnova nist;
    bool data = false;
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> w = words(line);
        if (w.empty()) continue;
        if (data) {
            const auto t = static_cast<std::size_t>(std::stoi(w[0]));
            if (nist.series.size() < t) nist.series.resize(t);
            nist.series[t - 1].push_back(w[1]);
        } else if (w[0] == "Between" && w.size() >= 6) {
            nist.dfBetween = std::stoi(w[w.size() - 4]);
            nist.ssBetween = std::stod(w[w.size() - 3]);
            nist.msBetween = std::stod(w[w.size() - 2]);
            nist.f = std::stod(w[w.size() - 1]);
        } else if (w[0] == "Within" && w.size() >= 5) {
            nist.dfWithin = std::stoi(w[w.size() - 3]);
            nist.ssWithin = std::stod(w[w.size() - 2]);
            nist.msWithin = std::stod(w[w.size() - 1]);
        } else if (line.find("Standard Deviation") != std::string::npos) {
            nist.residualSd = std::stod(w.back());
        } else if (w[0] == "Data:" && w.size() == 3 && !std::isdigit(static_cast<unsigned char>(w[1][0]))) {
            // "Data:  Treatment   Response", not "Data:  1 Factor"
            data = true;
        }
    }
    EXPECT_FALSE(nist.series.empty()) << name;
    return nist;
}

// The value as written, moved by a whole number and given `decimals` decimals, as a study file holds it.
std::string shiftedText(const std::string& value, long long shift, int decimals)
{
    const auto dot = value.find('.');
    std::string fraction = dot == std::string::npos ? "" : value.substr(dot + 1);
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    return std::to_string(std::stoll(value.substr(0, dot)) + shift) + "." + fraction;
}

// The intermediate precision file of the data: banner, digits, k + 1, header fields, dimensions, kind, rows.
std::string studyFile(const NistAnova& nist, long long shift, const NumberFormat& format)
{
    const std::size_t k = nist.series.size();
    const std::size_t n = nist.series.front().size();
    std::string text = "Kestra for Windows\r\n" + std::to_string(format.integers) + "\r\n" +
                       std::to_string(format.decimals) + "\r\n" + std::to_string(k + 1) +
                       "\r\nNIST StRD\r\nAnalita\r\nmg/l\r\nCampione\r\n\r\n" + std::to_string(n) + "\r\n" +
                       std::to_string(k) + "\r\n" + std::to_string(k * n) + "\r\nAltro (serie diverse)\r\n";
    for (std::size_t j = 0; j < n; ++j) {
        text += (j == 0 ? " 1" : std::to_string(j + 1));
        for (std::size_t i = 0; i < k; ++i)
            text += "," + shiftedText(nist.series[i][j], shift, format.decimals);
        text += "\r\n";
    }
    return text;
}

struct Expected {
    std::string sst, sb, sR;  // not certified: from exact fractions
};

using NistAnovaTest = SeriesStudyTest;

// Every certified figure as the study shows it with `decimals` decimals.
void expectCertified(const IntermediatePrecisionStudy& study, const NistAnova& nist, const Expected& e,
                     int decimals, const std::string& where)
{
    auto shown = [decimals](double v) { return FormatNumber(v, decimals, '.'); };
    EXPECT_EQ(study.aovCell(2, 2), shown(nist.ssBetween)) << where;
    EXPECT_EQ(study.aovCell(2, 3), std::to_string(nist.dfBetween)) << where;
    EXPECT_EQ(study.aovCell(2, 4), shown(nist.msBetween)) << where;
    EXPECT_EQ(study.aovCell(2, 5), shown(nist.f)) << where;
    EXPECT_EQ(study.aovCell(3, 2), shown(nist.ssWithin)) << where;
    EXPECT_EQ(study.aovCell(3, 3), std::to_string(nist.dfWithin)) << where;
    EXPECT_EQ(study.aovCell(3, 4), shown(nist.msWithin)) << where;
    // the residual standard deviation is the one between repeated analyses
    EXPECT_EQ(study.srText(), shown(nist.residualSd)) << where;
    if (decimals == 10) {
        EXPECT_EQ(study.aovCell(4, 2), e.sst) << where;
        EXPECT_EQ(study.sbText(), e.sb) << where;
        EXPECT_EQ(study.sRText(), e.sR) << where;
    }
}

TEST_F(NistAnovaTest, CertifiedFiguresAsShownWithTenDecimalsAlsoOnShiftedData)
{
    // sums of squares, mean squares, F and the residual standard deviation are the certified ones; SST, sb
    // and sR: python3 tests/data/shifted_reference.py ("NIST"), the same for every shift
    struct Case {
        const char* name;
        long long shift;
        NumberFormat format;  // of the file; results are shown with its decimals and then with ten
        Expected expected;
        bool significant;
    };
    const Expected siRstv{"0.2677828216", "0.0197723919", "0.1059376018"};
    const Expected smLs01{"3.4800000000", "0.0975900073", "0.1397276262"};
    const Case cases[] = {
        {"SiRstv", 0, {3, 10}, siRstv, false},         {"SiRstv", 0, {4, 9}, siRstv, false},
        {"SiRstv", 1000000, {7, 6}, siRstv, false},    {"SmLs01", 0, {3, 10}, smLs01, true},
        {"SmLs01", 1000000, {7, 6}, smLs01, true},     {"SmLs01", 1000000000, {10, 3}, smLs01, true},
        {"SmLs01", 1000000000, {10, 1}, smLs01, true},
    };
    for (const Case& c : cases) {
        const NistAnova nist = readNist(c.name);
        for (const SeriesStudyConfig* config : {&IntermediatePrecisionConfig(), &ReproducibilityConfig()}) {
            const std::string where = std::string(c.name) + " + " + std::to_string(c.shift) + " as " +
                                      std::to_string(c.format.integers) + "," +
                                      std::to_string(c.format.decimals) + " " + config->headerTable;
            TempDir dir;
            writeFile(dir / "nist.PRI", studyFile(nist, c.shift, c.format));
            IntermediatePrecisionStudy study(*config);
            study.read(dir / "nist.PRI");
            ASSERT_EQ(study.seriesCount(), static_cast<int>(nist.series.size())) << where;
            ASSERT_EQ(study.numberFormat(), c.format) << where;
            ASSERT_TRUE(study.calculate().computed) << where;
            expectCertified(study, nist, c.expected, c.format.decimals, where);
            EXPECT_EQ(study.aovCell(2, 6).substr(study.aovCell(2, 6).size() - 4),
                      c.significant ? " (S)" : "(NS)")
                << where;
            // the same results with ten decimals, the pattern another window set last
            MakeNumberPattern(3, 10);
            ASSERT_TRUE(study.calculate().computed) << where;
            expectCertified(study, nist, c.expected, 10, where);
        }
    }
}

TEST_F(NistAnovaTest, CertifiedFiguresWrittenOutInFull)
{
    // the file's certified values, spelled out once so that a misread file cannot pass unnoticed
    const NistAnova si = readNist("SiRstv");
    EXPECT_EQ(FormatNumber(si.ssBetween, 10, '.'), "0.0511462616");
    EXPECT_EQ(FormatNumber(si.f, 10, '.'), "1.1804623744");
    EXPECT_EQ(FormatNumber(si.residualSd, 10, '.'), "0.1040760683");
    EXPECT_EQ(si.series.size(), 5u);
    EXPECT_EQ(si.series[4].size(), 5u);
    const NistAnova sm = readNist("SmLs01");
    EXPECT_EQ(FormatNumber(sm.ssBetween, 10, '.'), "1.6800000000");
    EXPECT_EQ(FormatNumber(sm.msWithin, 10, '.'), "0.0100000000");
    EXPECT_EQ(sm.series.size(), 9u);
    EXPECT_EQ(sm.series[8].size(), 21u);
    EXPECT_EQ(shiftedText("1.3", 1000000000, 3), "1000000001.300");

    // SmLs01 moved by 10^9 through the real reader: 1.68 between and 1.8 within, not 229376 and 0
    TempDir dir;
    writeFile(dir / "s.PRI", studyFile(sm, 1000000000, {10, 3}));
    IntermediatePrecisionStudy study(IntermediatePrecisionConfig());
    study.read(dir / "s.PRI");
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.aovCell(2, 2), "1.680");
    EXPECT_EQ(study.aovCell(3, 2), "1.800");
    EXPECT_EQ(study.aovCell(2, 5), "21.000");
    EXPECT_EQ(study.seriesMeanTexts().front(), "1000000001.400");
}

}  // namespace
}  // namespace kestra::test
