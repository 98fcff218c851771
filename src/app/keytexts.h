// What a key holds and sends, in the window's words: the tip over each key, its accessible name,
// and the lines of its code view. No widgets.
#pragma once

#include "device/keylisting.h"

#include <QString>

namespace keytexts {

// "没有编码", "已下载" or "已学习".
QString stateText(const device::KeyReport& key);
// "NEC 地址 32 命令 8", "原始信号，载波 38000 Hz", or "无法识别的编码" when it plays nothing.
QString sendsText(const device::KeyReport& key);
// "TV/Up — 已学习：NEC 地址 32 命令 8", "CBL/5 — 没有编码".
QString keyTip(const device::KeyReport& key);
// The stored code: "预置编码 00A1B2", or "已存储的编码 0A1B2C（条目 3，2 个存储块，与 05 共用）".
QString codeText(const device::KeyReport& key);
// Every duration of one press in microseconds, marks and spaces in turn; empty without a code.
QString durationsText(const device::KeyReport& key);
// A key button's name (its Path, "TV/静音") as the messages about it say it: in English "TV/Mute".
QString pathText(const QString& path);

} // namespace keytexts
