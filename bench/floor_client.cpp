// The floor of a check: the same HEAD requests in sequence on one kept-alive connection, nothing else.
// Usage: floor_client URL_FILE (one URL a line); prints the seconds taken.
#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: floor_client URL_FILE\n");
        return 2;
    }
    std::vector<std::string> urls;
    std::ifstream in(argv[1]);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            urls.push_back(line);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    const auto start = std::chrono::steady_clock::now();
    int failed = 0;
    for (const std::string& url : urls) {
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        if (curl_easy_perform(easy) != CURLE_OK)
            ++failed;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    curl_easy_cleanup(easy);
    std::printf("%.3f\n", seconds);
    return failed == 0 ? 0 : 1;
}
