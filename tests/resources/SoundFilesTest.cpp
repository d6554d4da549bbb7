// The two sounds: their RIFF layout and formats, and what they sound like as
// far as numbers can tell: a short, balanced click, and a rising fanfare that
// fades out without clipping.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace resources_test;

namespace {

Bytes ReadSound(const char* name) {
    return ReadFile(ResourcesDir() + "/sounds/" + name);
}

std::vector<std::string> ChunkIds(const std::vector<Chunk>& chunks) {
    std::vector<std::string> ids;
    for (const Chunk& chunk : chunks)
        ids.push_back(chunk.id);
    return ids;
}

void ExpectPcmFormat(const Bytes& file, const Chunk& fmt, std::uint32_t channels,
                     std::uint32_t rate, std::uint32_t bits) {
    ASSERT_EQ(fmt.size, 16u);
    EXPECT_EQ(Le16(file, fmt.offset), 1u); // uncompressed PCM
    EXPECT_EQ(Le16(file, fmt.offset + 2), channels);
    EXPECT_EQ(Le32(file, fmt.offset + 4), rate);
    EXPECT_EQ(Le32(file, fmt.offset + 8), rate * channels * bits / 8); // bytes per second
    EXPECT_EQ(Le16(file, fmt.offset + 12), channels * bits / 8);       // block align
    EXPECT_EQ(Le16(file, fmt.offset + 14), bits);
}

void ExpectRiffWave(const Bytes& file) {
    ASSERT_GE(file.size(), 12u);
    EXPECT_EQ(Tag(file, 0), "RIFF");
    EXPECT_EQ(Le32(file, 4), file.size() - 8);
    EXPECT_EQ(Tag(file, 8), "WAVE");
}

std::int64_t Energy(const std::vector<int>& samples, size_t from, size_t to) {
    std::int64_t sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += std::int64_t{samples[i]} * samples[i];
    return sum;
}

int ZeroCrossings(const std::vector<int>& samples, size_t from, size_t to) {
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i)
        crossings += (samples[i - 1] < 0) != (samples[i] < 0) ? 1 : 0;
    return crossings;
}

} // namespace

TEST(ClickSound, HasItsFixedLayout) {
    const Bytes file = ReadSound("Click.wav");
    ASSERT_EQ(file.size(), 652u);
    ExpectRiffWave(file);
    const std::vector<Chunk> chunks = RiffChunks(file);
    ASSERT_EQ(ChunkIds(chunks), (std::vector<std::string>{"fmt ", "data"}));
    ExpectPcmFormat(file, chunks[0], 1, 44100, 16);
    EXPECT_EQ(chunks[1].size, 608u); // 304 samples
}

TEST(ClickSound, IsAShortBalancedTickThatDiesAway) {
    const Bytes file = ReadSound("Click.wav");
    const std::vector<Chunk> chunks = RiffChunks(file);
    ASSERT_EQ(chunks.size(), 2u);
    std::vector<int> samples;
    for (size_t at = chunks[1].offset; at < chunks[1].offset + chunks[1].size; at += 2)
        samples.push_back(static_cast<std::int16_t>(Le16(file, at)));
    ASSERT_EQ(samples.size(), 304u);

    int peak = 0;
    std::int64_t sum = 0;
    for (int s : samples) {
        peak = std::max(peak, std::abs(s));
        sum += s;
    }
    EXPECT_GT(peak, 4000) << "audible";
    EXPECT_LT(peak, 30000) << "soft, and far from clipping";
    EXPECT_LT(std::abs(sum), 304 * 4) << "no offset from the middle";
    // Starts and ends at rest, so that it does not pop.
    EXPECT_LT(std::abs(samples.front()), 300);
    EXPECT_LT(std::abs(samples.back()), 300);
    // Most of the sound is in its first third.
    EXPECT_GT(Energy(samples, 0, 100), 50 * Energy(samples, 204, 304));
}

