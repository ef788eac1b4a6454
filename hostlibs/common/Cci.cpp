#include "module/host/Cci.h"

#include "hostlibs/common/PageList.h"
#include "platform/afx/Utf8.h"

#include <curl/curl.h>

#include <mutex>
#include <optional>

namespace {

// A browser on this machine answers at once; one that does not within this is taken as not running.
constexpr long kTimeoutMs = 1000;
// A list of pages is small; anything far larger is not the endpoint we asked for.
constexpr std::size_t kMaxBody = 4 * 1024 * 1024;

void InitialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* userdata) {
    auto* body = static_cast<std::string*>(userdata);
    const std::size_t bytes = size * count;
    if (body->size() + bytes > kMaxBody)
        return 0;  // ends the transfer with an error
    body->append(data, bytes);
    return bytes;
}

// A topic is "host:port" and nothing more: a path, a query or user credentials in it would make the
// request something other than the page list.
bool IsEndpoint(const std::string& topic) {
    return !topic.empty() && topic.find_first_of("/?#@ \t\r\n") == std::string::npos;
}

// The body of http://TOPIC/json/list when it answers 200 in time.
std::optional<std::string> FetchPageList(const std::string& topic) {
    CURL* easy = curl_easy_init();
    if (easy == nullptr)
        return std::nullopt;
    const std::string url = "http://" + topic + "/json/list";
    std::string body;
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    // The endpoint is the browser itself, never a proxy the environment names.
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, kTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, kTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    long status = 0;
    const bool answered = curl_easy_perform(easy) == CURLE_OK &&
                          curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status == 200;
    curl_easy_cleanup(easy);
    if (!answered)
        return std::nullopt;
    return body;
}

}  // namespace

Cci::Cci(const CStringArray& topics, HWND) {
    for (INT_PTR i = 0; i < topics.GetSize(); ++i)
        topics_.push_back(afx::EncodeUtf8(topics[i].ToStdString()));
}

BOOL Cci::GetWindowInfo(CString& url, CString& title, DWORD flags) {
    InitialiseCurlOnce();
    for (const std::string& topic : topics_) {
        if (!IsEndpoint(topic))
            continue;
        const std::optional<std::string> body = FetchPageList(topic);
        if (!body)
            continue;
        const std::optional<tarn::browser::ListedPage> page = tarn::browser::FirstListedPage(*body);
        if (!page)
            continue;
        if (flags & WINDOW_INFO_URL)
            url = afx::DecodeUtf8(page->url);
        if (flags & WINDOW_INFO_TITLE)
            title = afx::DecodeUtf8(page->title);
        return TRUE;
    }
    return FALSE;
}
