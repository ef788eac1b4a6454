#include "hostlibs/dom/charset/Converter.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>
#include <string>

namespace tarn::charset {
namespace {

iconv_t openDescriptor(const char* to, const char* from) { return iconv_open(to, from); }

bool failed(iconv_t cd) { return cd == reinterpret_cast<iconv_t>(-1); }

Converter::Result resultOf(std::size_t rc) {
    if (rc != static_cast<std::size_t>(-1)) return Converter::Result::Done;
    switch (errno) {
    case E2BIG:
        return Converter::Result::OutputFull;
    case EINVAL:
        return Converter::Result::Incomplete;
    default:
        return Converter::Result::Invalid;
    }
}

}  // namespace

Converter::Converter(const char* to, const char* from) : cd_(openDescriptor(to, from)) {
    if (failed(cd_)) throw std::runtime_error(std::string("no conversion from ") + from + " to " + to);
}

Converter::~Converter() { iconv_close(cd_); }

bool Converter::available(const char* to, const char* from) {
    iconv_t cd = openDescriptor(to, from);
    if (failed(cd)) return false;
    iconv_close(cd);
    return true;
}

Converter::Result Converter::convert(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
    // iconv never writes through its input pointer; its signature just predates const.
    char* src = const_cast<char*>(in);
    const std::size_t rc = iconv(cd_, &src, &inLeft, &out, &outLeft);
    in = src;
    return resultOf(rc);
}

Converter::Result Converter::finish(char*& out, std::size_t& outLeft) {
    return resultOf(iconv(cd_, nullptr, nullptr, &out, &outLeft));
}

}  // namespace tarn::charset
