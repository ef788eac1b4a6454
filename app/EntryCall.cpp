#include "app/EntryCall.h"

#include <exception>

#include "app/PageHost.h"
#include "platform/afx/CException.h"
#include "platform/win/Utf8.h"

std::optional<std::string> runEntry(PluginModule::Entry entry, PageHost& host) {
    try {
        entry(&host);
        return std::nullopt;
    } catch (CException* e) {
        WCHAR text[512] = {};
        std::string message = e->GetErrorMessage(text, 512) ? win::EncodeUtf8(text) : "a framework exception";
        e->Delete();
        return message;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an unknown exception";
    }
}
