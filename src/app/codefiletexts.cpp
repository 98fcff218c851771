#include "codefiletexts.h"

#include <QCoreApplication>

#include <string>

namespace codefiletexts {

namespace {

// The context these texts are translated in; lupdate files them under it.
class CodeFileTexts {
    Q_DECLARE_TR_FUNCTIONS(CodeFileTexts)
};

using codes::FileFault;

// The file's own text as quoted: at most about 60 characters of it, so a long line never floods
// the message.
QString quoted(const std::string& text) {
    const QString whole = QString::fromStdString(text);
    return whole.size() <= 60 ? whole : whole.left(57) + QStringLiteral("…");
}

QString reason(const codes::FileProblem& p) {
    const QString text = quoted(p.text);
    const QString other = quoted(p.other);
    switch (p.fault) {
    case FileFault::CannotRead:
        return p.text.empty() ? CodeFileTexts::tr("无法读取") : CodeFileTexts::tr("无法读取（%1）").arg(text);
    case FileFault::TooLarge:
        return p.number ? CodeFileTexts::tr("文件太大（%1 MB），不是代码文件").arg(p.number)
                        : CodeFileTexts::tr("文件太大，不是代码文件");
    case FileFault::Empty:
        return CodeFileTexts::tr("文件是空的");
    case FileFault::UnknownFormat:
        return CodeFileTexts::tr(
            "无法识别的格式：应为 Flipper .ir 文件、Pronto 编码、JSON、SmartIR 文件、Broadlink 数据包、"
            "GlobalCache sendir 命令、lircd.conf 或 IRDB CSV 文件");
    case FileFault::NotACodeFile:
        return CodeFileTexts::tr("不是本软件能读取的代码文件");
    case FileFault::HoldsNoCodes:
    case FileFault::NoCode:
        return CodeFileTexts::tr("文件中没有编码");
    case FileFault::SetChanged:
        return CodeFileTexts::tr("代码库建立索引后文件已更改，代码组 %1 已不在原处").arg(text);
    case FileFault::NoPowerButton:
        return CodeFileTexts::tr("代码组 %1 没有电源按钮").arg(text);
    case FileFault::PowerNotConverted:
        return CodeFileTexts::tr("电源编码“%1”无法转换成遥控器的编码").arg(text);
    case FileFault::PowerNotKept:
        return CodeFileTexts::tr("遥控器无法保存电源编码“%1”").arg(text);
    case FileFault::TooManyDurations:
        return CodeFileTexts::tr("信号“%1”有 %2 个时长，超过了遥控器一次能记录的 %3 个")
            .arg(text)
            .arg(p.number)
            .arg(p.limit);
    case FileFault::SeveralSignals:
        return CodeFileTexts::tr("文件有 %1 个信号（%2）").arg(p.number).arg(text);
    case FileFault::NoSignalNamed:
        return CodeFileTexts::tr("文件中没有名为“%1”的信号").arg(text);
    case FileFault::NoSignal:
        return CodeFileTexts::tr("文件中没有信号");
    case FileFault::KeyDoesNotFitProtocol:
        return CodeFileTexts::tr("地址 %1 或命令 %2 不符合 %3 协议").arg(p.number).arg(p.limit).arg(other);
    case FileFault::KeyDoesNotFitForm:
        return CodeFileTexts::tr("地址 %1 或命令 %2 不符合 %3 形式").arg(p.number).arg(p.limit).arg(other);
    case FileFault::ProtocolNotKnown:
        return CodeFileTexts::tr("遥控器不认识它的协议 %1，请改用原始信号学习").arg(other);
    case FileFault::ProtocolNotRendered:
        return CodeFileTexts::tr("本软件无法生成协议“%1”的信号，请改用原始信号学习该按键").arg(other);
    case FileFault::DeviceDoesNotFit:
        return CodeFileTexts::tr("设备号 %1 不符合 %2 协议（0 到 %3）").arg(p.number).arg(other).arg(p.limit);
    case FileFault::FunctionDoesNotFit:
        return CodeFileTexts::tr("功能号 %1 不符合 %2 协议（0 到 %3）").arg(p.number).arg(other).arg(p.limit);
    case FileFault::SubdeviceDoesNotFit:
        return CodeFileTexts::tr("子设备号 %1 不符合 %2 协议（0 到 %3）")
            .arg(p.number)
            .arg(other)
            .arg(p.limit);
    case FileFault::SubdeviceNeeded:
        return CodeFileTexts::tr("%1 协议需要子设备号").arg(other);
    case FileFault::SubdeviceNotTaken:
        return CodeFileTexts::tr("%1 协议没有子设备号（给出的是 %2）").arg(other).arg(p.number);
    case FileFault::FieldValueExpected:
        return CodeFileTexts::tr("应为“字段: 值”的格式");
    case FileFault::FieldBeforeName:
        return CodeFileTexts::tr("字段“%1”出现在第一个“name:”之前").arg(text);
    case FileFault::ParsedIncomplete:
        return CodeFileTexts::tr("解析信号“%1”需要协议、地址和命令").arg(text);
    case FileFault::SignalTypeMissing:
        return CodeFileTexts::tr("信号“%1”没有 raw 或 parsed 类型").arg(text);
    case FileFault::SignalDataMissing:
        return CodeFileTexts::tr("信号“%1”需要由 1 到 1000000 微秒的时长组成的数据").arg(text);
    case FileFault::BytesExpected:
        return CodeFileTexts::tr("%1 应为最多四个十六进制字节，低字节在前").arg(text);
    case FileFault::FrequencyExpected:
        return CodeFileTexts::tr("频率应为不超过 1000000 的整数赫兹");
    case FileFault::DataExpected:
        return CodeFileTexts::tr("数据应为 1 到 1000000 微秒的时长");
    case FileFault::DurationOutOfRange:
        return CodeFileTexts::tr("时长 %1 微秒超出范围").arg(p.number);
    case FileFault::CheckByteWrong:
        return CodeFileTexts::tr("NEC1（900A）形式中功能的校验字节不是它的反码");
    case FileFault::ProntoFormUnknown:
        return CodeFileTexts::tr(
                   "本软件无法读取 Pronto 形式 %1（只能读取 0000、0100、5000、5001、6000 或 900A）")
            .arg(text);
    case FileFault::ProntoWordExpected:
        return CodeFileTexts::tr("“%1”不是由 4 个十六进制数字组成的 Pronto 字").arg(text);
    case FileFault::ProntoTooShort:
        return CodeFileTexts::tr("不是 Pronto 编码（应以形式、频率和两个计数开头）");
    case FileFault::ProntoCountsDiffer:
        return CodeFileTexts::tr("编码有 %1 个字，而计数要求 %2 个").arg(p.number).arg(p.limit);
    case FileFault::FrequencyWordZero:
        return CodeFileTexts::tr("频率字为 0");
    case FileFault::FrequencyWordTooHigh:
        return CodeFileTexts::tr("频率字 %1 对应的载波高于 460 kHz").arg(text);
    case FileFault::DurationListExpected:
        return CodeFileTexts::tr("不是 1 到 1000000 微秒的时长列表");
    case FileFault::CaptureObjectExpected:
        return CodeFileTexts::tr(
            "不是含有 timings_us（1 到 1000000 微秒的时长）和整数 carrier_hz 的 JSON 对象");
    case FileFault::HeadingExpected:
        return CodeFileTexts::tr("应为标题行 functionname,protocol,device,subdevice,function");
    case FileFault::QuoteNotClosed:
        return CodeFileTexts::tr("带引号的字段没有在应有的位置结束");
    case FileFault::FieldCountWrong:
        return CodeFileTexts::tr("应有 5 个字段（功能名、协议、设备号、子设备号、功能号），实际有 %1 个")
            .arg(p.number);
    case FileFault::RowIncomplete:
        return CodeFileTexts::tr("每行都需要功能名和协议");
    case FileFault::RowNumbersWrong:
        return CodeFileTexts::tr("设备号和功能号应为从 0 起的整数，子设备号应为从 -1 起的整数");
    case FileFault::NotBase64:
        return CodeFileTexts::tr("不是 base64 数据包");
    case FileFault::NotBroadlink:
        return CodeFileTexts::tr("不是 Broadlink 数据包（红外数据包以 0x26 开头）");
    case FileFault::RadioPacket:
        return CodeFileTexts::tr("这是 Broadlink 的无线电数据包（433 或 315 MHz），不是红外数据包");
    case FileFault::PacketTooShort:
        return CodeFileTexts::tr("Broadlink 数据包太短，容不下一个时长");
    case FileFault::PacketEndMissing:
        return CodeFileTexts::tr("Broadlink 数据包的时长没有在其长度 %1 所指的位置以 0D 05 结束")
            .arg(p.number);
    case FileFault::PacketDurationOutOfRange:
        return CodeFileTexts::tr("Broadlink 数据包中有时长超出范围");
    case FileFault::NoPacket:
        return CodeFileTexts::tr("文件中没有数据包");
    case FileFault::CommandNull:
        return CodeFileTexts::tr("命令“%1”没有编码（null）").arg(text);
    case FileFault::CommandNotText:
        return CodeFileTexts::tr("命令“%1”不是文本").arg(text);
    case FileFault::CommandEmpty:
        return CodeFileTexts::tr("命令“%1”没有数据包").arg(text);
    case FileFault::EncodingUnknown:
        return CodeFileTexts::tr("命令的编码方式是“%1”，本软件只能读取 Base64、Pronto 和 ESPHome 的 Raw")
            .arg(text);
    case FileFault::RawLayoutNotRead:
        return CodeFileTexts::tr(
                   "这是控制器“%1”的 Raw 命令，其格式未公开；本软件只读取 ESPHome 的 Raw 命令（时长列表）")
            .arg(text);
    case FileFault::CommandsNotObject:
        return CodeFileTexts::tr("“commands”不是由命名命令组成的对象");
    case FileFault::NoCommand:
        return CodeFileTexts::tr("文件中没有命令");
    case FileFault::PeriodsOutOfRange:
        return CodeFileTexts::tr("时长“%1”不是 1 到 65635 个周期").arg(text);
    case FileFault::LetterUnknown:
        return CodeFileTexts::tr("字母 %1 没有对应的前面的时长对").arg(text);
    case FileFault::DurationUnexpected:
        return CodeFileTexts::tr("时长中出现了意外的“%1”").arg(text);
    case FileFault::OffMissing:
        return CodeFileTexts::tr("时长以“开”结束，缺少对应的“关”");
    case FileFault::NoDurations:
        return CodeFileTexts::tr("没有时长");
    case FileFault::SendirIncomplete:
        return CodeFileTexts::tr("sendir 命令需要 module:port、id、频率、重复次数、偏移和时长");
    case FileFault::SendirFrequency:
        return CodeFileTexts::tr("频率“%1”不在 15000 到 500000 Hz 之间").arg(text);
    case FileFault::SendirRepeat:
        return CodeFileTexts::tr("重复次数“%1”不在 1 到 50 之间").arg(text);
    case FileFault::SendirOffset:
        return CodeFileTexts::tr("偏移“%1”不是 %2 个时长中的奇数位置").arg(text).arg(p.number);
    case FileFault::SendirDurationOutOfRange:
        return CodeFileTexts::tr("有时长超出范围");
    case FileFault::SendirExpected:
        return CodeFileTexts::tr("应为 sendir 命令");
    case FileFault::NoSendir:
        return CodeFileTexts::tr("文件中没有 sendir 命令");
    case FileFault::RemoteNotEnded:
        return CodeFileTexts::tr("遥控器“%1”没有“end remote”").arg(other);
    case FileFault::NoPulse:
        return CodeFileTexts::tr("它不发送任何脉冲");
    case FileFault::LongerThanGap:
        return CodeFileTexts::tr("它持续 %1 微秒，不短于遥控器的帧间隔 %2 微秒（CONST_LENGTH）")
            .arg(p.number)
            .arg(p.limit);
    case FileFault::PulseTooLong:
        return CodeFileTexts::tr("它含有超过一秒的脉冲或间隔");
    case FileFault::BeginRemoteExpected:
        return CodeFileTexts::tr("应为“begin remote”，却是“%1”").arg(text);
    case FileFault::RemoteUnended:
        return CodeFileTexts::tr("遥控器“%1”（第 %2 行）在下一个遥控器开始之前没有“end remote”")
            .arg(other)
            .arg(p.number);
    case FileFault::SectionUnexpected:
        return CodeFileTexts::tr("遥控器“%2”中出现了意外的“%1”").arg(text, other);
    case FileFault::SectionEndExpected:
        return CodeFileTexts::tr("在“%2”之前应有“end %1”").arg(other, text);
    case FileFault::ButtonNameMissing:
        return CodeFileTexts::tr("编码“%1”没有按钮名称").arg(text);
    case FileFault::ButtonCodeMissing:
        return CodeFileTexts::tr("按钮“%1”没有编码").arg(text);
    case FileFault::ButtonCodeExpected:
        return CodeFileTexts::tr("应为一个按钮名称和一个十六进制（0x...）或十进制编码");
    case FileFault::RawNameExpected:
        return CodeFileTexts::tr("原始编码的“name”只能跟一个按钮名称");
    case FileFault::RawNameMissing:
        return CodeFileTexts::tr("第一个原始编码的“name”之前出现了时长");
    case FileFault::RawDurationExpected:
        return CodeFileTexts::tr("“%1”不是 1 到 1000000 微秒的时长").arg(text);
    case FileFault::RawCodeEmpty:
        return CodeFileTexts::tr("原始编码“%1”没有时长").arg(text);
    case FileFault::OneWordExpected:
        return CodeFileTexts::tr("%1 只能跟一个词").arg(other);
    case FileFault::PulseSpaceExpected:
        return CodeFileTexts::tr("%1 应跟一个脉冲和一个间隔，各为 0 到 1000000 微秒").arg(other);
    case FileFault::NumberExpected:
        return CodeFileTexts::tr("%1 应跟一个十六进制（0x...）或十进制数").arg(other);
    case FileFault::BitsExpected:
        return CodeFileTexts::tr("%1 应跟 0 到 64 的位数").arg(other);
    case FileFault::BitPlaceExpected:
        return CodeFileTexts::tr("%1 应跟 1（最先发送的位）到 64 的位置，或 0").arg(other);
    case FileFault::DurationExpected:
        return CodeFileTexts::tr("%1 应跟 0 到 1000000 微秒的时长").arg(other);
    case FileFault::RepeatsExpected:
        return CodeFileTexts::tr("%1 应跟 0 到 20 的重复次数").arg(other);
    case FileFault::HertzExpected:
        return CodeFileTexts::tr("%1 应跟不超过 1000000 的整数赫兹").arg(other);
    case FileFault::PercentExpected:
        return CodeFileTexts::tr("%1 应跟 0 到 100 的百分比").arg(other);
    case FileFault::ParameterUnknown:
        return CodeFileTexts::tr("遥控器“%2”中有未知的参数“%1”").arg(text, other);
    case FileFault::FlagUnknown:
        return CodeFileTexts::tr(
                   "本软件无法处理标志“%1”（只支持 SPACE_ENC、RC5、RC6、RAW_CODES、CONST_LENGTH、REVERSE、"
                   "NO_HEAD_REP、NO_FOOT_REP 和 REPEAT_HEADER）")
            .arg(text);
    case FileFault::EncodingsTooMany:
        return CodeFileTexts::tr("标志中指定了不止一种编码方式");
    case FileFault::RemoteNameMissing:
        return CodeFileTexts::tr("遥控器没有名称");
    case FileFault::GapMissing:
        return CodeFileTexts::tr("遥控器“%1”没有给出帧间隔").arg(other);
    case FileFault::BitTimingMissing:
        return CodeFileTexts::tr(
                   "遥控器“%1”没有给出位的时序（one 和 zero）：它只是按键编码的对照表，不含信号")
            .arg(other);
    case FileFault::BitCountMissing:
        return CodeFileTexts::tr("遥控器“%1”没有给出编码的位数").arg(other);
    case FileFault::BitsTooMany:
        return CodeFileTexts::tr("遥控器“%1”的 pre_data_bits、bits 和 post_data_bits 共 %2 位，超过了 64 位")
            .arg(other)
            .arg(p.number);
    case FileFault::PreDataTooWide:
        return CodeFileTexts::tr("pre_data 超出了 pre_data_bits 的位数");
    case FileFault::PostDataTooWide:
        return CodeFileTexts::tr("post_data 超出了 post_data_bits 的位数");
    case FileFault::CodeTooWide:
        return CodeFileTexts::tr("“%1”的编码超出了 %2 位").arg(text).arg(p.number);
    }
    return {};
}

// The fault with the part of the file it lies in.
QString within(const codes::FileProblem& p) {
    const QString name = quoted(p.name);
    switch (p.in) {
    case codes::FaultIn::File:
        break;
    case codes::FaultIn::ParsedSignal:
        return CodeFileTexts::tr("解析信号“%1”：%2").arg(name, reason(p));
    case codes::FaultIn::Row:
        return CodeFileTexts::tr("按钮“%1”：%2").arg(name, reason(p));
    case codes::FaultIn::Code:
        return CodeFileTexts::tr("编码“%1”：%2").arg(name, reason(p));
    case codes::FaultIn::Command:
    case codes::FaultIn::ProntoCommand:
        return CodeFileTexts::tr("命令“%1”：%2").arg(name, reason(p));
    case codes::FaultIn::Rc5xForm:
        return CodeFileTexts::tr("%1（Pronto 的 RC5x 形式 5001）").arg(reason(p));
    }
    return reason(p);
}

} // namespace

QString problemText(const codes::FileProblem& problem) {
    const QString file = QString::fromStdString(problem.file);
    if (problem.line == 0)
        return CodeFileTexts::tr("%1：%2").arg(file, within(problem));
    return CodeFileTexts::tr("%1 第 %2 行：%3").arg(file, QString::number(problem.line), within(problem));
}

} // namespace codefiletexts
