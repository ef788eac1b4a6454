#include "hostlibs/url/RequestRules.h"

namespace tarn {

// Measured on servers we can run: Python's http.server answers HEAD with 501 unless its handler
// defines HEAD; a hand-written Node.js router that matches method and path together answers 404; many
// frameworks answer 405. Signed storage URLs cover the method in their signature and answer a HEAD
// with 403, and handlers never tried with HEAD fail with 400 or 500. The retry costs one request and no
// body, and only for a link that would otherwise be reported broken. Left alone: 401 and 407
// (credentials), 410 (gone on purpose), 429 (a second request feeds the rate limit), 502, 503, 504
// (down for every method).
bool asksAgainWithGet(int status) {
    switch (status) {
        case 400:
        case 403:
        case 404:
        case 405:
        case 500:
        case 501:
            return true;
        default:
            return false;
    }
}

const std::string& checkerUserAgent() {
    static const std::string agent = "tarnlink/" TARN_VERSION " (+link checker)";
    return agent;
}

void applyRequestOptions(CURL* easy) {
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // An abandoned name lookup finishes on its own thread instead of being waited for, so an abort
    // during resolving ends at once.
    curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    // A proxy tunnel's own "200 Connection established" is not the server's answer.
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
}

namespace {

// The headers an answer is read for: when to ask a refusing host again, and what a bot wall says.
constexpr std::string_view kKeptHeaders[] = {"retry-after", "cf-mitigated"};

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lowerAscii(text[i]) != prefix[i])
            return false;
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

}  // namespace

bool AnswerHead::take(std::string_view line) {
    if (line.starts_with("HTTP/")) {
        lastStatus = statusOfLine(line);
        headers.clear();
        location.clear();
        return false;
    }
    if ((line == "\r\n" || line == "\n") && lastStatus >= 200) {
        finalStatus = lastStatus;
        return true;
    }
    if (constexpr std::string_view kLocation = "location"; line.size() > kLocation.size() &&
                                                             line[kLocation.size()] == ':' &&
                                                             startsWithIgnoringCase(line, kLocation)) {
        location = trimmed(line.substr(kLocation.size() + 1));
        return false;
    }
    for (const std::string_view name : kKeptHeaders) {
        if (line.size() > name.size() && line[name.size()] == ':' && startsWithIgnoringCase(line, name)) {
            headers.emplace_back(name, trimmed(line.substr(name.size() + 1)));
            break;
        }
    }
    return false;
}

std::size_t refuseBody(char*, std::size_t size, std::size_t count, void*) {
    // An empty write passes.
    return size * count == 0 ? 0 : CURL_WRITEFUNC_ERROR;
}

int statusOfLine(std::string_view line) {
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || line.size() < space + 4)
        return 0;
    int status = 0;
    for (const char digit : line.substr(space + 1, 3)) {
        if (digit < '0' || digit > '9')
            return 0;
        status = status * 10 + (digit - '0');
    }
    return status;
}

}  // namespace tarn
