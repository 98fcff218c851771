#include "frames.h"

#include "fidelity.h"

#include "model/hextext.h"

#include <algorithm>
#include <cstdlib>

namespace ir {

namespace {

constexpr std::size_t kItemChars = 4;
constexpr std::size_t kLongestBody = 64 * 1024;
constexpr std::string_view kGapStart = "FEFE";
constexpr std::string_view kGapEnd = "EDED";
constexpr std::string_view kNegative = "FFFF";
constexpr std::size_t kMostFrames = 256;

// Appends a duration to the frames: a mark or space of the current frame, or a long space that
// closes it.
void appendDuration(std::vector<Frame>& frames, int micros) {
    Frame& frame = frames.back();
    const bool isSpace = frame.durations.size() % 2 == 1;
    if (isSpace && micros >= kFrameGapMicros) {
        frame.gapAfter = micros;
        frames.emplace_back();
        return;
    }
    frame.durations.push_back(std::max(micros, 1));
}

int tolerance(int captured) { return std::max(100, captured / 4); }

} // namespace

bool sameDuration(int played, int captured) { return std::abs(played - captured) <= tolerance(captured); }

std::vector<Frame> splitFrames(const std::vector<int>& timings) {
    std::vector<Frame> frames(1);
    for (int t : timings)
        appendDuration(frames, t);
    if (frames.back().durations.size() % 2 == 0 && !frames.back().durations.empty())
        frames.back().durations.pop_back();
    if (frames.back().durations.empty()) {
        frames.pop_back();
        if (!frames.empty())
            frames.back().gapAfter = 0;
    }
    return frames;
}

std::optional<std::vector<Frame>> parseEncodedBody(std::string_view body) {
    if (body.size() > kLongestBody)
        return std::nullopt;
    body.remove_prefix(body.size() % kItemChars);
    std::vector<Frame> frames(1);
    std::size_t at = 0;
    const auto item = [&](std::size_t offset) { return body.substr(at + offset, kItemChars); };
    bool ended = false;
    while (at < body.size()) {
        const std::string_view token = item(0);
        if (token == kGapEnd) {
            at += kItemChars;
            ended = true;
            break;
        }
        if (token == kGapStart) {
            const auto millis = model::parseHex(item(kItemChars));
            if (!millis || item(2 * kItemChars) != kGapEnd || frames.back().durations.empty())
                return std::nullopt;
            at += 3 * kItemChars;
            if (at == body.size()) {
                ended = true; // the end marker of a record without gaps
                break;
            }
            // The marker holds whole milliseconds, truncated: the gap lies within the next one.
            Frame& frame = frames.back();
            if (frame.durations.size() % 2 == 0)
                frame.durations.pop_back();
            frame.gapAfter = static_cast<int>(std::min<std::uint32_t>(*millis, 1000)) * 1000 + 500;
            if (frames.size() >= kMostFrames)
                return std::nullopt;
            frames.emplace_back();
            continue;
        }
        std::int64_t micros = 0;
        if (token == kNegative) {
            if (body.size() < at + 2 * kItemChars)
                return std::nullopt;
            const auto value = model::parseHex(body.substr(at, 2 * kItemChars));
            if (!value)
                return std::nullopt;
            micros = static_cast<std::int32_t>(*value);
            at += 2 * kItemChars;
        } else {
            const auto value = model::parseHex(token);
            if (!value || token.size() != kItemChars)
                return std::nullopt;
            micros = *value;
            at += kItemChars;
        }
        appendDuration(frames, static_cast<int>(std::max<std::int64_t>(micros, 1)));
        if (frames.size() > kMostFrames)
            return std::nullopt;
    }
    if (!ended || at != body.size())
        return std::nullopt;
    if (frames.back().durations.size() % 2 == 0 && !frames.back().durations.empty())
        frames.back().durations.pop_back();
    if (frames.back().durations.empty())
        return std::nullopt;
    return frames;
}

std::vector<Frame> pressFrames(const Transmission& transmission, std::size_t count) {
    std::vector<Frame> frames = transmission.frames;
    if (frames.empty())
        return frames;
    const std::size_t wanted = std::max(count, transmission.minimumFrames);
    const std::size_t from = transmission.repeatFrom;
    for (std::size_t i = from; from < transmission.frames.size() && frames.size() < wanted; ++i) {
        if (i == transmission.frames.size())
            i = from;
        frames.push_back(transmission.frames[i]);
    }
    frames.back().gapAfter = 0;
    return frames;
}

std::vector<int> heldPress(const Transmission& transmission, long holdMicros) {
    std::vector<int> sent;
    const auto& frames = transmission.frames;
    if (frames.empty())
        return sent;
    const bool repeats = transmission.repeatFrom < frames.size();
    const std::size_t least = std::max<std::size_t>(transmission.minimumFrames, 1);
    long start = 0; // when the frame being sent began
    for (std::size_t n = 1, i = 0;; ++n) {
        const Frame& frame = frames[i];
        for (int d : frame.durations) {
            sent.push_back(d);
            start += d;
        }
        const bool lastOfAll = !repeats && i + 1 == frames.size();
        // A frame with no gap after it has no repeat: the key sends it once however long it is held.
        if (lastOfAll || (n >= least && (frame.gapAfter <= 0 || start + frame.gapAfter >= holdMicros)))
            return sent;
        sent.push_back(frame.gapAfter);
        start += frame.gapAfter;
        i = i + 1 == frames.size() ? transmission.repeatFrom : i + 1;
    }
}

std::vector<int> joinFrames(const std::vector<Frame>& frames) {
    std::vector<int> timings;
    for (const Frame& frame : frames) {
        if (!timings.empty())
            timings.push_back((&frame - 1)->gapAfter);
        timings.insert(timings.end(), frame.durations.begin(), frame.durations.end());
    }
    return timings;
}

bool faithful(const Transmission& played, const std::vector<Frame>& captured) {
    const std::vector<int> timings = joinFrames(captured);
    return !timings.empty() && firstMismatch(heldPress(played, holdFor(timings)), timings) < 0;
}

} // namespace ir
