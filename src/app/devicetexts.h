// The texts that the remote's checks and the link monitor word without the toolkit, in the
// desktop's language when the window shows them.
#pragma once

#include <QString>

#include <string>

namespace devicetexts {

// `text` translated when it is one of the known device texts (with the maker's web site or the
// firmware's version characters filled in where they belong); otherwise as it is.
QString translated(const QString& text);
QString translated(const std::string& text);
QString translated(const char* text); // UTF-8

} // namespace devicetexts
