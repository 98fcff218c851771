<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CodeFileTexts</name>
    <message>
        <source>无法读取</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>无法读取（%1）</source>
        <translation>cannot be read (%1)</translation>
    </message>
    <message>
        <source>文件太大（%1 MB），不是代码文件</source>
        <translation>too large for a code file (%1 MB)</translation>
    </message>
    <message>
        <source>文件太大，不是代码文件</source>
        <translation>too large for a code file</translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>无法识别的格式：应为 Flipper .ir 文件、Pronto 编码、JSON、SmartIR 文件、Broadlink 数据包、GlobalCache sendir 命令、lircd.conf 或 IRDB CSV 文件</source>
        <translation>unknown format: expected a Flipper .ir file, Pronto hex, JSON, a SmartIR file, Broadlink packets, GlobalCache sendir commands, a lircd.conf or an IRDB CSV file</translation>
    </message>
    <message>
        <source>不是本软件能读取的代码文件</source>
        <translation>not a code file of a format this program reads</translation>
    </message>
    <message>
        <source>文件中没有编码</source>
        <translation>the file holds no code</translation>
    </message>
    <message>
        <source>代码库建立索引后文件已更改，代码组 %1 已不在原处</source>
        <translation>changed since the library was indexed; its code set %1 is no longer there as it was</translation>
    </message>
    <message>
        <source>代码组 %1 没有电源按钮</source>
        <translation>the code set %1 has no Power button</translation>
    </message>
    <message>
        <source>电源编码“%1”无法转换成遥控器的编码</source>
        <translation>the Power code “%1” could not be converted into a code</translation>
    </message>
    <message>
        <source>遥控器无法保存电源编码“%1”</source>
        <translation>the remote cannot keep the Power code “%1”</translation>
    </message>
    <message>
        <source>信号“%1”有 %2 个时长，超过了遥控器一次能记录的 %3 个</source>
        <translation>signal “%1” holds %2 durations, more than the remote records at once (%3)</translation>
    </message>
    <message>
        <source>文件有 %1 个信号（%2）</source>
        <translation>the file holds %1 signals (%2)</translation>
    </message>
    <message>
        <source>文件中没有名为“%1”的信号</source>
        <translation>the file holds no signal named “%1”</translation>
    </message>
    <message>
        <source>文件中没有信号</source>
        <translation>the file holds no signal</translation>
    </message>
    <message>
        <source>地址 %1 或命令 %2 不符合 %3 协议</source>
        <translation>address %1 or command %2 does not fit protocol %3</translation>
    </message>
    <message>
        <source>地址 %1 或命令 %2 不符合 %3 形式</source>
        <translation>address %1 or command %2 does not fit the %3 form</translation>
    </message>
    <message>
        <source>遥控器不认识它的协议 %1，请改用原始信号学习</source>
        <translation>its protocol %1 is not one the remote knows by name; learn it from a raw capture</translation>
    </message>
    <message>
        <source>本软件无法生成协议“%1”的信号，请改用原始信号学习该按键</source>
        <translation>protocol “%1” is not one this program renders; learn the key from a raw capture</translation>
    </message>
    <message>
        <source>设备号 %1 不符合 %2 协议（0 到 %3）</source>
        <translation>device %1 does not fit protocol %2 (0 to %3)</translation>
    </message>
    <message>
        <source>功能号 %1 不符合 %2 协议（0 到 %3）</source>
        <translation>function %1 does not fit protocol %2 (0 to %3)</translation>
    </message>
    <message>
        <source>子设备号 %1 不符合 %2 协议（0 到 %3）</source>
        <translation>subdevice %1 does not fit protocol %2 (0 to %3)</translation>
    </message>
    <message>
        <source>%1 协议需要子设备号</source>
        <translation>protocol %1 needs a subdevice</translation>
    </message>
    <message>
        <source>%1 协议没有子设备号（给出的是 %2）</source>
        <translation>protocol %1 has no subdevice (given %2)</translation>
    </message>
    <message>
        <source>应为“字段: 值”的格式</source>
        <translation>expected “field: value”</translation>
    </message>
    <message>
        <source>字段“%1”出现在第一个“name:”之前</source>
        <translation>field “%1” before the first “name:”</translation>
    </message>
    <message>
        <source>解析信号“%1”需要协议、地址和命令</source>
        <translation>parsed signal “%1” needs a protocol, an address and a command</translation>
    </message>
    <message>
        <source>信号“%1”没有 raw 或 parsed 类型</source>
        <translation>signal “%1” has no type raw or parsed</translation>
    </message>
    <message>
        <source>信号“%1”需要由 1 到 1000000 微秒的时长组成的数据</source>
        <translation>signal “%1” needs data of durations from 1 to 1000000 µs</translation>
    </message>
    <message>
        <source>%1 应为最多四个十六进制字节，低字节在前</source>
        <translation>%1 must be up to four hex bytes, lowest first</translation>
    </message>
    <message>
        <source>频率应为不超过 1000000 的整数赫兹</source>
        <translation>frequency must be whole hertz up to 1000000</translation>
    </message>
    <message>
        <source>数据应为 1 到 1000000 微秒的时长</source>
        <translation>data must be durations from 1 to 1000000 µs</translation>
    </message>
    <message>
        <source>时长 %1 微秒超出范围</source>
        <translation>a duration of %1 µs is out of range</translation>
    </message>
    <message>
        <source>NEC1（900A）形式中功能的校验字节不是它的反码</source>
        <translation>the NEC1 (900A) function’s check byte is not its complement</translation>
    </message>
    <message>
        <source>本软件无法读取 Pronto 形式 %1（只能读取 0000、0100、5000、5001、6000 或 900A）</source>
        <translation>the Pronto form %1 is not one this program reads (0000, 0100, 5000, 5001, 6000 or 900A)</translation>
    </message>
    <message>
        <source>“%1”不是由 4 个十六进制数字组成的 Pronto 字</source>
        <translation>“%1” is not a Pronto word of 4 hex digits</translation>
    </message>
    <message>
        <source>不是 Pronto 编码（应以形式、频率和两个计数开头）</source>
        <translation>not a Pronto code (it must start with its form, frequency and two counts)</translation>
    </message>
    <message>
        <source>编码有 %1 个字，而计数要求 %2 个</source>
        <translation>the code holds %1 words where its counts call for %2</translation>
    </message>
    <message>
        <source>频率字为 0</source>
        <translation>the frequency word is 0</translation>
    </message>
    <message>
        <source>频率字 %1 对应的载波高于 460 kHz</source>
        <translation>the frequency word %1 gives a carrier above 460 kHz</translation>
    </message>
    <message>
        <source>不是 1 到 1000000 微秒的时长列表</source>
        <translation>not a list of durations from 1 to 1000000 µs</translation>
    </message>
    <message>
        <source>不是含有 timings_us（1 到 1000000 微秒的时长）和整数 carrier_hz 的 JSON 对象</source>
        <translation>not a JSON object with timings_us of durations from 1 to 1000000 µs and a whole carrier_hz</translation>
    </message>
    <message>
        <source>应为标题行 functionname,protocol,device,subdevice,function</source>
        <translation>expected the heading functionname,protocol,device,subdevice,function</translation>
    </message>
    <message>
        <source>带引号的字段没有在应有的位置结束</source>
        <translation>a quoted field is not closed where it should be</translation>
    </message>
    <message>
        <source>应有 5 个字段（功能名、协议、设备号、子设备号、功能号），实际有 %1 个</source>
        <translation>expected 5 fields (function name, protocol, device, subdevice, function), found %1</translation>
    </message>
    <message>
        <source>每行都需要功能名和协议</source>
        <translation>a row needs a function name and a protocol</translation>
    </message>
    <message>
        <source>设备号和功能号应为从 0 起的整数，子设备号应为从 -1 起的整数</source>
        <translation>device and function must be whole numbers from 0, subdevice one from -1</translation>
    </message>
    <message>
        <source>不是 base64 数据包</source>
        <translation>not a base64 packet</translation>
    </message>
    <message>
        <source>不是 Broadlink 数据包（红外数据包以 0x26 开头）</source>
        <translation>not a Broadlink packet (an infrared one starts with 0x26)</translation>
    </message>
    <message>
        <source>这是 Broadlink 的无线电数据包（433 或 315 MHz），不是红外数据包</source>
        <translation>a Broadlink radio packet (433 or 315 MHz), not infrared</translation>
    </message>
    <message>
        <source>Broadlink 数据包太短，容不下一个时长</source>
        <translation>a Broadlink packet too short to hold a duration</translation>
    </message>
    <message>
        <source>Broadlink 数据包的时长没有在其长度 %1 所指的位置以 0D 05 结束</source>
        <translation>a Broadlink packet whose durations do not end with 0D 05 where its length %1 says</translation>
    </message>
    <message>
        <source>Broadlink 数据包中有时长超出范围</source>
        <translation>a Broadlink packet with a duration out of range</translation>
    </message>
    <message>
        <source>文件中没有数据包</source>
        <translation>the file holds no packet</translation>
    </message>
    <message>
        <source>命令“%1”没有编码（null）</source>
        <translation>the command “%1” holds no code (null)</translation>
    </message>
    <message>
        <source>命令“%1”不是文本</source>
        <translation>the command “%1” is not a text</translation>
    </message>
    <message>
        <source>命令“%1”没有数据包</source>
        <translation>the command “%1” holds no packet</translation>
    </message>
    <message>
        <source>命令的编码方式是“%1”，本软件只能读取 Base64、Pronto 和 ESPHome 的 Raw</source>
        <translation>commands encoded as “%1”; this program reads Base64, Pronto and ESPHome’s Raw</translation>
    </message>
    <message>
        <source>这是控制器“%1”的 Raw 命令，其格式未公开；本软件只读取 ESPHome 的 Raw 命令（时长列表）</source>
        <translation>Raw commands for the “%1” controller, whose layout is not a public one; Raw is read for ESPHome (lists of durations)</translation>
    </message>
    <message>
        <source>“commands”不是由命名命令组成的对象</source>
        <translation>“commands” is not an object of named commands</translation>
    </message>
    <message>
        <source>文件中没有命令</source>
        <translation>the file holds no command</translation>
    </message>
    <message>
        <source>时长“%1”不是 1 到 65635 个周期</source>
        <translation>the duration “%1” is not a count of 1 to 65635 periods</translation>
    </message>
    <message>
        <source>字母 %1 没有对应的前面的时长对</source>
        <translation>the letter %1 stands for no earlier pair</translation>
    </message>
    <message>
        <source>时长中出现了意外的“%1”</source>
        <translation>unexpected “%1” among the durations</translation>
    </message>
    <message>
        <source>时长以“开”结束，缺少对应的“关”</source>
        <translation>the durations end on an “on” without its “off”</translation>
    </message>
    <message>
        <source>没有时长</source>
        <translation>no durations</translation>
    </message>
    <message>
        <source>sendir 命令需要 module:port、id、频率、重复次数、偏移和时长</source>
        <translation>a sendir command needs a module:port, an id, frequency, repeat, offset and durations</translation>
    </message>
    <message>
        <source>频率“%1”不在 15000 到 500000 Hz 之间</source>
        <translation>the frequency “%1” is not one of 15000 to 500000 Hz</translation>
    </message>
    <message>
        <source>重复次数“%1”不在 1 到 50 之间</source>
        <translation>the repeat “%1” is not one of 1 to 50</translation>
    </message>
    <message>
        <source>偏移“%1”不是 %2 个时长中的奇数位置</source>
        <translation>the offset “%1” is not an odd place among the %2 durations</translation>
    </message>
    <message>
        <source>有时长超出范围</source>
        <translation>a duration is out of range</translation>
    </message>
    <message>
        <source>应为 sendir 命令</source>
        <translation>expected a sendir command</translation>
    </message>
    <message>
        <source>文件中没有 sendir 命令</source>
        <translation>the file holds no sendir command</translation>
    </message>
    <message>
        <source>遥控器“%1”没有“end remote”</source>
        <translation>remote “%1” has no “end remote”</translation>
    </message>
    <message>
        <source>它不发送任何脉冲</source>
        <translation>it sends no pulse</translation>
    </message>
    <message>
        <source>它持续 %1 微秒，不短于遥控器的帧间隔 %2 微秒（CONST_LENGTH）</source>
        <translation>it lasts %1 µs, no less than the remote’s gap of %2 µs (CONST_LENGTH)</translation>
    </message>
    <message>
        <source>它含有超过一秒的脉冲或间隔</source>
        <translation>it holds a pulse or space longer than a second</translation>
    </message>
    <message>
        <source>应为“begin remote”，却是“%1”</source>
        <translation>expected “begin remote”, found “%1”</translation>
    </message>
    <message>
        <source>遥控器“%1”（第 %2 行）在下一个遥控器开始之前没有“end remote”</source>
        <translation>remote “%1” (line %2) has no “end remote” before this one begins</translation>
    </message>
    <message>
        <source>遥控器“%2”中出现了意外的“%1”</source>
        <translation>unexpected “%1” in remote “%2”</translation>
    </message>
    <message>
        <source>在“%2”之前应有“end %1”</source>
        <translation>expected “end %1” before “%2”</translation>
    </message>
    <message>
        <source>编码“%1”没有按钮名称</source>
        <translation>code “%1” has no button name</translation>
    </message>
    <message>
        <source>按钮“%1”没有编码</source>
        <translation>button “%1” has no code</translation>
    </message>
    <message>
        <source>应为一个按钮名称和一个十六进制（0x...）或十进制编码</source>
        <translation>expected a button name and one code in hex (0x...) or decimal</translation>
    </message>
    <message>
        <source>原始编码的“name”只能跟一个按钮名称</source>
        <translation>a raw code’s “name” takes one button name</translation>
    </message>
    <message>
        <source>第一个原始编码的“name”之前出现了时长</source>
        <translation>durations before the first raw code’s “name”</translation>
    </message>
    <message>
        <source>“%1”不是 1 到 1000000 微秒的时长</source>
        <translation>“%1” is not a duration from 1 to 1000000 µs</translation>
    </message>
    <message>
        <source>原始编码“%1”没有时长</source>
        <translation>raw code “%1” holds no durations</translation>
    </message>
    <message>
        <source>%1 只能跟一个词</source>
        <translation>%1 takes one word</translation>
    </message>
    <message>
        <source>%1 应跟一个脉冲和一个间隔，各为 0 到 1000000 微秒</source>
        <translation>%1 takes a pulse and a space from 0 to 1000000 µs</translation>
    </message>
    <message>
        <source>%1 应跟一个十六进制（0x...）或十进制数</source>
        <translation>%1 takes a number in hex (0x...) or decimal</translation>
    </message>
    <message>
        <source>%1 应跟 0 到 64 的位数</source>
        <translation>%1 takes a number of bits from 0 to 64</translation>
    </message>
    <message>
        <source>%1 应跟 1（最先发送的位）到 64 的位置，或 0</source>
        <translation>%1 takes a bit’s place from 1 (the first sent) to 64, or 0</translation>
    </message>
    <message>
        <source>%1 应跟 0 到 1000000 微秒的时长</source>
        <translation>%1 takes a duration from 0 to 1000000 µs</translation>
    </message>
    <message>
        <source>%1 应跟 0 到 20 的重复次数</source>
        <translation>%1 takes a number of repeats from 0 to 20</translation>
    </message>
    <message>
        <source>%1 应跟不超过 1000000 的整数赫兹</source>
        <translation>%1 takes whole hertz up to 1000000</translation>
    </message>
    <message>
        <source>%1 应跟 0 到 100 的百分比</source>
        <translation>%1 takes a percentage from 0 to 100</translation>
    </message>
    <message>
        <source>遥控器“%2”中有未知的参数“%1”</source>
        <translation>unknown parameter “%1” in remote “%2”</translation>
    </message>
    <message>
        <source>本软件无法处理标志“%1”（只支持 SPACE_ENC、RC5、RC6、RAW_CODES、CONST_LENGTH、REVERSE、NO_HEAD_REP、NO_FOOT_REP 和 REPEAT_HEADER）</source>
        <translation>flag “%1” is not one this program renders (SPACE_ENC, RC5, RC6, RAW_CODES, CONST_LENGTH, REVERSE, NO_HEAD_REP, NO_FOOT_REP and REPEAT_HEADER)</translation>
    </message>
    <message>
        <source>标志中指定了不止一种编码方式</source>
        <translation>the flags name more than one encoding</translation>
    </message>
    <message>
        <source>遥控器没有名称</source>
        <translation>the remote has no name</translation>
    </message>
    <message>
        <source>遥控器“%1”没有给出帧间隔</source>
        <translation>remote “%1” gives no gap between its frames</translation>
    </message>
    <message>
        <source>遥控器“%1”没有给出位的时序（one 和 zero）：它只是按键编码的对照表，不含信号</source>
        <translation>remote “%1” gives no timing for its bits (one and zero): it maps key codes, it holds no signals</translation>
    </message>
    <message>
        <source>遥控器“%1”没有给出编码的位数</source>
        <translation>remote “%1” needs the number of bits of its codes</translation>
    </message>
    <message>
        <source>遥控器“%1”的 pre_data_bits、bits 和 post_data_bits 共 %2 位，超过了 64 位</source>
        <translation>remote “%1”: pre_data_bits, bits and post_data_bits add up to %2, more than 64</translation>
    </message>
    <message>
        <source>pre_data 超出了 pre_data_bits 的位数</source>
        <translation>pre_data does not fit in pre_data_bits</translation>
    </message>
    <message>
        <source>post_data 超出了 post_data_bits 的位数</source>
        <translation>post_data does not fit in post_data_bits</translation>
    </message>
    <message>
        <source>“%1”的编码超出了 %2 位</source>
        <translation>the code of “%1” does not fit in %2 bits</translation>
    </message>
    <message>
        <source>解析信号“%1”：%2</source>
        <translation>parsed signal “%1”: %2</translation>
    </message>
    <message>
        <source>按钮“%1”：%2</source>
        <translation>button “%1”: %2</translation>
    </message>
    <message>
        <source>编码“%1”：%2</source>
        <translation>code “%1”: %2</translation>
    </message>
    <message>
        <source>命令“%1”：%2</source>
        <translation>command “%1”: %2</translation>
    </message>
    <message>
        <source>%1（Pronto 的 RC5x 形式 5001）</source>
        <translation>%1 (the Pronto RC5x form 5001)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 第 %2 行：%3</source>
        <translation>%1, line %2: %3</translation>
    </message>
