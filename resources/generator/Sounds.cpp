#include "Sounds.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace nereku_resources {

namespace {

using Wide = std::int64_t;
constexpr Wide kOne = Wide{1} << 30;

// ---- Building blocks.

// The phase step of a tone, frequency in thousandths of a hertz.
std::uint32_t PhaseStep(Wide milliHertz, Wide sampleRate) {
    return static_cast<std::uint32_t>((milliHertz << 32) / (sampleRate * 1000));
}

// The factor by which an exponential decay shrinks per sample, for a time
// constant given in samples (the first two terms of exp(-1 / samples)).
Wide DecayFactor(Wide samples) {
    return kOne - kOne / samples;
}

// One partial of a struck tone: a sine that dies away exponentially.
struct Partial {
    Wide milliHertz;
    Wide amplitude;    // in output units at full strength
    Wide decaySamples; // time constant
};

// Adds a struck tone to the buffer: a short linear attack, then every partial
// fading at its own rate.
void AddTone(std::vector<Wide>& buffer, size_t onset, Wide sampleRate,
             const std::vector<Partial>& partials, Wide attackSamples) {
    for (const Partial& partial : partials) {
        const std::uint32_t step = PhaseStep(partial.milliHertz, sampleRate);
        const Wide factor = DecayFactor(partial.decaySamples);
        std::uint32_t phase = 0;
        Wide envelope = kOne;
        for (size_t i = onset; i < buffer.size(); ++i) {
            const Wide n = static_cast<Wide>(i - onset);
            const Wide attack = std::min(n, attackSamples);
            const Wide level = partial.amplitude * envelope / kOne * attack / attackSamples;
            buffer[i] += level * Sine(phase) / kOne;
            phase += step;
            envelope = envelope * factor / kOne;
        }
    }
}

// Lets the sound fade linearly to silence over the given number of samples,
// then stay silent for the last few.
void FadeOut(std::vector<Wide>& buffer, size_t fadeSamples, size_t silentSamples = 0) {
    const size_t end = buffer.size() - silentSamples;
    const size_t start = end - fadeSamples;
    for (size_t i = start; i < end; ++i)
        buffer[i] = buffer[i] * static_cast<Wide>(end - 1 - i) / static_cast<Wide>(fadeSamples);
    for (size_t i = end; i < buffer.size(); ++i)
        buffer[i] = 0;
}

Wide Peak(const std::vector<Wide>& buffer) {
    Wide peak = 1;
    for (Wide value : buffer)
        peak = std::max(peak, value < 0 ? -value : value);
    return peak;
}

// value * target / peak, rounded to the nearest integer.
Wide Scale(Wide value, Wide target, Wide peak) {
    const Wide twice = 2 * value * target;
    return twice >= 0 ? (twice + peak) / (2 * peak) : -((-twice + peak) / (2 * peak));
}

// ---- The click.

constexpr Wide kClickRate = 44100;
constexpr size_t kClickSamples = 304;
constexpr Wide kClickPeak = 11000;

// A soft, woody tick: a low body and a brighter snap that both die within a
// few milliseconds. The average is then taken out so that the speaker ends
// where it started.
std::vector<Wide> SynthesiseClick() {
    std::vector<Wide> body(kClickSamples, 0);
    AddTone(body, 0, kClickRate, {{1150000, 10000, 48}, {2900000, 5200, 22}}, 5);
    FadeOut(body, 96);

    // The offset is removed in the shape of a smooth bump, which keeps the
    // first and last samples at zero.
    std::vector<Wide> bump(kClickSamples);
    Wide bumpSum = 0;
    for (size_t i = 0; i < kClickSamples; ++i) {
        const Wide n = static_cast<Wide>(i);
        bump[i] = n * (static_cast<Wide>(kClickSamples) - 1 - n);
        bumpSum += bump[i];
    }
    Wide sum = 0;
    for (Wide value : body)
        sum += value;
    for (size_t i = 0; i < kClickSamples; ++i)
        body[i] -= sum * bump[i] / bumpSum;
    return body;
}

// ---- The success fanfare.

constexpr Wide kSuccessRate = 22050;
constexpr size_t kSuccessFrames = 74368;
constexpr size_t kSuccessFileBytes = 148982;
constexpr Wide kSuccessPeak = 104; // of the 127 steps either side of 128

struct Note {
    Wide milliHertz;
    size_t onset;  // in frames
    Wide leftGain; // in 256ths
    Wide rightGain;
    Wide ring; // decay time constant of the fundamental, in frames
};

// C major rising over an octave, from left to right, the top note longest.
const std::vector<Note>& Arpeggio() {
    static const std::vector<Note> notes = {
        {523251, 0, 230, 120, 17000},
        {659255, 2756, 200, 160, 17000},
        {783991, 5512, 160, 200, 18000},
        {1046502, 8268, 120, 230, 26000},
    };
    return notes;
}

// A mallet on a metal bar: the fundamental rings, the overtones and the
// clangy partial of the strike die quickly.
std::vector<Partial> BellPartials(const Note& note) {
    return {
        {note.milliHertz, 9000, note.ring},
        {note.milliHertz * 2, 3000, note.ring / 3},
        {note.milliHertz * 3, 1100, note.ring / 8},
        {note.milliHertz * 276 / 100, 900, 900},
    };
}

Bytes SuccessSamples() {
    std::vector<Wide> left(kSuccessFrames, 0);
    std::vector<Wide> right(kSuccessFrames, 0);
    for (const Note& note : Arpeggio()) {
        std::vector<Wide> tone(kSuccessFrames, 0);
        AddTone(tone, note.onset, kSuccessRate, BellPartials(note), 60);
        for (size_t i = 0; i < kSuccessFrames; ++i) {
            left[i] += tone[i] * note.leftGain / 256;
            right[i] += tone[i] * note.rightGain / 256;
        }
    }
    // A soft echo bouncing between the two sides gives the notes some room.
    constexpr size_t kEchoDelay = 3300;
    const std::vector<Wide> dryLeft = left;
    const std::vector<Wide> dryRight = right;
    for (size_t i = kEchoDelay; i < kSuccessFrames; ++i) {
        left[i] += dryRight[i - kEchoDelay] * 60 / 256;
        right[i] += dryLeft[i - kEchoDelay] * 60 / 256;
    }
    FadeOut(left, 13000, 3300);
    FadeOut(right, 13000, 3300);

    const Wide peak = std::max(Peak(left), Peak(right));
    Bytes out;
    for (size_t i = 0; i < kSuccessFrames; ++i) {
        out.push_back(static_cast<std::uint8_t>(128 + Scale(left[i], kSuccessPeak, peak)));
        out.push_back(static_cast<std::uint8_t>(128 + Scale(right[i], kSuccessPeak, peak)));
    }
    return out;
}

Bytes InfoText(const char* id, const std::string& text) {
    Bytes payload;
    PutText(payload, text);
    payload.push_back(0);
    return MakeChunk(id, payload);
}

// A cue point named 1 at the top note.
Bytes CueChunk() {
    Bytes payload;
    Put32(payload, 1); // one cue point
    Put32(payload, 1); // its name
    Put32(payload, static_cast<std::uint32_t>(Arpeggio().back().onset));
    PutTag(payload, "data");
    Put32(payload, 0); // chunk start
    Put32(payload, 0); // block start
    Put32(payload, static_cast<std::uint32_t>(Arpeggio().back().onset));
    return MakeChunk("cue ", payload);
}

// The information list, its comment lengthened with blanks so that the whole
// file comes to its fixed size.
Bytes InfoList(size_t bytes) {
    Bytes payload;
    PutTag(payload, "INFO");
    for (const Bytes& chunk : {InfoText("INAM", "Nereku Sudoku success"),
                               InfoText("IART", "Quorvia"), InfoText("ISFT", "make_resources")})
        payload.insert(payload.end(), chunk.begin(), chunk.end());

    const std::string comment =
        "Four rising notes, C E G C, that ring out together when a board is solved.";
    constexpr size_t kHeaders = 8 + 8; // the list's and the comment's
    if (bytes < kHeaders + payload.size() + comment.size() + 1 ||
        (bytes - kHeaders - payload.size()) % 2 != 0)
        throw std::runtime_error("the information list does not fit");
    std::string padded = comment;
    padded.resize(bytes - kHeaders - payload.size() - 1, ' ');
    const Bytes commentChunk = InfoText("ICMT", padded);
    payload.insert(payload.end(), commentChunk.begin(), commentChunk.end());
    return MakeChunk("LIST", payload);
}

} // namespace

