#include "makerlibraries.h"

#include "guardedbuffer.h"

#include "model/wire.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>

namespace host {

namespace {

using bridge::Answer;
using bridge::Kind;
using bridge::MakerFile;
using bridge::Operation;
using bridge::Refusal;

// The maker's program declared them so: __stdcall, one-byte results (read from AL alone).
using PlainCall = unsigned char(__stdcall*)();
using BufferCall = unsigned char(__stdcall*)(char*);
using ReadDataCall = unsigned char(__stdcall*)(char*, std::int32_t, const char*, const char*, const char*);
using WriteDataCall = unsigned char(__stdcall*)(const char*, const char*, const char*, const char*);
using ConvertCall = const char*(__stdcall*)(const char*, std::int32_t);

constexpr std::chrono::seconds kCallLimit(bridge::kCallLimitSeconds);

std::atomic<Operation> running{Operation::LinkState};

// GetProcAddress knows no signature; through the generic function type the compiler lets the
// real one be named.
template <typename Function> Function as(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// The buffer a call fills, of the size the program hands the library.
std::size_t bufferSize(const bridge::Request& request) {
    switch (request.operation) {
    case Operation::ReadVersion:
        return wire::kVersionBufferSize;
    case Operation::BasicInfo:
        return wire::kBasicInfoBufferSize;
    case Operation::CollectCode:
        return wire::kCaptureBufferSize;
    case Operation::ReadData:
        return wire::kCharsPerBlock * static_cast<std::size_t>(request.number);
    default:
        return 0;
    }
}

} // namespace

std::array<std::string, 3> exportNames(const char* name, unsigned argumentBytes) {
    const std::string decoration = "@" + std::to_string(argumentBytes);
    return {name, name + decoration, "_" + std::string(name) + decoration};
}

Operation runningOperation() { return running.load(); }

std::optional<Answer> MakerLibraries::load(const std::filesystem::path& folder, CallWatch& watch,
                                           const EndWith& endWith) {
    const auto files = bridge::findMakerFiles({folder});
    if (!files)
        return bridge::refusal(MakerFile::DeviceLibrary, Refusal::Missing);
    if (const auto problem = bridge::checkMakerFiles(*files))
        return bridge::refusal(problem->file, problem->reason);
    const std::pair<MakerFile, std::pair<const std::filesystem::path*, HMODULE*>> libraries[] = {
        {MakerFile::DeviceLibrary, {&files->deviceLibrary, &deviceLibrary_}},
        {MakerFile::Converter, {&files->converter, &converter_}},
    };
    for (const auto& [file, place] : libraries) {
        const auto& [path, module] = place;
        DWORD error = 0;
        // Its dependencies are looked for beside it first, as beside the maker's program.
        watch.run(
            [&, path = path, module = module] {
                *module = LoadLibraryExW(path->c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
                if (!*module)
                    error = GetLastError();
            },
            kCallLimit,
            [&endWith, file = file] { endWith(bridge::refusal(file, Refusal::LoadDoesNotReturn)); });
        if (!*module)
            return bridge::refusal(file, Refusal::CannotLoad, std::to_string(error));
    }
    for (const Operation op : bridge::kOperations) {
        const bool converter = bridge::isConverterOperation(op);
        HMODULE module = converter ? converter_ : deviceLibrary_;
        FARPROC found = nullptr;
        for (const std::string& name : exportNames(bridge::exportName(op), bridge::argumentBytes(op)))
            if (!found)
                found = GetProcAddress(module, name.c_str());
        if (!found)
            return bridge::refusal(converter ? MakerFile::Converter : MakerFile::DeviceLibrary,
                                   Refusal::ExportMissing, bridge::exportName(op));
        exports_[static_cast<std::size_t>(op)] = found;
    }
    return std::nullopt;
}

Answer MakerLibraries::call(const bridge::Request& request, CallWatch& watch, const EndWith& endWith) {
    const Operation op = request.operation;
    if (op == Operation::ReadData && (request.number <= 0 || request.number > bridge::kMaxBlockCount))
        return bridge::answerAbout(Kind::Done, op);
    const FARPROC address = exportOf(op);
    const std::size_t size = bufferSize(request);
    std::unique_ptr<GuardedBuffer> buffer = size ? std::make_unique<GuardedBuffer>(size) : nullptr;
    const auto& t = request.texts;
    unsigned char result = 0;
    std::string converted;
    running = op;
    watch.run(
        [&] {
            switch (op) {
            case Operation::LinkState:
            case Operation::SetCarrier:
                result = as<PlainCall>(address)();
                break;
            case Operation::ReadVersion:
            case Operation::BasicInfo:
            case Operation::CollectCode:
                result = as<BufferCall>(address)(buffer->data());
                break;
            case Operation::ReadData:
                result = as<ReadDataCall>(address)(buffer->data(), request.number, t[0].c_str(), t[1].c_str(),
                                                   t[2].c_str());
                break;
            case Operation::WriteData:
                result = as<WriteDataCall>(address)(t[0].c_str(), t[1].c_str(), t[2].c_str(), t[3].c_str());
                break;
            case Operation::ConvertCode: {
                // The answer belongs to the library and may change with its next call: copied now.
                const char* text = as<ConvertCall>(address)(t[0].c_str(), request.number);
                result = text ? 1 : 0;
                if (text)
                    converted.assign(text, strnlen(text, bridge::kMaxPayload / 2));
                break;
            }
            }
        },
        kCallLimit, [&endWith, op] { endWith(bridge::answerAbout(Kind::TimedOut, op)); });
    if (buffer && !buffer->intact())
        return bridge::answerAbout(Kind::Overrun, op);
    Answer answer = bridge::answerAbout(Kind::Done, op);
    answer.result = result;
    if (op == Operation::ConvertCode)
        answer.buffer = std::move(converted);
    else if (buffer && result)
        answer.buffer = buffer->contents();
    return answer;
}

} // namespace host