</context>
<context>
    <name>DeviceTexts</name>
    <message>
        <source>未检测到遥控器，请检查USB连接线</source>
        <translation>Remote not found — check the USB cable</translation>
    </message>
    <message>
        <source> 遥控器连接正常</source>
        <translation> Remote connected</translation>
    </message>
    <message>
        <source> 遥控器连接断开</source>
        <translation> Remote disconnected</translation>
    </message>
    <message>
        <source>自学习软件不支持改遥控器，请到%1网站下载最新的该款自学习软件！</source>
        <translation>This program does not support this remote. Download the latest version of the program from the %1 website.</translation>
    </message>
    <message>
        <source>自学习软件版本比较低，请到%1下载最新的该款自学习软件！</source>
        <translation>This program is too old for this remote. Download the latest version of the program from %1.</translation>
    </message>
    <message>
        <source>遥控器固件程序版本比较低，请到%1网站下载最新的固件程序版本！</source>
        <translation>The remote&apos;s firmware is too old. Download the latest firmware from the %1 website.</translation>
    </message>
    <message>
        <source>遥控器固件程序版本比较低，请到%1下载最新的固件程序版本！</source>
        <translation>The remote&apos;s firmware is too old. Download the latest firmware from %1.</translation>
    </message>
    <message>
        <source>遥控器固件版本比较低，请到%1下载最新的固件程序版本！</source>
        <translation>The remote&apos;s firmware is too old. Download the latest firmware from %1.</translation>
    </message>
    <message>
        <source>无法识别遥控器的版本号（%1），请重新插拔USB连接线后再启动自学习软件！</source>
        <translation>The remote&apos;s version number (%1) is not recognised. Unplug the USB cable, plug it in again and restart the program.</translation>
    </message>
