// What the window says about downloading code collections: each collection with its size and
// licence, IRDB's conditions, how far a download has come, and every problem. No widgets.
#pragma once

#include "codes/download.h"

#include <QString>

namespace downloadtexts {

// "Flipper-IRDB — 约 25.0 MB，许可：CC0 1.0（可自由使用）".
QString collectionLine(const codes::Collection& collection, bool downloaded);

// The licence's conditions and the question whether to download under them.
QString consentQuestion(const codes::Collection& collection);

// "正在下载 Flipper-IRDB：3.2 MB，1.1 MB/秒" and the like.
QString progressText(const codes::Collection& collection, const codes::DownloadProgress& progress);

// The problem alone: "服务器上没有这个文件（404）：https://…".
QString problemText(const codes::DownloadProblem& problem);

// What the owner is told when the download has ended, however it ended.
QString outcomeText(const codes::Collection& collection,
                    const std::variant<codes::Downloaded, codes::DownloadProblem>& outcome);

// "812 字节", "20.5 KB", "13.1 MB".
QString byteSize(std::uint64_t bytes);

} // namespace downloadtexts
