#include "platform/afx/CException.h"

#include <algorithm>
#include <string_view>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() = default;

void CException::Delete() {
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError != 0)
        *lpszError = u'\0';
    return FALSE;
}

CSimpleException::CSimpleException(LPCWSTR lpszMessage, BOOL bAutoDelete)
    : CException(bAutoDelete), m_lpszMessage(lpszMessage) {}

BOOL CSimpleException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    const std::u16string_view message(m_lpszMessage);
    const std::size_t copied = std::min<std::size_t>(message.size(), nMaxError - 1);
    std::copy_n(message.data(), copied, lpszError);
    lpszError[copied] = u'\0';
    return TRUE;
}

CInvalidArgException::CInvalidArgException(BOOL bAutoDelete)
    : CSimpleException(u"Encountered an improper argument.", bAutoDelete) {}

CMemoryException::CMemoryException(BOOL bAutoDelete) : CSimpleException(u"Out of memory.", bAutoDelete) {}

CNotSupportedException::CNotSupportedException(BOOL bAutoDelete)
    : CSimpleException(u"Attempted an unsupported operation.", bAutoDelete) {}

void AfxThrowInvalidArgException() { throw new CInvalidArgException; }

void AfxThrowNotSupportedException() { throw new CNotSupportedException; }

void AfxThrowMemoryException() {
    static CMemoryException preallocated(FALSE);
    throw &preallocated;
}
