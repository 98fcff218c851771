#include "protocol.h"

#include <utility>

namespace bridge {

namespace {

struct OperationFacts {
    Operation op;
    const char* name;
    unsigned argumentBytes;
    std::size_t texts;
};

// clang-format off
constexpr OperationFacts kFacts[] = {
    {Operation::LinkState,   "link_state",         0,  0},
    {Operation::ReadVersion, "ReadVersion",        4,  0},
    {Operation::BasicInfo,   "RBasicInfo",         4,  0},
    {Operation::ReadData,    "readdatav20",        20, 3},
    {Operation::WriteData,   "writedatav20",       16, 4},
    {Operation::SetCarrier,  "SetCodeCarrierWave", 0,  0},
    {Operation::CollectCode, "RCollectCodeInfo",   4,  0},
    {Operation::ConvertCode, "ConvertCode",        8,  1},
};
// clang-format on

const OperationFacts* factsOf(Operation op) {
    for (const OperationFacts& facts : kFacts)
        if (facts.op == op)
            return &facts;
    return nullptr;
}

bool hasNumber(Operation op) { return op == Operation::ReadData || op == Operation::ConvertCode; }

class Writer {
public:
    explicit Writer(Kind kind) { u8(static_cast<std::uint8_t>(kind)); }
    void u8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            u8(static_cast<std::uint8_t>(value >> shift));
    }
    void bytes(std::string_view value) {
        u32(static_cast<std::uint32_t>(value.size()));
        bytes_.append(value);
    }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

// Reads fields in order; any read past the end or out of form spoils the whole payload.
class Reader {
public:
    explicit Reader(std::string_view payload) : rest_(payload) {}
    std::uint8_t u8() {
        if (rest_.empty()) {
            ok_ = false;
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return value;
    }
    std::uint32_t u32() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8)
            value |= std::uint32_t{u8()} << shift;
        return value;
    }
    std::string bytes() {
        const std::uint32_t length = u32();
        if (!ok_ || length > rest_.size()) {
            ok_ = false;
            return {};
        }
        std::string value(rest_.substr(0, length));
        rest_.remove_prefix(length);
        return value;
    }
    // A text a library will read up to its first zero byte: one inside would cut it short.
    std::string text() {
        std::string value = bytes();
        if (value.find('\0') != std::string::npos)
            ok_ = false;
        return value;
    }
    // True when every field was there and nothing is left over.
    bool whole() const { return ok_ && rest_.empty(); }

private:
    std::string_view rest_;
    bool ok_ = true;
};

std::optional<Operation> operationFrom(std::uint8_t value) {
    const auto op = static_cast<Operation>(value);
    return factsOf(op) ? std::optional<Operation>(op) : std::nullopt;
}

} // namespace

Request callRequest(Operation op, std::int32_t number, std::vector<std::string> texts) {
    Request request;
    request.operation = op;
    request.number = number;
    request.texts = std::move(texts);
    return request;
}

Answer refusal(MakerFile file, Refusal reason, std::string detail) {
    Answer answer;
    answer.kind = Kind::Refused;
    answer.file = file;
    answer.reason = reason;
    answer.text = std::move(detail);
    return answer;
}

Answer doneAnswer(std::uint8_t result, std::string buffer) {
    Answer answer;
    answer.kind = Kind::Done;
    answer.result = result;
    answer.buffer = std::move(buffer);
    return answer;
}

Answer answerAbout(Kind kind, Operation op) {
    Answer answer;
    answer.kind = kind;
    answer.operation = op;
    return answer;
}

const char* exportName(Operation op) {
    const OperationFacts* facts = factsOf(op);
    return facts ? facts->name : "";
}

unsigned argumentBytes(Operation op) {
    const OperationFacts* facts = factsOf(op);
    return facts ? facts->argumentBytes : 0;
}

bool isConverterOperation(Operation op) { return op == Operation::ConvertCode; }

std::size_t textCount(Operation op) {
    const OperationFacts* facts = factsOf(op);
    return facts ? facts->texts : 0;
}

std::string frame(std::string_view payload) {
    std::string framed;
    framed.reserve(kLengthBytes + payload.size());
    const auto length = static_cast<std::uint32_t>(payload.size());
    for (int shift = 0; shift < 32; shift += 8)
        framed.push_back(static_cast<char>(length >> shift));
    framed.append(payload);
    return framed;
}