std::int64_t Sine(std::uint32_t phase) {
    // Taylor series of sin(pi/2 * x) for x in [0, 1], coefficients in 2^30 units.
    constexpr Wide kCoefficients[] = {1686629713, -693598668, 85569306, -5026995, 172272, -3864};
    const std::uint32_t quarter = phase >> 30;
    Wide x = static_cast<Wide>(phase & 0x3FFFFFFFu);
    if (quarter % 2 == 1)
        x = kOne - x;
    const Wide x2 = x * x / kOne;
    Wide sum = kCoefficients[5];
    for (int i = 4; i >= 0; --i)
        sum = kCoefficients[i] + sum * x2 / kOne;
    const Wide value = std::min(sum * x / kOne, kOne);
    return quarter >= 2 ? -value : value;
}

Bytes MakeClickSound() {
    const std::vector<Wide> click = SynthesiseClick();
    const Wide peak = Peak(click);
    Bytes samples;
    for (Wide value : click)
        Put16(samples, static_cast<std::uint32_t>(Scale(value, kClickPeak, peak)) & 0xFFFFu);
    return EncodeWav({1, static_cast<std::uint32_t>(kClickRate), 16}, samples);
}

Bytes MakeSuccessSound() {
    const Bytes samples = SuccessSamples();
    const Bytes cue = CueChunk();
    constexpr size_t kHeadersBeforeList = 12 + 24 + 8; // RIFF, fmt and data headers
    const size_t listBytes = kSuccessFileBytes - kHeadersBeforeList - samples.size() - cue.size();
    Bytes further = InfoList(listBytes);
    further.insert(further.end(), cue.begin(), cue.end());
    return EncodeWav({2, static_cast<std::uint32_t>(kSuccessRate), 8}, samples, further);
}

} // namespace nereku_resources