</context>
<context>
    <name>DownloadTexts</name>
    <message>
        <source>CC0 1.0（可自由使用）</source>
        <translation>CC0 1.0 (free for any use)</translation>
    </message>
    <message>
        <source>MIT（须保留版权声明）</source>
        <translation>MIT (keep its copyright notice)</translation>
    </message>
    <message>
        <source>IRDB 自有许可（附有条件，下载前显示）</source>
        <translation>IRDB&apos;s own (with conditions, shown before downloading)</translation>
    </message>
    <message>
        <source>以其作者所说为准</source>
        <translation>as its maker says</translation>
    </message>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>%1 — 约 %2，许可：%3</source>
        <translation>%1 — about %2, licence: %3</translation>
    </message>
    <message>
        <source>（已下载，将重新下载以更新）</source>
        <translation> (downloaded; downloading it again updates it)</translation>
    </message>
    <message>
        <source>%1 的许可附有条件：包含该数据库或通过网络访问该数据库的产品（软件或硬件）须
1. 在使用前告知 irdb 项目（在 https://github.com/probonopd/irdb 提交报告）；
2. 在产品中附上声明“Contains/accesses irdb by Simon Peter, used under permission. For details, see https://github.com/probonopd/irdb”；
3. 应要求免费向 Simon Peter 提供最多三份产品。
许可全文：https://github.com/probonopd/irdb/blob/master/LICENSE.md

是否在这些条件下下载 %1？</source>
        <translation>%1&apos;s licence has conditions: a product (software or hardware) that includes the database or reaches it over the network must
