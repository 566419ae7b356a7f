// The bound on what one file read may take: a file at the limit is read whole, one byte
// more is refused with the limit and the file named, and an endless device stops there.

#include <gtest/gtest.h>

#include "TestSession.h"
#include "files/TextFile.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

const std::string tooLarge = "The file is larger than 16 MiB, the most that condsim reads from a file.\n";

TEST(TextFileLimit, ReadsUpToSixteenMebibytesAndRefusesMore) {
    TemporaryDirectory directory;
    const std::string atLimit = directory.write("at-limit.txt", std::string(maximumReadBytes, '1'));
    const std::string beyond = directory.write("beyond.txt", std::string(maximumReadBytes + 1, '1'));
    EXPECT_EQ(maximumReadBytes, 16u * 1024 * 1024);
    EXPECT_EQ(readTextFile(atLimit).size(), maximumReadBytes);

    for (const std::string& file : {beyond, std::string("/dev/zero")}) {
        try {
            readTextFile(file);
            ADD_FAILURE() << file << " was read";
        } catch (const Error& error) {
            EXPECT_EQ(errorBoxText(error), tooLarge + file);
        }
    }
}

}  // namespace
}  // namespace condsim
