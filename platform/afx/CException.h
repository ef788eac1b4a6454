#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CObject.h"
#include "platform/win/WinTypes.h"

// The framework's exceptions are thrown as pointers: `throw new CInvalidArgException`. The handler
// catches CException*, reads it, and calls Delete(), which frees heap-allocated exceptions and leaves
// preallocated ones (such as the out-of-memory exception) alone.
class AFX_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE);
    ~CException() override;

    virtual void Delete();

    // Writes the message, cut to nMaxError - 1 characters and terminated, into lpszError. Returns FALSE
    // (and writes an empty string where it can) when there is no message or no room for one.
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;

protected:
    BOOL m_bAutoDelete;
};

// An exception whose message is a fixed text.
class AFX_API CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

protected:
    CSimpleException(LPCWSTR lpszMessage, BOOL bAutoDelete);

private:
    LPCWSTR m_lpszMessage;
};

class AFX_API CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE);
};

class AFX_API CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE);
};

// An operation the object does not offer, such as binding a dialog member to a control that is missing.
class AFX_API CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE);
};

// Throws `new CInvalidArgException`.
[[noreturn]] AFX_API void AfxThrowInvalidArgException();

// Throws `new CNotSupportedException`.
[[noreturn]] AFX_API void AfxThrowNotSupportedException();

// Throws the one preallocated CMemoryException: allocating an exception when memory has run out could
// itself fail.
[[noreturn]] AFX_API void AfxThrowMemoryException();
