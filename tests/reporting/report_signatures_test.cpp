// The electronic signatures a study's report carries: those of its file in the trail, in the report's
// language, each marked when the file or the study changed after it; a trail that cannot be read is said.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/number_pattern.h"
#include "reporting/report_pipeline.h"
#include "studies/limits/limits_study.h"
#include "test_support.h"
#include "tests/audit/signing_trail.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

// A trail whose store cannot be read, as when its database is locked or damaged.
class UnreadableStore final : public AuditStore {
public:
    void append(AuditEntry&) override { throw AuditError("audit.db: il database è bloccato"); }
    std::vector<AuditEntry> entries(const AuditFilter&) const override
    {
        throw AuditError("audit.db: il database è bloccato");
    }
    std::optional<std::string> lastSha256(const std::string&) const override { return std::nullopt; }
    ChainCheck verify() const override { return {}; }
};

class StudyReportSignatures : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        m_study.setMeasurementCount(10);
        for (int r = 0; r < 10; ++r) m_study.grid().setCell(r, 0, 0.4 + 0.01 * (r % 7));
        ASSERT_TRUE(m_study.calculate().computed);
    }
    ReportDocument read(Language language = Language::Italian)
    {
        ReportRequest request;
        request.language = language;
        request.trail = m_signing.trail;
        ReportDocument document;
        document.signatures = {"left over"};
        ReadStudySignatures(m_study, request, document);
        return document;
    }

    test::TempDir m_dir;
    test::SigningTrail m_signing{m_dir.path()};
    LimitsStudy m_study;
    fs::path m_file = m_dir / "piombo.LIM";
};

TEST_F(StudyReportSignatures, EachSignatureInTheReportLanguageMarkedWhenTheFileChangedAfterIt)
{
    // nothing to print for a study never saved, nor for one saved but never signed
    EXPECT_TRUE(read().signatures.empty());
    m_study.write(m_file);
    EXPECT_TRUE(read().signatures.empty());
    EXPECT_EQ(read().signaturesFault, "");

    const SignatureRecord first = m_signing.sign(m_file, "prepared", "prima stesura");
    const ReportDocument it = read(Language::Italian);
    ASSERT_EQ(it.signatures.size(), 1u);
    EXPECT_EQ(it.signatures[0], "Firmato elettronicamente da Mario Rossi (mrossi) il " + first.time.substr(0, 10) +
                                    " " + first.time.substr(11, 8) + " UTC — Redatto");
    EXPECT_EQ(read(Language::English).signatures[0], SignatureLine(first, true));
    EXPECT_NE(SignatureLine(first, true).find("Electronically signed by Mario Rossi (mrossi) on "), std::string::npos);

    // one cell changed and saved: the first no longer holds; two signatures made since do
    m_study.grid().setCell(0, 0, 0.5);
    m_study.write(m_file);
    const SignatureRecord second = m_signing.sign(m_file, "reviewed");
    const SignatureRecord third = m_signing.sign(m_file, "approved");
    struct Case {
        Language language;
        const char* invalid;
    };
    for (const Case c : {Case{Language::Italian, kSignatureInvalidIt}, Case{Language::English, kSignatureInvalidEn}}) {
        const bool english = c.language == Language::English;
        EXPECT_EQ(read(c.language).signatures,
                  (std::vector<std::string>{SignatureLine(first, english) + "\n" + c.invalid,
                                            SignatureLine(second, english), SignatureLine(third, english)}));
    }

    // unsaved changes: the report prints them, not what was signed
    m_study.grid().setCell(1, 0, 0.6);
    m_study.setModify(true);  // as the window's edit does
    for (const std::string& text : read().signatures)
        EXPECT_TRUE(text.ends_with(std::string("\n") + kSignatureInvalidIt)) << text;
}

TEST_F(StudyReportSignatures, ATrailThatCannotBeReadIsSaidInTheirPlace)
{
    m_study.write(m_file);
    m_signing.sign(m_file, "approved");
    ReportRequest request;
    ReportDocument document;

    // no trail kept at all (nothing to say) and a trail that could not be opened (its reason)
    ReadStudySignatures(m_study, request, document);
    EXPECT_EQ(document.signaturesFault, "");
    request.trailFault = "audit.db: permesso negato";
    ReadStudySignatures(m_study, request, document);
    EXPECT_EQ(document.signaturesFault, "audit.db: permesso negato");

    request.trail = std::make_shared<AuditTrail>(std::make_unique<UnreadableStore>(), UserIdentity{"a", "A", "h"});
    ReadStudySignatures(m_study, request, document);
    EXPECT_TRUE(document.signatures.empty());
    EXPECT_EQ(document.signaturesFault, "audit.db: il database è bloccato");

    // a study never saved has nothing in the trail to miss
    LimitsStudy fresh;
    ReadStudySignatures(fresh, request, document);
    EXPECT_EQ(document.signaturesFault, "");
}

}  // namespace
}  // namespace kestra
