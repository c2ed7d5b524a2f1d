// Signature passwords (Argon2id, mode 600, the lock after three wrong passwords) and dossier signatures
// through kestra-cli sign: bound to the content, invalidated by a change of one study cell.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "audit/sha256.h"
#include "audit/signature_password.h"
#include "audit/sqlite_audit_store.h"
#include "cli/cli_commands.h"
#include "dossier/dossier_signing.h"
#include "test_support.h"

namespace kestra {
namespace {

using test::TempDir;
using Check = SignaturePassword::Check;

TEST(SignaturePassword, StoredAsArgon2idHashWithMode600)
{
    TempDir dir;
    SignaturePassword password(dir.path());
    EXPECT_FALSE(password.isSet());
    EXPECT_THROW(password.set("corta"), SignaturePasswordError);
    password.set("segreto-lungo");
    struct stat info {};
    ASSERT_EQ(::stat(password.passwordFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    const std::string stored = test::readFile(password.passwordFile());
    EXPECT_EQ(stored.rfind("$argon2id$", 0), 0u) << stored;
    EXPECT_EQ(stored.find("segreto-lungo"), std::string::npos);
    EXPECT_EQ(password.check("segreto-lungo"), Check::Correct);
}

TEST(SignaturePassword, ThreeWrongPasswordsLockSigningForFiveMinutes)
{
    TempDir dir;
    SignaturePassword password(dir.path());
    password.set("segreto-lungo");
    const auto t0 = std::chrono::system_clock::now();
    EXPECT_EQ(password.check("sbagliata", t0), Check::Wrong);
    EXPECT_EQ(password.check("segreto-lungo", t0), Check::Correct);  // a right one clears the count
    EXPECT_EQ(password.check("sbagliata", t0), Check::Wrong);
    EXPECT_EQ(password.check("sbagliata", t0), Check::Wrong);
    EXPECT_EQ(password.check("sbagliata", t0), Check::NowLocked);
    // the lock holds for the right password too, and for another process reading the same folder
    EXPECT_EQ(SignaturePassword(dir.path()).check("segreto-lungo", t0 + std::chrono::minutes(4)),
              Check::Locked);
    EXPECT_EQ(password.check("segreto-lungo", t0 + std::chrono::minutes(5) + std::chrono::seconds(1)),
              Check::Correct);
    // a damaged lock file locks rather than unlocks
    test::writeFile(password.lockFile(), "rotto");
    EXPECT_EQ(password.check("segreto-lungo", t0), Check::Locked);
    EXPECT_EQ(password.check("segreto-lungo", t0 + std::chrono::minutes(6)), Check::Correct);
}

class DossierSigning : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy(std::filesystem::path(KESTRA_SOURCE_DIR) / "examples" / "dossier", dir.path(),
                              std::filesystem::copy_options::recursive);
        dossier = dir / "convalida_paracetamolo.kvd";
        options.trail = dir / "Audit" / "audit.db";
        std::filesystem::create_directories(dir / "Audit");
        options.passwordStdin = true;
        cli::SignOptions set = options;
        set.setPassword = true;
        EXPECT_EQ(run(set, "segreto-lungo\n"), 0) << err.str();
        options.file = dossier;
        options.meaning = "reviewed";
    }
    int run(const cli::SignOptions& o, const std::string& input)
    {
        std::istringstream in(input);
        out.str({});
        err.str({});
        return cli::RunSign(o, in, out, err);
    }
    std::vector<AuditEntry> trail() const
    {
        return SqliteAuditStore(options.trail, SqliteAuditStore::Mode::ReadOnly).entries();
    }

    TempDir dir;
    std::filesystem::path dossier;
    cli::SignOptions options;
    std::ostringstream out, err;
};

TEST_F(DossierSigning, ASignatureIsBoundToTheContentAndInvalidatedByOneStudyCell)
{
    options.comment = "dati controllati";
    ASSERT_EQ(run(options, "segreto-lungo\n"), 0) << err.str();
    const Dossier signedDossier = Dossier::read(dossier);
    const auto signatures = ElectronicSignatures(signedDossier);
    ASSERT_EQ(signatures.size(), 1u);
    EXPECT_EQ(signatures[0].meaning, "reviewed");
    EXPECT_EQ(signatures[0].comment, "dati controllati");
    EXPECT_EQ(signatures[0].boundSha256, DossierBoundSha256(signedDossier, dir.path()));
    EXPECT_EQ(out.str(), SignatureLine(signatures[0], false) + "\n");
    EXPECT_NE(out.str().find("— Verificato"), std::string::npos) << out.str();

    // one cell of one study changes: the bound hash no longer matches
    const auto study = dir / "studi" / "limiti.LIM";
    std::string text = test::readFile(study);
    const auto at = text.find("0.018");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 5, "0.019");
    test::writeFile(study, text);
    EXPECT_NE(signatures[0].boundSha256, DossierBoundSha256(signedDossier, dir.path()));

    const auto entries = trail();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].action, audit_action::kPasswordSet);
    EXPECT_EQ(entries[1].action, audit_action::kSigned);
    EXPECT_NE(entries[1].detail.find(signatures[0].boundSha256), std::string::npos);
    EXPECT_EQ(entries[1].sha256After, Sha256OfFile(dossier));
}

TEST_F(DossierSigning, WrongPasswordsExitOneAndTheLockIsRecorded)
{
    const std::string before = test::readFile(dossier);
    EXPECT_EQ(run(options, "sbagliata\n"), 1);
    EXPECT_EQ(run(options, "sbagliata\n"), 1);
    EXPECT_EQ(run(options, "sbagliata\n"), 1);
    EXPECT_NE(err.str().find("bloccata"), std::string::npos) << err.str();
    EXPECT_EQ(run(options, "segreto-lungo\n"), 1);  // locked
    EXPECT_EQ(test::readFile(dossier), before);
    const auto entries = trail();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].action, audit_action::kSigningLocked);
}

TEST_F(DossierSigning, FileFaultsExitTwoWithoutCostingAnAttempt)
{
    options.file = dir / "manca.kvd";
    EXPECT_EQ(run(options, "segreto-lungo\n"), 2);
    options.file = dossier;
    std::filesystem::remove(dir / "studi" / "ripetibilita.PRE");
    EXPECT_EQ(run(options, "sbagliata\n"), 2);
    EXPECT_EQ(run(options, "sbagliata\n"), 2);
    EXPECT_EQ(run(options, "sbagliata\n"), 2);
    EXPECT_FALSE(std::filesystem::exists(SignaturePassword(dir / "Audit").lockFile()));
}

}  // namespace
}  // namespace kestra
