// What is wrong with a code file, in the window's words: the file and line, the signal, row or
// command the fault lies in, and the fault itself. No widgets.
#pragma once

#include "codes/fileproblem.h"

#include <QString>

namespace codefiletexts {

// "/home/me/tv.ir 第 5 行：应为“字段: 值”的格式".
QString problemText(const codes::FileProblem& problem);

} // namespace codefiletexts
