#pragma once
#include <cstddef>

namespace tarn::charset {

// One glibc iconv conversion descriptor, owned. Not copyable: the descriptor carries shift state.
class Converter {
public:
    enum class Result {
        Done,        // all input converted
        OutputFull,  // stopped before a character whose text does not fit
        Invalid,     // stopped at a sequence the source encoding does not allow (or the target cannot hold)
        Incomplete,  // the input ends inside a sequence
    };

    // Throws std::runtime_error when glibc has no such conversion.
    Converter(const char* to, const char* from);
    ~Converter();
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    static bool available(const char* to, const char* from);

    // Converts from `in`, advancing both sides past what was done.
    Result convert(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft);
    // Writes what returns the output to its initial shift state.
    Result finish(char*& out, std::size_t& outLeft);

private:
    void* cd_;
};

}  // namespace tarn::charset
