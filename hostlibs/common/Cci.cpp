#include "contracts/host/Cci.h"

#include "hostlibs/common/BrowserEndpoints.h"
#include "hostlibs/common/BrowserPageList.h"
#include "hostlibs/run/RunContext.h"
#include "platform/win/Utf8.h"

#include <curl/curl.h>

#include <mutex>
#include <optional>
#include <string>

namespace {

// A browser on this machine answers at once; one that does not within this is taken as not running.
constexpr long kTimeoutMs = 1000;
// A list of pages is small; anything far larger is not the endpoint we asked for.
constexpr std::size_t kMaxBody = 4 * 1024 * 1024;
// What the dialog's one-line edit box holds (its default limit, in UTF-16 units): a longer URL could not
// be typed there, and would only be cut or slow the box down.
constexpr std::size_t kLongestUrl = 32767;

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

std::string JoinTopics(const std::vector<std::string>& topics) {
    std::string joined;
    for (const std::string& topic : topics)
        joined += (joined.empty() ? "" : ", ") + topic;
    return joined;
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
        topics_.push_back(win::EncodeUtf8(topics[i].ToStdString()));
}

BOOL Cci::GetWindowInfo(CString& url, CString& title, DWORD flags) {
    InitialiseCurlOnce();
    std::vector<std::string> silent;
    std::vector<std::string> withoutPage;
    for (const std::string& topic : topics_) {
        // Whoever made the topics, only this machine is asked.
        if (!tarn::browser::isLoopbackEndpoint(topic))
            continue;
        const std::optional<std::string> body = FetchPageList(topic);
        const tarn::browser::PageListAnswer answer = body ? tarn::browser::ReadPageList(*body) : tarn::browser::PageListAnswer{};
        if (!answer.isList) {
            silent.push_back(topic);
            continue;
        }
        const std::optional<tarn::browser::ListedPage>& page = answer.page;
        if (!page) {
            withoutPage.push_back(topic);
            continue;
        }
        const std::u16string pageUrl = win::DecodeUtf8(page->url);
        if (pageUrl.size() > kLongestUrl) {
            tarn::currentRun()->notice("the browser at " + topic + " shows a page whose URL is " +
                                       std::to_string(pageUrl.size()) + " characters long, more than the " +
                                       std::to_string(kLongestUrl) + " the new URL can have: not taken");
            return FALSE;
        }
        if (flags & WINDOW_INFO_URL)
            url = pageUrl;
        if (flags & WINDOW_INFO_TITLE)
            title = win::DecodeUtf8(page->title);
        return TRUE;
    }
    // The dialog stays silent; the program shows the line where it has a place for one.
    const std::shared_ptr<tarn::RunContext> run = tarn::currentRun();
    if (!withoutPage.empty())
        run->notice("the browser at " + JoinTopics(withoutPage) + " shows no web page");
    else if (!silent.empty())
        run->notice("no browser answers at " + JoinTopics(silent) +
                    "; start one with --remote-debugging-port=9222 and a profile folder of its own "
                    "(--user-data-dir), or give its port with --browser 127.0.0.1:PORT");
    else
        run->notice("no browser to ask for its page: give one with --browser 127.0.0.1:PORT");
    return FALSE;
}
