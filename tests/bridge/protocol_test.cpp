// The channel's frames and messages: what one side writes the other reads back whole, and
// anything else (garbage, a frame cut short, a length no exchange has) is refused without
// reading past what arrived or allocating what a length claims.
#include "bridge/protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace bridge;

std::string lengthBytes(std::uint32_t length) {
    return {static_cast<char>(length), static_cast<char>(length >> 8), static_cast<char>(length >> 16),
            static_cast<char>(length >> 24)};
}

TEST(BridgeProtocol, EveryRequestReadsBackAsWritten) {
    Request hello;
    hello.kind = Kind::Hello;
    hello.makerFolder = "C:\\遥控器\\maker";
    const std::vector<Request> requests = {
        hello,
        callRequest(Operation::LinkState, 0, {}),
        callRequest(Operation::ReadVersion, 0, {}),
        callRequest(Operation::ReadData, 8192, {"B0", "3C", "08"}),
        callRequest(Operation::WriteData, 0, {"08", "10", "00", "C0000012345600"}),
        callRequest(Operation::CollectCode, 0, {}),
        callRequest(Operation::ConvertCode, 2, {"22EE11CE01F6FEFE0014EDED"}),
        callRequest(Operation::ConvertCode, -1, {""}),
    };
    for (const Request& sent : requests) {
        const auto read = decodeRequest(encode(sent));
        ASSERT_TRUE(read) << exportName(sent.operation);
        EXPECT_EQ(read->kind, sent.kind);
        EXPECT_EQ(read->makerFolder, sent.makerFolder);
        EXPECT_EQ(read->version, sent.version);
        if (sent.kind == Kind::Call) {
            EXPECT_EQ(read->operation, sent.operation);
            EXPECT_EQ(read->number, sent.number);
            EXPECT_EQ(read->texts, sent.texts);
        }
    }
}

TEST(BridgeProtocol, EveryAnswerReadsBackAsWritten) {
    Answer ready;
    ready.kind = Kind::Ready;
    Answer crashed = answerAbout(Kind::Crashed, Operation::ConvertCode);
    crashed.exceptionCode = 0xC0000005;
    Answer badRequest;
    badRequest.kind = Kind::BadRequest;
    badRequest.text = "a request of no known form";
    const Answer answers[] = {
        ready,
        refusal(MakerFile::Converter, Refusal::ExportMissing, "ConvertCode"),
        doneAnswer(1, std::string("V2.0\0\0\0", 7)), // a buffer keeps its zero bytes
        answerAbout(Kind::Overrun, Operation::ReadVersion),
        answerAbout(Kind::TimedOut, Operation::CollectCode),
        crashed,
        badRequest,
    };
    for (const Answer& sent : answers) {
        const auto read = decodeAnswer(encode(sent));
        ASSERT_TRUE(read) << static_cast<int>(sent.kind);
        EXPECT_EQ(read->kind, sent.kind);
        EXPECT_EQ(read->text, sent.text);
        EXPECT_EQ(read->buffer, sent.buffer);
        EXPECT_EQ(read->result, sent.result);
        EXPECT_EQ(read->exceptionCode, sent.exceptionCode);
        if (sent.kind == Kind::Refused) {
            EXPECT_EQ(read->file, sent.file);
            EXPECT_EQ(read->reason, sent.reason);
        }
        if (sent.kind == Kind::Overrun || sent.kind == Kind::TimedOut || sent.kind == Kind::Crashed) {
            EXPECT_EQ(read->operation, sent.operation);
        }
    }
}

