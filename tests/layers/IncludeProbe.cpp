// Built by build.IncludesPointDown with the host libraries' include view.
#ifdef TARN_PROBE_UPWARD
#include "module/dlg/CTarnLinkCheckDlg.h"
#else
#include "contracts/host/Document.h"
#endif
