// The bound on what one file read may take: a file at the limit is read whole, one byte
// more is refused with the limit and the file named, and an endless device stops there.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/Error.h"
#include "files/TextFile.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

const std::string tooLarge =
    "The file is larger than 16 MiB, the most that condsim reads from a file.\n";

TEST(TextFileLimit, ReadsUpToSixteenMebibytesAndRefusesMore) {
    TemporaryDirectory directory;
    const std::string atLimit = directory.write("at-limit.txt", std::string(maximumReadBytes, '1'));
    const std::string beyond =
        directory.write("beyond.txt", std::string(maximumReadBytes + 1, '1'));
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

// A pipe without a writer would block the program for ever at its opening; it is refused
// at once, naming the file.
TEST(TextFileLimit, APipeIsRefusedAtOnce) {
    TemporaryDirectory directory;
    const std::string fifo = (directory.path() / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    try {
        readTextFile(fifo);
        ADD_FAILURE() << fifo << " was read";
    } catch (const Error& error) {
        EXPECT_EQ(errorBoxText(error),
                  "The file is a pipe or a socket: condsim reads files and devices only.\n" + fifo);
    }
}

}  // namespace
}  // namespace condsim
