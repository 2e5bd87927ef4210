#include "files/file_writer.h"
#include "files/system_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <optional>

#include "support/file_test_support.h"

namespace tarvex {
namespace {

using namespace testing;

// How the write runs: as the test's user, as one whom permissions stop ("nobody" when the test
// runs as root; in a child process), or out of room (a 100-byte file-size limit).
enum class How { AsTester, AsNobody, OutOfRoom };

// Each case's files are made by shell commands, as the user who then writes "target"; its check
// runs afterwards: new FILE / old FILE says the file holds the written or the earlier content. No
// temporary file but $LIVE (a running save's) and $ODD (a dead id with no "-" after it) may stay.
TEST(WriteWholeFile, WritesWhatANameStandsForKeepsWhatTheFileIsAndSaysWhyNot) {
    ::setenv("STALE", TemporaryFileName("", INT_MAX, 1).c_str(), 1);  // no process has that id
    ::setenv("LIVE", TemporaryFileName("", ::getpid(), 99999).c_str(), 1);
    const std::string checks =
        "ODD=\"${STALE%-1.tmp}.tmp\"; new() { [ \"$(head -c 5 \"$1\")\" = QMTF4 ]; }; "
        "old() { [ \"$(cat \"$1\")\" = old ]; }; "
        "! ls -A . * 2>/dev/null | grep '^\\.tarvex-' | grep -qvx -e \"$LIVE\" -e \"$ODD\" && ";
    struct Case {
        std::string setUp;
        std::string target;
        How run;
        std::string reason;  // empty: written
        std::string check;
    };
    const Case cases[] = {
        // Through a symbolic link its file is written and the link stays.
        {"printf old >site.kvd && ln -s site.kvd link.kvd", "link.kvd", How::AsTester, "",
         "test -L link.kvd && new site.kvd"},
        // Another user's file keeps its owner and permissions.
        {"printf old >site.kvd && chmod 604 site.kvd && { chown nobody site.kvd 2>/dev/null || "
         "true; } && stat -c %a:%u:%g site.kvd >before",
         "site.kvd", How::AsTester, "",
         "new site.kvd && [ \"$(stat -c %a:%u:%g site.kvd)\" = \"$(cat before)\" ]"},
        // A file with two names keeps both.
        {"printf old >site.kvd && ln site.kvd copy.kvd", "site.kvd", How::AsTester, "",
         "new copy.kvd"},
        // A file the user may not write is refused.
        {"printf old >site.kvd && chmod 444 site.kvd", "site.kvd", How::AsNobody,
         "Permission denied", "old site.kvd"},
        // In a folder the user may not write the file is written in place.
        {"mkdir locked && printf old >locked/site.kvd && chmod 555 locked", "locked/site.kvd",
         How::AsNobody, "", "new locked/site.kvd && chmod 755 locked"},
        // A new file in a folder the user may not write is refused.
        {"mkdir locked && chmod 555 locked", "locked/new.kvd", How::AsNobody, "Permission denied",
         "! test -e locked/new.kvd && chmod 755 locked"},
        {"mkfifo pipe.kvd", "pipe.kvd", How::AsTester, "it is a named pipe, not a regular file",
         "test -p pipe.kvd"},
        // A killed save's temporary file goes, a running one's stays.
        {"printf old >site.kvd && touch \"$STALE\" \"$LIVE\" \"${STALE%-1.tmp}.tmp\"", "site.kvd",
         How::AsTester, "",
         "new site.kvd && ! test -e \"$STALE\" && test -e \"$LIVE\" -a -e \"$ODD\""},
        {"printf old >site.kvd", "site.kvd", How::OutOfRoom, "File too large", "old site.kvd"},
        {"printf old >site", "site/a.kvd", How::AsTester, "Not a directory", "old site"},
        {"true", "missing/a.kvd", How::AsTester, "No such file or directory", "! test -e missing"},
        {"mkdir site.kvd", "site.kvd", How::AsTester, "Is a directory", "test -d site.kvd"},
        {"mkdir site.kvd", "site.kvd/", How::AsTester, "Is a directory", "test -d site.kvd"},
    };
    for (const TemporaryFile temporary : {TemporaryFile::Unnamed, TemporaryFile::Named}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.setUp + " / " + c.target);
            TempDir dir;
            ::chmod(dir.path().c_str(), 0777);
            const auto shell = [&dir](const std::string& commands) {
                return std::system(("cd '" + dir.path().string() + "' && " + commands).c_str()) ==
                       0;
            };
            std::string reason;
            const auto outcome = [&] {
                const bool written =
                    shell(c.setUp) &&
                    WriteWholeFile(dir / c.target, Text("QMTF4", 561), &reason, temporary);
                return written == c.reason.empty() && reason == c.reason;
            };
            EXPECT_TRUE(c.run == How::AsNobody    ? AsUnprivilegedUser(outcome)
                        : c.run == How::OutOfRoom ? WithFileSizeLimit(100, outcome)
                                                  : outcome())
                << reason;
            EXPECT_TRUE(shell(checks + c.check));
        }
    }
}

// A file is read whole up to one byte past the limit, whatever size it claims: /proc files claim
// none at all.
TEST(ReadRegularFile, ReadsUpToOneBytePastTheLimit) {
    std::ifstream proc("/proc/self/mounts");
    const std::string mounts{std::istreambuf_iterator<char>(proc), {}};
    ASSERT_GT(mounts.size(), 64u);
    const std::string longText(5000, 'x');
    struct Case {
        std::optional<std::string> written;  // none: /proc/self/mounts is read
        std::size_t limit;
        std::string content;
    };
    const Case cases[] = {
        {"", 10, ""},
        {"0123456789", 10, "0123456789"},
        {"0123456789A", 10, "0123456789A"},
        {longText, 10, longText.substr(0, 11)},
        {longText, 4999, longText},
        {std::nullopt, 1 << 20, mounts},
        {std::nullopt, 32, mounts.substr(0, 33)},
    };
    for (const Case& c : cases) {
        TempDir dir;
        std::filesystem::path file = "/proc/self/mounts";
        if (c.written) {
            file = dir / "file";
            std::ofstream(file) << *c.written;
        }
        std::string reason;
        EXPECT_EQ(ReadRegularFile(file, c.limit, reason), c.content) << file << " " << c.limit;
    }
}

}  // namespace
}  // namespace tarvex
