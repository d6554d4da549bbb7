// The two sounds: their RIFF layout and formats, and what they sound like as
// far as numbers can tell: a short, balanced click, and a rising fanfare that
// fades out without clipping.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>

using namespace resources_test;

namespace {

using Samples = std::vector<int>;

// The samples of each channel around the middle: 16-bit signed or 8-bit
// unsigned PCM with the channels interleaved.
std::vector<Samples> Channels(const std::string& name) {
    const Bytes file = ReadResource("sounds/" + name);
    const std::vector<Chunk> chunks = RiffChunks(file);
    const std::uint32_t bytes = Le16(file, chunks.at(0).offset + 14) / 8;
    std::vector<Samples> channels(Le16(file, chunks[0].offset + 2));
    for (size_t at = chunks.at(1).offset; at < chunks[1].offset + chunks[1].size;) {
        for (Samples& channel : channels) {
            channel.push_back(bytes == 2 ? static_cast<std::int16_t>(Le16(file, at))
                                         : file[at] - 128);
            at += bytes;
        }
    }
    return channels;
}

std::int64_t Energy(const Samples& samples, size_t from, size_t to) {
    return std::inner_product(samples.begin() + from, samples.begin() + to, samples.begin() + from,
                              std::int64_t{0});
}

std::int64_t Offset(const Samples& samples) {
    return std::abs(std::accumulate(samples.begin(), samples.end(), std::int64_t{0}));
}

} // namespace

// A RIFF WAVE file: a PCM format chunk, then the data; the success sound
// carries an information list and a cue list after its data.
TEST(Sounds, HaveTheirFixedLayouts) {
    const struct {
        const char* name;
        size_t fileSize;
        std::vector<std::string> chunkIds;
        std::uint32_t channels, rate, bits, frames;
    } kSounds[] = {
        {"Click.wav", 652, {"fmt ", "data"}, 1, 44100, 16, 304},
        {"Success.wav", 148982, {"fmt ", "data", "LIST", "cue "}, 2, 22050, 8, 74368},
    };
    for (const auto& sound : kSounds) {
        SCOPED_TRACE(sound.name);
        const Bytes file = ReadResource(std::string("sounds/") + sound.name);
        ASSERT_EQ(file.size(), sound.fileSize);
        EXPECT_EQ(Tag(file, 0) + Tag(file, 8), "RIFFWAVE");
        EXPECT_EQ(Le32(file, 4), file.size() - 8);
        const std::vector<Chunk> chunks = RiffChunks(file);
        std::vector<std::string> ids;
        for (const Chunk& chunk : chunks)
            ids.push_back(chunk.id);
        ASSERT_EQ(ids, sound.chunkIds);
        // Uncompressed PCM, channels, sample rate, bytes a second, bytes a frame, bits.
        const size_t fmt = chunks[0].offset;
        const std::uint32_t frame = sound.channels * sound.bits / 8;
        ASSERT_EQ(chunks[0].size, 16u);
        EXPECT_EQ((Numbers{Le16(file, fmt), Le16(file, fmt + 2), Le32(file, fmt + 4),
                           Le32(file, fmt + 8), Le16(file, fmt + 12), Le16(file, fmt + 14)}),
                  (Numbers{1, sound.channels, sound.rate, sound.rate * frame, frame, sound.bits}));
        EXPECT_EQ(chunks[1].size, sound.frames * frame);
        if (chunks.size() < 4)
            continue;
        // An information list of text chunks, each ending in a null.
        const Chunk& list = chunks[2];
        EXPECT_EQ(Tag(file, list.offset), "INFO");
        size_t at = list.offset + 4;
        for (std::uint32_t size = 0; at < list.offset + list.size; at += 8 + size + size % 2) {
            size = Le32(file, at + 4);
            ASSERT_GT(size, 0u);
            ASSERT_LE(at + 8 + size, list.offset + list.size) << Tag(file, at);
            EXPECT_EQ(file[at + 8 + size - 1], 0) << Tag(file, at);
        }
        EXPECT_EQ(at, list.offset + list.size);
        // Cue points of 24 bytes, each on the data chunk and inside the sound.
        const Chunk& cue = chunks[3];
        ASSERT_GE(Le32(file, cue.offset), 1u);
        ASSERT_EQ(cue.size, 4 + 24 * Le32(file, cue.offset));
        for (size_t point = cue.offset + 4; point < cue.offset + cue.size; point += 24) {
            EXPECT_EQ(Tag(file, point + 8), "data");
            EXPECT_LT(Le32(file, point + 20), sound.frames);
        }
    }
}

TEST(Sounds, ClickIsAShortBalancedTickThatDiesAway) {
    const Samples click = Channels("Click.wav").at(0);
    ASSERT_EQ(click.size(), 304u);
    const auto [low, high] = std::minmax_element(click.begin(), click.end());
    EXPECT_GT(std::max(-*low, *high), 4000) << "audible";
    EXPECT_LT(std::max(-*low, *high), 30000) << "soft, and far from clipping";
    EXPECT_LT(Offset(click), 304 * 4) << "no offset from the middle";
    EXPECT_LT(std::abs(click.front()), 300) << "starts at rest, so that it does not pop";
    EXPECT_LT(std::abs(click.back()), 300) << "ends at rest";
    EXPECT_GT(Energy(click, 0, 100), 50 * Energy(click, 204, 304)) << "loud in its first third";
}

TEST(Sounds, SuccessRisesAndFadesToSilenceWithoutClipping) {
    const std::vector<Samples> channels = Channels("Success.wav");
    ASSERT_EQ(channels.size(), 2u);
    EXPECT_NE(channels[0], channels[1]) << "a stereo sound";
    for (const Samples& channel : channels) {
        ASSERT_EQ(channel.size(), 74368u);
        const auto [low, high] = std::minmax_element(channel.begin(), channel.end());
        EXPECT_GT(*low, -128) << "clipped";
        EXPECT_LT(*high, 127) << "clipped";
        EXPECT_LT(Offset(channel), 74368) << "no offset from the middle";
        EXPECT_EQ(channel[0], 0) << "starts at rest";
        EXPECT_EQ(Energy(channel, channel.size() - 2205, channel.size()), 0)
            << "the last tenth of a second is silent";
        EXPECT_GT(Energy(channel, 0, 22050), 20 * Energy(channel, 55125, 66150))
            << "loud at the start, a whisper near the end";
    }
    // The notes rise: after the last note begins the sound crosses zero more
    // often than in the first note alone.
    const auto crossings = [&channels](size_t from, size_t to) {
        int count = 0;
        for (size_t i = from + 1; i < to; ++i)
            count += (channels[0][i - 1] < 0) != (channels[0][i] < 0) ? 1 : 0;
        return count;
    };
    EXPECT_GT(crossings(8820, 11025) * 10, crossings(0, 2205) * 13);
}