std::string encode(const Request& request) {
    Writer w(request.kind);
    if (request.kind == Kind::Hello) {
        w.u32(request.version);
        w.bytes(request.makerFolder);
        return w.take();
    }
    w.u8(static_cast<std::uint8_t>(request.operation));
    if (hasNumber(request.operation))
        w.u32(static_cast<std::uint32_t>(request.number));
    for (const std::string& text : request.texts)
        w.bytes(text);
    return w.take();
}

std::string encode(const Answer& answer) {
    Writer w(answer.kind);
    switch (answer.kind) {
    case Kind::Ready:
        w.u32(answer.version);
        break;
    case Kind::Refused:
        w.u32(answer.version);
        w.u8(static_cast<std::uint8_t>(answer.file));
        w.u8(static_cast<std::uint8_t>(answer.reason));
        w.bytes(answer.text);
        break;
    case Kind::Done:
        w.u8(answer.result);
        w.bytes(answer.buffer);
        break;
    case Kind::Overrun:
    case Kind::TimedOut:
        w.u8(static_cast<std::uint8_t>(answer.operation));
        break;
    case Kind::Crashed:
        w.u8(static_cast<std::uint8_t>(answer.operation));
        w.u32(answer.exceptionCode);
        break;
    case Kind::BadRequest:
        w.bytes(answer.text);
        break;
    case Kind::Hello:
    case Kind::Call:
        break;
    }
    return w.take();
}

std::optional<Request> decodeRequest(std::string_view payload) {
    Reader r(payload);
    Request request;
    request.kind = static_cast<Kind>(r.u8());
    if (request.kind == Kind::Hello) {
        request.version = r.u32();
        request.makerFolder = r.text();
    } else if (request.kind == Kind::Call) {
        const auto op = operationFrom(r.u8());
        if (!op)
            return std::nullopt;
        request.operation = *op;
        if (hasNumber(*op))
            request.number = static_cast<std::int32_t>(r.u32());
        for (std::size_t i = 0; i < textCount(*op); ++i)
            request.texts.push_back(r.text());
    } else {
        return std::nullopt;
    }
    if (!r.whole())
        return std::nullopt;
    return request;
}

std::optional<Answer> decodeAnswer(std::string_view payload) {
    Reader r(payload);
    Answer answer;
    answer.kind = static_cast<Kind>(r.u8());
    switch (answer.kind) {
    case Kind::Ready:
        answer.version = r.u32();
        break;
    case Kind::Refused: {
        answer.version = r.u32();
        const std::uint8_t file = r.u8();
        const std::uint8_t reason = r.u8();
        if (file < static_cast<std::uint8_t>(MakerFile::DeviceLibrary) ||
            file > static_cast<std::uint8_t>(MakerFile::Host) ||
            reason < static_cast<std::uint8_t>(Refusal::Missing) ||
            reason > static_cast<std::uint8_t>(Refusal::Crashed))
            return std::nullopt;
        answer.file = static_cast<MakerFile>(file);
        answer.reason = static_cast<Refusal>(reason);
        answer.text = r.text();
        break;
    }
    case Kind::Done:
        answer.result = r.u8();
        answer.buffer = r.bytes();
        break;
    case Kind::Overrun:
    case Kind::TimedOut:
    case Kind::Crashed: {
        const auto op = operationFrom(r.u8());
        if (!op)
            return std::nullopt;
        answer.operation = *op;
        if (answer.kind == Kind::Crashed)
            answer.exceptionCode = r.u32();
        break;
    }
    case Kind::BadRequest:
        answer.text = r.text();
        break;
    default:
        return std::nullopt;
    }
    if (!r.whole())
        return std::nullopt;
    return answer;
}

void FrameReader::feed(std::string_view bytes) {
    if (!broken_)
        pending_.append(bytes);
}

std::optional<std::string> FrameReader::next() {
    if (broken_ || pending_.size() < kLengthBytes)
        return std::nullopt;
    std::uint32_t length = 0;
    for (std::size_t i = 0; i < kLengthBytes; ++i)
        length |= std::uint32_t{static_cast<std::uint8_t>(pending_[i])} << (8 * i);
    if (length == 0 || length > kMaxPayload) {
        broken_ = true;
        pending_.clear();
        return std::nullopt;
    }
    if (pending_.size() < kLengthBytes + length)
        return std::nullopt;
    std::string payload = pending_.substr(kLengthBytes, length);
    pending_.erase(0, kLengthBytes + length);
    return payload;
}

} // namespace bridge
