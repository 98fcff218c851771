// What is wrong with a code file, as a value: the kind of fault, where it is and the details its
// wording names, so the window words it in its own language and qtm418ctl in English (describe).
#pragma once

#include <cstddef>
#include <string>

namespace codes {

// Each kind names the details it fills in: `text` (the file's own text at fault, as it stands),
// `other` (a second name: a protocol, a remote, a parameter), `number` and `limit`.
enum class FileFault {
    // The file as a whole, and the library's code sets.
    CannotRead, // `text`: the system's reason, when it gave one
    TooLarge,   // `number`: its size in MB, when told
    Empty,
    UnknownFormat,
    NotACodeFile, // `text`: "empty" or "unknown"
    HoldsNoCodes,
    SetChanged,        // `text`: the set's id
    NoPowerButton,     // `text`: the set's id
    PowerNotConverted, // `text`: the Power button's name
    PowerNotKept,      // `text`: the Power button's name
    TooManyDurations,  // signal `text` holds `number` durations, more than `limit`
    SeveralSignals,    // `number` signals, `text` the first names
    NoSignalNamed,     // `text`
    NoSignal,
    // A key given by its protocol and numbers.
    KeyDoesNotFitProtocol, // address `number`, command `limit`, protocol `other`
    KeyDoesNotFitForm,     // address `number`, command `limit`, Pronto form `other`
    ProtocolNotKnown,      // `other`
    ProtocolNotRendered,   // `other`
    DeviceDoesNotFit,      // `number` of protocol `other`, 0 to `limit`
    FunctionDoesNotFit,    // `number` of protocol `other`, 0 to `limit`
    SubdeviceDoesNotFit,   // `number` of protocol `other`, 0 to `limit`
    SubdeviceNeeded,       // protocol `other`
    SubdeviceNotTaken,     // protocol `other`, `number` given
    // Flipper .ir
    FieldValueExpected,
    FieldBeforeName,   // `text`: the field
    ParsedIncomplete,  // `text`: the signal
    SignalTypeMissing, // `text`: the signal
    SignalDataMissing, // `text`: the signal
    BytesExpected,     // `text`: the field
    FrequencyExpected,
    DataExpected,
    // Pronto
    DurationOutOfRange, // `number` us
    CheckByteWrong,
    ProntoFormUnknown,  // `text`: the form in hex
    ProntoWordExpected, // `text`
    ProntoTooShort,
    ProntoCountsDiffer, // `number` words where `limit` are due
    FrequencyWordZero,
    FrequencyWordTooHigh, // `text`: the word in hex
    // JSON
    DurationListExpected,
    CaptureObjectExpected,
    // IRDB CSV
    HeadingExpected,
    QuoteNotClosed,
    FieldCountWrong, // `number` found
    RowIncomplete,
    RowNumbersWrong,
    // Broadlink and SmartIR
    NotBase64,
    NotBroadlink,
    RadioPacket,
    PacketTooShort,
    PacketEndMissing, // `number`: the packet's length
    PacketDurationOutOfRange,
    NoPacket,
    CommandNull,      // `text`: the command
    CommandNotText,   // `text`: the command
    CommandEmpty,     // `text`: the command
    EncodingUnknown,  // `text`: the encoding
    RawLayoutNotRead, // `text`: the controller whose Raw layout it is
    CommandsNotObject,
    NoCommand,
    // GlobalCache
    PeriodsOutOfRange,  // `text`
    LetterUnknown,      // `text`
    DurationUnexpected, // `text`
    OffMissing,
    NoDurations,
    SendirIncomplete,
    SendirFrequency, // `text`
    SendirRepeat,    // `text`
    SendirOffset,    // `text` among `number` durations
    SendirDurationOutOfRange,
    SendirExpected,
    NoSendir,
    // lircd.conf
    RemoteNotEnded, // remote `other`
    NoCode,
    NoPulse,
    LongerThanGap, // lasts `number` us, the gap `limit` us
    PulseTooLong,
    BeginRemoteExpected, // `text` found
    RemoteUnended,       // remote `other` begun on line `number`
    SectionUnexpected,   // `text` in remote `other`
    SectionEndExpected,  // section `other` before `text`
    ButtonNameMissing,   // `text`: the code
    ButtonCodeMissing,   // `text`: the button
    ButtonCodeExpected,
    RawNameExpected,
    RawNameMissing,
    RawDurationExpected, // `text`
    RawCodeEmpty,        // `text`: the code
    OneWordExpected,     // parameter `other`
    PulseSpaceExpected,  // parameter `other`
    NumberExpected,      // parameter `other`
    BitsExpected,        // parameter `other`
    BitPlaceExpected,    // parameter `other`
    DurationExpected,    // parameter `other`
    RepeatsExpected,     // parameter `other`
    HertzExpected,       // parameter `other`
    PercentExpected,     // parameter `other`
    ParameterUnknown,    // `text` in remote `other`
    FlagUnknown,         // `text`
    EncodingsTooMany,
    RemoteNameMissing,
    GapMissing,       // remote `other`
    BitTimingMissing, // remote `other`
    BitCountMissing,  // remote `other`
    BitsTooMany,      // remote `other`, `number` bits
    PreDataTooWide,
    PostDataTooWide,
    CodeTooWide, // code `text`, `number` bits
};

// The part of the file a fault of one signal lies in, named with it.
enum class FaultIn {
    File,
    ParsedSignal,  // a Flipper parsed signal
    Row,           // an IRDB row
    Code,          // a lircd.conf code
    Command,       // a SmartIR command
    ProntoCommand, // a SmartIR command of Pronto codes, whose fault names the file once more
    Rc5xForm,      // the Pronto RC5x form (5001)
};

struct FileProblem {
    FileFault fault = FileFault::CannotRead;
    std::string file{};
    std::size_t line = 0; // 1-based; 0 for the file as a whole
    FaultIn in = FaultIn::File;
    std::string name{}; // the signal, row, code or command `in` names
    std::string text{};
    std::string other{};
    long number = 0;
    long limit = 0;
};

// The problem in English, naming the file and line: "codes.ir:5: expected 'field: value'".
std::string describe(const FileProblem& problem);

// The fault alone in English, without its file, line and the part it lies in.
std::string describeFault(const FileProblem& problem);

} // namespace codes
