#pragma once

// The link check dialog's controls the host program acts on, by the ids of the module's template: the
// automation waits on Stop, the batch check works the dialog as a user would.
namespace linkcheck {

constexpr int kList = 3000;
constexpr int kClearAll = 3003;
constexpr int kStart = 3006;
constexpr int kStop = 3007;  // enabled exactly while a check runs
constexpr int kChangeUrl = 3010;
constexpr int kApply = 3012;
constexpr int kNewUrl = 3013;
constexpr int kUndo = 3014;
constexpr int kManualStart = 3016;

}  // namespace linkcheck
