#include "fileproblem.h"

#include "codefile.h"

namespace codes {

namespace {

std::string n(long value) { return std::to_string(value); }

// The fault itself, without the file, line and the part it lies in.
std::string reason(const FileProblem& p) {
    const std::string q = excerpt(p.text);
    const std::string& o = p.other;
    switch (p.fault) {
    case FileFault::CannotRead:
        return "cannot be read" + (p.text.empty() ? "" : ": " + p.text);
    case FileFault::TooLarge:
        return "too large for a code file" + (p.number ? " (" + n(p.number) + " MB)" : "");
    case FileFault::Empty:
        return "the file is empty";
    case FileFault::UnknownFormat:
        return "unknown format: expected a Flipper .ir file, Pronto hex, JSON, a SmartIR file, Broadlink "
               "packets, "
               "GlobalCache sendir commands, a lircd.conf or an IRDB CSV file";
    case FileFault::NotACodeFile:
        return "not a code file of a format read here (" + p.text + ")";
    case FileFault::HoldsNoCodes:
        return "holds no codes";
    case FileFault::SetChanged:
        return "changed since the library was indexed; its code set " + p.text +
               " is no longer there as it was";
    case FileFault::NoPowerButton:
        return "the code set " + p.text + " has no Power button";
    case FileFault::PowerNotConverted:
        return "the Power code '" + p.text + "' could not be converted into a code";
    case FileFault::PowerNotKept:
        return "the remote cannot keep the Power code '" + p.text + "'";
    case FileFault::TooManyDurations:
        return "signal " + q + " holds " + n(p.number) +
               " durations, more than the remote records at once (" + n(p.limit) + ")";
    case FileFault::SeveralSignals:
        return "holds " + n(p.number) + " signals; choose one with --name (" + p.text + ")";
    case FileFault::NoSignalNamed:
        return "holds no signal named " + q;
    case FileFault::NoSignal:
        return "the file holds no signal";
    case FileFault::KeyDoesNotFitProtocol:
        return "address " + n(p.number) + " or command " + n(p.limit) + " does not fit protocol " + o;
    case FileFault::KeyDoesNotFitForm:
        return "address " + n(p.number) + " or command " + n(p.limit) + " does not fit the " + o + " form";
    case FileFault::ProtocolNotKnown:
        return "its protocol " + o + " is not one the remote knows by name; learn it from a raw capture";
    case FileFault::ProtocolNotRendered:
        return "protocol " + excerpt(o) + " is not one rendered here; learn the key from a raw capture";
    case FileFault::DeviceDoesNotFit:
        return "device " + n(p.number) + " does not fit protocol " + o + " (0 to " + n(p.limit) + ")";
    case FileFault::FunctionDoesNotFit:
        return "function " + n(p.number) + " does not fit protocol " + o + " (0 to " + n(p.limit) + ")";
    case FileFault::SubdeviceDoesNotFit:
        return "subdevice " + n(p.number) + " does not fit protocol " + o + " (0 to " + n(p.limit) + ")";
    case FileFault::SubdeviceNeeded:
        return "protocol " + o + " needs a subdevice";
    case FileFault::SubdeviceNotTaken:
        return "protocol " + o + " has no subdevice (given " + n(p.number) + ")";
    case FileFault::FieldValueExpected:
        return "expected 'field: value'";
    case FileFault::FieldBeforeName:
        return "field " + q + " before the first 'name:'";
    case FileFault::ParsedIncomplete:
        return "parsed signal " + q + " needs a protocol, an address and a command";
    case FileFault::SignalTypeMissing:
        return "signal " + q + " has no type raw or parsed";
    case FileFault::SignalDataMissing:
        return "signal " + q + " needs data of durations from 1 to 1000000 us";
    case FileFault::BytesExpected:
        return p.text + " must be up to four hex bytes, lowest first";
    case FileFault::FrequencyExpected:
        return "frequency must be whole hertz up to 1000000";
    case FileFault::DataExpected:
        return "data must be durations from 1 to 1000000 us";
    case FileFault::DurationOutOfRange:
        return "a duration of " + n(p.number) + " us is out of range";
    case FileFault::CheckByteWrong:
        return "the NEC1 (900A) function's check byte is not its complement";
    case FileFault::ProntoFormUnknown:
        return "the Pronto form " + p.text +
               " is not one this program reads (0000, 0100, 5000, 5001, 6000 or 900A)";
    case FileFault::ProntoWordExpected:
        return q + " is not a Pronto word of 4 hex digits";
    case FileFault::ProntoTooShort:
        return "not a Pronto code (it must start with its form, frequency and two counts)";
    case FileFault::ProntoCountsDiffer:
        return "the code holds " + n(p.number) + " words where its counts call for " + n(p.limit);
    case FileFault::FrequencyWordZero:
        return "the frequency word is 0";
    case FileFault::FrequencyWordTooHigh:
        return "the frequency word " + p.text + " gives a carrier above 460 kHz";
    case FileFault::DurationListExpected:
        return "not a list of durations from 1 to 1000000 us";
    case FileFault::CaptureObjectExpected:
        return "not a JSON object with timings_us of durations from 1 to 1000000 us and a whole carrier_hz";
    case FileFault::HeadingExpected:
        return "expected the heading functionname,protocol,device,subdevice,function";
    case FileFault::QuoteNotClosed:
        return "a quoted field is not closed where it should be";
    case FileFault::FieldCountWrong:
        return "expected 5 fields (function name, protocol, device, subdevice, function), found " +
               n(p.number);
    case FileFault::RowIncomplete:
        return "a row needs a function name and a protocol";
    case FileFault::RowNumbersWrong:
        return "device and function must be whole numbers from 0, subdevice one from -1";
    case FileFault::NotBase64:
        return "not a base64 packet";
    case FileFault::NotBroadlink:
        return "not a Broadlink packet (it must start 0x26 for infrared)";
    case FileFault::RadioPacket:
        return "a Broadlink radio packet (433 or 315 MHz), not infrared";
    case FileFault::PacketTooShort:
        return "a Broadlink packet too short to hold a duration";
    case FileFault::PacketEndMissing:
        return "a Broadlink packet whose durations do not end with 0D 05 where its length " + n(p.number) +
               " says";
    case FileFault::PacketDurationOutOfRange:
        return "a Broadlink packet with a duration out of range";
    case FileFault::NoPacket:
        return "the file holds no packet";
    case FileFault::CommandNull:
        return "the command " + q + " holds no code (null)";
    case FileFault::CommandNotText:
        return "the command " + q + " is not a text";
    case FileFault::CommandEmpty:
        return "the command " + q + " holds no packet";
    case FileFault::EncodingUnknown:
        return "commands encoded as " + q + "; this program reads Base64, Pronto and ESPHome's Raw";
    case FileFault::RawLayoutNotRead:
        return (p.text.empty() ? std::string("Raw commands for no controller named")
                               : "Raw commands for the " + q + " controller") +
               ", whose layout is not a public one; Raw is read for ESPHome (lists of durations)";
    case FileFault::CommandsNotObject:
        return "\"commands\" is not an object of named commands";
    case FileFault::NoCommand:
        return "the file holds no command";
    case FileFault::PeriodsOutOfRange:
        return "the duration " + q + " is not a count of 1 to 65635 periods";
    case FileFault::LetterUnknown:
        return "the letter " + p.text + " stands for no earlier pair";
    case FileFault::DurationUnexpected:
        return "unexpected " + q + " among the durations";
    case FileFault::OffMissing:
        return "the durations end on an 'on' without its 'off'";
    case FileFault::NoDurations:
        return "no durations";
    case FileFault::SendirIncomplete:
        return "a sendir command needs a module:port, an id, frequency, repeat, offset and durations";
    case FileFault::SendirFrequency:
        return "the frequency " + q + " is not one of 15000 to 500000 Hz";
    case FileFault::SendirRepeat:
        return "the repeat " + q + " is not one of 1 to 50";
    case FileFault::SendirOffset:
        return "the offset " + q + " is not an odd place among the " + n(p.number) + " durations";
    case FileFault::SendirDurationOutOfRange:
        return "a duration is out of range";
    case FileFault::SendirExpected:
        return "expected a sendir command";
    case FileFault::NoSendir:
        return "the file holds no sendir command";
    case FileFault::RemoteNotEnded:
        return "remote " + excerpt(o) + " has no 'end remote'";
    case FileFault::NoCode:
        return "the file holds no code";
    case FileFault::NoPulse:
        return "it sends no pulse";
    case FileFault::LongerThanGap:
        return "it lasts " + n(p.number) + " us, no less than the remote's gap of " + n(p.limit) +
               " us (CONST_LENGTH)";
    case FileFault::PulseTooLong:
        return "it holds a pulse or space longer than a second";
    case FileFault::BeginRemoteExpected:
        return "expected 'begin remote', found " + q;
    case FileFault::RemoteUnended:
        return "remote " + excerpt(o) + " (line " + n(p.number) +
               ") has no 'end remote' before this one begins";
    case FileFault::SectionUnexpected:
        return "unexpected " + q + " in remote " + excerpt(o);
    case FileFault::SectionEndExpected:
        return "expected 'end " + o + "' before " + q;
    case FileFault::ButtonNameMissing:
        return "code " + q + " has no button name";
    case FileFault::ButtonCodeMissing:
        return "button " + q + " has no code";
    case FileFault::ButtonCodeExpected:
        return "expected a button name and one code in hex (0x...) or decimal";
    case FileFault::RawNameExpected:
        return "a raw code's 'name' takes one button name";
    case FileFault::RawNameMissing:
        return "durations before the first raw code's 'name'";
    case FileFault::RawDurationExpected:
        return q + " is not a duration from 1 to 1000000 us";
    case FileFault::RawCodeEmpty:
        return "raw code " + q + " holds no durations";
    case FileFault::OneWordExpected:
        return o + " takes one word";
    case FileFault::PulseSpaceExpected:
        return o + " takes a pulse and a space from 0 to 1000000 us";
    case FileFault::NumberExpected:
        return o + " takes a number in hex (0x...) or decimal";
    case FileFault::BitsExpected:
        return o + " takes a number of bits from 0 to 64";
    case FileFault::BitPlaceExpected:
        return o + " takes a bit's place from 1 (the first sent) to 64, or 0";
    case FileFault::DurationExpected:
        return o + " takes a duration from 0 to 1000000 us";
    case FileFault::RepeatsExpected:
        return o + " takes a number of repeats from 0 to 20";
    case FileFault::HertzExpected:
        return o + " takes whole hertz up to 1000000";
    case FileFault::PercentExpected:
        return o + " takes a percentage from 0 to 100";
    case FileFault::ParameterUnknown:
        return "unknown parameter " + q + " in remote " + excerpt(o);
    case FileFault::FlagUnknown:
        return "flag " + q +
               " is not one this reader renders (SPACE_ENC, RC5, RC6, RAW_CODES, CONST_LENGTH, REVERSE, "
               "NO_HEAD_REP, NO_FOOT_REP, REPEAT_HEADER)";
    case FileFault::EncodingsTooMany:
        return "flags name more than one encoding";
    case FileFault::RemoteNameMissing:
        return "the remote has no name";
    case FileFault::GapMissing:
        return "remote " + excerpt(o) + " gives no gap between its frames";
    case FileFault::BitTimingMissing:
        return "remote " + excerpt(o) +
               " gives no timing for its bits (one and zero): it maps key codes, it holds no signals";
    case FileFault::BitCountMissing:
        return "remote " + excerpt(o) + " needs the number of bits of its codes";
    case FileFault::BitsTooMany:
        return "remote " + excerpt(o) + ": pre_data_bits, bits and post_data_bits add up to " + n(p.number) +
               ", more than 64";
    case FileFault::PreDataTooWide:
        return "pre_data does not fit in pre_data_bits";
    case FileFault::PostDataTooWide:
        return "post_data does not fit in post_data_bits";
    case FileFault::CodeTooWide:
        return "the code of " + q + " does not fit in " + n(p.number) + " bits";
    }
    return {};
}

} // namespace

std::string describeFault(const FileProblem& problem) { return reason(problem); }

std::string describe(const FileProblem& p) {
    // Only a choice among the file's signals is said of the file itself, without a colon.
    if (p.fault == FileFault::SeveralSignals || p.fault == FileFault::NoSignalNamed)
        return p.file + " " + reason(p);
    const std::string at = p.file + (p.line ? ":" + std::to_string(p.line) : "") + ": ";
    const std::string name = excerpt(p.name);
    switch (p.in) {
    case FaultIn::File:
        break;
    case FaultIn::ParsedSignal:
        return at + "parsed signal " + name + ": " + reason(p);
    case FaultIn::Row:
        return at + "row " + name + ": " + reason(p);
    case FaultIn::Code:
        return at + "code " + name + ": " + reason(p);
    case FaultIn::Command:
        return at + name + ": " + reason(p);
    case FaultIn::ProntoCommand:
        return at + name + ": " + p.file + ":1: " + reason(p);
    case FaultIn::Rc5xForm:
        return at + reason(p) + " (the RC5x form 5001)";
    }
    return at + reason(p);
}

} // namespace codes
