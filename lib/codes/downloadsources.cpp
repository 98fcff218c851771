#include "downloadsources.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace codes {

namespace {

std::string lowerCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

struct Address {
    std::string scheme, host;       // lower case; the host without its port
    std::vector<std::string> parts; // the path's parts, without the query
};

std::optional<Address> parseAddress(std::string_view text) {
    const auto colon = text.find("://");
    if (colon == std::string_view::npos || colon == 0)
        return std::nullopt;
    Address address;
    address.scheme = lowerCase(text.substr(0, colon));
    std::string_view rest = text.substr(colon + 3);
    const auto end = rest.find_first_of("?#");
    rest = rest.substr(0, end);
    const auto slash = rest.find('/');
    std::string_view authority = rest.substr(0, slash);
    if (const auto at = authority.rfind('@'); at != std::string_view::npos)
        authority = authority.substr(at + 1);
    // "[::1]:8080" keeps its brackets; "host:443" loses its port.
    const auto port = authority.rfind(':');
    if (port != std::string_view::npos && authority.find(']', port) == std::string_view::npos)
        authority = authority.substr(0, port);
    address.host = lowerCase(authority);
    if (address.host.empty())
        return std::nullopt;
    if (slash != std::string_view::npos) {
        std::string_view path = rest.substr(slash + 1);
        while (!path.empty()) {
            const auto next = path.find('/');
            if (const auto part = path.substr(0, next); !part.empty())
                address.parts.emplace_back(part);
            path = next == std::string_view::npos ? std::string_view() : path.substr(next + 1);
        }
    }
    return address;
}

bool isThisComputer(const std::string& host) {
    return host == "127.0.0.1" || host == "localhost" || host == "[::1]";
}

// "owner/repo" of a GitHub archive address, "" for any other.
std::string githubRepository(const Address& address) {
    const auto& p = address.parts;
    const bool codeload = address.host == "codeload.github.com" && p.size() >= 3;
    const bool archive = address.host == "github.com" && p.size() >= 3 && p[2] == "archive";
    return codeload || archive ? lowerCase(p[0] + "/" + p[1]) : std::string();
}

// A folder name from the archive's own: "main.zip" of repository Foo is Foo; letters outside
// ASCII, spaces and separators become '_', and it never starts with a dot.
std::string folderName(const Address& address) {
    std::string name;
    if (!githubRepository(address).empty()) {
        name = address.parts[1];
    } else if (!address.parts.empty()) {
        name = address.parts.back();
        for (const char* suffix : {".tar.gz", ".tgz", ".tar", ".zip"}) {
            const std::string_view s(suffix);
            if (name.size() > s.size() && lowerCase(name).ends_with(s)) {
                name.resize(name.size() - s.size());
                break;
            }
        }
    }
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.')
            c = '_';
    name.erase(0, name.find_first_not_of('.'));
    if (name.size() > 64)
        name.resize(64);
    return name.empty() ? "download" : name;
}

} // namespace

const std::vector<Collection>& knownCollections() {
    static const std::vector<Collection> all = {
        {"Flipper-IRDB", "https://github.com/Lucaslhm/Flipper-IRDB",
         "https://codeload.github.com/Lucaslhm/Flipper-IRDB/zip/refs/heads/main", Licence::Cc0, 25u << 20},
        {"IRDB", "https://github.com/probonopd/irdb",
         "https://codeload.github.com/probonopd/irdb/tar.gz/refs/heads/master", Licence::Irdb, 3u << 20},
        {"SmartIR", "https://github.com/smartHomeHub/SmartIR",
         "https://codeload.github.com/smartHomeHub/SmartIR/tar.gz/refs/heads/master", Licence::Mit, 5u << 20},
    };
    return all;
}

const Collection* findCollection(std::string_view name) {
    const std::string wanted = lowerCase(name);
    for (const Collection& collection : knownCollections())
        if (lowerCase(collection.name) == wanted)
            return &collection;
    return nullptr;
}

bool licenceNeedsConsent(Licence licence) { return licence == Licence::Irdb; }

bool looksLikeAddress(std::string_view word) { return word.find("://") != std::string_view::npos; }

std::variant<Collection, DownloadProblem> collectionAt(std::string_view text) {
    const auto address = parseAddress(text);
    const bool allowed = address && (address->scheme == "https" ||
                                     (address->scheme == "http" && isThisComputer(address->host)));
    if (!allowed)
        return DownloadProblem{.fault = DownloadFault::AddressRefused, .text = std::string(text)};
    const std::string repository = githubRepository(*address);
    for (const Collection& known : knownCollections()) {
        const auto page = parseAddress(known.page);
        if (!repository.empty() && repository == lowerCase(page->parts[0] + "/" + page->parts[1]))
            return Collection{known.name, known.page, std::string(text), known.licence, 0};
    }
    return Collection{folderName(*address), {}, std::string(text), Licence::Unknown, 0};
}

} // namespace codes
