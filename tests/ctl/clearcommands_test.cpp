// delete and clear on the virtual remote: what they empty, what they refuse, and a remote that
// stays sound whichever of their writes fails.
#include "ctlrun.h"
#include "devicefolder.h"
#include "textmatch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <streambuf>

using testsupport::runCtl;

namespace {

std::string keys() { return runCtl({"keys"}).out; }

TEST(CtlClear, DeleteEmptiesOneKeyAndKeepsACodeAnotherKeyShares) {
    testsupport::DeviceFolder folder("learned");
    const auto deleted = runCtl({"delete", "tv/menu", "--yes"});
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "key 05 (TV/Menu) deleted\n");
    const std::string after = keys();
    EXPECT_TRUE(has(after, "05 TV/Menu: empty\n"));
    EXPECT_TRUE(has(after, "10 TV/OK: learned, stored code 3A2B1C (entry 1, 2 blocks)"));
    EXPECT_EQ(runCtl({"check"}).out, "layout sound\n");
}

TEST(CtlClear, RefusalsAndUnansweredQuestionsWriteNothing) {
    testsupport::DeviceFolder folder("learned");
    const std::string before = keys();
    const auto notLearned = runCtl({"delete", "00", "--yes"});
    EXPECT_EQ(notLearned.status, 1);
    EXPECT_EQ(notLearned.err, "qtm418ctl: key 00 (TV/Power) holds no learned code; nothing deleted\n");
    EXPECT_EQ(runCtl({"delete", "04"}, "n\n").status, 1);
    EXPECT_EQ(runCtl({"delete", "04"}).status, 1); // no answer at all
    EXPECT_EQ(runCtl({"clear"}, "no\n").status, 1);
    EXPECT_EQ(keys(), before);
    EXPECT_EQ(runCtl({"clear"}, "y\n").out, "cleared keys 04, 05, 10, 11\n");
    EXPECT_FALSE(has(keys(), "learned"));
    const auto nothing = runCtl({"clear", "--yes"});
    EXPECT_EQ(nothing.status, 1);
    EXPECT_EQ(nothing.err, "qtm418ctl: no key holds a learned code; nothing to clear\n");
}

// An answer that comes only after something happened to the remote while the question stood.
class LateAnswer : public std::streambuf {
public:
    explicit LateAnswer(std::function<void()> meanwhile) : meanwhile_(std::move(meanwhile)) {}

protected:
    int_type underflow() override {
        if (answered_)
            return traits_type::eof();
        answered_ = true;
        meanwhile_();
        setg(answer_.data(), answer_.data(), answer_.data() + answer_.size());
        return traits_type::to_int_type(answer_[0]);
    }

private:
    std::function<void()> meanwhile_;
    std::string answer_ = "y\n";
    bool answered_ = false;
};

TEST(CtlClear, ARemoteSwappedOrPulledDuringTheQuestionIsNotWritten) {
    testsupport::DeviceFolder folder("learned");
    const struct {
        const char* happening;
        int status;
        const char* message;
    } cases[] = {{"swap", 1, "another remote is attached now; nothing was written"},
                 {"unplug", 2, "the remote went away; nothing was written"}};
    for (const auto& c : cases) {
        folder.reset("learned");
        LateAnswer answer([&] { folder.emu({c.happening}); });
        std::istream in(&answer);
        std::ostringstream out, err;
        EXPECT_EQ(ctl::run({"delete", "04"}, ctl::Console{in, out, err}), c.status) << c.happening;
        EXPECT_TRUE(has(err.str(), c.message)) << err.str();
        folder.emu({"plug"});
        EXPECT_TRUE(has(keys(), "04 TV/Up: learned")) << c.happening;
    }
}

// Each write of each command fails in turn: the command says so, and the remote stays sound.
TEST(CtlClear, EveryFailedWriteLeavesTheRemoteSound) {
    testsupport::DeviceFolder folder("learned");
    const std::vector<std::vector<std::string>> commands = {
        {"delete", "04", "--yes"}, {"delete", "05", "--yes"}, {"clear", "--yes"}};
    std::size_t points = 0;
    for (const auto& command : commands) {
        folder.reset("learned");
        std::filesystem::remove(folder.path() / "exchanges.log");
        folder.emu({"trace", "on"});
        ASSERT_EQ(runCtl(command).status, 0);
        const std::size_t writes = folder.exchanges("writedatav20");
        ASSERT_GT(writes, 0u);
        for (std::size_t n = 1; n <= writes; ++n) {
            for (const unsigned count : {1u, 1000u}) { // one write lost, or every write from the n-th on
                folder.reset("learned");
                folder.failNext(emu::Operation::WriteData, count, static_cast<unsigned>(n - 1));
                const auto result = runCtl(command);
                std::string check;
                EXPECT_EQ(folder.emu({"check"}, &check), 0) << command[0] << " write " << n << "\n" << check;
                if (result.status != 0) {
                    EXPECT_TRUE(has(result.err, "could not be written")) << result.err;
                }
                ++points;
            }
        }
    }
    RecordProperty("interruption_points", static_cast<int>(points));
}

} // namespace