TEST(BridgeProtocol, MalformedPayloadsAreRefused) {
    const std::string readData = encode(callRequest(Operation::ReadData, 2, {"B0", "3C", "08"}));
    Answer done;
    done.result = 1;
    done.buffer = "0123";
    const std::string doneBytes = encode(done);
    const struct {
        const char* what;
        std::string payload;
        bool request;
    } cases[] = {
        {"empty", "", true},
        {"unknown kind", "\x7F", true},
        {"an answer sent as a request", doneBytes, true},
        {"a request sent as an answer", readData, false},
        {"unknown operation", std::string("\x02\x09", 2), true},
        {"cut inside a text", readData.substr(0, readData.size() - 1), true},
        {"one byte too many", readData + "X", true},
        {"a text longer than the payload", std::string("\x02\x02", 2) + lengthBytes(0xFFFFFFF0u), true},
        {"a zero byte inside a text",
         encode(callRequest(Operation::WriteData, 0, {"08", "10", "00", std::string("AB\0CD", 5)})), true},
        {"a refusal of no known reason",
         std::string("\x82", 1) + lengthBytes(1) + "\x01\x63" + lengthBytes(0), false},
        {"cut inside the buffer", doneBytes.substr(0, doneBytes.size() - 2), false},
    };
    for (const auto& c : cases) {
        if (c.request)
            EXPECT_FALSE(decodeRequest(c.payload)) << c.what;
        else
            EXPECT_FALSE(decodeAnswer(c.payload)) << c.what;
    }
}

TEST(BridgeProtocol, FramesComeOutWholeHoweverTheBytesArrive) {
    const std::string first = encode(callRequest(Operation::LinkState, 0, {}));
    const std::string second = encode(callRequest(Operation::ConvertCode, 2, {std::string(5000, 'A')}));
    const std::string stream = frame(first) + frame(second);
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{4096}, stream.size()}) {
        FrameReader reader;
        std::vector<std::string> payloads;
        for (std::size_t at = 0; at < stream.size(); at += piece) {
            reader.feed(std::string_view(stream).substr(at, piece));
            while (auto payload = reader.next())
                payloads.push_back(*payload);
        }
        EXPECT_EQ(payloads, (std::vector<std::string>{first, second})) << "pieces of " << piece;
        EXPECT_FALSE(reader.midFrame());
        EXPECT_FALSE(reader.broken());
    }
}

TEST(BridgeProtocol, AShortFrameWaitsAndAnImpossibleLengthBreaksTheStream) {
    FrameReader shortFrame;
    shortFrame.feed(frame("\x01\x02\x03").substr(0, 5));
    EXPECT_FALSE(shortFrame.next());
    EXPECT_TRUE(shortFrame.midFrame()) << "a stream ending here ended short";
    EXPECT_FALSE(shortFrame.broken());

    for (const std::uint32_t length : {0u, static_cast<std::uint32_t>(kMaxPayload + 1), 0xFFFFFFFFu}) {
        FrameReader reader;
        reader.feed(lengthBytes(length) + "garbage");
        EXPECT_FALSE(reader.next()) << length;
        EXPECT_TRUE(reader.broken()) << length;
        reader.feed(frame("\x01"));
        EXPECT_FALSE(reader.next()) << "nothing after a broken length is trusted to start a frame";
    }

    FrameReader largest;
    largest.feed(frame(std::string(kMaxPayload, 'x')));
    const auto payload = largest.next();
    ASSERT_TRUE(payload);
    EXPECT_EQ(payload->size(), kMaxPayload);
}

TEST(BridgeProtocol, ExportNamesAndTheirStdcallArgumentBytes) {
    const struct {
        Operation op;
        const char* name;
        unsigned bytes;
        bool converter;
    } facts[] = {
        {Operation::LinkState, "link_state", 0, false},
        {Operation::ReadVersion, "ReadVersion", 4, false},
        {Operation::BasicInfo, "RBasicInfo", 4, false},
        {Operation::ReadData, "readdatav20", 20, false},
        {Operation::WriteData, "writedatav20", 16, false},
        {Operation::SetCarrier, "SetCodeCarrierWave", 0, false},
        {Operation::CollectCode, "RCollectCodeInfo", 4, false},
        {Operation::ConvertCode, "ConvertCode", 8, true},
    };
    for (const auto& f : facts) {
        EXPECT_STREQ(exportName(f.op), f.name);
        EXPECT_EQ(argumentBytes(f.op), f.bytes) << f.name;
        EXPECT_EQ(isConverterOperation(f.op), f.converter) << f.name;
    }
}

} // namespace
