// captions_test.cpp — the caption file read line by line, what it refuses,
// and the time bar's reading.
#include "text/captions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/state_fixture.h"
#include "support/temp_dir.h"

namespace {

class Captions : public StateTest {
  protected:
    // Reads `content` as the caption file; what was told on standard error.
    std::string load(const std::string& content)
    {
        txt.caption_file = dir.write("captions.txt", content);
        testing::internal::CaptureStderr();
        load_caption_file();
        return testing::internal::GetCapturedStderr();
    }
    TempDir dir;
};

} // namespace

TEST_F(Captions, LineKIsTheCaptionOfFrameK)
{
    EXPECT_EQ(load("\xEF\xBB\xBF"
                   "first\r\n\nZ\xC3\xBCrich\nlast without end"),
              "");
    EXPECT_EQ(frame_caption(0), "first"); // no byte-order mark, no CR
    EXPECT_EQ(frame_caption(1), "");
    EXPECT_EQ(frame_caption(2), "Z\xC3\xBCrich");
    EXPECT_EQ(frame_caption(3), "last without end");
    EXPECT_EQ(frame_caption(4), "");
    EXPECT_EQ(frame_caption(-1), "");

    // A very long line is kept cut, at a character's boundary.
    std::string line;
    while (line.size() < 100000)
        line += "\xC3\xA9";
    load("a" + line + "\nnext\n");
    EXPECT_LE(frame_caption(0).size(), kMaxCaptionBytes);
    EXPECT_GT(frame_caption(0).size(), kMaxCaptionBytes - 2);
    EXPECT_EQ(frame_caption(0).size() % 2, 1u); // "a" and whole two-byte characters
    EXPECT_EQ(frame_caption(1), "next");
}

TEST_F(Captions, OnlyARegularFileIsReadAndAFailureIsTold)
{
    struct Case {
        const char* what;
        std::string path;
    };
    const std::string fifo = dir.path() + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const Case cases[] = {
        {"missing", dir.path() + "/none.txt"},
        {"folder", dir.path()},
        {"pipe without a writer", fifo},
    };
    for (const Case& c : cases) {
        load("old\n");
        txt.caption_file = c.path;
        testing::internal::CaptureStderr();
        load_caption_file(); // must return at once
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find(c.path), std::string::npos) << c.what << ": " << told;
        EXPECT_EQ(frame_caption(0), "") << c.what;
    }
    // No file named: no captions and no word.
    txt.caption_file = "";
    testing::internal::CaptureStderr();
    load_caption_file();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(Captions, TheTimeBarReadsTheCaptionOrTheFrameNumber)
{
    load("dawn\n\ndusk\n");
    std::string reading;
    timebar_reading(0, 3, &reading);
    EXPECT_EQ(reading, "dawn");
    timebar_reading(1, 3, &reading); // an empty caption line
    EXPECT_EQ(reading, "2 / 3");
    txt.captions.clear();
    timebar_reading(0, 3, &reading);
    EXPECT_EQ(reading, "1 / 3");
    timebar_reading(95, 96, &reading);
    EXPECT_EQ(reading, "96 / 96");
    timebar_reading(0, 0, &reading);
    EXPECT_EQ(reading, "");
}
