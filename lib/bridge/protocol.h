// The channel between the program and the 32-bit host that loads the maker's kestrio.dll and
// ConLCode.dll: frames on the host's standard input and output, the same on both sides.
//
// A frame is a payload behind its length:
//
//   bytes 0-3   payload length n, unsigned, little-endian; 1 to kMaxPayload
//   bytes 4..   payload: a kind byte, then the kind's fields in order
//
// Fields: u8, u32 and i32 (little-endian), text (u32 length, then that many bytes, no zero byte
// inside: the library gets it as a zero-terminated string), bytes (u32 length, then the bytes).
//
//   requests                     fields
//   Hello         0x01           u32 version, text maker folder (UTF-8)
//   Call          0x02           u8 operation, then by operation:
//                                  ReadData     i32 blockCount, text addrHigh, addrLow, blockUnit
//                                  WriteData    text blockUnit, addrHigh, addrLow, data
//                                  ConvertCode  i32 mode, text encoded body
//                                  the others   nothing
//   answers
//   Ready         0x81           u32 version: both libraries loaded, every export found
//   Refused       0x82           u32 version, u8 file, u8 reason, text detail; the host then ends
//   Done          0x83           u8 result byte, bytes buffer (the whole buffer; for ConvertCode
//                                  the answer's text, result 0 when the answer was null)
//   Overrun       0x84           u8 operation: the library wrote past a buffer; the call is refused
//   TimedOut      0x85           u8 operation: the call did not return; the host then ends
//   Crashed       0x86           u8 operation, u32 exception code; the host then ends
//   BadRequest    0x87           text reason: a request the host could not read
//
// The first exchange is Hello and Ready (or Refused); then one answer follows each call, in turn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bridge {

inline constexpr std::uint32_t kProtocolVersion = 1;
inline constexpr std::size_t kLengthBytes = 4;
// The largest exchange is a read of the whole 64 KiB memory as hex text; a length beyond this is
// garbage on the channel, refused before anything is allocated for it.
inline constexpr std::size_t kMaxPayload = 1u << 20;
// 16-bit addresses and 8-byte blocks: no read asks for more blocks than the memory holds.
inline constexpr std::int32_t kMaxBlockCount = 0x10000 / 8;

enum class Kind : std::uint8_t {
    Hello = 0x01,
    Call = 0x02,
    Ready = 0x81,
    Refused = 0x82,
    Done = 0x83,
    Overrun = 0x84,
    TimedOut = 0x85,
    Crashed = 0x86,
    BadRequest = 0x87,
};

// The seven operations of the device library and the converter's one.
enum class Operation : std::uint8_t {
    LinkState = 1,
    ReadVersion,
    BasicInfo,
    ReadData,
    WriteData,
    SetCarrier,
    CollectCode,
    ConvertCode,
};

inline constexpr Operation kOperations[] = {
    Operation::LinkState, Operation::ReadVersion, Operation::BasicInfo,   Operation::ReadData,
    Operation::WriteData, Operation::SetCarrier,  Operation::CollectCode, Operation::ConvertCode,
};

// The export's plain name ("readdatav20").
const char* exportName(Operation op);
// The bytes of its arguments on the stack, the N of a __stdcall name "readdatav20@20".
unsigned argumentBytes(Operation op);
// Which of the maker's two files exports it.
bool isConverterOperation(Operation op);

// Which of the maker's files, or the host itself, a refusal is about.
enum class MakerFile : std::uint8_t { DeviceLibrary = 1, Converter, Host };

enum class Refusal : std::uint8_t {
    Missing = 1,       // the file is not there
    NotALibrary,       // not a Windows library at all: damaged, or something else named so
    Needs32Bit,        // a 64-bit library (the host is 32-bit, as the maker's program was)
    OtherMachine,      // a library for another processor
    CannotLoad,        // Windows would not load it; detail: the error number
    ExportMissing,     // detail: the export's name
    LoadDoesNotReturn, // its start-up code did not return in time
    OtherVersion,      // the host speaks another version of this channel
    CannotStart,       // the host could not be started; detail: why
    ChannelBroken,     // the host answered something unreadable, or ended; detail: what
    WritesPastBuffer,  // a call wrote past the buffer it was given; detail: the export's name
    CallDoesNotReturn, // a call did not return in time; detail: the export's name
    Crashed,           // a call raised an exception; detail: the export's name and the code
};

// How long a call of the maker's library may take before the remote counts as gone: longer than
// any exchange on the cable.
inline constexpr unsigned kCallLimitSeconds = 10;

struct Request {
    Kind kind = Kind::Call;
    std::uint32_t version = kProtocolVersion; // Hello
    std::string makerFolder;                  // Hello
    Operation operation = Operation::LinkState;
    std::int32_t number = 0;        // ReadData: blockCount; ConvertCode: mode
    std::vector<std::string> texts; // the text arguments in the export's order
};

struct Answer {
    Kind kind = Kind::Done;
    std::uint32_t version = kProtocolVersion;   // Ready, Refused
    MakerFile file = MakerFile::Host;           // Refused
    Refusal reason = Refusal::ChannelBroken;    // Refused
    std::string text;                           // Refused: detail; BadRequest: reason
    std::uint8_t result = 0;                    // Done
    std::string buffer;                         // Done
    Operation operation = Operation::LinkState; // Overrun, TimedOut, Crashed
    std::uint32_t exceptionCode = 0;            // Crashed
};

// A call of `op` with its number and text arguments, as the program asks it.
Request callRequest(Operation op, std::int32_t number = 0, std::vector<std::string> texts = {});

// The host's answers, made whole: a refusal of its files, a call's result, what befell a call.
Answer refusal(MakerFile file, Refusal reason, std::string detail = {});
Answer doneAnswer(std::uint8_t result, std::string buffer = {});
Answer answerAbout(Kind kind, Operation op);

// How many text arguments a call of `op` carries.
std::size_t textCount(Operation op);

// A payload framed: its length, then itself.
std::string frame(std::string_view payload);

std::string encode(const Request& request);
std::string encode(const Answer& answer);

// A payload read back; nullopt for anything else than a whole, well-formed message of its side.
std::optional<Request> decodeRequest(std::string_view payload);
std::optional<Answer> decodeAnswer(std::string_view payload);

// Cuts a byte stream into payloads. A length of 0 or above kMaxPayload leaves the stream broken:
// nothing after it can be trusted to start a frame.
class FrameReader {
public:
    void feed(std::string_view bytes);
    // The next whole payload, if one has arrived.
    std::optional<std::string> next();
    bool broken() const { return broken_; }
    // Bytes of a frame begun but not complete: a stream that ends here ended short.
    bool midFrame() const { return !pending_.empty(); }

private:
    std::string pending_;
    bool broken_ = false;
};

} // namespace bridge
