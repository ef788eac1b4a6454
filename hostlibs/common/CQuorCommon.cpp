#include "contracts/host/CQuorCommon.h"

CString CQuorCommon::getHKCUTarnpageBase() {
    return u"Software\\Tarn\\Tarnpage";
}

CString CQuorCommon::getHKCUTarnpageOptions() {
    return getHKCUTarnpageBase() + u"\\Options";
}
