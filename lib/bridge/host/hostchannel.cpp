#include "hostchannel.h"

#include <cstdio>

namespace host {

namespace {

// A handle of our own to what `which` is now, and `which` pointed at the null device.
HANDLE takeStandardHandle(DWORD which, HANDLE nowhere) {
    HANDLE own = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(which), GetCurrentProcess(), &own, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    SetStdHandle(which, nowhere);
    return own;
}

} // namespace

HostChannel::HostChannel() {
    HANDLE nowhere = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    in_ = takeStandardHandle(STD_INPUT_HANDLE, nowhere);
    out_ = takeStandardHandle(STD_OUTPUT_HANDLE, nowhere);
    // The C runtime's own streams as well, for a library that shares ours.
    std::freopen("NUL", "rb", stdin);
    std::freopen("NUL", "wb", stdout);
}

std::optional<bridge::Request> HostChannel::next() {
    for (;;) {
        if (auto payload = reader_.next()) {
            if (auto request = bridge::decodeRequest(*payload))
                return request;
            bridge::Answer bad;
            bad.kind = bridge::Kind::BadRequest;
            bad.text = "a request of no known form";
            answer(bad);
            continue;
        }
        if (reader_.broken()) {
            bridge::Answer bad;
            bad.kind = bridge::Kind::BadRequest;
            bad.text = "a frame of impossible length";
            answer(bad);
            broken_ = true;
            return std::nullopt;
        }
        char bytes[65536];
        DWORD got = 0;
        if (!ReadFile(in_, bytes, sizeof bytes, &got, nullptr) || got == 0)
            return std::nullopt;
        reader_.feed(std::string_view(bytes, got));
    }
}

void HostChannel::answer(const bridge::Answer& answer) {
    const std::string bytes = bridge::frame(bridge::encode(answer));
    std::lock_guard<std::mutex> guard(writing_);
    write(bytes);
}

bool HostChannel::tryAnswer(const bridge::Answer& answer) {
    const std::string bytes = bridge::frame(bridge::encode(answer));
    std::unique_lock<std::mutex> guard(writing_, std::try_to_lock);
    if (!guard.owns_lock())
        return false;
    write(bytes);
    return true;
}

void HostChannel::write(const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(out_, bytes.data() + sent, static_cast<DWORD>(bytes.size() - sent), &written,
                       nullptr) ||
            written == 0)
            return;
        sent += written;
    }
}

} // namespace host