TEST(SuccessSound, HasItsFixedLayoutWithListAndCueAfterTheData) {
    const Bytes file = ReadSound("Success.wav");
    ASSERT_EQ(file.size(), 148982u);
    ExpectRiffWave(file);
    const std::vector<Chunk> chunks = RiffChunks(file);
    ASSERT_EQ(ChunkIds(chunks), (std::vector<std::string>{"fmt ", "data", "LIST", "cue "}));
    ExpectPcmFormat(file, chunks[0], 2, 22050, 8);
    EXPECT_EQ(chunks[1].size, 148736u); // 74368 frames of two bytes

    // The list is an information list of well-formed text chunks.
    const Chunk& list = chunks[2];
    ASSERT_GE(list.size, 4u);
    EXPECT_EQ(Tag(file, list.offset), "INFO");
    size_t at = list.offset + 4;
    while (at < list.offset + list.size) {
        const std::uint32_t size = Le32(file, at + 4);
        ASSERT_LE(at + 8 + size, list.offset + list.size) << Tag(file, at);
        ASSERT_GT(size, 0u);
        EXPECT_EQ(file[at + 8 + size - 1], 0) << Tag(file, at) << " text ends in a null";
        at += 8 + size + size % 2;
    }
    EXPECT_EQ(at, list.offset + list.size);

    // The cue list holds its points, each on the data chunk and inside the sound.
    const Chunk& cue = chunks[3];
    const std::uint32_t points = Le32(file, cue.offset);
    ASSERT_GE(points, 1u);
    ASSERT_EQ(cue.size, 4 + 24 * points);
    for (std::uint32_t i = 0; i < points; ++i) {
        const size_t point = cue.offset + 4 + 24 * i;
        EXPECT_EQ(Tag(file, point + 8), "data");
        EXPECT_LT(Le32(file, point + 20), 74368u);
    }
}

TEST(SuccessSound, RisesAndFadesToSilenceWithoutClipping) {
    const Bytes file = ReadSound("Success.wav");
    const std::vector<Chunk> chunks = RiffChunks(file);
    ASSERT_GE(chunks.size(), 2u);
    std::vector<int> left;
    std::vector<int> right;
    for (size_t at = chunks[1].offset; at < chunks[1].offset + chunks[1].size; at += 2) {
        left.push_back(file[at] - 128);
        right.push_back(file[at + 1] - 128);
    }
    ASSERT_EQ(left.size(), 74368u);

    bool channelsDiffer = false;
    for (size_t i = 0; i < left.size(); ++i) {
        ASSERT_GT(left[i], -128) << "clipped at frame " << i;
        ASSERT_LT(left[i], 127) << "clipped at frame " << i;
        ASSERT_GT(right[i], -128) << "clipped at frame " << i;
        ASSERT_LT(right[i], 127) << "clipped at frame " << i;
        channelsDiffer = channelsDiffer || left[i] != right[i];
    }
    EXPECT_TRUE(channelsDiffer) << "a stereo sound";

    for (const std::vector<int>* channel : {&left, &right}) {
        std::int64_t sum = 0;
        for (int s : *channel)
            sum += s;
        EXPECT_LT(std::abs(sum), 74368) << "no offset from the middle";
        EXPECT_EQ((*channel)[0], 0) << "starts at rest";
        // The last tenth of a second is silent.
        for (size_t i = channel->size() - 2205; i < channel->size(); ++i)
            ASSERT_EQ((*channel)[i], 0) << "frame " << i;
        // Loud at the start, a whisper near the end.
        EXPECT_GT(Energy(*channel, 0, 22050), 20 * Energy(*channel, 55125, 66150));
    }
    // The notes rise: the sound after the last note begins is higher than
    // the first note alone.
    EXPECT_GT(ZeroCrossings(left, 8820, 11025) * 10, ZeroCrossings(left, 0, 2205) * 13);
}
