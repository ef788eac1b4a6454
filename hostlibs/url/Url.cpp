#include "contracts/host/Url.h"

#include <string>
#include <string_view>
#include <utility>

#include "hostlibs/url/UrlLayout.h"

namespace {

std::u16string_view viewOf(const CString& s) {
    return {s.GetString(), static_cast<std::size_t>(s.GetLength())};
}

}  // namespace

Url::Url(const CString& url) : text_(tarn::url::cleanUrlText(viewOf(url))) {
    const std::u16string_view text = viewOf(text_);
    const tarn::url::UrlLayout layout = tarn::url::layOutUrl(text);
    for (std::size_t i = 0; i < elements_.size(); ++i)
        elements_[i] = CString(text.substr(layout.elements[i].begin, layout.elements[i].length));
    pathEnd_ = layout.pathEnd;
    paramsDelimiter_ = layout.paramsDelimiter;
    fragmentDelimiter_ = layout.fragmentDelimiter;
    special_ = layout.special;
}

Url::~Url() = default;

const CString& Url::get_element(tarn::URL_ELEMENT element) const {
    static const CString kEmpty;
    if (element < 0 || static_cast<std::size_t>(element) >= elements_.size())
        return kEmpty;
    return elements_[static_cast<std::size_t>(element)];
}

CString Url::get_url_woparams() const {
    if (paramsDelimiter_ == kNone)
        return text_;
    const std::u16string_view text = viewOf(text_);
    std::u16string result(text.substr(0, paramsDelimiter_));
    result += text.substr(pathEnd_);
    return CString(std::move(result));
}

CString Url::requestUrl() const {
    std::u16string result(viewOf(text_).substr(0, fragmentDelimiter_));
    if (special_)
        for (std::size_t i = 0; i < pathEnd_; ++i)
            if (result[i] == u'\\')
                result[i] = u'/';
    return CString(std::move(result));
}