1. make itself known to the irdb project before using it (with a report at https://github.com/probonopd/irdb);
2. carry the notice “Contains/accesses irdb by Simon Peter, used under permission. For details, see https://github.com/probonopd/irdb”;
3. give Simon Peter up to three copies of the product free of charge on request.
The licence: https://github.com/probonopd/irdb/blob/master/LICENSE.md

Download %1 under these conditions?</translation>
    </message>
    <message>
        <source>正在下载 %1：%2 / %3，%4/秒</source>
        <translation>Downloading %1: %2 of %3, %4/s</translation>
    </message>
    <message>
        <source>正在下载 %1：已收到 %2，%3/秒</source>
        <translation>Downloading %1: %2 received, %3/s</translation>
    </message>
    <message numerus="yes">
        <source>正在解压 %1：已解压 %n 个文件</source>
        <translation>
            <numerusform>Unpacking %1: %n file unpacked</numerusform>
            <numerusform>Unpacking %1: %n files unpacked</numerusform>
        </translation>
    </message>
    <message>
        <source>正在把 %1 加入代码库…</source>
        <translation>Adding %1 to the code library…</translation>
    </message>
    <message>
        <source>此版本不包含下载代码库的功能。请手动下载代码集合并解压，然后在“代码库”中添加其文件夹。</source>
        <translation>This version cannot download code collections. Download a collection by hand, unpack it, then add its folder in Code library.</translation>
    </message>
    <message>
        <source>“%1”不是可以下载的地址：地址必须以 https:// 开头。</source>
        <translation>“%1” is not an address to download from: it must start with https://.</translation>
    </message>
    <message>
        <source>找不到服务器 %1。请检查电脑是否已连接到互联网。</source>
        <translation>The server %1 was not found. Check that the computer is connected to the internet.</translation>
    </message>
    <message>
        <source>无法连接到 %1：%2</source>
        <translation>Cannot connect to %1: %2</translation>
    </message>
    <message>
        <source>服务器已有 %1 秒没有发送数据。</source>
        <translation>The server has sent nothing for %1 seconds.</translation>
    </message>
    <message>
        <source>与服务器的安全连接（TLS）失败：%1</source>
        <translation>The secure connection (TLS) to the server failed: %1</translation>
    </message>
    <message>
        <source>服务器上没有这个文件（404）：%1</source>
        <translation>The server has no such file (404): %1</translation>
    </message>
    <message>
        <source>服务器的回答是 %1：%2</source>
        <translation>The server answered %1: %2</translation>
    </message>
    <message>
        <source>连接在收到 %1 后中断。</source>
        <translation>The connection broke off after %1.</translation>
    </message>
    <message>
        <source>下载失败：%1</source>
        <translation>The download failed: %1</translation>
    </message>
    <message>
        <source>下载的文件超过 %1，不是代码集合。</source>
        <translation>The download is larger than %1: it is not a code collection.</translation>
    </message>
    <message>
        <source>解压后的文件超过 %1，不是代码集合。</source>
        <translation>The unpacked files are larger than %1: this is not a code collection.</translation>
    </message>
    <message>
        <source>下载的文件不是 zip 或 tar 压缩包，或者已损坏：%1</source>
        <translation>The downloaded file is not a zip or tar archive, or it is damaged: %1</translation>
    </message>
    <message>
        <source>下载的压缩包中没有文件。</source>
        <translation>The downloaded archive holds no file.</translation>
    </message>
    <message>
        <source>压缩包中的“%1”会写到代码集合的文件夹之外，整个压缩包已被拒绝。</source>
        <translation>The archive’s entry “%1” would be written outside the collection’s folder; the whole archive was refused.</translation>
    </message>
    <message>
        <source>压缩包中的链接“%1”指向代码集合的文件夹之外（%2），整个压缩包已被拒绝。</source>
        <translation>The archive’s link “%1” points outside the collection’s folder (%2); the whole archive was refused.</translation>
    </message>
    <message>
        <source>磁盘已满：无法写入 %1。</source>
        <translation>The disk is full: %1 cannot be written.</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>已取消。</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>已取消下载 %1，代码库保持原样。</source>
        <translation>The download of %1 was cancelled; the code library is as it was.</translation>
    </message>
    <message>
        <source>无法下载 %1：%2
代码库保持原样。</source>
        <translation>Cannot download %1: %2
The code library is as it was.</translation>
    </message>
    <message>
        <source>%1 已下载到 %2，但无法更新代码库的索引：%3</source>
        <translation>%1 was downloaded into %2, but the code library’s index could not be brought up to date: %3</translation>
    </message>
    <message>
        <source>已更新 %1（%2，用时 %3 秒），保存在 %4。</source>
        <translation>%1 updated (%2 in %3 s), kept in %4.</translation>
    </message>
    <message>
        <source>已下载 %1（%2，用时 %3 秒），保存在 %4。</source>
        <translation>%1 downloaded (%2 in %3 s), kept in %4.</translation>
    </message>
    <message numerus="yes">
        <source>代码库中加入了其中的 %n 组代码。</source>
        <translation>
            <numerusform>%n code set of it joined the code library.</numerusform>
            <numerusform>%n code sets of it joined the code library.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>IBtn</name>
    <message>
        <source>无法进入文件夹“%1”，没有打开 %2</source>
        <translation>Cannot enter the folder “%1”; %2 was not opened</translation>
    </message>
</context>
<context>
    <name>KeyCodeDialog</name>
    <message>
        <source>查看编码</source>
        <translation>View code</translation>
    </message>
    <message>
        <source>按键：</source>
        <translation>Key:</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>状态：</source>
        <translation>State:</translation>
    </message>
    <message>
        <source>编码：</source>
        <translation>Code:</translation>
    </message>
    <message>
        <source>发送：</source>
        <translation>Sends:</translation>
    </message>
    <message>
        <source>时长（微秒）：</source>
        <translation>Durations (µs):</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>复制该按键的 Pronto 编码</source>
        <translation>Copy the key&apos;s Pronto code</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>TV/静音</source>
        <translation>TV/Mute</translation>
    </message>
    <message>
        <source>TV/菜单</source>
        <translation>TV/Menu</translation>
    </message>
    <message>
        <source>TV/音量+</source>
        <translation>TV/Vol+</translation>
    </message>
    <message>
        <source>TV/确认</source>
        <translation>TV/OK</translation>
    </message>
    <message>
        <source>TV/音量-</source>
        <translation>TV/Vol-</translation>
    </message>
    <message>
        <source>TV/后退</source>
        <translation>TV/Back</translation>
    </message>
    <message>
        <source>TV/退出</source>
        <translation>TV/Exit</translation>
    </message>
    <message>
        <source>CBL/声道</source>
        <translation>CBL/Audio</translation>
    </message>
    <message>
        <source>CBL/下页</source>
        <translation>CBL/PageDown</translation>
    </message>
    <message>
        <source>CBL/上页</source>
        <translation>CBL/PageUp</translation>
    </message>
    <message>
        <source>CBL/指南</source>
        <translation>CBL/Guide</translation>
    </message>
    <message>
        <source>CBL/退出</source>
        <translation>CBL/Exit</translation>
    </message>
    <message>
        <source>CBL/信息</source>
        <translation>CBL/Info</translation>
    </message>
    <message>
        <source>CBL/频道＋</source>
        <translation>CBL/Ch+</translation>
    </message>
    <message>
        <source>CBL/后退</source>
        <translation>CBL/Back</translation>
    </message>
    <message>
        <source>CBL/节目表</source>
        <translation>CBL/List</translation>
    </message>
    <message>
        <source>CBL/频道－</source>
        <translation>CBL/Ch-</translation>
    </message>
    <message>
        <source>CBL/音量+</source>
        <translation>CBL/Vol+</translation>
    </message>
    <message>
        <source>CBL/静音</source>
        <translation>CBL/Mute</translation>
    </message>
    <message>
        <source>CBL/音量-</source>
        <translation>CBL/Vol-</translation>
    </message>
    <message>
        <source>CBL/交替</source>
        <translation>CBL/Alt</translation>
    </message>
    <message>
        <source>CBL/收藏</source>
        <translation>CBL/Fav</translation>
    </message>
</context>
<context>
    <name>KeyStepDialog</name>
    <message>
        <source>按品牌设置</source>
        <translation>Set up by brand</translation>
    </message>
    <message numerus="yes">
        <source>有 %n 组代码发送这个电源编码，再试一个键来区分它们。</source>
        <translation>
            <numerusform>One code set sends this Power code; one more key tells it apart.</numerusform>
            <numerusform>%n code sets send this Power code; one more key tells them apart.</numerusform>
        </translation>
    </message>
    <message>
        <source>有反应(&amp;Y)</source>
        <translation>&amp;Yes, it responded</translation>
    </message>
    <message>
        <source>没有反应(&amp;N)</source>
        <translation>&amp;No, it did not</translation>
    </message>
    <message>
        <source>不再询问(&amp;S)</source>
        <translation>No &amp;more keys</translation>
    </message>
</context>
<context>
    <name>KeyTexts</name>
    <message>
        <source>已学习</source>
        <translation>Learned</translation>
    </message>
    <message>
        <source>已下载</source>
        <translation>Preloaded</translation>
    </message>
    <message>
        <source>没有编码</source>
        <translation>No code</translation>
    </message>
    <message>
        <source>无法识别的编码</source>
        <translation>Unrecognised code</translation>
    </message>
    <message>
        <source>%1 地址 %2 命令 %3</source>
        <translation>%1 address %2 command %3</translation>
    </message>
    <message>
        <source>原始信号，载波 %1 Hz</source>
        <translation>Raw signal, carrier %1 Hz</translation>
    </message>
    <message>
        <source>%1 — 没有编码</source>
        <translation>%1 — no code</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>%1 — %2：%3</source>
        <translation>%1 — %2: %3</translation>
    </message>
    <message>
        <source>无法读取</source>
        <translation>Unreadable</translation>
    </message>
    <message>
        <source>预置编码 %1</source>
        <translation>Preset code %1</translation>
    </message>
    <message>
        <source>已存储的编码 %1（条目 %2，%3 个存储块</source>
        <translation>Stored code %1 (entry %2, %3 blocks</translation>
    </message>
    <message>
        <source>，与 %1 共用</source>
        <translation>, shared with %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>）</source>
        <translation>)</translation>
    </message>
</context>
<context>
    <name>LearnTexts</name>
    <message>
        <source>遥控器的编码存储已满，请先删除不用的学习按键！</source>
        <translation>The remote&apos;s code memory is full. Delete learned keys you no longer use first.</translation>
    </message>
    <message>
        <source>遥控器的编码存储空间不足，请先删除不用的学习按键！</source>
        <translation>The remote&apos;s code memory has too little room left. Delete learned keys you no longer use first.</translation>
    </message>
    <message>
        <source>遥控器编码的转换结果没有编码数据，无法保存该按键！</source>
        <translation>The converted code holds no code data; the key cannot be saved.</translation>
    </message>
    <message>
        <source>该按键的编码太长，遥控器无法保存，请重新学习该按键！</source>
        <translation>The key&apos;s code is too long for the remote to store. Learn the key again.</translation>
    </message>
    <message>
        <source>学习失败！</source>
        <translation>Learning failed.</translation>
    </message>
    <message>
        <source>遥控器编码的转换结果不完整，无法保存该按键！</source>
        <translation>The converted code is incomplete; the key cannot be saved.</translation>
    </message>
    <message>
        <source>写入遥控器失败，请检查USB连接线！</source>
        <translation>Could not write to the remote. Check the USB cable.</translation>
    </message>
    <message>
        <source>写入遥控器失败，该按键原有的编码已删除，请检查USB连接线后重新学习该按键！</source>
        <translation>Could not write to the remote, and the key&apos;s old code has been deleted. Check the USB cable, then learn the key again.</translation>
    </message>
    <message>
        <source>但释放原编码所占的空间时写入遥控器失败（地址 %1），这部分空间暂时不能使用；下次学习或删除按键时会释放它，也可以用“检查遥控器存储”修复。</source>
        <translation>But the remote could not be written at %1 to free the old code&apos;s room, which cannot be used for now; the next key learned or deleted frees it, or “Check remote memory” repairs it.</translation>
    </message>
</context>
<context>
    <name>LibraryDialog</name>
    <message>
        <source>文件夹 %1 不存在。</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
    <message>
        <source>文件夹 %1 已经在代码库中。</source>
        <translation>The folder %1 is already in the code library.</translation>
    </message>
    <message>
        <source>文件夹 %1 不在代码库中。</source>
        <translation>The folder %1 is not in the code library.</translation>
    </message>
    <message>
        <source>文件夹 %1 存在时总是包含在代码库中，无法移除。</source>
        <translation>The folder %1 is always in the code library while it exists; it cannot be removed.</translation>
    </message>
    <message>
        <source>无法保存代码库的文件夹列表：%1</source>
        <translation>Cannot save the code library&apos;s list of folders: %1</translation>
    </message>
    <message>
        <source>代码库</source>
        <translation>Code library</translation>
    </message>
    <message>
        <source>添加文件夹(&amp;A)…</source>
        <translation>&amp;Add folder…</translation>
    </message>
    <message>
        <source>移除文件夹(&amp;R)</source>
        <translation>&amp;Remove folder</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>正在读取代码库…</source>
        <translation>Reading the code library…</translation>
    </message>
    <message>
        <source>无法读取代码库的文件夹列表：%1</source>
        <translation>Cannot read the code library&apos;s list of folders: %1</translation>
    </message>
    <message>
        <source>（存在时自动包含）</source>
        <translation> (included while it exists)</translation>
    </message>
    <message>
        <source>代码库由以下文件夹中的代码文件组成：</source>
        <translation>The code library is made of the code files in these folders:</translation>
    </message>
    <message>
        <source>共 %1 组代码，其中编码互不相同的有 %2 组。</source>
        <translation>%1 code sets in all, %2 of them sending different codes.</translation>
    </message>
    <message>
        <source>选择代码文件所在的文件夹</source>
        <translation>Choose a folder of code files</translation>
    </message>
    <message numerus="yes">
        <source>%1 — %n 组代码</source>
        <translation>
            <numerusform>%1 — %n code set</numerusform>
            <numerusform>%1 — %n code sets</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个文件无法读取。</source>
        <translation>
            <numerusform>%n file could not be read.</numerusform>
            <numerusform>%n files could not be read.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个文件中有无法使用的代码，已跳过。</source>
        <translation>
            <numerusform>%n file holds codes that cannot be used; they are skipped.</numerusform>
            <numerusform>%n files hold codes that cannot be used; they are skipped.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ListDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MainControls</name>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>升级软件</source>
        <translation>Update software</translation>
    </message>
    <message>
        <source>关闭软件</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>MakerDialog</name>
    <message>
        <source>按品牌设置</source>
        <translation>Set up by brand</translation>
    </message>
    <message>
        <source>要设置遥控器的哪一组按键？</source>
        <translation>Which keys of the remote do you want to set up?</translation>
    </message>
    <message>
        <source>品牌：</source>
        <translation>&amp;Brand:</translation>
    </message>
    <message>
        <source>输入品牌名称查找</source>
        <translation>Type a brand to find it</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>代码库中没有带电源键的%1代码。</source>
        <translation>The code library has no code set with a Power button for this kind of device (%1).</translation>
    </message>
    <message>
        <source>没有找到这个品牌的%1代码。</source>
        <translation>No brand of that name has code sets for this kind of device (%1).</translation>
    </message>
    <message numerus="yes">
        <source>%1（%n 组）</source>
        <translation>
            <numerusform>%1 (%n set)</numerusform>
            <numerusform>%1 (%n sets)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MemoryTexts</name>
    <message>
        <source>现在连接的遥控器不是启动时识别的遥控器，请重新启动自学习软件！</source>
        <translation>The remote now connected is not the one identified at start-up. Restart the program.</translation>
    </message>
    <message>
        <source>读取存储时遥控器已断开，没有写入备份。</source>
        <translation>The remote was disconnected while its memory was read; no backup was written.</translation>
    </message>
    <message>
        <source>无法读取遥控器的存储（地址 %1），没有写入备份。</source>
        <translation>Could not read the remote&apos;s memory (address %1); no backup was written.</translation>
    </message>
    <message>
        <source>遥控器返回的存储内容有误（地址 %1），没有写入备份。</source>
        <translation>The remote returned faulty memory contents (address %1); no backup was written.</translation>
    </message>
    <message>
        <source>备份的遥控器：%1
型号：%2
备份时间：%3

恢复后，遥控器的全部存储将换成备份的内容。确实要恢复吗？</source>
        <translation>Backed-up remote: %1
Model: %2
Backup time: %3

Restoring replaces the remote&apos;s whole memory with the backup. Restore it?</translation>
    </message>
    <message>
        <source>该备份来自另一个遥控器（%1），不是现在连接的遥控器（%2）。
确实要把它恢复到这个遥控器上吗？</source>
        <translation>This backup comes from another remote (%1), not the one now connected (%2).
Restore it to this remote anyway?</translation>
    </message>
    <message>
        <source>该备份属于型号 %1 的遥控器，不能恢复到型号 %2 的遥控器上，没有写入任何内容。</source>
        <translation>This backup belongs to a model %1 remote and cannot be restored to a model %2 remote; nothing was written.</translation>
    </message>
    <message>
        <source>该备份的存储结构有问题，恢复后遥控器会发送错误的编码，没有写入任何内容：
%1</source>
        <translation>The backup&apos;s memory layout is faulty: restored, the remote would send wrong codes. Nothing was written:
%1</translation>
    </message>
    <message>
        <source>恢复完成：写入了 %1 个存储块，遥控器的全部存储已校验。</source>
        <translation>Restore complete: %1 memory blocks written, the remote&apos;s whole memory verified.</translation>
    </message>
    <message>
        <source>读取存储时遥控器已断开，没有写入任何内容。</source>
        <translation>The remote was disconnected while its memory was read; nothing was written.</translation>
    </message>
    <message>
        <source>无法读取遥控器的存储（地址 %1），没有写入任何内容。</source>
        <translation>Could not read the remote&apos;s memory (address %1); nothing was written.</translation>
    </message>
    <message>
        <source>请重新恢复以完成。</source>
        <translation> Restore again to finish.</translation>
    </message>
    <message>
        <source>恢复完成之前，遥控器的存储可能不完整，请重新恢复。</source>
        <translation> Until a restore finishes, the remote&apos;s memory may be incomplete; restore again.</translation>
    </message>
    <message>
        <source>恢复时遥控器已断开，恢复没有完成。</source>
        <translation>The remote was disconnected during the restore; the restore did not finish.</translation>
    </message>
    <message>
        <source>写入遥控器失败（地址 %1），恢复没有完成。</source>
        <translation>Could not write to the remote (address %1); the restore did not finish.</translation>
    </message>
    <message>
        <source>备份已写入遥控器，但无法读回校验，请检查USB连接线。</source>
        <translation>The backup was written to the remote, but it could not be read back to verify it. Check the USB cable.</translation>
    </message>
    <message>
        <source>校验失败：遥控器的存储块 %1 与备份不同。</source>
        <translation>Verification failed: the remote&apos;s memory blocks %1 differ from the backup.</translation>
    </message>
    <message>
        <source>无法读取遥控器的存储：%1</source>
        <translation>Could not read the remote&apos;s memory: %1</translation>
    </message>
    <message>
        <source>遥控器的存储完好。</source>
        <translation>The remote&apos;s memory is sound.</translation>
    </message>
    <message>
        <source>遥控器的存储完好，但有空间没有释放：
%1</source>
        <translation>The remote&apos;s memory is sound, but some room has not been freed:
%1</translation>
    </message>
    <message>
        <source>遥控器的存储有以下问题：
%1</source>
        <translation>The remote&apos;s memory has these problems:
%1</translation>
    </message>
    <message>
        <source>• 清空按键 %1：它引用的编码条目 %2 不存在</source>
        <translation>• Empty key %1: the code entry %2 it refers to does not exist</translation>
    </message>
    <message>
        <source>• 释放编码条目 %1：没有按键引用它</source>
        <translation>• Free code entry %1: no key refers to it</translation>
    </message>
    <message>
        <source>• 存储块 %1 标为空闲</source>
        <translation>• Mark memory blocks %1 free</translation>
    </message>
    <message>
        <source>• 存储块 %1 标为占用</source>
        <translation>• Mark memory blocks %1 in use</translation>
    </message>
    <message>
        <source>修复将写入以下更改：
%1

确实要修复吗？</source>
        <translation>Repairing will write these changes:
%1

Repair the remote?</translation>
    </message>
    <message>
        <source>写入遥控器失败：清空了 %1 个按键（共 %2 个），存储块表和编码索引没有写入，请重新修复。</source>
        <translation>Could not write to the remote: %1 of %2 keys emptied, the block map and code index not written. Repair again.</translation>
    </message>
    <message>
        <source>已修复，但无法再次读取遥控器的存储：%1</source>
        <translation>Repaired, but the remote&apos;s memory could not be read again: %1</translation>
    </message>
    <message>
        <source>已修复不需判断的问题，以下问题仍然存在：
%1</source>
        <translation>The problems that needed no judgement are repaired; these remain:
%1</translation>
    </message>
    <message>
        <source>修复完成，遥控器的存储完好。</source>
        <translation>Repair complete; the remote&apos;s memory is sound.</translation>
    </message>
    <message>
        <source>布局表头</source>
        <translation>layout header</translation>
    </message>
    <message>
        <source>按键列表</source>
        <translation>key list</translation>
    </message>
    <message>
        <source>按键槽表</source>
        <translation>key slot table</translation>
    </message>
    <message>
        <source>存储块表和编码索引</source>
        <translation>block map and code index</translation>
    </message>
    <message>
        <source>编码区</source>
        <translation>code area</translation>
    </message>
    <message>
        <source>预置编码表的数目</source>
        <translation>preset table count</translation>
    </message>
    <message>
        <source>预置编码表</source>
        <translation>preset table</translation>
    </message>
    <message>
        <source>这不是遥控器的备份文件（第一行不是“%1”）</source>
        <translation>not a remote backup (its first line is not “%1”)</translation>
    </message>
    <message>
        <source>无法识别备份格式“%1”，本软件只能读取格式 1</source>
        <translation>backup format “%1” is not known; this program reads format 1</translation>
    </message>
    <message>
        <source>文件在“%1”行之前就结束了</source>
        <translation>the file ends before its “%1” line</translation>
    </message>
    <message>
        <source>这一行应为“%1: ”加 1 到 64 个字符的值</source>
        <translation>expected “%1: ” and a value of 1 to 64 characters</translation>
    </message>
    <message>
        <source>备份应有 %1 字节的存储，而不是 %2</source>
        <translation>a backup holds %1 bytes of memory, not %2</translation>
    </message>
    <message>
        <source>文件在地址 %1 的存储之前就结束了，文件不完整</source>
        <translation>the file ends before the memory at %1; it is truncated</translation>
    </message>
    <message>
        <source>这一行应为地址 %1 加 %2 个十六进制数字</source>
        <translation>expected the address %1 and %2 hex digits</translation>
    </message>
    <message>
        <source>地址 %1 处的“%2”不是十六进制数字</source>
        <translation>“%2” at %1 is not a hex digit</translation>
    </message>
    <message>
        <source>地址 %1 处的字符 %2 不是十六进制数字</source>
        <translation>character %2 at %1 is not a hex digit</translation>
    </message>
    <message>
        <source>文件在校验和之前就结束了，文件不完整</source>
        <translation>the file ends before its checksum; it is truncated</translation>
    </message>
    <message>
        <source>这一行应为“%1”加 8 个十六进制数字的校验和</source>
        <translation>expected “%1” and a checksum of 8 hex digits</translation>
    </message>
    <message>
        <source>校验和与文件内容不符，文件已损坏</source>
        <translation>the checksum does not match the contents; the file is damaged</translation>
    </message>
    <message>
        <source>不计行尾符和行末空白，校验和仍与文件内容不符，文件已损坏</source>
        <translation>the checksum does not match the contents, line endings and trailing blanks aside; the file is damaged</translation>
    </message>
    <message>
        <source>校验和之后还有多余的内容</source>
        <translation>unexpected text after the checksum</translation>
    </message>
    <message>
        <source>在地址 %1 处读取失败</source>
        <translation>reading failed at %1</translation>
    </message>
    <message>
        <source>固件把字节 %1 答复为“%2”，不是十六进制数</source>
        <translation>the firmware answers byte %1 as “%2”, not as hex</translation>
    </message>
    <message>
        <source>存储块单位是 %1，不是 08</source>
        <translation>the block unit is %1, not 08</translation>
    </message>
    <message>
        <source>%1（地址 %2，%3 字节）超出了存储的末尾</source>
        <translation>the %1 at %2 (%3 bytes) runs past the end of memory</translation>
    </message>
    <message>
        <source>编码条目 %1 正在使用，但不含任何存储块</source>
        <translation>code entry %1 is in use but holds no blocks</translation>
    </message>
    <message>
        <source>编码条目 %1（从存储块 %2 起共 %3 个）超出了编码区的 %4 个存储块</source>
        <translation>code entry %1 (blocks %2+%3) reaches past the code area’s %4 blocks</translation>
    </message>
    <message>
        <source>编码条目 %1 占用的存储块 %2 在存储块表中标为空闲</source>
        <translation>code entry %1 owns block %2, which the block map marks free</translation>
    </message>
    <message>
        <source>编码条目 %1 与编码条目 %2 在存储块 %3 处重叠</source>
        <translation>code entry %1 overlaps code entry %2 at block %3</translation>
    </message>
    <message>
        <source>存储块 %1 至 %2 标为占用，但不属于任何编码条目</source>
        <translation>blocks %1–%2 are marked in use but no code entry owns them</translation>
    </message>
    <message>
        <source>存储块 %1 标为占用，但不属于任何编码条目</source>
        <translation>block %1 is marked in use but no code entry owns it</translation>
    </message>
    <message>
        <source>按键槽 %1（按键 %2）引用的编码条目 %3 超出了编码索引的 %4 个条目</source>
        <translation>key slot %1 (key %2) refers to code entry %3, past the index’s %4 entries</translation>
    </message>
    <message>
        <source>按键槽 %1（按键 %2）引用的编码条目 %3 是空闲的</source>
        <translation>key slot %1 (key %2) refers to code entry %3, which is free</translation>
    </message>
    <message>
        <source>编码条目 %1 正在使用，但没有按键槽引用它：释放之前，它的存储块无法再用</source>
        <translation>code entry %1 is in use but no key slot refers to it: its blocks are lost until it is freed</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>重试(&amp;R)</source>
        <translation>&amp;Retry</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>RemoteTexts</name>
    <message>
        <source>厂家的设备库 %1</source>
        <translation>the maker&apos;s device library %1</translation>
    </message>
    <message>
        <source>厂家的编码转换库 %1</source>
        <translation>the maker&apos;s converter %1</translation>
    </message>
    <message>
        <source>32位主机程序 %1</source>
        <translation>the 32-bit host %1</translation>
    </message>
    <message>
        <source>配置的是虚拟遥控器</source>
        <translation>Configuring the virtual QTM-418</translation>
    </message>
    <message>
        <source>通过厂家的设备库配置真实的遥控器（%1）</source>
        <translation>Configuring a real QTM-418 through the maker&apos;s library (%1)</translation>
    </message>
    <message>
        <source>%1 不存在，请重新安装本软件。</source>
        <translation>%1 is missing; reinstall the program.</translation>
    </message>
    <message>
        <source>%1 不存在：厂家的 kestrio.dll 和 ConLCode.dll 必须一起使用。</source>
        <translation>%1 is missing: the maker&apos;s kestrio.dll and ConLCode.dll are used together or not at all.</translation>
    </message>
    <message>
        <source>%1 不是 Windows 的库文件，可能已损坏。</source>
        <translation>%1 is not a Windows library; it may be damaged.</translation>
    </message>
    <message>
        <source>%1 是64位的库，需要厂家的32位库。</source>
        <translation>%1 is a 64-bit library; the maker&apos;s 32-bit library is needed.</translation>
    </message>
    <message>
        <source>%1 是其他处理器的库，需要厂家的32位（x86）库。</source>
        <translation>%1 is a library for another processor; the maker&apos;s 32-bit (x86) library is needed.</translation>
    </message>
    <message>
        <source>%1 无法加载（错误 %2）。</source>
        <translation>%1 cannot be loaded (error %2).</translation>
    </message>
    <message>
        <source>%1 缺少函数 %2，不是该遥控器的库。</source>
        <translation>%1 has no function %2; it is not the QTM-418&apos;s library.</translation>
    </message>
    <message>
        <source>%1 在 %2 秒内没有加载完成。</source>
        <translation>%1 did not finish loading within %2 s.</translation>
    </message>
    <message>
        <source>%1 的版本不符，请重新安装本软件。</source>
        <translation>%1 is of another version; reinstall the program.</translation>
    </message>
    <message>
        <source>%1 无法启动：%2</source>
        <translation>%1 cannot be started: %2</translation>
    </message>
    <message>
        <source>%1 停止了应答（%2）。</source>
        <translation>%1 stopped answering (%2).</translation>
    </message>
    <message>
        <source>%1 调用 %2 时写出了缓冲区，该调用已被拒绝。</source>
        <translation>%1 wrote past the buffer %2 was given; the call was refused.</translation>
    </message>
    <message>
        <source>%1 的 %2 在 %3 秒内没有返回，在重新启动本软件之前遥控器视为已断开。</source>
        <translation>%1: %2 did not return within %3 s; the remote counts as unplugged until the program starts again.</translation>
    </message>
    <message>
        <source>%1 在 %2 中崩溃，在重新启动本软件之前遥控器视为已断开。</source>
        <translation>%1 crashed in %2; the remote counts as unplugged until the program starts again.</translation>
    </message>
    <message>
        <source>现在%1。%2</source>
        <translation>%1 now. %2</translation>
    </message>
    <message>
        <source>下次启动本软件时将使用新选择的厂家设备库。</source>
        <translation>The maker&apos;s library chosen last will be used from the next start of the program.</translation>
    </message>
    <message>
        <source>下次启动本软件时将改回虚拟遥控器。</source>
        <translation>The program goes back to the virtual remote at its next start.</translation>
    </message>
    <message>
        <source>所作的选择在下次启动本软件时生效。</source>
        <translation>A choice made here takes effect at the next start of the program.</translation>
    </message>
    <message>
        <source>使用遥控器厂家的设备库（选择 kestrio.dll 和 ConLCode.dll 所在的文件夹）</source>
        <translation>Use the remote&apos;s own device library (choose the folder holding kestrio.dll and ConLCode.dll)</translation>
    </message>
    <message>
        <source>改回虚拟遥控器</source>
        <translation>Go back to the virtual remote</translation>
    </message>
    <message>
        <source>选择厂家的 kestrio.dll 和 ConLCode.dll 所在的文件夹</source>
        <translation>Choose the folder holding the maker&apos;s kestrio.dll and ConLCode.dll</translation>
    </message>
    <message>
        <source>厂家的设备库已复制。下次启动本软件时，将通过它配置真实的遥控器。</source>
        <translation>The maker&apos;s device library has been copied. From the next start the program configures the real remote through it.</translation>
    </message>
    <message>
        <source>配置的已经是虚拟遥控器。</source>
        <translation>The virtual remote is already the one configured.</translation>
    </message>
    <message>
        <source>正在使用的厂家设备库是安装程序放在 %1 中的，请重新运行安装程序来更改。</source>
        <translation>The maker&apos;s device library in use was put in %1 by the installer; run the installer again to change it.</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>SetStepDialog</name>
    <message>
        <source>按品牌设置</source>
        <translation>Set up by brand</translation>
    </message>
    <message>
        <source>第 %1 组，共 %2 组</source>
        <translation>Set %1 of %2</translation>
    </message>
    <message>
        <source>请拿遥控器对准机顶盒，按一下电源键。机顶盒有反应吗？</source>
        <translation>Point the remote at the cable box and press Power once. Did the cable box respond?</translation>
    </message>
    <message>
        <source>请拿遥控器对准电视，按一下电源键。电视有反应吗？</source>
        <translation>Point the remote at the TV and press Power once. Did the TV respond?</translation>
    </message>
    <message>
        <source>有反应(&amp;Y)</source>
        <translation>&amp;Yes, it responded</translation>
    </message>
    <message>
        <source>没有反应，试下一组(&amp;N)</source>
        <translation>&amp;No, try the next set</translation>
    </message>
    <message>
        <source>停止(&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>启动界面</source>
        <translation>Starting</translation>
    </message>
</context>
<context>
    <name>Tmaincodelearn</name>
    <message>
        <source>自学习</source>
        <translation>Self-learning</translation>
    </message>
    <message>
        <source>调用图片出错！</source>
        <translation>Could not load the pictures.</translation>
    </message>
    <message>
        <source>无法读取遥控器的存储内容，请重新插拔USB连接线后再启动自学习软件！</source>
        <translation>Could not read the remote&apos;s memory. Unplug the USB cable, plug it in again and restart the program.</translation>
    </message>
    <message>
        <source>你正在学习，要退出系统请先停止学习！</source>
        <translation>Learning is on. Stop learning before you exit.</translation>
    </message>
    <message>
        <source>未检测到遥控器，请重新连接遥控器！</source>
        <translation>Remote not found — connect the remote again.</translation>
    </message>
    <message>
        <source>您需要关闭自学习软件吗！</source>
        <translation>Do you want to close the program?</translation>
    </message>
    <message>
        <source>第 %1 行的信号</source>
        <translation>Signal on line %1</translation>
    </message>
    <message>
        <source>代码文件 (*.ir *.txt *.pronto *.json *.jsonl *.conf *.csv)</source>
        <translation>Code files (*.ir *.txt *.pronto *.json *.jsonl *.conf *.csv)</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>该代码文件无法使用：
%1</source>
        <translation>This code file cannot be used:
%1</translation>
    </message>
    <message>
        <source>从代码文件学习</source>
        <translation>Learn from a code file</translation>
    </message>
    <message>
        <source>选择信号</source>
        <translation>Choose a signal</translation>
    </message>
    <message>
        <source>该文件有 %1 个信号，请选择要学习到%2键的信号：</source>
        <translation>The file holds %1 signals. Choose the one to learn into the %2 key:</translation>
    </message>
    <message>
        <source>该信号无法学习：
%1</source>
        <translation>This signal cannot be learned:
%1</translation>
    </message>
    <message>
        <source>%1键编码已学习过，要重新学习吗?</source>
        <translation>The %1 key is already learned. Learn it again?</translation>
    </message>
    <message>
        <source>%1键正在学习！</source>
        <translation>Learning the %1 key</translation>
    </message>
    <message>
        <source>已接收到遥控器编码！</source>
        <translation>Code received.</translation>
    </message>
    <message>
        <source>%1键学习成功！</source>
        <translation>The %1 key is learned.</translation>
    </message>
    <message>
        <source>从代码文件学习整组按键</source>
        <translation>Learn a key group from a code file</translation>
    </message>
    <message>
        <source>电视</source>
        <translation>TV</translation>
    </message>
    <message>
        <source>机顶盒</source>
        <translation>Cable box</translation>
    </message>
    <message>
        <source>选择按键组</source>
        <translation>Choose a key group</translation>
    </message>
    <message>
        <source>要把代码文件学习到遥控器的哪一组按键？</source>
        <translation>Which key group of the remote should the code file be learned into?</translation>
    </message>
    <message>
        <source>代码文件中没有与%1按键对应的按钮名称，没有学习任何按键。</source>
        <translation>The code file names no button that matches a %1 key; no key was learned.</translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>%1：没有对应的按键</source>
        <translation>%1: no matching key</translation>
    </message>
    <message>
        <source>无法学习：%1</source>
        <translation>Cannot learn: %1</translation>
    </message>
    <message>
        <source>将把以下 %1 个按钮学习到%2按键上：</source>
        <translation>These %1 buttons will be learned into the %2 keys:</translation>
    </message>
    <message>
        <source>正在学习按键…</source>
        <translation>Learning keys…</translation>
    </message>
    <message>
        <source>正在学习 %1（%2/%3）</source>
        <translation>Learning %1 (%2/%3)</translation>
    </message>
    <message>
        <source>按键 %1 学习失败：%2
之后的按键没有学习。</source>
        <translation>Learning key %1 failed: %2
The keys after it were not learned.</translation>
    </message>
    <message>
        <source>没有学习任何按键。</source>
        <translation>No key was learned.</translation>
    </message>
    <message>
        <source>已从代码文件学习了 %1 个按键：%2。</source>
        <translation>%1 keys learned from the code file: %2.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>没有可以导出的已学习按键！</source>
        <translation>There are no learned keys to export.</translation>
    </message>
    <message>
        <source>Flipper 红外文件 (*.ir)</source>
        <translation>Flipper infrared files (*.ir)</translation>
    </message>
    <message>
        <source>Pronto 编码 (*.txt)</source>
        <translation>Pronto codes (*.txt)</translation>
    </message>
    <message>
        <source>LIRC 配置文件 (*.conf)</source>
        <translation>LIRC configuration files (*.conf)</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json)</source>
        <translation>JSON files (*.json)</translation>
    </message>
    <message>
        <source>导出已学习的按键</source>
        <translation>Export learned keys</translation>
    </message>
    <message>
        <source>无法写入文件 %1，没有导出任何按键。</source>
        <translation>Could not write the file %1; no key was exported.</translation>
    </message>
    <message>
        <source>已导出 %1 个按键到 %2</source>
        <translation>%1 keys exported to %2</translation>
    </message>
    <message>
        <source>找不到帮助文件！</source>
        <translation>The help file was not found.</translation>
    </message>
    <message>
        <source>帮助文件无法打开，请安装能阅读CHM文件的程序（如xchm）！</source>
        <translation>The help file cannot be opened. Install a program that reads CHM files (such as xchm).</translation>
    </message>
    <message>
        <source>您的软件目前不需要升级！</source>
        <translation>Your software is up to date.</translation>
    </message>
    <message>
        <source>软件正在学习状态，要升级请退出学习状态！</source>
        <translation>Learning is on. Stop learning before you update.</translation>
    </message>
    <message>
        <source>软件正在删除状态，要升级请退出删除状态！</source>
        <translation>Deleting is on. Stop deleting before you update.</translation>
    </message>
    <message>
        <source>你目前的显示器分辨率是%1*%2<byte value="xd"/>
为了运行该软件，你的显示器分辨率至少要1024*768</source>
        <translation>Your screen resolution is %1*%2<byte value="xd"/>
This program needs a screen resolution of at least 1024*768</translation>
    </message>
    <message>
        <source>现在正在学习状态，要删除请先停止学习！</source>
        <translation>Learning is on. Stop learning before you delete.</translation>
    </message>
    <message>
        <source>请在左面遥控器上选择待删除的按键！</source>
        <translation>Choose the key to delete on the remote on the left.</translation>
    </message>
    <message>
        <source>该键还没有自学习过，无法删除！</source>
        <translation>This key has not been learned, so it cannot be deleted.</translation>
    </message>
    <message>
        <source>该按键还没有自学习过，无法删除！</source>
        <translation>This key has not been learned, so it cannot be deleted.</translation>
    </message>
    <message>
        <source>你确实要删除该自学习按键的编码？</source>
        <translation>Delete the learned code of this key?</translation>
    </message>
    <message>
        <source>删除操作成功！</source>
        <translation>Key deleted.</translation>
    </message>
    <message>
        <source>删除操作失败！</source>
        <translation>Deleting failed.</translation>
    </message>
    <message>
        <source>现在是自学习遥控器按键编码状态，要清空请先点击&quot;停止学习&quot;按钮！</source>
        <translation>Learning is on. Click &quot;Stop learning&quot; before you clear all.</translation>
    </message>
    <message>
        <source>现在是删除单个遥控器按键编码状态，要清空请先点击&quot;停止删除&quot;按钮！</source>
        <translation>Deleting is on. Click &quot;Stop deleting&quot; before you clear all.</translation>
    </message>
    <message>
        <source>没有可清空的按键的编码！</source>
        <translation>There are no learned keys to clear.</translation>
    </message>
    <message>
        <source>你确实要清空所有自学习过的按键的编码吗？</source>
        <translation>Clear the codes of all learned keys?</translation>
    </message>
    <message>
        <source>清空操作完成！</source>
        <translation>All keys cleared.</translation>
    </message>
    <message>
        <source>现在在删除状态，要学习请先停止删除！</source>
        <translation>Deleting is on. Stop deleting before you learn.</translation>
    </message>
    <message>
        <source>请在左面遥控器上点击待学习的按键！</source>
        <translation>Click the key to learn on the remote on the left.</translation>
    </message>
    <message>
        <source>%1按键正在学习，要停止%1按键,请点击停止学习按钮</source>
        <translation>The %1 key is being learned. To stop learning the %1 key, click Stop learning.</translation>
    </message>
    <message>
        <source>请先点击开始学习按钮！</source>
        <translation>Click Learn first.</translation>
    </message>
    <message>
        <source>准备学习%1按键， 请发码</source>
        <translation>Ready to learn the %1 key. Press the button on the other remote.</translation>
    </message>
    <message>
        <source>请重新选择按键进行学习！</source>
        <translation>Choose a key to learn again.</translation>
    </message>
    <message>
        <source>学习失败！</source>
        <translation>Learning failed.</translation>
    </message>
    <message>
        <source>无法识别现在连接的遥控器，请检查USB连接线！</source>
        <translation>The remote now connected is not recognised. Check the USB cable.</translation>
    </message>
    <message>
        <source>遥控器备份 (*.qtm418)</source>
        <translation>Remote backups (*.qtm418)</translation>
    </message>
    <message>
        <source>备份遥控器</source>
        <translation>Back up remote</translation>
    </message>
    <message>
        <source>正在备份遥控器…</source>
        <translation>Backing up the remote…</translation>
    </message>
    <message>
        <source>正在读取遥控器的存储…</source>
        <translation>Reading the remote&apos;s memory…</translation>
    </message>
    <message>
        <source>无法写入文件 %1，没有写入备份。</source>
        <translation>Could not write the file %1; no backup was written.</translation>
    </message>
    <message>
        <source>遥控器的全部存储已备份到 %1</source>
        <translation>The remote&apos;s whole memory is backed up to %1</translation>
    </message>
    <message>
        <source>从备份恢复</source>
        <translation>Restore from backup</translation>
    </message>
    <message>
        <source>无法读取文件 %1，没有写入任何内容。</source>
        <translation>Could not read the file %1; nothing was written.</translation>
    </message>
    <message>
        <source>该备份文件无法使用（第 %1 行：%2），没有写入任何内容。</source>
        <translation>This backup file cannot be used (line %1: %2); nothing was written.</translation>
    </message>
    <message>
        <source>正在恢复遥控器…</source>
        <translation>Restoring the remote…</translation>
    </message>
    <message>
        <source>正在写入遥控器…</source>
        <translation>Writing to the remote…</translation>
    </message>
    <message>
        <source>正在校验…</source>
        <translation>Verifying…</translation>
    </message>
    <message>
        <source>修复(&amp;F)</source>
        <translation>&amp;Fix</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>这些问题需要人工判断，无法自动修复，没有写入任何内容。</source>
        <translation>These problems need a person&apos;s judgement and cannot be repaired automatically; nothing was written.</translation>
    </message>
    <message>
        <source>查看编码(&amp;V)</source>
        <translation>&amp;View code</translation>
    </message>
    <message>
        <source>从代码文件学习(&amp;L)…</source>
        <translation>&amp;Learn from code file…</translation>
    </message>
    <message>
        <source>删除此键(&amp;D)</source>
        <translation>&amp;Delete key</translation>
    </message>
    <message>
        <source>备份遥控器(&amp;B)…</source>
        <translation>&amp;Back up remote…</translation>
    </message>
    <message>
        <source>从备份恢复(&amp;R)…</source>
        <translation>&amp;Restore from backup…</translation>
    </message>
    <message>
        <source>从代码文件学习整组按键(&amp;A)…</source>
        <translation>Learn &amp;all keys from code file…</translation>
    </message>
    <message>
        <source>导出已学习的按键(&amp;E)…</source>
        <translation>&amp;Export learned keys…</translation>
    </message>
    <message>
        <source>检查遥控器存储(&amp;C)</source>
        <translation>&amp;Check remote memory</translation>
    </message>
    <message>
        <source>正在读取代码库…</source>
        <translation>Reading the code library…</translation>
    </message>
    <message>
        <source>无法读取代码库的文件夹列表：%1</source>
        <translation>Cannot read the code library&apos;s list of folders: %1</translation>
    </message>
    <message>
        <source>从代码组学习整组按键</source>
        <translation>Learn keys from a code set</translation>
    </message>
    <message>
        <source>只有%1键学习了代码组“%2”的电源编码。</source>
        <translation>Only the %1 key holds the Power code of the code set “%2”.</translation>
    </message>
    <message>
        <source>已停止。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>正在恢复%1键…</source>
        <translation>Putting the %1 key back…</translation>
    </message>
    <message>
        <source>%1键已恢复为搜索前的状态。</source>
        <translation>The %1 key is back as it was before the search.</translation>
    </message>
    <message>
        <source>%1键无法恢复为搜索前的状态：%2</source>
        <translation>The %1 key could not be put back as it was: %2</translation>
    </message>
    <message>
        <source>按品牌设置(&amp;S)…</source>
        <translation>&amp;Set up by brand…</translation>
    </message>
    <message>
        <source>代码库(&amp;K)…</source>
        <translation>Code &amp;library…</translation>
    </message>
    <message numerus="yes">
        <source>已从代码组“%1”学习了 %n 个按键：%2。</source>
        <translation>
            <numerusform>Learned %n key from the code set “%1”: %2.</numerusform>
            <numerusform>Learned %n keys from the code set “%1”: %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已试完全部 %n 组代码。</source>
        <translation>
            <numerusform>The only code set has been tried.</numerusform>
            <numerusform>All %n code sets have been tried.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>有 %n 组代码无法试用：%1</source>
        <translation>
            <numerusform>%n code set could not be tried: %1</numerusform>
            <numerusform>%n code sets could not be tried: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>下载代码库</source>
        <translation>Download code library</translation>
    </message>
    <message>
        <source>选择要下载的遥控器代码集合。它将解压到 %1 文件夹中，并自动加入代码库。</source>
        <translation>Choose the collection of remote codes to download. It is unpacked into the folder %1 and joins the code library by itself.</translation>
    </message>
    <message>
        <source>代码库中还没有代码文件，因此无法按品牌设置。
要现在下载一个遥控器代码集合（例如 Flipper-IRDB）吗？</source>
        <translation>The code library holds no code files yet, so there is nothing to set up by brand with.
Download a collection of remote codes (such as Flipper-IRDB) now?</translation>
    </message>
    <message>
        <source>下载代码库(&amp;D)…</source>
        <translation>&amp;Download code library…</translation>
    </message>
    <message>
        <source>只有按键 %1 学习了代码组“%2”的编码。</source>
        <translation>Only the keys %1 hold the codes of the code set “%2”.</translation>
    </message>
    <message>
        <source>正在恢复按键 %1…</source>
        <translation>Putting the keys %1 back…</translation>
    </message>
    <message>
        <source>按键 %1 已恢复为搜索前的状态。</source>
        <translation>The keys %1 are back as they were before the search.</translation>
    </message>
    <message>
        <source>按键 %1 无法恢复为搜索前的状态：%2</source>
        <translation>The keys %1 could not be put back as they were: %2</translation>
    </message>
    <message>
        <source>遥控器的设备库(&amp;M)…</source>
        <translation>The remote&apos;s device &amp;library…</translation>
    </message>
    <message>
        <source>遥控器的设备库</source>
        <translation>The remote&apos;s device library</translation>
    </message>
</context>
<context>
    <name>librarytexts</name>
    <message>
        <source>代码库中还没有代码文件。
可以从 Flipper-IRDB、IRDB、SmartIR 或 LIRC 等遥控器代码集合下载代码文件（.ir、.json、.csv、lircd.conf 等），放到一个文件夹中，然后在窗口菜单的“代码库”中点击“添加文件夹”；放到 %1 文件夹中的代码文件也会自动加入代码库。</source>
        <translation>The code library holds no code files yet.
Download code files (.ir, .json, .csv, lircd.conf, …) from a collection of remote codes such as Flipper-IRDB, IRDB, SmartIR or LIRC, put them in a folder, then choose Add folder in Code library on the window menu. Code files put in the folder %1 join the library by themselves.</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>机顶盒</source>
        <translation>Cable box</translation>
    </message>
    <message>
        <source>电视</source>
        <translation>TV</translation>
    </message>
    <message>
        <source>请按一下%1键。机顶盒有反应吗？</source>
        <translation>Press %1 once. Did the cable box respond?</translation>
    </message>
    <message>
        <source>请按一下%1键。电视有反应吗？</source>
        <translation>Press %1 once. Did the TV respond?</translation>
    </message>
</context>
<context>
    <name>runCancellable</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>正在取消…</source>
        <translation>Cancelling…</translation>
    </message>
</context>
</TS>
