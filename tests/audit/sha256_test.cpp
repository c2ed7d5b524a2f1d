// The SHA-256 digests against the standard vectors, in one piece, piece by piece and from a file.
#include "audit/sha256.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "test_support.h"

namespace kestra {
namespace {

struct Vector {
    std::string message;
    const char* digest;
};

// python3 -c "import hashlib; print(hashlib.sha256(b'abc').hexdigest())" and the same for the others
const std::vector<Vector>& vectors()
{
    static const std::vector<Vector> v = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // FIPS 180-4's 448-bit and 896-bit messages
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmno"
         "pqrst"
         "nopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        // the padding boundaries: 55, 56 and 64 bytes
        {std::string(55, 'x'), "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072"},
        {std::string(56, 'x'), "04c26261370ee7541549d16dee320c723e3fd14671e66a099afe0a377c16888e"},
        {std::string(64, 'x'), "7ce100971f64e7001e8fe5a51973ecdfe1ced42befe7ee8d5fd6219506b5393c"},
    };
    return v;
}

TEST(Sha256, StandardVectors)
{
    for (const Vector& v : vectors())
        EXPECT_EQ(Sha256Hex(v.message), v.digest) << v.message.size() << " bytes";
}

TEST(Sha256, PiecesGiveTheDigestOfTheWhole)
{
    // every split of a message spanning two blocks, and pieces of 1, 63 and 65 bytes
    const std::string message = vectors()[3].message;
    for (std::size_t cut = 0; cut <= message.size(); ++cut) {
        Sha256 hash;
        hash.update(std::string_view(message).substr(0, cut));
        hash.update(std::string_view(message).substr(cut));
        ASSERT_EQ(hash.hexDigest(), vectors()[3].digest) << "cut at " << cut;
    }
    const std::string million(1000000, 'a');
    for (std::size_t piece : {1u, 63u, 65u}) {
        Sha256 hash;
        for (std::size_t at = 0; at < million.size(); at += piece)
            hash.update(std::string_view(million).substr(at, piece));
        EXPECT_EQ(hash.hexDigest(), vectors()[4].digest) << piece << "-byte pieces";
    }
}

TEST(Sha256, FilesAreHashedWhole)
{
    test::TempDir dir;
    test::writeFile(dir / "a", "abc");
    // larger than one read of the file: the pieces join up
    test::writeFile(dir / "million", std::string(1000000, 'a'));
    EXPECT_EQ(Sha256OfFile(dir / "a"), Sha256Hex("abc"));
    EXPECT_EQ(Sha256OfFile(dir / "million"), vectors()[4].digest);
    EXPECT_THROW(Sha256OfFile(dir / "missing"), std::runtime_error);
}

}  // namespace
}  // namespace kestra
