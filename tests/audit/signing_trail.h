// A trail of its own in a scratch folder, with the signer's password set, for the tests that sign study files.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "audit/audit_trail.h"
#include "audit/signing.h"
#include "audit/sqlite_audit_store.h"

namespace kestra::test {

constexpr const char* kSignerPassword = "segreto-lungo";

struct SigningTrail {
    explicit SigningTrail(const std::filesystem::path& folder) : trail(open(folder))
    {
        SignaturePassword(folder).set(kSignerPassword);
    }

    // Signs the file as it is now with the meaning ("prepared", "reviewed", "approved").
    SignatureRecord sign(const std::filesystem::path& file, const std::string& meaning, const std::string& comment = "")
    {
        SignaturePassword password(trail->passwordFolder());
        SignatureRecord made;
        EXPECT_EQ(SignFileInTrail(file.string(), "LIM", {meaning, comment, kSignerPassword}, password, *trail, &made),
                  SignatureOutcome::Signed);
        return made;
    }

    std::shared_ptr<AuditTrail> trail;

private:
    static std::shared_ptr<AuditTrail> open(const std::filesystem::path& folder)
    {
        std::filesystem::create_directories(folder);
        return std::make_shared<AuditTrail>(std::make_unique<SqliteAuditStore>(folder / "audit.db"),
                                            UserIdentity{"mrossi", "Mario Rossi", "lab-01"}, folder);
    }
};

}  // namespace kestra::test
